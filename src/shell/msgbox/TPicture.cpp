#include "shell/msgbox/TPicture.h"

#include "shell/msgbox/Artwork.h"

#include <QPainter>

TPicture::TPicture(const QString& objectName, const QString& artName, QWidget* parent)
    : QWidget(parent), ArtName(artName) {
    setObjectName(objectName);
}

void TPicture::paintEvent(QPaintEvent*) {
    if (Rendered.size() != size())
        Rendered = Artwork::pixmap(ArtName, size());
    QPainter(this).drawPixmap(0, 0, Rendered);
}
