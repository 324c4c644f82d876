#pragma once

#include "platform/dialup/DialupDirectory.h"

// Dial-up for tests: lists what the test put in it.
class FakeDialupDirectory : public DialupDirectory {
public:
    bool isAvailable = true;
    QStringList entries;
    QStringList devices;

    bool available() const override { return isAvailable; }
    QStringList entryNames() const override { return isAvailable ? entries : QStringList(); }
    QStringList deviceNames() const override { return isAvailable ? devices : QStringList(); }
};
