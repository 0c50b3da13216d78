#include "reports/contacted_list.h"

#include "logstore/codepage.h"
#include "logstore/log_record.h"
#include "platform/clock.h"

#include <QDir>

#include <algorithm>

namespace vqx {

namespace {
// A column without copying it; a short line gives a short or empty view.
QStringView view(const Column &c, const QString &line)
{
    return QStringView(line).mid(c.start - 1, c.width);
}
} // namespace

QString contactedListLine(const QString &qsoLine)
{
    const QLatin1String two("  ");
    const QLatin1Char one(' ');
    QString out;
    out.reserve(ContactedList::LineLength);
    out += QLatin1String("      ");
    out += view(QsoLine::Ref, qsoLine);
    out += one;
    out += view(QsoLine::Indicatif, qsoLine);
    out += two;
    out += view(QsoLine::Dpt, qsoLine);
    out += one;
    out += view(QsoLine::Prenom, qsoLine);
    out += one;
    out += view(QsoLine::Date, qsoLine);
    out += two;
    out += view(QsoLine::Heure, qsoLine);
    out += two;
    out += view(QsoLine::Mode, qsoLine);
    out += two;
    out += view(QsoLine::QRG, qsoLine);
    out += two;
    out += view(QsoLine::RstR, qsoLine);
    out += two;
    out += view(QsoLine::RstE, qsoLine);
    out += two;
    out += view(QsoLine::NomFontaine, qsoLine);
    out += two;
    out += view(QsoLine::QSL, qsoLine);
    return out;
}

QString contactedListKey(const QString &contactedLine)
{
    return contactedLine.mid(ContactedList::KeyStart - 1, ContactedList::KeyLength);
}

void sortContactedLines(QStringList &lines)
{
    std::stable_sort(lines.begin(), lines.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

QStringList buildContactedList(const QStringList &logLines)
{
    QStringList all;
    all.reserve(logLines.size());
    for (const QString &l : logLines) {
        if (!l.trimmed().isEmpty())
            all.append(contactedListLine(l));
    }
    sortContactedLines(all);
    QStringList shown;
    QString remembered;
    for (const QString &l : std::as_const(all)) {
        const QString key = contactedListKey(l);
        if (key != remembered) {
            shown.append(l);
            remembered = key;
        }
    }
    return shown;
}

QString contactedListFileName(const QString &indicatifStation, const QString &dateFichier)
{
    return QStringLiteral("Fontaines_Contacte_") + indicatifStation + QLatin1Char('_') +
           dateFichier + QStringLiteral(".txt");
}

QString contactedListTitle(const QString &indicatifStation, const QString &dateCourte)
{
    return QString(19, QLatin1Char(' ')) + QStringLiteral(" Liste des Fontaines contactées par ") +
           indicatifStation + QStringLiteral(" au ") + dateCourte +
           QStringLiteral(" par ordre alphanumerique");
}

QString contactedListHeader()
{
    // Columns 1-90, the fountain name at 91, "QSL" at 120.
    return QStringLiteral("         Ref   Indicatif    Dpt   Prenom         Date     QTR   Mode   "
                          "QRG   RstR RstE    ") +
           QStringLiteral("Nom de la Fontaine") + QString(11, QLatin1Char(' ')) +
           QStringLiteral("QSL");
}

QString contactedListCredit()
{
    return QString(37, QLatin1Char(' ')) + QStringLiteral("Liste éditée par ZAT_VQX");
}

namespace {
QStringList framed(const QString &title, const QStringList &lines, int blanksBeforeCredit)
{
    QStringList out;
    out.reserve(lines.size() + 6);
    out << title << QString() << contactedListHeader() << QString();
    out += lines;
    for (int i = 0; i < blanksBeforeCredit; ++i)
        out << QString();
    out << contactedListCredit();
    return out;
}
} // namespace

QStringList contactedListFileLines(const QString &title, const QStringList &lines)
{
    return framed(title, lines, 1);
}

QStringList contactedListPrintLines(const QString &title, const QStringList &lines)
{
    return framed(title, lines, 2);
}

ContactedSave saveContactedList(const QString &dataDir, const QString &indicatifStation,
                                const Clock &clock, const QStringList &lines,
                                const ScratchWriter &writer)
{
    ContactedSave s;
    s.fileName = contactedListFileName(indicatifStation, Date_Fichier(clock));
    const QStringList content =
        contactedListFileLines(contactedListTitle(indicatifStation, Date_Courte(clock)), lines);
    s.file = rewriteFile(QDir(dataDir).filePath(s.fileName), codepage::encodeLines(content),
                         kContactedScratch, writer);
    return s;
}

} // namespace vqx
