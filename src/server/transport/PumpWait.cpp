#include "server/transport/PumpWait.h"

#include <QEventLoop>
#include <QTimer>

void PumpWait(quint32 ms, const TimeSource& time) {
    const quint32 start = time.tickCount();
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    for (;;) {
        const quint32 passed = TimeSource::elapsed(start, time.tickCount());
        if (passed > ms)
            return;
        // The timer only wakes the loop; the tick count decides when the wait is over.
        timer.start(time.realMs(qint64(ms) - passed + 1));
        loop.exec();
    }
}
