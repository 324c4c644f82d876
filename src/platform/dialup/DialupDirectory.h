#pragma once

#include <QStringList>

// What the dial-up networking service offers: its connection entries and its devices.
class DialupDirectory {
public:
    virtual ~DialupDirectory();
    // False when the machine has no dial-up networking; both lists are then empty.
    virtual bool available() const = 0;
    // Entry names in the system's order.
    virtual QStringList entryNames() const = 0;
    virtual QStringList deviceNames() const = 0;
};
