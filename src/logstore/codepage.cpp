#include "logstore/codepage.h"

#include <cstring>

namespace vqx::codepage {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. The five bytes the
// code page leaves undefined map to the control characters of the same
// value, so any byte sequence survives a decode and re-encode unchanged.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int encodeChar(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return 0x80 + i;
    }
    return -1;
}

// Only the 0x80-0x9F range needs a second look after Latin-1.
void fixHighRange(QString &s)
{
    QChar *d = s.data();
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = d[i].unicode();
        if (u >= 0x80 && u <= 0x9F)
            d[i] = QChar(kHigh[u - 0x80]);
    }
}

// Whether some byte is below 0x20 or is DEL, and whether some byte has its
// high bit set; eight bytes at a time (a decoded log is mostly read here).
void classify(const char *p, qsizetype n, bool *control, bool *high)
{
    constexpr quint64 ones = 0x0101010101010101ULL;
    constexpr quint64 tops = 0x8080808080808080ULL;
    quint64 low = 0;
    quint64 top = 0;
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 w;
        std::memcpy(&w, p + i, 8);
        top |= w;
        // Exact as a whole: some byte below 0x20, some byte equal to 0x7F.
        low |= (w - ones * 0x20) & ~w;
        const quint64 del = w ^ (ones * 0x7F);
        low |= (del - ones) & ~del;
    }
    bool c = (low & tops) != 0;
    bool h = (top & tops) != 0;
    for (; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(p[i]);
        c = c || b < 0x20 || b == 0x7F;
        h = h || b >= 0x80;
    }
    *control = c;
    *high = h;
}

// One line of bytes; notes whether it holds a control character once decoded.
QString decodeLine(const char *p, qsizetype n, bool *control, bool *anyHigh)
{
    bool low = false;
    bool high = false;
    classify(p, n, &low, &high);
    QString s = QString::fromLatin1(p, n);
    if (low)
        *control = true;
    if (high) {
        *anyHigh = true;
        fixHighRange(s);
        // The five bytes the code page leaves undefined stay control characters.
        for (QChar c : std::as_const(s)) {
            if (c.unicode() >= 0x80 && c.unicode() <= 0x9F)
                *control = true;
        }
    }
    return s;
}

} // namespace

QString decode(const QByteArray &bytes)
{
    QString s = QString::fromLatin1(bytes);
    fixHighRange(s);
    return s;
}

bool encode(const QString &text, QByteArray *out)
{
    const qsizetype n = text.size();
    out->resize(n);
    char *o = out->data();
    const QChar *in = text.constData();
    bool ok = true;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = in[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            o[i] = char(u);
            continue;
        }
        const int b = encodeChar(u);
        if (b < 0) {
            ok = false;
            o[i] = '?';
        } else {
            o[i] = char(b);
        }
    }
    return ok;
}

QByteArray encode(const QString &text)
{
    QByteArray out;
    encode(text, &out);
    return out;
}

bool isRepresentable(QChar c)
{
    return encodeChar(c.unicode()) >= 0;
}

bool isRepresentable(const QString &text)
{
    for (QChar c : text) {
        if (!isRepresentable(c))
            return false;
    }
    return true;
}

namespace {

// The single-character form of a case change, or the character itself.
QChar changedCase(QChar c, bool toUpper)
{
    const QString one(c);
    const QString changed = toUpper ? one.toUpper() : one.toLower();
    return changed.size() == 1 && isRepresentable(changed.at(0)) ? changed.at(0) : c;
}

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

} // namespace

QChar upper(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'a' && u <= u'z' ? QChar(char16_t(u - 32)) : c;
    return changedCase(c, true);
}

// Text already in the asked case is shared, not copied.
template <QChar (*Change)(QChar)> QString changed(const QString &text)
{
    const QChar *in = text.constData();
    qsizetype i = 0;
    while (i < text.size() && Change(in[i]) == in[i])
        ++i;
    if (i == text.size())
        return text;
    QString out = text;
    QChar *o = out.data();
    for (; i < out.size(); ++i)
        o[i] = Change(o[i]);
    return out;
}

QString upper(const QString &text)
{
    return changed<upper>(text);
}

QChar lower(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'A' && u <= u'Z' ? QChar(char16_t(u + 32)) : c;
    return changedCase(c, false);
}

QString lower(const QString &text)
{
    return changed<lower>(text);
}

QString storable(const QString &text)
{
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QString kept;
    kept.reserve(composed.size());
    for (QChar c : composed) {
        if (isRepresentable(c) && !isControl(c))
            kept += c;
    }
    return kept;
}

