#include "messages/store/CallTime.h"

#include <cmath>

namespace CallTime {

namespace {
const QDate Epoch(1899, 12, 30);
constexpr qint64 MsPerDay = 86400000;
// About ±8000 years around the epoch: beyond that no calendar date is meant.
constexpr double MaxDays = 3.0e6;

// Removes time-zone fields ("t") from a time format, leaving quoted text alone.
QString withoutZone(const QString& format) {
    QString out;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.trimmed();
}
} // namespace

QDateTime toDateTime(double days) {
    if (!std::isfinite(days) || std::fabs(days) > MaxDays)
        return {};
    const double whole = std::trunc(days);
    qint64 ms = std::llround(std::fabs(days - whole) * double(MsPerDay));
    qint64 day = qint64(whole);
    if (ms >= MsPerDay) {
        ms -= MsPerDay;
        ++day;
    }
    return QDateTime(Epoch.addDays(day), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

double fromDateTime(const QDateTime& when) {
    const double day = double(Epoch.daysTo(when.date()));
    const double fraction = double(when.time().msecsSinceStartOfDay()) / double(MsPerDay);
    return day >= 0 ? day + fraction : day - fraction;
}

Formatter::Formatter(const QLocale& locale)
    : Locale(locale), DateFormat(locale.dateFormat(QLocale::ShortFormat)),
      TimeFormat(withoutZone(locale.timeFormat(QLocale::LongFormat))) {}

QString Formatter::format(double days) const {
    const QDateTime when = toDateTime(days);
    if (!when.isValid())
        return QString();
    const QString date = Locale.toString(when.date(), DateFormat);
    if (when.time().msecsSinceStartOfDay() == 0)
        return date;
    return date + QLatin1Char(' ') + Locale.toString(when.time(), TimeFormat);
}

} // namespace CallTime
