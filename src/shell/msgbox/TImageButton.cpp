#include "shell/msgbox/TImageButton.h"

#include "shell/msgbox/Artwork.h"

#include <QIcon>
#include <QPainter>

TImageButton::TImageButton(const QString& objectName, const QString& artName, QSize size,
                           QWidget* parent)
    : QAbstractButton(parent), ArtName(artName), Size(size) {
    setObjectName(objectName);
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void TImageButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (Picture.isNull())
        Picture = Artwork::pixmap(ArtName, Size);
    const int shift = isDown() ? 1 : 0;
    if (!isEnabled()) {
        if (Disabled.isNull())
            Disabled = QIcon(Picture).pixmap(Size, QIcon::Disabled);
        painter.drawPixmap(0, 0, Disabled);
    } else {
        painter.drawPixmap(shift, shift, Picture);
    }
    if (CaptionShown) {
        // The window's own font, so the caption needs no font of its own loaded.
        if (text().size() > 4) {
            QFont f = font();
            f.setPointSizeF(f.pointSizeF() * 0.8);
            painter.setFont(f);
        }
        // The pictures leave their top and bottom 4 pixels for the shadow and the press.
        const QRect area = rect().adjusted(shift + 1, shift + 3, shift - 2, shift - 6);
        painter.setPen(QColor(40, 20, 0, isEnabled() ? 200 : 90));
        painter.drawText(area.translated(1, 1), Qt::AlignCenter, text());
        painter.setPen(isEnabled() ? QColor(Qt::white) : QColor(235, 235, 235));
        painter.drawText(area, Qt::AlignCenter, text());
    }
    if (hasFocus()) {
        QPen pen(QColor(60, 30, 0));
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}
