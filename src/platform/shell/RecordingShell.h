#pragma once

#include "platform/shell/Shell.h"

#include <QList>

// Stands in for the desktop in tests: remembers every link it was asked to open.
class RecordingShell : public Shell {
public:
    void openUrl(const QUrl& url) override { opened.append(url); }
    QList<QUrl> opened;
};
