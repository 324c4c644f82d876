#pragma once

#include "core/TimeSource.h"

#include <QtGlobal>
#include <functional>

class QEventLoop;

// Keeps the window responsive while waiting: runs a local event loop (never sleeps the thread)
// until more than `ms` nominal milliseconds of `time` have passed. The elapsed time is taken from
// the wrapping tick count with unsigned arithmetic, so a wrap past 2^32 does not end the wait
// early.
void PumpWait(quint32 ms, const TimeSource& time);

// The same wait, ended early when `wakeOn` (connected to the signals that matter) quits the loop
// it is given. True when it was woken before the time was up.
bool PumpWait(quint32 ms, const TimeSource& time, const std::function<void(QEventLoop&)>& wakeOn);
