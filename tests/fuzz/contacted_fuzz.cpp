// Arbitrary bytes as a log: the contacted-fountains list and its file.
#include "fuzz_support.h"

#include "contacted/contacted_list.h"
#include "logstore/codepage.h"
#include "logstore/log_operations.h"
#include "logstore/log_record.h"

using namespace vqx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::writeInput(QStringLiteral("FUZZ_VQX.log"), bytes);
    const LoadedLog loaded = Charger_Log(path);
    FUZZ_CHECK(loaded.file.ok());

    QStringList all;
    for (const QString &line : loaded.lines) {
        const QString listed = contactedListLine(line);
        FUZZ_CHECK(listed.size() <= ContactedList::LineLength);
        FUZZ_CHECK(line.size() < QsoLine::Length || listed.size() == ContactedList::LineLength);
        if (!line.trimmed().isEmpty())
            all << listed;
    }

    const QStringList shown = buildContactedList(loaded.lines);
    FUZZ_CHECK(shown.size() <= all.size());
    FUZZ_CHECK(shown.isEmpty() == all.isEmpty());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        FUZZ_CHECK(all.contains(shown.at(i)));
        if (i) {
            FUZZ_CHECK(QString::compare(shown.at(i - 1), shown.at(i), Qt::CaseInsensitive) <= 0);
            FUZZ_CHECK(contactedListKey(shown.at(i - 1)) != contactedListKey(shown.at(i)));
        }
    }
    const QStringList file = contactedListFileLines(
        contactedListTitle(QStringLiteral("F1ABC"), QStringLiteral("05/06/2021")), shown);
    FUZZ_CHECK(file.size() == shown.size() + 6);
    FUZZ_CHECK(codepage::isRepresentable(file.join(QString())));
    return 0;
}
