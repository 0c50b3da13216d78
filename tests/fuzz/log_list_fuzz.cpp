// Arbitrary bytes as a log: loading it and building the main list's lines.
#include "fuzz_support.h"

#include "logstore/codepage.h"
#include "logstore/log_list_model.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"

using namespace vqx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::writeInput(QStringLiteral("FUZZ_VQX.log"), bytes);

    const LoadedLog loaded = Charger_Log(path);
    FUZZ_CHECK(loaded.file.ok());
    // Loading never writes, and no byte is lost in the decoding.
    FUZZ_CHECK(fuzz::readBack(path) == bytes);
    FUZZ_CHECK(codepage::encode(codepage::decode(bytes)) == bytes);
    // Text that is not text is noticed, wherever it stands.
    bool control = false;
    for (const QString &line : loaded.lines) {
        for (const QChar c : line)
            control = control || c.unicode() < 0x20 || c.unicode() == 0x7F ||
                      (c.unicode() >= 0x80 && c.unicode() <= 0x9F);
    }
    FUZZ_CHECK(loaded.irregular.nonTextBytes == control);
    // The raw lines are the same lines, byte for byte.
    const QList<QByteArrayView> raw = codepage::splitRawLines(bytes);
    FUZZ_CHECK(raw.size() == loaded.lines.size());
    QString decoded;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        codepage::decodeInto(raw.at(i), decoded);
        FUZZ_CHECK(decoded == loaded.lines.at(i));
    }
    // A log found regular is exactly what the writer would write.
    if (!loaded.irregular.any()) {
        const QByteArray rewritten = codepage::encodeLines(loaded.lines);
        FUZZ_CHECK(rewritten == bytes || rewritten == bytes + "\r\n");
    }

    LogListModel model;
    model.setLines(loaded.lines);
    FUZZ_CHECK(model.rowCount() == loaded.lines.size());
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString list = model.data(model.index(row)).toString();
        FUZZ_CHECK(list.size() == QsoListLine::Length);
        FUZZ_CHECK(QsoListLine::Numero.cut(list).trimmed().toInt() == row + 1);
        // The list gives back a line of the file's layout which finds the line
        // it came from, and is that very line when the line is regular.
        const QString back = qsoLineFromListLine(list);
        FUZZ_CHECK(back.size() == QsoLine::Length);
        const QString &line = loaded.lines.at(row);
        FUZZ_CHECK(sameContact(line, back));
        const QString padded = line.leftJustified(QsoLine::Length, u' ', true);
        bool layout = QsoLine::Ref.cut(padded) ==
                      QsoLine::Ref.cutTrimmed(padded).leftJustified(QsoLine::Ref.width, u' ');
        for (int i = 0; i + 1 < 12; ++i) {
            const Column &c = QsoLine::All[i];
            layout = layout && padded.at(c.start - 1 + c.width) == u' ';
        }
        if (layout)
            FUZZ_CHECK(back == padded);
    }
    FUZZ_CHECK(model.listLine(model.rowCount()).isEmpty());
    return 0;
}
