#include "shell/msgbox/Artwork.h"

#include <QImage>
#include <QPixmapCache>
#include <QResource>
#include <QtEndian>

namespace {

// A picture as the build wrote it: "NART", width, height, then premultiplied ARGB pixels. The
// resource is stored uncompressed, so the image uses the program's own memory without a copy.
QImage builtInPicture(const QString& name) {
    const QResource resource(QStringLiteral(":/art/%1.art").arg(name));
    const uchar* data = resource.data();
    const qint64 size = resource.size();
    constexpr qint64 HeadSize = 12;
    if (!data || resource.compressionAlgorithm() != QResource::NoCompression || size < HeadSize ||
        QByteArrayView(data, 4) != QByteArrayView("NART"))
        return {};
    const quint32 width = qFromLittleEndian<quint32>(data + 4);
    const quint32 height = qFromLittleEndian<quint32>(data + 8);
    if (width == 0 || height == 0 || width > 4096 || height > 4096 ||
        size - HeadSize != qint64(width) * height * 4)
        return {};
    const QImage inPlace(data + HeadSize, int(width), int(height), int(width) * 4,
                         QImage::Format_ARGB32_Premultiplied);
    // Pixels are read as 32-bit words; copy them when the resource does not start on one.
    if (reinterpret_cast<quintptr>(data + HeadSize) % alignof(quint32) != 0)
        return inPlace.copy();
    return inPlace;
}

} // namespace

namespace Artwork {

QPixmap pixmap(const QString& name, QSize size) {
    const QString cacheKey =
        QStringLiteral("nirvo-art:%1:%2x%3").arg(name).arg(size.width()).arg(size.height());
    QPixmap pm;
    if (QPixmapCache::find(cacheKey, &pm))
        return pm;
    const QImage picture = builtInPicture(name);
    if (picture.isNull()) {
        pm = QPixmap(size);
        pm.fill(Qt::transparent);
    } else if (picture.size() == size) {
        pm = QPixmap::fromImage(picture);
    } else {
        pm = QPixmap::fromImage(
            picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QPixmapCache::insert(cacheKey, pm);
    return pm;
}

QIcon icon(const QString& name, QSize size) {
    return QIcon(pixmap(name, size));
}

} // namespace Artwork
