#include "logstore/line_buffer.h"

#include "logstore/codepage.h"

#include <cstring>

namespace vqx {

LineBuffer::LineBuffer(QByteArray bytes) : m_bytes(std::move(bytes))
{
    const char *p = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    // Most files: 107 characters and CR LF a line.
    m_starts.reserve(size_t(n / 109 + 2));
    qsizetype start = 0;
    while (start < n) {
        m_starts.push_back(start);
        const void *found = std::memchr(p + start, '\n', size_t(n - start));
        qsizetype end = n;
        qsizetype next = n;
        if (found) {
            end = static_cast<const char *>(found) - p;
            next = end + 1;
            if (end > start && p[end - 1] == '\r')
                --end;
            else
                m_bareLineFeeds = true;
        } else {
            m_missingFinalEnd = true;
        }
        if (!m_controlCharacters)
            m_controlCharacters =
                codepage::hasControlCharacters(QByteArrayView(p + start, end - start));
        start = next;
    }
    m_starts.push_back(n);
}

LineBuffer LineBuffer::fromLines(const QStringList &lines)
{
    return LineBuffer(codepage::encodeLines(lines));
}

QByteArrayView LineBuffer::raw(qsizetype i) const
{
    const qsizetype start = m_starts[size_t(i)];
    qsizetype end = m_starts[size_t(i) + 1];
    const char *p = m_bytes.constData();
    if (end > start && p[end - 1] == '\n') {
        --end;
        if (end > start && p[end - 1] == '\r')
            --end;
    }
    return QByteArrayView(p + start, end - start);
}

QString LineBuffer::line(qsizetype i) const
{
    QString s;
    codepage::decodeInto(raw(i), s);
    return s;
}

QStringList LineBuffer::lines() const
{
    QStringList out;
    out.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        out.append(line(i));
    return out;
}

void LineBuffer::appendTo(QByteArray &out, qsizetype from, qsizetype to) const
{
    if (from >= to)
        return;
    if (!m_bareLineFeeds && !m_missingFinalEnd) {
        // Every line already ends in CR LF: one copy.
        out.append(m_bytes.constData() + m_starts[size_t(from)],
                   m_starts[size_t(to)] - m_starts[size_t(from)]);
        return;
    }
    for (qsizetype i = from; i < to; ++i) {
        out.append(raw(i));
        out.append("\r\n", 2);
    }
}

QByteArray LineBuffer::written() const
{
    if (!m_bareLineFeeds && !m_missingFinalEnd)
        return m_bytes;
    QByteArray out;
    out.reserve(m_bytes.size() + size() + 2);
    appendTo(out, 0, size());
    return out;
}

} // namespace vqx
