#include "reports/search_matching.h"

#include "logstore/codepage.h"
#include "logstore/log_record.h"

namespace vqx {

QString searchKey(SearchKind kind, const QString &listLine)
{
    switch (kind) {
    case SearchKind::Indicatif:
        return QsoListLine::Indicatif.cutTrimmed(listLine);
    case SearchKind::Reference:
        return QsoListLine::Ref.cutTrimmed(listLine);
    case SearchKind::Departement:
        return QsoListLine::Dpt.cut(listLine);
    }
    return {};
}

QString searchText(SearchKind kind, const QString &fieldText)
{
    qsizetype start = 0;
    while (start < fieldText.size() &&
           (fieldText.at(start) == QLatin1Char('\r') || fieldText.at(start) == QLatin1Char('\n')))
        ++start;
    const QString text = fieldText.mid(start);
    return kind == SearchKind::Departement ? text : codepage::upper(text);
}

bool matchesSearch(SearchKind kind, const QString &listLine, const QString &text)
{
    // The key as a view: a search reads every line of the list.
    const QStringView line(listLine);
    const auto cut = [&](const Column &c) { return line.mid(c.start - 1, c.width); };
    switch (kind) {
    case SearchKind::Indicatif:
        return cut(QsoListLine::Indicatif).trimmed().contains(text, Qt::CaseSensitive);
    case SearchKind::Reference:
        return cut(QsoListLine::Ref).trimmed() == text;
    case SearchKind::Departement:
        return cut(QsoListLine::Dpt) == text;
    }
    return false;
}

SearchResult Rechercher_Qso(SearchKind kind, const QString &fieldText, int lineCount,
                            const ListLineAt &lineAt)
{
    SearchResult r;
    if (lineCount > 0) {
        const QString text = searchText(kind, fieldText);
        if (text.isEmpty()) {
            r.status = SearchResult::Status::MissingText;
            return r;
        }
        for (int row = 0; row < lineCount; ++row) {
            const QString line = lineAt(row);
            if (matchesSearch(kind, line, text))
                r.lines.append(line);
        }
    }
    r.status = r.lines.isEmpty() ? SearchResult::Status::NothingFound : SearchResult::Status::Found;
    return r;
}

} // namespace vqx
