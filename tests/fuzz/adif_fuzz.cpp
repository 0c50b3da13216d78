// Arbitrary bytes as log lines through ADIF_SP and the export's content.
#include "fuzz_support.h"

#include "adif/adif_export.h"
#include "adif/adif_record.h"
#include "logstore/codepage.h"

using namespace vqx;

namespace {

// Reads a record back by its lengths: twelve fields in their order, one
// blank between them, "<eor>" right after the last and nothing more.
bool readsBack(const QString &record)
{
    static const char *const tags[12] = {"CALL",     "STATE",    "NAME",     "SIG",
                                         "QSO_DATE", "TIME_ON",  "MODE",     "BAND",
                                         "RST_RCVD", "RST_SENT", "SIG_INFO", "QSL_RCVD"};
    qsizetype at = 0;
    for (int i = 0; i < 12; ++i) {
        if (i && record.mid(at++, 1) != u" ")
            return false;
        const QString open = QLatin1Char('<') + QLatin1String(tags[i]) + QLatin1Char(':');
        if (record.mid(at, open.size()) != open)
            return false;
        at += open.size();
        const qsizetype close = record.indexOf(QLatin1Char('>'), at);
        if (close < 0)
            return false;
        bool ok = false;
        const int length = record.mid(at, close - at).toInt(&ok);
        if (!ok || length < 0 || QString::number(length) != record.mid(at, close - at))
            return false;
        at = close + 1 + length;
        if (at > record.size())
            return false;
    }
    return record.mid(at) == u"<eor>";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QStringList lines = codepage::splitLines(codepage::decode(bytes)).lines;

    int nonBlank = 0;
    QByteArray encoded;
    for (const QString &line : lines) {
        const QString record = ADIF_SP(line);
        FUZZ_CHECK(readsBack(record));
        // The export's byte path writes the same record as ADIF_SP.
        codepage::encode(line, &encoded);
        QByteArray viaBytes;
        appendAdifRecord(viaBytes, encoded);
        FUZZ_CHECK(viaBytes == codepage::encode(record));
        if (!line.trimmed().isEmpty())
            ++nonBlank;
    }

    int records = -1;
    const QByteArray file = adifFileContent(QStringLiteral("F1ABC/P"), lines, &records);
    FUZZ_CHECK(records == nonBlank);
    FUZZ_CHECK(file.endsWith("\r\n"));
    FUZZ_CHECK(file.count("\r\n") == 6 + records);
    FUZZ_CHECK(file.indexOf('<') == file.indexOf("<eoh>\r\n"));
    // The export reads the bytes of the log without keeping its lines.
    int fromBytes = -1;
    FUZZ_CHECK(adifFileContent(QStringLiteral("F1ABC/P"), bytes, &fromBytes) == file);
    FUZZ_CHECK(fromBytes == records);

    // Text that never came from the code page, as a caller might pass it.
    if (size % 2 == 0) {
        const QString wide(reinterpret_cast<const QChar *>(bytes.constData()), qsizetype(size / 2));
        FUZZ_CHECK(readsBack(ADIF_SP(wide)));
    }
    return 0;
}
