#include "shell/msgbox/Artwork.h"

#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {

// How many pixels of the picture are not fully transparent.
int paintedPixels(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) != 0;
    return painted;
}

TEST(Artwork, EveryBuiltInPictureIsDrawnAtTheSizeAsked) {
    const QStringList files = QDir(QStringLiteral(":/art")).entryList();
    // The pictures the windows ask for by name, at the sizes they ask for them.
    const std::pair<const char*, QSize> used[] = {
        {"btn_ok", {46, 40}},      {"msg_question", {36, 32}}, {"strip", {240, 40}},
        {"tray_online", {32, 32}}, {"about", {96, 96}},        {"tree_folder", {16, 16}},
        {"strip", {700, 40}},      {"anim", {48, 48}},
    };
    for (const auto& [name, size] : used) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(files.contains(QLatin1String(name) + QStringLiteral(".art")));
        const QPixmap picture = Artwork::pixmap(QLatin1String(name), size);
        EXPECT_EQ(picture.size(), size);
        EXPECT_GT(paintedPixels(picture), size.width() * size.height() / 10);
    }
    EXPECT_GE(files.size(), 24);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QPixmap picture = Artwork::pixmap(file.chopped(4), QSize(20, 20));
        EXPECT_GT(paintedPixels(picture), 0);
    }
}

TEST(Artwork, AnUnknownNameGivesAnEmptyPictureOfTheSizeAsked) {
    const QPixmap picture = Artwork::pixmap(QStringLiteral("no_such_picture"), QSize(30, 20));
    EXPECT_EQ(picture.size(), QSize(30, 20));
    EXPECT_EQ(paintedPixels(picture), 0);
}

} // namespace
