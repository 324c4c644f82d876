#include "shell/forms/CommandTable.h"

#include <QAction>
#include <QWidget>

namespace {
void setCopyEnabled(QObject* copy, bool enabled) {
    if (auto* action = qobject_cast<QAction*>(copy))
        action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(copy))
        widget->setEnabled(enabled);
}

bool copyEnabled(const QObject* copy) {
    if (auto* action = qobject_cast<const QAction*>(copy))
        return action->isEnabled();
    // The button's own state, whether or not its window is disabled for the moment.
    if (auto* widget = qobject_cast<const QWidget*>(copy))
        return widget->isEnabledTo(widget->parentWidget());
    return false;
}
} // namespace

void CommandTable::setEnabled(Command command, bool enabled) {
    const auto it = Copies.find(command);
    if (it == Copies.end())
        return;
    for (QObject* copy : it->second)
        setCopyEnabled(copy, enabled);
}

bool CommandTable::isEnabled(Command command) const {
    const auto it = Copies.find(command);
    return it != Copies.end() && !it->second.isEmpty() && copyEnabled(it->second.first());
}

QList<QObject*> CommandTable::copies(Command command) const {
    const auto it = Copies.find(command);
    return it == Copies.end() ? QList<QObject*>() : it->second;
}
