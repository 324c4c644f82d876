#include "server/transport/PumpWait.h"

#include <QEventLoop>
#include <QTimer>

void PumpWait(quint32 ms, const TimeSource& time) {
    PumpWait(ms, time, {});
}

bool PumpWait(quint32 ms, const TimeSource& time, const std::function<void(QEventLoop&)>& wakeOn) {
    const quint32 start = time.tickCount();
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timerFired = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timerFired = true;
        loop.quit();
    });
    if (wakeOn)
        wakeOn(loop);
    for (;;) {
        const quint32 passed = TimeSource::elapsed(start, time.tickCount());
        if (passed > ms)
            return false;
        // The timer only wakes the loop; the tick count decides when the wait is over.
        timerFired = false;
        timer.start(time.realMs(qint64(ms) - passed + 1));
        loop.exec();
        if (!timerFired)
            return true;
    }
}