QByteArray encodeLines(const QStringList &lines)
{
    qsizetype total = 0;
    for (const QString &l : lines)
        total += l.size() + 2;
    // Written in place: one byte per character, then CR LF.
    QByteArray out(total, Qt::Uninitialized);
    char *o = out.data();
    for (const QString &l : lines) {
        const QChar *in = l.constData();
        const qsizetype n = l.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t u = in[i].unicode();
            if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
                o[i] = char(u);
            } else {
                const int b = encodeChar(u);
                o[i] = b < 0 ? '?' : char(b);
            }
        }
        o += n;
        *o++ = '\r';
        *o++ = '\n';
    }
    return out;
}

SplitResult splitLines(const QString &text)
{
    SplitResult r;
    const qsizetype n = text.size();
    qsizetype start = 0;
    while (start < n) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        if (lf < 0) {
            r.lines.append(text.mid(start));
            r.missingFinalEnd = true;
            break;
        }
        qsizetype end = lf;
        if (end > start && text.at(end - 1) == QLatin1Char('\r'))
            --end;
        else
            r.bareLineFeeds = true;
        r.lines.append(text.mid(start, end - start));
        start = lf + 1;
    }
    return r;
}

QList<QByteArrayView> splitRawLines(const QByteArray &bytes)
{
    QList<QByteArrayView> lines;
    const char *p = bytes.constData();
    const qsizetype n = bytes.size();
    lines.reserve(n / 109 + 1);
    qsizetype start = 0;
    while (start < n) {
        const void *found = std::memchr(p + start, '\n', size_t(n - start));
        if (!found) {
            lines.append(QByteArrayView(p + start, n - start));
            break;
        }
        const qsizetype lf = static_cast<const char *>(found) - p;
        qsizetype end = lf;
        if (end > start && p[end - 1] == '\r')
            --end;
        lines.append(QByteArrayView(p + start, end - start));
        start = lf + 1;
    }
    return lines;
}

bool hasControlCharacters(QByteArrayView bytes)
{
    bool low = false;
    bool high = false;
    classify(bytes.data(), bytes.size(), &low, &high);
    if (low)
        return true;
    if (high) {
        for (char b : bytes) {
            const unsigned char u = static_cast<unsigned char>(b);
            // The five bytes without a character decode to themselves.
            if (u >= 0x80 && u <= 0x9F && kHigh[u - 0x80] == u)
                return true;
        }
    }
    return false;
}

QByteArrayView trimmed(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && isBlank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isBlank(bytes.back()))
        bytes.chop(1);
    return bytes;
}

QByteArrayView trimmedColumn(QByteArrayView line, qsizetype start, qsizetype width)
{
    const qsizetype from = qMin(start, line.size());
    return trimmed(line.sliced(from, qMin(width, line.size() - from)));
}

void decodeInto(QByteArrayView bytes, QString &out)
{
    out.resize(bytes.size());
    QChar *o = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        o[i] = b >= 0x80 && b <= 0x9F ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b));
    }
}

LineKind lineKind(QByteArrayView line)
{
    LineKind k;
    const qsizetype n = line.size();
    bool high = false;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(line[i]);
        high = high || b >= 0x80;
        if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D)
            k.control = true;
    }
    if (!high)
        return k;
    // Every byte beyond ASCII belongs to a well-formed UTF-8 sequence.
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char b = static_cast<unsigned char>(line[i]);
        if (b < 0x80)
            continue;
        const int follow = b >= 0xC2 && b <= 0xDF   ? 1
                           : b >= 0xE0 && b <= 0xEF ? 2
                           : b >= 0xF0 && b <= 0xF4 ? 3
                                                    : -1;
        if (follow < 0 || i + follow >= n)
            return k;
        for (int j = 1; j <= follow; ++j) {
            if ((static_cast<unsigned char>(line[i + j]) & 0xC0) != 0x80)
                return k;
        }
        i += follow;
    }
    k.utf8 = true;
    return k;
}

SplitResult decodeLines(const QByteArray &bytes)
{
    SplitResult r;
    const char *p = bytes.constData();
    const qsizetype n = bytes.size();
    // Most logs: 107 characters and CR LF a line.
    r.lines.reserve(n / 109 + 1);
    qsizetype start = 0;
    while (start < n) {
        const void *found = std::memchr(p + start, '\n', size_t(n - start));
        if (!found) {
            r.lines.append(decodeLine(p + start, n - start, &r.controlCharacters, &r.highBytes));
            r.missingFinalEnd = true;
            break;
        }
        const qsizetype lf = static_cast<const char *>(found) - p;
        qsizetype end = lf;
        if (end > start && p[end - 1] == '\r')
            --end;
        else
            r.bareLineFeeds = true;
        r.lines.append(decodeLine(p + start, end - start, &r.controlCharacters, &r.highBytes));
        start = lf + 1;
    }
    return r;
}

} // namespace vqx::codepage
