#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace vqx {

// The three ways of finding a contact in the main list.
enum class SearchKind
{
    Indicatif = 1,  // part of the callsign
    Reference = 2,  // the whole fountain reference
    Departement = 3 // the two characters of the department
};

// The key of a list line for a kind of search: the callsign and the
// reference without their surrounding blanks, the department as it stands.
QString searchKey(SearchKind kind, const QString &listLine);

// The text searched for, from the entry field: leading line breaks removed;
// callsign and reference in upper case, the department as typed.
QString searchText(SearchKind kind, const QString &fieldText);

// Case-sensitive test of one list line against a prepared search text.
bool matchesSearch(SearchKind kind, const QString &listLine, const QString &text);

struct SearchResult
{
    enum class Status
    {
        Found,
        NothingFound, // "Pas de QSO trouvé"
        MissingText   // the selected field is empty (only with a non-empty list)
    };
    Status status = Status::NothingFound;
    QStringList lines; // matching list lines, unchanged, in list order
};

using ListLineAt = std::function<QString(int row)>;

// Searches the lines of the main list as displayed.
SearchResult Rechercher_Qso(SearchKind kind, const QString &fieldText, int lineCount,
                            const ListLineAt &lineAt);

} // namespace vqx
