#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

// Every pause, dial wait, time-out and keep-alive interval goes through a TimeSource, so that tests
// can run the program's clock faster than the wall clock. Durations are given in the program's
// nominal milliseconds; realMs() converts one to the real milliseconds to arm a QTimer with.
class TimeSource {
public:
    // speed 1 is the real clock; speed 100 makes a nominal 15 s wait last 150 ms.
    // tickOffset starts the tick counter elsewhere (to exercise its 32-bit wrap-around).
    explicit TimeSource(double speed = 1.0, quint32 tickOffset = 0);
    virtual ~TimeSource();

    // Millisecond tick count that wraps at 2^32, advancing `speed` times as fast as real time.
    virtual quint32 tickCount() const;
    // Real milliseconds for a nominal duration (at least 1 for a positive duration).
    virtual int realMs(qint64 nominalMs) const;
    double speed() const { return Speed; }

    // Milliseconds elapsed from tick `since` to tick `now`, correct across a wrap-around.
    static quint32 elapsed(quint32 since, quint32 now) { return now - since; }

private:
    double Speed;
    quint32 TickOffset;
    QElapsedTimer Started;
};
