#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <utility>

namespace vqx {

// One field of an ADIF file: its name in upper case and its value.
struct AdifField
{
    QString name;
    QString value;
};

struct AdifRecord
{
    QList<AdifField> fields;
    qsizetype offset = 0; // byte offset of its first field in the file

    // The value of the first field of that name (upper case), "" when absent.
    const QString &value(QLatin1String name) const;
    bool has(QLatin1String name) const;
};

enum class AdifEncoding
{
    Utf8,
    Windows1252
};

enum class AdifReadError
{
    None,
    BadTag,         // a "<" that does not open a field, "<eor>" or "<eoh>"
    TruncatedValue, // a value longer than what is left of the file
    MissingEor      // the file ends inside a record
};

struct AdifFile
{
    AdifEncoding encoding = AdifEncoding::Utf8;
    QList<AdifField> header; // the header's fields, if any
    QList<AdifRecord> records;
    AdifReadError error = AdifReadError::None;
    qsizetype errorOffset = 0; // byte offset where reading stopped
    int errorRecord = 0;       // 1-based number of the record being read
    bool ok() const { return error == AdifReadError::None; }
};

class AdifStream;

// Reads ADIF tagged text (ADI): an optional header ended by <eoh>, then
// records ended by <eor>; names are case-blind. The text is UTF-8 when its
// bytes are valid UTF-8, Windows-1252 otherwise. In UTF-8 a length may
// count bytes or characters, depending on the program that wrote it: where
// the two readings differ, the one followed by the next tag (or the end)
// is taken. A file that ends inside a record or holds a broken tag is an
// error; the records read so far are kept for the message only.
AdifFile readAdif(const QByteArray &bytes);

// The same reading, one record at a time, for files too large to hold as
// records: only the record being read is kept. `bytes` must outlive it.
class AdifStream
{
public:
    explicit AdifStream(const QByteArray &bytes);

    AdifEncoding encoding() const
    {
        return m_utf8 ? AdifEncoding::Utf8 : AdifEncoding::Windows1252;
    }
    const QList<AdifField> &header() const { return m_header; }

    // The next record; false at the end of the file or at an error.
    bool next(AdifRecord *record);
    int recordsRead() const { return m_records; }
    // How far the reading got, in bytes, out of size().
    qsizetype position() const { return m_at; }
    qsizetype size() const { return m_bytes.size(); }

    AdifReadError error() const { return m_error; }
    qsizetype errorOffset() const { return m_errorOffset; }
    int errorRecord() const { return m_errorRecord; }

private:
    void fail(AdifReadError error, qsizetype at);

    const QByteArray &m_bytes;
    bool m_utf8 = true;
    QList<AdifField> m_header;
    QList<std::pair<QByteArray, QString>> m_names; // field names met, upper case
    qsizetype m_nameGuess = 0;
    qsizetype m_at = 0;
    bool m_done = false;
    int m_records = 0;
    qsizetype m_lastFieldCount = 0;
    AdifReadError m_error = AdifReadError::None;
    qsizetype m_errorOffset = 0;
    int m_errorRecord = 0;
};

} // namespace vqx
