#include "logstore/codepage.h"

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

} // namespace

QString decode(const QByteArray &bytes)
{
    QString s = QString::fromLatin1(bytes);
    // Only the 0x80-0x9F range needs a second look.
    QChar *d = s.data();
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = d[i].unicode();
        if (u >= 0x80 && u <= 0x9F)
            d[i] = QChar(kHigh[u - 0x80]);
    }
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

QByteArray encodeLines(const QStringList &lines)
{
    qsizetype total = 0;
    for (const QString &l : lines)
        total += l.size() + 2;
    QByteArray out;
    out.reserve(total);
    QByteArray one;
    for (const QString &l : lines) {
        encode(l, &one);
        out += one;
        out += "\r\n";
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

} // namespace vqx::codepage
