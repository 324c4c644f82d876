#pragma once

#include <QUrl>

// Hands a web link, a mailto: link or a local file to the desktop to open with the user's
// default program.
class Shell {
public:
    virtual ~Shell();
    virtual void openUrl(const QUrl& url) = 0;
};
