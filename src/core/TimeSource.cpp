#include "core/TimeSource.h"

#include <cmath>

TimeSource::TimeSource(double speed, quint32 tickOffset)
    : Speed(speed > 0 ? speed : 1.0), TickOffset(tickOffset) {
    Started.start();
}

TimeSource::~TimeSource() = default;

quint32 TimeSource::tickCount() const {
    const auto scaled = static_cast<quint64>(static_cast<double>(Started.elapsed()) * Speed);
    return static_cast<quint32>(scaled + TickOffset);
}

int TimeSource::realMs(qint64 nominalMs) const {
    if (nominalMs <= 0)
        return 0;
    const double real = std::ceil(static_cast<double>(nominalMs) / Speed);
    return real < 1 ? 1 : static_cast<int>(std::min(real, 2.0e9));
}
