#include "platform/clock.h"

namespace vqx {

QString Date_Utc(const Clock &clock)
{
    return clock.nowUtc().toString(QStringLiteral("dd/MM/yy"));
}

QString Heure_Utc(const Clock &clock)
{
    return clock.nowUtc().toString(QStringLiteral("HH:mm:ss"));
}

QString Heure_Locale(const Clock &clock)
{
    return clock.nowLocal().toString(QStringLiteral("HH:mm:ss"));
}

QString shortDate(const Clock &clock)
{
    return clock.nowLocal().toString(QStringLiteral("dd/MM/yyyy"));
}

QString Date_Fichier(const Clock &clock)
{
    return clock.nowLocal().toString(QStringLiteral("dd_MM_yy"));
}

QString Date_Impression(const Clock &clock)
{
    return clock.nowLocal().toString(QStringLiteral("dd/MM/yy"));
}

} // namespace vqx
