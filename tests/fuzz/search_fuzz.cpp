// Arbitrary bytes as a search: the first line is the text of the entry
// field, the rest the log shown in the main list.
#include "fuzz_support.h"

#include "logstore/codepage.h"
#include "logstore/log_list_model.h"
#include "search/search_matching.h"

using namespace vqx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const qsizetype lf = bytes.indexOf('\n');
    const QString field = codepage::decode(lf < 0 ? bytes : bytes.left(lf));
    const QByteArray log = lf < 0 ? QByteArray() : bytes.mid(lf + 1);
    LogListModel model;
    model.setLines(codepage::splitLines(codepage::decode(log)).lines);
    const auto lineAt = [&](int row) { return model.listLine(row); };

    for (const SearchKind kind :
         {SearchKind::Indicatif, SearchKind::Reference, SearchKind::Departement}) {
        const SearchResult r = Rechercher_Qso(kind, field, model.rowCount(), lineAt);
        const QString text = searchText(kind, field);
        if (r.status == SearchResult::Status::MissingText) {
            FUZZ_CHECK(text.isEmpty() && model.rowCount() > 0 && r.lines.isEmpty());
            continue;
        }
        // Every matching line, in list order, and nothing else.
        QStringList expected;
        for (int row = 0; row < model.rowCount(); ++row) {
            if (matchesSearch(kind, lineAt(row), text))
                expected << lineAt(row);
        }
        FUZZ_CHECK(r.lines == expected);
        FUZZ_CHECK((r.status == SearchResult::Status::Found) == !expected.isEmpty());
    }
    return 0;
}
