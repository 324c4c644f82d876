#pragma once

#include "core/Commands.h"

#include <QList>
#include <QObject>
#include <map>

// The copies of each command (menu items, popup items, toolbar buttons), switched together.
class CommandTable {
public:
    void add(Command command, QObject* copy) { Copies[command].append(copy); }
    void setEnabled(Command command, bool enabled);
    // A command counts as enabled when its first copy (main menu, else popup, else toolbar) is.
    bool isEnabled(Command command) const;
    QList<QObject*> copies(Command command) const;

private:
    std::map<Command, QList<QObject*>> Copies;
};
