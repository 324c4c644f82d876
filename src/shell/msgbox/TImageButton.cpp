#include "shell/msgbox/TImageButton.h"

#include "shell/msgbox/Artwork.h"

#include <QIcon>
#include <QPainter>

TImageButton::TImageButton(const QString& objectName, const QString& artName, QSize size,
                           QWidget* parent)
    : QAbstractButton(parent), Picture(Artwork::pixmap(artName, size)), Size(size) {
    setObjectName(objectName);
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void TImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!isEnabled()) {
        if (Disabled.isNull())
            Disabled = QIcon(Picture).pixmap(Size, QIcon::Disabled);
        painter.drawPixmap(0, 0, Disabled);
        return;
    }
    const int shift = isDown() ? 1 : 0;
    painter.drawPixmap(shift, shift, Picture);
    if (hasFocus()) {
        QPen pen(QColor(60, 30, 0));
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}
