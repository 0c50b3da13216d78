#include "logstore/log_operations.h"

#include "logstore/codepage.h"
#include "logstore/log_record.h"

#include <functional>

namespace vqx {

namespace {

// Reads the current log for a change. A missing log is an error: the
// operations never create one behind the operator's back.
LogChange readForChange(const LogTarget &log, LineBuffer *current)
{
    LogChange c;
    if (log.current) {
        c.file.path = log.path;
        *current = LineBuffer(*log.current);
        return c;
    }
    QByteArray bytes;
    c.file = readFile(log.path, &bytes);
    if (c.file.ok())
        *current = LineBuffer(std::move(bytes));
    return c;
}

LogChange finish(const LogTarget &log, LogChange c, QByteArray written, const QString &scratch)
{
    c.file = rewriteFile(log.path, written, scratch, log.writer);
    if (c.file.ok())
        c.log = LineBuffer(std::move(written));
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
    return true;
}

// A line as the rewrite writes it: in the code page, then CR LF.
QByteArray writtenLine(const QString &line)
{
    QByteArray out = codepage::encode(line);
    out.append("\r\n", 2);
    return out;
}

// The log with every line `hit` selects replaced by `with`, or left out
// when `with` is empty; the runs of lines in between copied whole.
QByteArray withLinesReplaced(const LineBuffer &log, const std::function<bool(qsizetype)> &hit,
                             const QByteArray &with, bool *found)
{
    QByteArray out;
    out.reserve(log.bytes().size() + log.size() * 2 + with.size());
    qsizetype run = 0;
    for (qsizetype i = 0; i < log.size(); ++i) {
        if (!hit(i))
            continue;
        log.appendTo(out, run, i);
        out.append(with);
        run = i + 1;
        *found = true;
    }
    log.appendTo(out, run, log.size());
    return out;
}

// The lines equal to `wanted`; failing those, the irregular lines the list
// showed as `wanted`.
std::function<bool(qsizetype)> sameLines(const LineBuffer &log, const QString &wanted)
{
    QByteArray bytes;
    if (codepage::encode(wanted, &bytes)) {
        for (qsizetype i = 0; i < log.size(); ++i) {
            if (log.raw(i) == QByteArrayView(bytes))
                return
                    [&log, bytes](qsizetype row) { return log.raw(row) == QByteArrayView(bytes); };
        }
    }
    return [&log, wanted](qsizetype row) { return sameContact(log.line(row), wanted); };
}

inline char16_t unit(QStringView s, qsizetype i)
{
    return s.at(i).unicode();
}

inline char16_t unit(QByteArrayView s, qsizetype i)
{
    return static_cast<unsigned char>(s.at(i));
}

// Leading digits of a two-character group; 0 when none.
template <typename View> int twoDigits(View s, qsizetype pos)
{
    int v = 0;
    for (qsizetype i = pos; i < pos + 2 && i < s.size(); ++i) {
        const char16_t ch = unit(s, i);
        if (ch < u'0' || ch > u'9')
            break;
        v = v * 10 + (ch - u'0');
    }
    return v;
}

// A column of a line, shorter or empty when the line is.
template <typename View> View column(View line, const Column &c)
{
    const qsizetype from = c.start - 1;
    if (from >= line.size())
        return View();
    return line.sliced(from, qMin<qsizetype>(c.width, line.size() - from));
}

template <typename View> qint64 dateTimeKeyOf(View line)
{
    const View date = column(line, QsoLine::Date);
    const View time = column(line, QsoLine::Heure);
    const int year = fullYear(twoDigits(date, 6));
    const qint64 month = twoDigits(date, 3);
    const qint64 day = twoDigits(date, 0);
    const qint64 hour = twoDigits(time, 0);
    const qint64 minute = twoDigits(time, 3);
    return (((qint64(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute;
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

qint64 dateTimeKey(QStringView qsoLine)
{
    return dateTimeKeyOf(qsoLine);
}

qint64 dateTimeKey(QByteArrayView qsoLine)
{
    return dateTimeKeyOf(qsoLine);
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

LoadedLogBuffer loadLogBuffer(const QString &logPath)
{
    LoadedLogBuffer r;
    QByteArray bytes;
    r.file = readFile(logPath, &bytes);
    if (!r.file.ok())
        return r;
    r.log = LineBuffer(std::move(bytes));
    r.irregular.bareLineFeeds = r.log.bareLineFeeds();
    r.irregular.nonTextBytes = r.log.controlCharacters();
    for (qsizetype i = 0; i < r.log.size(); ++i) {
        // Which line holds what, for the warning: one look at the bytes,
        // nothing decoded.
        if (!r.irregular.firstNonTextLine || !r.irregular.firstUtf8Line) {
            const codepage::LineKind kind = codepage::lineKind(r.log.raw(i));
            if (kind.control && !r.irregular.firstNonTextLine)
                r.irregular.firstNonTextLine = int(i + 1);
            if (kind.utf8 && !r.irregular.firstUtf8Line)
                r.irregular.firstUtf8Line = int(i + 1);
        }
        if (r.log.raw(i).size() != QsoLine::Length) {
            if (!r.irregular.wrongLengthLines)
                r.irregular.firstWrongLine = int(i + 1);
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
    LineBuffer current;
    LogChange c = readForChange(log, &current);
    if (!c.ok() || refuseUnwritable(c, newLine))
        return c;
    QByteArray out;
    out.reserve(current.bytes().size() + current.size() * 2 + QsoLine::Length + 2);
    current.appendTo(out, 0, current.size());
    out.append(writtenLine(newLine));
    return finish(log, std::move(c), std::move(out), kScratchFile);
}

LogChange Inserer_Qso_Chrono(const LogTarget &log, const QString &newLine)
{
    LineBuffer current;
    LogChange c = readForChange(log, &current);
    if (!c.ok() || refuseUnwritable(c, newLine))
        return c;
    const qint64 key = dateTimeKey(newLine);
    qsizetype at = current.size();
    for (qsizetype i = 0; i < current.size(); ++i) {
        if (dateTimeKey(current.raw(i)) >= key) {
            at = i;
            break;
        }
    }
    QByteArray out;
    out.reserve(current.bytes().size() + current.size() * 2 + QsoLine::Length + 2);
    current.appendTo(out, 0, at);
    out.append(writtenLine(newLine));
    current.appendTo(out, at, current.size());
    return finish(log, std::move(c), std::move(out), kScratchFileChrono);
}

LogChange Remplacer_Qso(const LogTarget &log, const QString &newLine, const QString &oldLine)
{
    LineBuffer current;
    LogChange c = readForChange(log, &current);
    if (!c.ok() || refuseUnwritable(c, newLine))
        return c;
    const QByteArray with = writtenLine(newLine);
    bool found = false;
    QByteArray out = withLinesReplaced(current, sameLines(current, oldLine), with, &found);
    if (!found)
        out.append(with);
    return finish(log, std::move(c), std::move(out), kScratchFile);
}

LogChange Supprimer_Qso(const LogTarget &log, const QString &line)
{
    LineBuffer current;
    LogChange c = readForChange(log, &current);
    if (!c.ok())
        return c;
    bool found = false;
    QByteArray out = withLinesReplaced(current, sameLines(current, line), {}, &found);
    return finish(log, std::move(c), std::move(out), kScratchFile);
}

} // namespace vqx
