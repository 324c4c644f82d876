#pragma once

#include "settings/LiveSettings.h"

#include <QDialog>

class AppMessenger;
class Registry;

// The Properties dialog. Created hidden at start-up; it loads and holds the live settings for the
// whole run, and its pages edit them.
class TPropForm : public QDialog {
    Q_OBJECT
public:
    TPropForm(Registry& registry, AppMessenger& messenger, QWidget* parent = nullptr);

    // Runs the configuration load. False when the program must end at once (the user has
    // already been told why).
    bool LoadSettings();
    const LiveSettings& settings() const { return Settings; }

private:
    Registry& Reg;
    AppMessenger& Messenger;
    LiveSettings Settings;
};
