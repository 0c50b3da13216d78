#pragma once

#include "platform/settings_keys.h"

#include <QString>

namespace vqx {

// Per-user store of text values addressed by application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // The stored value, or def when nothing is stored at that address.
    virtual QString Lire_Reglage(const QString &application, const QString &section,
                                 const QString &key, const QString &def) const = 0;
    // Stores the value; false when the store could not be written.
    virtual bool Ecrire_Reglage(const QString &application, const QString &section,
                                const QString &key, const QString &value) = 0;
    // A description of a store that could not be read at start ("" when fine).
    virtual QString loadProblem() const { return {}; }
};

// The real store: one INI file per application in a per-user folder.
class IniSettingsStore : public SettingsStore
{
public:
    explicit IniSettingsStore(QString folder);
    QString Lire_Reglage(const QString &application, const QString &section, const QString &key,
                         const QString &def) const override;
    bool Ecrire_Reglage(const QString &application, const QString &section, const QString &key,
                        const QString &value) override;
    QString loadProblem() const override;
    QString fileFor(const QString &application) const;

private:
    QString m_folder;
};

} // namespace vqx
