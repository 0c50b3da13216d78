#include "platform/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace vqx {

IniSettingsStore::IniSettingsStore(QString folder) : m_folder(std::move(folder)) {}

QString IniSettingsStore::fileFor(const QString &application) const
{
    return QDir(m_folder).filePath(application + QStringLiteral(".ini"));
}

QString IniSettingsStore::Lire_Reglage(const QString &application, const QString &section,
                                       const QString &key, const QString &def) const
{
    QSettings s(fileFor(application), QSettings::IniFormat);
    s.beginGroup(section);
    return s.value(key, def).toString();
}

bool IniSettingsStore::Ecrire_Reglage(const QString &application, const QString &section,
                                      const QString &key, const QString &value)
{
    QDir().mkpath(m_folder);
    QSettings s(fileFor(application), QSettings::IniFormat);
    if (s.status() != QSettings::NoError)
        return false; // never overwrite a file we could not read
    s.beginGroup(section);
    s.setValue(key, value);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

QString IniSettingsStore::loadProblem() const
{
    for (const QString &app : {kAppVqx, kAppBrenox}) {
        const QString path = fileFor(app);
        if (!QFileInfo::exists(path))
            continue;
        QSettings s(path, QSettings::IniFormat);
        if (s.status() != QSettings::NoError || !QFileInfo(path).isReadable())
            return path;
    }
    return {};
}

} // namespace vqx
