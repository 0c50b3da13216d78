#pragma once
// Test doubles for the core services: a settings store in memory and a
// clock that stands still until told otherwise.

#include "platform/clock.h"
#include "platform/settings_store.h"

#include <QHash>
#include <QStringList>

namespace vqx::test {

class MemorySettingsStore : public SettingsStore
{
public:
    QString Lire_Reglage(const QString &application, const QString &section, const QString &key,
                         const QString &def) const override
    {
        return values.value(address(application, section, key), def);
    }
    bool Ecrire_Reglage(const QString &application, const QString &section, const QString &key,
                        const QString &value) override
    {
        writes << address(application, section, key) + QLatin1Char('=') + value;
        if (failWrites)
            return false;
        values.insert(address(application, section, key), value);
        return true;
    }
    QString loadProblem() const override { return problem; }

    static QString address(const QString &application, const QString &section, const QString &key)
    {
        return application + QLatin1Char('|') + section + QLatin1Char('|') + key;
    }
    QString get(const QString &application, const QString &section, const QString &key) const
    {
        return values.value(address(application, section, key), QStringLiteral("<absent>"));
    }
    void set(const QString &application, const QString &section, const QString &key,
             const QString &value)
    {
        values.insert(address(application, section, key), value);
    }

    QHash<QString, QString> values;
    QStringList writes; // every write, in order: "app|section|key=value"
    bool failWrites = false;
    QString problem;
};

class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime utc = QDateTime(QDate(2021, 6, 5), QTime(14, 32, 10), Qt::UTC),
                       int localOffsetSeconds = 7200)
        : utc(std::move(utc)), offset(localOffsetSeconds)
    {
    }
    QDateTime nowUtc() const override { return utc; }
    QDateTime nowLocal() const override
    {
        QDateTime l = utc.addSecs(offset);
        l.setTimeSpec(Qt::LocalTime);
        return QDateTime(l.date(), l.time());
    }
    QDateTime utc;
    int offset;
};

} // namespace vqx::test
