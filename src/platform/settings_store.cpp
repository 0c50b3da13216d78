#include "platform/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>

namespace vqx {

namespace {

// A line as the store writes it: blank, a comment, a [section] or a
// key=value whose quotes are closed on the same line.
bool wellFormedLine(QStringView line)
{
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
        return true;
    if (line.startsWith(u'['))
        return line.endsWith(u']');
    if (!line.contains(u'='))
        return false;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == u'\\')
            ++i;
        else if (line.at(i) == u'"')
            quoted = !quoted;
    }
    return !quoted;
}

// QSettings reads what it can of a damaged file and, at the next write,
// saves only that: binary bytes, text that is not UTF-8 or lines it cannot
// parse would be lost or mangled. A damaged file is therefore never read nor
// written; it reads as an empty store and is left for the operator. Its own
// status says little: it is only set by the first parse in the process.
bool damaged(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        return true;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return true;
    for (const char c : bytes) {
        const uchar u = uchar(c);
        if ((u < 0x20 && u != '\t' && u != '\r' && u != '\n') || u == 0x7F)
            return true;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return true;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        if (!wellFormedLine(line))
            return true;
    }
    return false;
}

} // namespace

IniSettingsStore::IniSettingsStore(QString folder) : m_folder(std::move(folder)) {}

QString IniSettingsStore::fileFor(const QString &application) const
{
    return QDir(m_folder).filePath(application + QStringLiteral(".ini"));
}

QString IniSettingsStore::Lire_Reglage(const QString &application, const QString &section,
                                       const QString &key, const QString &def) const
{
    const QString path = fileFor(application);
    if (damaged(path))
        return def;
    QSettings s(path, QSettings::IniFormat);
    s.beginGroup(section);
    return s.value(key, def).toString();
}

bool IniSettingsStore::Ecrire_Reglage(const QString &application, const QString &section,
                                      const QString &key, const QString &value)
{
    const QString path = fileFor(application);
    if (damaged(path))
        return false;
    QDir().mkpath(m_folder);
    QSettings s(path, QSettings::IniFormat);
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
        if (damaged(path))
            return path;
    }
    return {};
}

} // namespace vqx
