#include "shell/msgbox/Artwork.h"

#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

static void initArtResources() {
    // The pictures live in a static library; make sure its resources are registered.
    static const bool done = [] {
        Q_INIT_RESOURCE(nirvo_art);
        return true;
    }();
    (void)done;
}

namespace Artwork {

QPixmap pixmap(const QString& name, QSize size) {
    initArtResources();
    const QString cacheKey =
        QStringLiteral("nirvo-art:%1:%2x%3").arg(name).arg(size.width()).arg(size.height());
    QPixmap pm;
    if (QPixmapCache::find(cacheKey, &pm))
        return pm;
    QSvgRenderer renderer(QStringLiteral(":/art/%1.svg").arg(name));
    pm = QPixmap(size);
    pm.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&pm);
        renderer.render(&painter);
    }
    QPixmapCache::insert(cacheKey, pm);
    return pm;
}

QIcon icon(const QString& name, QSize size) {
    return QIcon(pixmap(name, size));
}

} // namespace Artwork
