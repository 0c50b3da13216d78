#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

namespace vqx {

// A text file of the program (the log, the first-name directory) held as its
// Windows-1252 bytes with the offset of every line: one byte per character,
// a line decoded only when it is asked for. Lines are split as
// codepage::decodeLines splits them (CR LF or a lone LF; a last line without
// its end still counts). Copies share the bytes.
class LineBuffer
{
public:
    LineBuffer() = default;
    explicit LineBuffer(QByteArray bytes);
    // Lines encoded in the code page, each ended by CR LF.
    static LineBuffer fromLines(const QStringList &lines);

    qsizetype size() const { return m_starts.empty() ? 0 : qsizetype(m_starts.size()) - 1; }
    bool isEmpty() const { return size() == 0; }

    // A line without its line end, as bytes or decoded.
    QByteArrayView raw(qsizetype i) const;
    QString line(qsizetype i) const;
    QStringList lines() const;

    // The bytes as read; the same as written() when every line ends in CR LF.
    const QByteArray &bytes() const { return m_bytes; }
    // Lines [from, to) as a rewrite writes them, each followed by CR LF.
    void appendTo(QByteArray &out, qsizetype from, qsizetype to) const;
    QByteArray written() const;

    bool bareLineFeeds() const { return m_bareLineFeeds; }
    bool missingFinalEnd() const { return m_missingFinalEnd; }
    // Some line holds a control character once decoded (C0, DEL, or one of
    // the five bytes the code page leaves undefined).
    bool controlCharacters() const { return m_controlCharacters; }

private:
    QByteArray m_bytes;
    std::vector<qsizetype> m_starts; // every line's first byte, then the end
    bool m_bareLineFeeds = false;
    bool m_missingFinalEnd = false;
    bool m_controlCharacters = false;
};

} // namespace vqx
