// Renders the program's SVG artwork at build time, so that the program itself neither loads the
// SVG module nor parses and rasterises vector art while it starts, and does not decode images
// either: each picture is written as raw pixels the program uses in place.
// Usage: render_artwork <scale> <output folder> <file.svg>...
// Each picture is rendered at <scale> times its own size into <name>.art: "NART", the width and
// the height (32-bit little-endian), then the rows of 32-bit premultiplied ARGB pixels in this
// machine's byte order. The program scales it smoothly when a control asks for another size.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool scaleOk = false;
    const int scale = args.size() > 3 ? args[1].toInt(&scaleOk) : 0;
    if (!scaleOk || scale < 1 || scale > 16) {
        std::fprintf(stderr, "usage: render_artwork <scale 1-16> <output folder> <file.svg>...\n");
        return 2;
    }
    const QDir out(args[2]);
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "render_artwork: cannot create %s\n", qPrintable(args[2]));
        return 1;
    }
    for (const QString& svg : args.mid(3)) {
        QSvgRenderer renderer(svg);
        const QSize size = renderer.defaultSize() * scale;
        if (!renderer.isValid() || size.isEmpty()) {
            std::fprintf(stderr, "render_artwork: %s is not usable SVG\n", qPrintable(svg));
            return 1;
        }
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
        }
        const QString path =
            out.filePath(QFileInfo(svg).completeBaseName() + QStringLiteral(".art"));
        QByteArray bytes("NART");
        const quint32 head[2] = {qToLittleEndian<quint32>(size.width()),
                                 qToLittleEndian<quint32>(size.height())};
        bytes.append(reinterpret_cast<const char*>(head), sizeof head);
        for (int y = 0; y < image.height(); ++y)
            bytes.append(reinterpret_cast<const char*>(image.constScanLine(y)), image.width() * 4);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "render_artwork: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
