#pragma once

#include "platform/shell/Shell.h"

// Opens links through the desktop's registered handlers (browser, mail program, help viewer).
class DesktopShell : public Shell {
public:
    void openUrl(const QUrl& url) override;
};
