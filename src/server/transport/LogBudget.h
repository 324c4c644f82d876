#pragma once

#include "core/TimeSource.h"

#include <QString>

// Lets through at most `lines` log lines per `windowMs` nominal milliseconds, so that a peer
// sending junk as fast as it can cannot fill the disk through the activity log. When a window's
// budget is used up, one line says so; lines resume in the next window.
class LogBudget {
public:
    LogBudget(const TimeSource& time, int lines = 100, quint32 windowMs = 60000)
        : Time(time), Lines(lines), WindowMs(windowMs) {}

    // Writes `line` (WriteLog) when the budget allows.
    void write(const QString& line);

private:
    const TimeSource& Time;
    int Lines;
    quint32 WindowMs;
    quint32 WindowStart = 0;
    int Used = 0;
    bool Started = false;
};
