#include "messages/forms/FormLook.h"

#include <QPalette>
#include <QWidget>

void ApplyWindowColour(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(255, 204, 102));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}
