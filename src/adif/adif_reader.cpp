#include "adif/adif_reader.h"

#include "logstore/codepage.h"

#include <algorithm>

namespace vqx {

namespace {

// Names differ in length far more often than in letters: the length first.
bool isNamed(const AdifField &f, QLatin1String name)
{
    if (f.name.size() != name.size())
        return false;
    const QChar *c = f.name.constData();
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (c[i].unicode() != static_cast<unsigned char>(name.data()[i]))
            return false;
    }
    return true;
}

} // namespace

const QString &AdifRecord::value(QLatin1String name) const
{
    static const QString absent;
    for (const AdifField &f : fields) {
        if (isNamed(f, name))
            return f.value;
    }
    return absent;
}

bool AdifRecord::has(QLatin1String name) const
{
    return std::any_of(fields.cbegin(), fields.cend(),
                       [&](const AdifField &f) { return isNamed(f, name); });
}

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// Lengths beyond this cannot be in a file the program reads whole.
constexpr qsizetype kMaxLength = qsizetype(1) << 40;

struct Tag
{
    qsizetype nameStart = 0; // the name as written, any case
    qsizetype nameSize = 0;
    qsizetype length = -1; // -1 for <eor> and <eoh>
    qsizetype end = 0;     // just after ">"
};

class Reader
{
public:
    Reader(const QByteArray &bytes, bool utf8)
        : m_p(bytes.constData()), m_n(bytes.size()), m_utf8(utf8)
    {
    }

    qsizetype size() const { return m_n; }
    char at(qsizetype i) const { return m_p[i]; }
    const char *data(qsizetype i) const { return m_p + i; }

    qsizetype nextOpen(qsizetype from) const
    {
        while (from < m_n && m_p[from] != '<')
            ++from;
        return from;
    }

    // "<" name [":" length [":" type]] ">"
    bool tag(qsizetype at, Tag *t) const
    {
        qsizetype i = at + 1;
        const qsizetype nameStart = i;
        while (i < m_n && m_p[i] != ':' && m_p[i] != '>') {
            const unsigned char c = static_cast<unsigned char>(m_p[i]);
            if (c <= ' ' || c >= 0x7F || c == '<')
                return false;
            ++i;
        }
        if (i == m_n || i == nameStart)
            return false;
        t->nameStart = nameStart;
        t->nameSize = i - nameStart;
        t->length = -1;
        if (m_p[i] == ':') {
            ++i;
            const qsizetype digits = i;
            qsizetype length = 0;
            while (i < m_n && m_p[i] >= '0' && m_p[i] <= '9') {
                length = qMin(kMaxLength, length * 10 + (m_p[i] - '0'));
                ++i;
            }
            if (i == digits || i == m_n)
                return false;
            t->length = length;
            if (m_p[i] == ':') {
                // The type indicator: the program knows its fields' types.
                ++i;
                while (i < m_n && m_p[i] != '>') {
                    const unsigned char c = static_cast<unsigned char>(m_p[i]);
                    if (c < ' ' || c >= 0x7F || c == '<' || c == ':')
                        return false;
                    ++i;
                }
                if (i == m_n)
                    return false;
            }
            if (m_p[i] != '>')
                return false;
        }
        t->end = i + 1;
        return true;
    }

    // Where a value of `length` starting at `from` ends, -1 when the file is
    // too short for it.
    qsizetype valueEnd(qsizetype from, qsizetype length) const
    {
        const qsizetype bytes = length <= m_n - from ? from + length : -1;
        if (!m_utf8)
            return bytes;
        const qsizetype asBytes = bytes >= 0 && isBoundary(bytes) ? bytes : -1;
        const qsizetype asChars = charactersEnd(from, length);
        if (asBytes == asChars)
            return asBytes;
        if (asBytes >= 0 && followedByTag(asBytes))
            return asBytes;
        if (asChars >= 0 && followedByTag(asChars))
            return asChars;
        return asBytes >= 0 ? asBytes : asChars;
    }

    bool nameIs(const Tag &t, const char *upper, qsizetype size) const
    {
        return t.nameSize == size && qstrnicmp(m_p + t.nameStart, upper, size) == 0;
    }

    QString text(qsizetype from, qsizetype to) const
    {
        if (m_utf8)
            return QString::fromUtf8(m_p + from, to - from);
        QString s;
        codepage::decodeInto(QByteArrayView(m_p + from, to - from), s);
        return s;
    }

private:
    bool isBoundary(qsizetype i) const
    {
        return i == m_n || (static_cast<unsigned char>(m_p[i]) & 0xC0) != 0x80;
    }

    bool followedByTag(qsizetype i) const
    {
        while (i < m_n && isBlank(m_p[i]))
            ++i;
        return i == m_n || m_p[i] == '<';
    }

