#pragma once

class QWidget;

// The program's window background, RGB (255, 204, 102).
void ApplyWindowColour(QWidget* widget);
