#include "contacted/contacted_list.h"

#include "logstore/codepage.h"
#include "logstore/log_record.h"
#include "logstore/text_order.h"
#include "platform/clock.h"

#include <QDir>

#include <algorithm>

namespace vqx {

QString contactedListLine(const QString &qsoLine)
{
    // The list holds every contact: one allocation a line.
    return CutLine(qsoLine, ContactedList::LineLength)
        .blanks(6)
        .put(QsoLine::Ref)
        .blanks(1)
        .put(QsoLine::Indicatif)
        .blanks(2)
        .put(QsoLine::Dpt)
        .blanks(1)
        .put(QsoLine::Prenom)
        .blanks(1)
        .put(QsoLine::Date)
        .blanks(2)
        .put(QsoLine::Heure)
        .blanks(2)
        .put(QsoLine::Mode)
        .blanks(2)
        .put(QsoLine::QRG)
        .blanks(2)
        .put(QsoLine::RstR)
        .blanks(2)
        .put(QsoLine::RstE)
        .blanks(2)
        .put(QsoLine::NomFontaine)
        .blanks(2)
        .put(QsoLine::QSL)
        .take();
}

QString contactedListKey(const QString &contactedLine)
{
    return contactedLine.mid(ContactedList::KeyStart - 1, ContactedList::KeyLength);
}

void sortContactedLines(QStringList &lines)
{
    sortWithoutCase(lines);
}

QStringList buildContactedList(const QStringList &logLines)
{
    QStringList all;
    all.reserve(logLines.size());
    for (const QString &l : logLines) {
        if (!QStringView(l).trimmed().isEmpty())
            all.append(contactedListLine(l));
    }
    sortContactedLines(all);
    QStringList shown;
    QStringView remembered;
    for (const QString &l : std::as_const(all)) {
        const QStringView key =
            QStringView(l).mid(ContactedList::KeyStart - 1, ContactedList::KeyLength);
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
        contactedListFileLines(contactedListTitle(indicatifStation, shortDate(clock)), lines);
    s.file = rewriteFile(QDir(dataDir).filePath(s.fileName), codepage::encodeLines(content),
                         kContactedScratch, writer);
    return s;
}

} // namespace vqx
