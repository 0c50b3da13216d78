#include "logstore/log_operations.h"

#include "logstore/codepage.h"
#include "logstore/log_record.h"

namespace vqx {

namespace {

// Reads the current log for a change. A missing log is an error: the
// operations never create one behind the operator's back.
LogChange readForChange(const LogTarget &log)
{
    LogChange c;
    QByteArray bytes;
    c.file = readFile(log.path, &bytes);
    if (c.file.ok())
        c.lines = codepage::decodeLines(bytes).lines;
    return c;
}

LogChange finish(const LogTarget &log, LogChange c, const QString &scratch)
{
    c.file = rewriteFile(log.path, codepage::encodeLines(c.lines), scratch, log.writer);
    if (!c.file.ok())
        c.lines.clear();
    return c;
}

// A new line must keep the layout and the code page; the log is then left
// exactly as it was.
bool refuseUnwritable(LogChange &c, const QString &line)
{
    if (line.size() != QsoLine::Length)
        c.file.detail = QStringLiteral("ligne de QSO mal formée : %1 caractères au lieu de %2")
                            .arg(line.size())
                            .arg(QsoLine::Length);
    else if (!isWellFormedQsoLine(line))
        c.file.detail = QStringLiteral("ligne de QSO mal formée : caractère de contrôle");
    else if (!codepage::isRepresentable(line))
        c.file.detail = QStringLiteral("caractère non représentable");
    else
        return false;
    c.file.error = FileError::WriteFailed;
    c.lines.clear();
    return true;
}

int twoDigits(QStringView s, int pos)
{
    // Leading digits of a two-character group; 0 when none.
    int v = 0;
    for (int i = pos; i < pos + 2 && i < s.size(); ++i) {
        const QChar ch = s.at(i);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        v = v * 10 + (ch.unicode() - '0');
    }
    return v;
}

} // namespace

int fullYearOf(QStringView twoDigitYear)
{
    int v = 0;
    for (QChar ch : twoDigitYear) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        v = v * 10 + (ch.unicode() - '0');
    }
    return fullYear(v);
}

qint64 dateTimeKey(const QString &qsoLine)
{
    // Views, not copies: the insertion reads the date of every line.
    const QStringView date = QStringView(qsoLine).mid(QsoLine::Date.start - 1, QsoLine::Date.width);
    const QStringView time =
        QStringView(qsoLine).mid(QsoLine::Heure.start - 1, QsoLine::Heure.width);
    const int year = fullYear(twoDigits(date, 6));
    const qint64 month = twoDigits(date, 3);
    const qint64 day = twoDigits(date, 0);
    const qint64 hour = twoDigits(time, 0);
    const qint64 minute = twoDigits(time, 3);
    return (((qint64(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute;
}

bool sameContact(const QString &fileLine, const QString &wanted)
{
    if (fileLine == wanted)
        return true;
    if (wanted.size() != QsoLine::Length)
        return false;
    // Column by column, as the list cuts them: each value blank-filled to its
    // width, the reference without its surrounding blanks, and nothing but
    // blanks between the columns of the wanted line.
    const QStringView file(fileLine);
    const QStringView want(wanted);
    const QChar blank(u' ');
    qsizetype end = 0;
    for (int i = 0; i < 12; ++i) {
        const Column &c = QsoLine::All[i];
        for (qsizetype p = end; p < c.start - 1; ++p) {
            if (want.at(p) != blank)
                return false;
        }
        QStringView value = file.mid(c.start - 1, c.width);
        if (i == 3)
            value = value.trimmed();
        const QStringView wantValue = want.mid(c.start - 1, c.width);
        if (!wantValue.startsWith(value))
            return false;
        for (qsizetype p = value.size(); p < wantValue.size(); ++p) {
            if (wantValue.at(p) != blank)
                return false;
        }
        end = c.start - 1 + c.width;
    }
    return true;
}

LoadedLog Charger_Log(const QString &logPath)
{
    LoadedLog r;
    QByteArray bytes;
    r.file = readFile(logPath, &bytes);
    if (!r.file.ok())
        return r;
    codepage::SplitResult split = codepage::decodeLines(bytes);
    r.irregular.bareLineFeeds = split.bareLineFeeds;
    r.irregular.nonTextBytes = split.controlCharacters;
    r.lines = std::move(split.lines);
    // Which line holds what, for the warning; only a log with bytes beyond
    // plain text needs the second look.
    if (split.controlCharacters || split.highBytes) {
        const QList<QByteArrayView> raw = codepage::splitRawLines(bytes);
        for (int i = 0; i < raw.size(); ++i) {
            const codepage::LineKind kind = codepage::lineKind(raw.at(i));
            if (kind.control && !r.irregular.firstNonTextLine)
                r.irregular.firstNonTextLine = i + 1;
            if (kind.utf8 && !r.irregular.firstUtf8Line)
                r.irregular.firstUtf8Line = i + 1;
        }
    }
    for (int i = 0; i < r.lines.size(); ++i) {
        if (r.lines.at(i).size() != QsoLine::Length) {
            if (!r.irregular.wrongLengthLines)
                r.irregular.firstWrongLine = i + 1;
            ++r.irregular.wrongLengthLines;
        }
    }
    return r;
}

FileResult Creer_Log(const QString &logPath)
{
    return createEmptyFile(logPath);
}

LogChange Ajouter_Qso(const LogTarget &log, const QString &newLine)
{
    LogChange c = readForChange(log);
    if (!c.ok() || refuseUnwritable(c, newLine))
        return c;
    c.lines.append(newLine);
    return finish(log, std::move(c), kScratchFile);
}

LogChange Inserer_Qso_Chrono(const LogTarget &log, const QString &newLine)
{
    LogChange c = readForChange(log);
    if (!c.ok() || refuseUnwritable(c, newLine))
        return c;
    const qint64 key = dateTimeKey(newLine);
    qsizetype at = c.lines.size();
    for (qsizetype i = 0; i < c.lines.size(); ++i) {
        if (dateTimeKey(c.lines.at(i)) >= key) {
            at = i;
            break;
        }
    }
    c.lines.insert(at, newLine);
    return finish(log, std::move(c), kScratchFileChrono);
}

LogChange Remplacer_Qso(const LogTarget &log, const QString &newLine, const QString &oldLine)
{
    LogChange c = readForChange(log);
    if (!c.ok() || refuseUnwritable(c, newLine))
        return c;
    // Lines equal to the old one; failing those, the irregular line the list
    // showed as the old one.
    const bool exact = c.lines.contains(oldLine);
    bool found = false;
    for (QString &l : c.lines) {
        if (exact ? l == oldLine : sameContact(l, oldLine)) {
            l = newLine;
            found = true;
        }
    }
    if (!found)
        c.lines.append(newLine);
    return finish(log, std::move(c), kScratchFile);
}

LogChange Supprimer_Qso(const LogTarget &log, const QString &line)
{
    LogChange c = readForChange(log);
    if (!c.ok())
        return c;
    const bool exact = c.lines.contains(line);
    c.lines.removeIf([&](const QString &l) { return exact ? l == line : sameContact(l, line); });
    return finish(log, std::move(c), kScratchFile);
}

} // namespace vqx
