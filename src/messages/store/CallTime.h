#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Message times are days since 30 December 1899 00:00 with the time of day as the fraction
// (for days before that date the fraction still counts forward from midnight).
namespace CallTime {

// Invalid for a value that is no date (NaN, infinite, far outside the calendar).
QDateTime toDateTime(double days);
double fromDateTime(const QDateTime& when);

// Formats message times the way the list shows them: the user's short date, then the long
// time without a time zone, the time left out at exactly midnight.
class Formatter {
public:
    explicit Formatter(const QLocale& locale = QLocale());
    QString format(double days) const;

private:
    QLocale Locale;
    QString DateFormat;
    QString TimeFormat;
};

} // namespace CallTime
