#include "awards/award_list.h"

#include "awards/award_levels.h"
#include "logstore/codepage.h"
#include "logstore/log_record.h"

#include <QDir>
#include <algorithm>
#include <vector>

namespace vqx {

namespace {

const QString kCredit =
    QStringLiteral("                    Liste établie avec ZAT_VQX, carnet de trafic VQX");

// k right-aligned in five columns; a longer number simply takes more room.
QString numbered(int k, const QString &item)
{
    return QString::number(k).rightJustified(5) + QLatin1Char(' ') + item;
}

// Case folding as the case-insensitive comparison does it, with a quick
// path for the plain letters that make up nearly every line.
QString foldCase(const QString &text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar *o = out.data();
    const QChar *in = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i) {
        char16_t c = in[i].unicode();
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z')
                c = char16_t(c + ('a' - 'A'));
        } else if (QChar::isSurrogate(c)) {
            return text.toCaseFolded();
        } else {
            c = QChar(c).toCaseFolded().unicode();
        }
        o[i] = QChar(c);
    }
    return out;
}

} // namespace

QString awardListLine(const QString &qsoLine)
{
    const QLatin1String two("  ");
    QString item;
    item.reserve(kAwardListLineLength);
    item.append(QLatin1String("   "))
        .append(QsoLine::Ref.cut(qsoLine))
        .append(two)
        .append(QsoLine::Dpt.cut(qsoLine))
        .append(two)
        .append(QsoLine::NomFontaine.cut(qsoLine))
        .append(two)
        .append(QsoLine::Date.cut(qsoLine))
        .append(two)
        .append(QsoLine::Heure.cut(qsoLine))
        .append(two)
        .append(QsoLine::Indicatif.cut(qsoLine));
    return item;
}

void sortWithoutCase(QStringList &lines)
{
    // Fold each line once rather than at every comparison.
    struct Keyed
    {
        QString folded;
        qsizetype index;
    };
    std::vector<Keyed> keys;
    keys.reserve(std::size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        keys.push_back({foldCase(lines.at(i)), i});
    std::stable_sort(keys.begin(), keys.end(),
                     [](const Keyed &a, const Keyed &b) { return a.folded < b.folded; });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const Keyed &k : keys)
        sorted << lines.at(k.index);
    lines = std::move(sorted);
}

QStringList awardListLines(const QStringList &logLines)
{
    QStringList items;
    for (const QString &line : logLines) {
        if (isConfirmed(line))
            items << awardListLine(line);
    }
    sortWithoutCase(items);
    return items;
}

QString awardListCountCaption(int count)
{
    return QLatin1Char(' ') + QString::number(count) + QStringLiteral(" Fontaines confirmées");
}

QString awardListFileName(const QString &indicatifStation, const QString &niveauListe,
                          const QString &groupeBandes, const QString &dateFichier)
{
    QString level;
    QString beforeDate = QStringLiteral("_");
    if (niveauListe == QLatin1String("Base")) {
        level = QStringLiteral("Diplome_VQX_de_Base_");
    } else if (niveauListe == QLatin1String("Performant")) {
        level = QStringLiteral("Diplome_VQX_Performant_");
    } else if (niveauListe == QLatin1String("Expert")) {
        level = QStringLiteral("Diplome_VQX_Expert_");
    } else if (niveauListe == QLatin1String("Honneur")) {
        level = QStringLiteral("Diplome_VQX_Honneur_");
        beforeDate = QStringLiteral("__");
    } else if (niveauListe == QLatin1String("Maitre")) {
        level = QStringLiteral("Diplome_VQX_Maitre_");
        beforeDate = QStringLiteral("__");
    } else {
        return QString();
    }
    return indicatifStation + QLatin1Char('_') + level + groupeBandes + beforeDate + dateFichier +
           QStringLiteral(".txt");
}

QStringList awardListFileLines(const QString &indicatifStation, const QString &dateCourte,
                               const QStringList &items)
{
    QStringList out;
    out.reserve(items.size() + 7);
    out << QStringLiteral("   ") + indicatifStation +
               QStringLiteral(" Liste alphanumerique des Fontaines   contactées au ") + dateCourte
        << QString()
        << QStringLiteral(
               "   N°    Ref     Dpt    Nom de la Fontaine              Date    Heure  Indicatif")
        << QString();
    for (int k = 1; k <= items.size(); ++k)
        out << numbered(k, items.at(k - 1));
    out << QString() << kCredit;
    return out;
}

QStringList awardListPrintLines(const QString &indicatifStation, const QString &groupeBandes,
                                const QString &niveauListe, const QString &dateImpression,
                                const QStringList &items)
{
    QString words;
    if (niveauListe == QLatin1String("Base"))
        words = QStringLiteral(" De base du ");
    else if (niveauListe == QLatin1String("Performant"))
        words = QStringLiteral(" Performant du ");
    else if (niveauListe == QLatin1String("Expert"))
        words = QStringLiteral(" Expert du ");
    else if (niveauListe == QLatin1String("Honneur"))
        words = QStringLiteral(" Honneur du ");
    else if (niveauListe == QLatin1String("Maitre"))
        words = QStringLiteral(" Maitre du ");

    QStringList out;
    out.reserve(items.size() + 8);
    out << QString(17, QLatin1Char(' ')) + indicatifStation + QStringLiteral(" Diplome VQX ") +
               groupeBandes + words + dateImpression
        << QString()
        << QStringLiteral("       N°    Ref     Dpt    Nom de la Fontaine              Date    "
                          "Heure  Indicatif")
        << QString();
    for (int k = 1; k <= items.size(); ++k)
        out << QStringLiteral("    ") + numbered(k, items.at(k - 1));
    out << QString() << QString() << kCredit;
    return out;
}

FileResult Enregistrer_Liste_Diplome(const QString &dataDir, const QString &fileName,
                                     const QStringList &lines, const ScratchWriter &writer)
{
    return rewriteFile(QDir(dataDir).filePath(fileName), codepage::encodeLines(lines),
                       kAwardListScratch, writer);
}

} // namespace vqx
