#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The ring to play for a ring setting. `ringList` is the list the user picks from: the ring
// files, then "Random" last. "Random" draws one of the entries before it; with no ring file at
// all it names "Random" itself, which is not a file, so the player falls back to its default.
// A setting that is not a plain file name is never turned into a path outside `ringsDir`.
// `randomBelow(n)` returns a uniformly drawn integer in [0, n).
QString RingFilePath(const QString& ringsDir, const QStringList& ringList, const QString& ringType,
                     const std::function<int(int)>& randomBelow);

// A `randomBelow` on the system's random generator.
int SystemRandomBelow(int bound);