    // The end of `count` UTF-8 characters from `from` (the file is valid UTF-8).
    qsizetype charactersEnd(qsizetype from, qsizetype count) const
    {
        qsizetype i = from;
        for (qsizetype k = 0; k < count; ++k) {
            if (i >= m_n)
                return -1;
            const unsigned char b = static_cast<unsigned char>(m_p[i]);
            i += b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        }
        return i <= m_n ? i : -1;
    }

    const char *m_p;
    qsizetype m_n;
    bool m_utf8;
};

// A file names the same few fields in every record: each name is made once
// and shared by the records after.
QString internedName(QList<std::pair<QByteArray, QString>> &names, qsizetype *guess,
                     const Reader &r, const Tag &t)
{
    // Records name their fields in the same order: the name after the last
    // one found is tried first.
    for (qsizetype k = 0; k < names.size(); ++k) {
        const qsizetype at = (*guess + k) % names.size();
        const auto &[upper, name] = names.at(at);
        if (r.nameIs(t, upper.constData(), upper.size())) {
            *guess = at + 1;
            return name;
        }
    }
    const QByteArray upper = QByteArray(r.data(t.nameStart), t.nameSize).toUpper();
    // A file of ever new names is read without the cache rather than slowly.
    if (names.size() >= 64)
        return QString::fromLatin1(upper);
    names.append({upper, QString::fromLatin1(upper)});
    return names.constLast().second;
}

qsizetype findEndOfHeader(const QByteArray &bytes, qsizetype from)
{
    static const QByteArray eoh("<eoh>");
    for (qsizetype i = bytes.indexOf('<', from); i >= 0; i = bytes.indexOf('<', i + 1)) {
        if (i + eoh.size() <= bytes.size() &&
            qstrnicmp(bytes.constData() + i, eoh.constData(), eoh.size()) == 0)
            return i;
    }
    return -1;
}

} // namespace

AdifStream::AdifStream(const QByteArray &bytes) : m_bytes(bytes), m_utf8(bytes.isValidUtf8())
{
    const Reader r(bytes, m_utf8);
    qsizetype i = m_utf8 && bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    // A file that starts with "<" has no header.
    if (i < r.size() && r.at(i) != '<') {
        const qsizetype eoh = findEndOfHeader(bytes, i);
        if (eoh < 0) {
            // No header end: whatever stands before the first tag is text.
            i = r.nextOpen(i);
        } else {
            // Fields of the header among its free text; a "<" that opens no
            // field is text too.
            for (qsizetype h = r.nextOpen(i); h < eoh; h = r.nextOpen(h)) {
                Tag t;
                if (r.tag(h, &t) && t.length >= 0 && t.end <= eoh) {
                    const qsizetype end = r.valueEnd(t.end, t.length);
                    if (end >= 0 && end <= eoh) {
                        m_header.append(
                            {internedName(m_names, &m_nameGuess, r, t), r.text(t.end, end)});
                        h = end;
                        continue;
                    }
                }
                ++h;
            }
            i = eoh + 5;
        }
    }
    m_at = i;
}

void AdifStream::fail(AdifReadError error, qsizetype at)
{
    m_error = error;
    m_errorOffset = at;
    m_errorRecord = m_records + 1;
    m_done = true;
}

bool AdifStream::next(AdifRecord *record)
{
    const Reader r(m_bytes, m_utf8);
    AdifRecord current;
    current.fields.reserve(m_lastFieldCount);
    qsizetype i = m_at;
    while (!m_done) {
        i = r.nextOpen(i);
        if (i == r.size()) {
            m_done = true;
            if (!current.fields.isEmpty())
                fail(AdifReadError::MissingEor, i);
            break;
        }
        Tag t;
        if (!r.tag(i, &t)) {
            fail(AdifReadError::BadTag, i);
            break;
        }
        if (t.length < 0) {
            if (r.nameIs(t, "EOR", 3)) {
                i = t.end;
                if (!current.fields.isEmpty()) {
                    m_at = i;
                    ++m_records;
                    m_lastFieldCount = current.fields.size();
                    *record = std::move(current);
                    return true;
                }
            } else if (!r.nameIs(t, "EOH", 3)) {
                fail(AdifReadError::BadTag, i);
                break;
            } else {
                i = t.end;
            }
            continue;
        }
        const qsizetype end = r.valueEnd(t.end, t.length);
        if (end < 0) {
            fail(AdifReadError::TruncatedValue, t.end);
            break;
        }
        if (current.fields.isEmpty())
            current.offset = i;
        current.fields.append({internedName(m_names, &m_nameGuess, r, t), r.text(t.end, end)});
        i = end;
    }
    m_at = i;
    return false;
}

AdifFile readAdif(const QByteArray &bytes)
{
    AdifFile file;
    AdifStream stream(bytes);
    file.encoding = stream.encoding();
    file.header = stream.header();
    AdifRecord record;
    while (stream.next(&record))
        file.records.append(std::move(record));
    file.error = stream.error();
    file.errorOffset = stream.errorOffset();
    file.errorRecord = stream.errorRecord();
    return file;
}

} // namespace vqx
