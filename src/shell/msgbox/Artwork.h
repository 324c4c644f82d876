#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's pictures, drawn as SVG and built in as renderings at their own size; a control
// that asks for another size gets a smooth scaling. `name` is the file's base name in the art
// folder ("btn_ok", "tray_online", ...).
namespace Artwork {
QPixmap pixmap(const QString& name, QSize size);
QIcon icon(const QString& name, QSize size);
} // namespace Artwork
