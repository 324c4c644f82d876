#include "server/transport/LogBudget.h"

#include "core/ActivityLog.h"

void LogBudget::write(const QString& line) {
    const quint32 now = Time.tickCount();
    if (!Started || TimeSource::elapsed(WindowStart, now) >= WindowMs) {
        Started = true;
        WindowStart = now;
        Used = 0;
    }
    if (Used < Lines)
        WriteLog(line);
    else if (Used == Lines)
        WriteLog(QStringLiteral("Too many log lines from the network: some are left out for a "
                                "while."));
    ++Used;
}
