#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <algorithm>

namespace vqx {

// One column of a fixed-layout line: 1-based start and width, as the
// operator's files count them.
struct Column
{
    int start;
    int width;
    // Characters from start, width long; a shorter line gives a shorter or
    // empty value, never an error.
    QString cut(const QString &line) const { return line.mid(start - 1, width); }
    QString cutTrimmed(const QString &line) const { return cut(line).trimmed(); }
    // The same characters without a copy.
    QStringView view(const QString &line) const { return QStringView(line).mid(start - 1, width); }
};

// Builds a line from blanks and columns cut from a file line, in one
// allocation; a short source line gives a shorter result.
class CutLine
{
public:
    CutLine(const QString &source, int length)
        : m_source(source), m_out(length, Qt::Uninitialized), m_begin(m_out.data()), m_at(m_begin),
          m_end(m_begin + length)
    {
    }
    CutLine &blanks(int n)
    {
        Q_ASSERT(m_at + n <= m_end);
        m_at = std::fill_n(m_at, n, QLatin1Char(' '));
        return *this;
    }
    CutLine &put(const Column &c)
    {
        const QStringView v = c.view(m_source);
        Q_ASSERT(m_at + v.size() <= m_end);
        m_at = std::copy(v.begin(), v.end(), m_at);
        return *this;
    }
    QString take()
    {
        m_out.truncate(m_at - m_begin);
        return std::move(m_out);
    }

private:
    const QString &m_source;
    QString m_out;
    QChar *m_begin;
    QChar *m_at;
    QChar *m_end;
};

// QsoLine: one contact, one 107-character line of the log file.
namespace QsoLine {
inline constexpr int Length = 107;
inline constexpr Column Indicatif{1, 12};
inline constexpr Column Dpt{14, 2};
inline constexpr Column Prenom{17, 15};
inline constexpr Column Ref{33, 7};
inline constexpr Column Date{41, 8};
inline constexpr Column Heure{50, 5};
inline constexpr Column Mode{56, 3};
inline constexpr Column QRG{60, 7};
inline constexpr Column RstR{68, 3};
inline constexpr Column RstE{72, 3};
inline constexpr Column NomFontaine{76, 30};
inline constexpr Column QSL{107, 1};
// The twelve columns in file order.
inline constexpr Column All[12] = {Indicatif, Dpt, Prenom, Ref,  Date,        Heure,
                                   Mode,      QRG, RstR,   RstE, NomFontaine, QSL};
} // namespace QsoLine

// QsoListLine: the display form in the main list, led by the line number.
namespace QsoListLine {
inline constexpr int Length = 126;
inline constexpr Column Numero{1, 6};
inline constexpr Column Indicatif{9, 12};
inline constexpr Column Dpt{23, 2};
inline constexpr Column Prenom{27, 15};
inline constexpr Column Ref{44, 7};
inline constexpr Column Date{53, 8};
inline constexpr Column Heure{63, 5};
inline constexpr Column Mode{70, 3};
inline constexpr Column QRG{75, 7};
inline constexpr Column RstR{84, 3};
inline constexpr Column RstE{89, 3};
inline constexpr Column NomFontaine{94, 30};
inline constexpr Column QSL{126, 1};
inline constexpr Column All[12] = {Indicatif, Dpt, Prenom, Ref,  Date,        Heure,
                                   Mode,      QRG, RstR,   RstE, NomFontaine, QSL};
} // namespace QsoListLine

// The twelve values of one contact, as the entry fields hold them.
struct QsoFields
{
    QString indicatif;
    QString dpt;
    QString prenom;
    QString ref;
    QString date;
    QString heure;
    QString mode;
    QString qrg;
    QString rstR;
    QString rstE;
    QString nomFontaine;
    bool qsl = false;
};

// Builds the 107-character QsoLine: each value left-aligned and blank-filled
// to its width, date and time as given, the fountain name trimmed, upper
// case and cut to 30. A value that does not fit its column (longer than its
// width, a date not of 8 or a time not of 5 characters) or that holds a
// control character gives "": a malformed line is never built.
QString buildQsoLine(const QsoFields &f);

// A line the log operations may write: 107 characters, none of them a
// control character (a line break inside would split the contact).
bool isWellFormedQsoLine(const QString &line);

// The fountain name as it is written: trimmed, cut to 30 characters.
QString fountainNameForLine(const QString &typed);

// Right-aligned line number for the list: six characters, so logs beyond
// 99,999 lines keep their numbers and their order.
QString formatNumero(int n);

// Builds the 126-character list line of a file line with its number.
QString buildQsoListLine(const QString &qsoLine, int numero);

// Turns a list line back into its file line: the twelve fields joined by
// one blank.
QString qsoLineFromListLine(const QString &listLine);

// The log of a station: "<callsign>_VQX.log" in the data folder.
QString logFileName(const QString &indicatifStation);
QString logFilePath(const QString &dataDir, const QString &indicatifStation);

} // namespace vqx
