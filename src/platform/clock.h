#pragma once

#include <QDateTime>
#include <QString>

namespace vqx {

// The system clock behind an interface, so windows can be tested at any time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime nowUtc() const = 0;
    virtual QDateTime nowLocal() const = 0;
};

class SystemClock : public Clock
{
public:
    QDateTime nowUtc() const override { return QDateTime::currentDateTimeUtc(); }
    QDateTime nowLocal() const override { return QDateTime::currentDateTime(); }
};

// UTC date as dd/mm/yy.
QString Date_Utc(const Clock &clock);
// UTC time as hh:mm:ss.
QString Heure_Utc(const Clock &clock);
// Local time as hh:mm:ss.
QString Heure_Locale(const Clock &clock);
// Today's local date as dd/mm/yyyy (the short date form of file titles).
QString shortDate(const Clock &clock);
// Today's local date for export file names: dd_mm_yy.
QString Date_Fichier(const Clock &clock);
// Today's local date for printed titles: dd/mm/yy.
QString Date_Impression(const Clock &clock);

} // namespace vqx
