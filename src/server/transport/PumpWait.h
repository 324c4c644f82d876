#pragma once

#include "core/TimeSource.h"

#include <QtGlobal>

// Keeps the window responsive while waiting: runs a local event loop (never sleeps the thread)
// until more than `ms` nominal milliseconds of `time` have passed. The elapsed time is taken from
// the wrapping tick count with unsigned arithmetic, so a wrap past 2^32 does not end the wait
// early.
void PumpWait(quint32 ms, const TimeSource& time);
