#include "platform/shell/DesktopShell.h"

#include <QDesktopServices>

void DesktopShell::openUrl(const QUrl& url) {
    // What the desktop does with the link is its own business; a failure has nobody to tell.
    QDesktopServices::openUrl(url);
}
