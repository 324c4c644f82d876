#pragma once

#include <QString>

// The program's keys in the settings store.
namespace SettingsKeys {
inline const QString Application = QStringLiteral("Software\\Nirvo\\Application");
inline const QString User = QStringLiteral("Software\\Nirvo\\User");
inline const QString Properties = QStringLiteral("Software\\Nirvo\\Properties");
inline const QString Comport = QStringLiteral("Software\\Nirvo\\Comport");
inline const QString Follow = QStringLiteral("Software\\Nirvo\\Follow");
} // namespace SettingsKeys
