#pragma once
// What the log and the first-name directory must hold after each operation,
// worked out on the bytes without the log store's code, so that the crash
// test does not judge the store by itself.

#include <QByteArray>
#include <QByteArrayList>
#include <QCryptographicHash>

namespace vqx::crash {

inline constexpr int kLineLength = 107;

inline QByteArray digest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

// Lines of a file whose every line ends with CR LF.
inline QByteArrayList crlfLines(const QByteArray &bytes)
{
    QByteArrayList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", start);
        if (end < 0) {
            lines << bytes.mid(start);
            break;
        }
        lines << bytes.mid(start, end - start);
        start = end + 2;
    }
    return lines;
}

inline QByteArray joinCrlf(const QByteArrayList &lines)
{
    QByteArray out;
    for (const QByteArray &l : lines)
        out += l + "\r\n";
    return out;
}

// Empty when every line has `length` characters (or at least `minimum`
// when length is 0) and ends with CR LF; otherwise what is wrong.
inline QByteArray malformation(const QByteArray &bytes, int length, int minimum = 0)
{
    if (!bytes.isEmpty() && !bytes.endsWith("\r\n"))
        return "last line without CR LF";
    int n = 0;
    for (const QByteArray &l : crlfLines(bytes)) {
        ++n;
        if (l.contains('\r') || l.contains('\n'))
            return "stray line end in line " + QByteArray::number(n);
        if (length ? l.size() != length : l.size() < minimum)
            return "line " + QByteArray::number(n) + " has " + QByteArray::number(l.size()) +
                   " characters";
    }
    return {};
}

// dd/mm/yy hh:mm as yyyymmddhhmm, 50-99 in the 1900s, 00-49 in the 2000s.
inline qint64 when(const QByteArray &line)
{
    const auto num = [&](int pos) { return line.mid(pos, 2).toInt(); };
    const int yy = num(46);
    const qint64 year = yy >= 50 ? 1900 + yy : 2000 + yy;
    return (((year * 100 + num(43)) * 100 + num(40)) * 100 + num(49)) * 100 + num(52);
}

inline QByteArrayList appended(QByteArrayList lines, const QByteArray &line)
{
    lines << line;
    return lines;
}

inline QByteArrayList insertedByDate(QByteArrayList lines, const QByteArray &line)
{
    const qint64 key = when(line);
    qsizetype at = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (when(lines.at(i)) >= key) {
            at = i;
            break;
        }
    }
    lines.insert(at, line);
    return lines;
}

inline QByteArrayList replaced(QByteArrayList lines, const QByteArray &newLine,
                               const QByteArray &oldLine)
{
    bool found = false;
    for (QByteArray &l : lines) {
        if (l == oldLine) {
            l = newLine;
            found = true;
        }
    }
    if (!found)
        lines << newLine;
    return lines;
}

inline QByteArrayList removed(QByteArrayList lines, const QByteArray &line)
{
    lines.removeAll(line);
    return lines;
}

// First-name store: every entry with the same first 12 characters gives way
// to the new one; a new callsign goes at the end.
inline QByteArrayList storedName(QByteArrayList lines, const QByteArray &entry)
{
    const QByteArray key = entry.left(12);
    bool found = false;
    for (QByteArray &l : lines) {
        if (l.left(12) == key) {
            l = entry;
            found = true;
        }
    }
    if (!found)
        lines << entry;
    return lines;
}

} // namespace vqx::crash
