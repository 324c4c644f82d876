#pragma once

#include <QString>
#include <memory>

class Registry;

// The settings store the program runs with; nullptr with a reason when it cannot be opened.
std::unique_ptr<Registry> openRegistry(QString* error);
