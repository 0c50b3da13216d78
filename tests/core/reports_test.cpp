#include "core_fakes.h"
#include "log_samples.h"
#include "temp_folder.h"

#include "contacted/contacted_list.h"
#include "logstore/codepage.h"
#include "logstore/log_record.h"
#include "map/map_colouring.h"
#include "map/map_svg.h"
#include "search/search_matching.h"

#include <QFileInfo>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace vqx;
using namespace vqx::test;

namespace {

QString contact(const QString &call, const QString &ref, bool qsl = true,
                const QString &date = QStringLiteral("05/06/21"))
{
    return qso(call, ref, date, QStringLiteral("10:00"), QStringLiteral("14 Mhz"), qsl);
}

// A contact whose department column holds exactly the given code.
QString withDpt(const QString &dpt, bool qsl)
{
    QString line = contact(QStringLiteral("FTEST"), QStringLiteral("31FA001"), qsl);
    line.replace(QsoLine::Dpt.start - 1, QsoLine::Dpt.width,
                 dpt.leftJustified(2, QLatin1Char(' ')));
    return line;
}

QString listLineOf(const QString &call, const QString &ref, int numero = 1)
{
    return buildQsoListLine(contact(call, ref), numero);
}

} // namespace

// ---- Search ------------------------------------------------------------

struct MatchCase
{
    const char *name;
    SearchKind kind;
    QString listLine;
    QString typed;
    bool matches;
};

void PrintTo(const MatchCase &c, std::ostream *os)
{
    *os << c.name;
}

class SearchMatch : public ::testing::TestWithParam<MatchCase>
{
};

TEST_P(SearchMatch, ComparesTheKeyOfTheSelectedOption)
{
    const MatchCase &c = GetParam();
    EXPECT_EQ(matchesSearch(c.kind, c.listLine, searchText(c.kind, c.typed)), c.matches);
}

const QString kTwelve = QStringLiteral("FABCDEFGHIJK");

INSTANTIATE_TEST_SUITE_P(
    Reports, SearchMatch,
    ::testing::Values(MatchCase{"yy_finds_fyyyy", SearchKind::Indicatif,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                                QStringLiteral("YY"), true},
                      MatchCase{"yy_finds_yyzz", SearchKind::Indicatif,
                                listLineOf(QStringLiteral("YYZZ"), QStringLiteral("31FA001")),
                                QStringLiteral("YY"), true},
                      MatchCase{"yy_finds_yy", SearchKind::Indicatif,
                                listLineOf(QStringLiteral("YY"), QStringLiteral("31FA001")),
                                QStringLiteral("YY"), true},
                      MatchCase{"fyyyyz_does_not_find_fyyyy", SearchKind::Indicatif,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                                QStringLiteral("FYYYYZ"), false},
                      MatchCase{"lower_case_callsign_typed", SearchKind::Indicatif,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                                QStringLiteral("yy"), true},
                      MatchCase{"twelve_character_callsign_in_full", SearchKind::Indicatif,
                                listLineOf(kTwelve, QStringLiteral("31FA001")), kTwelve, true},
                      MatchCase{"leading_line_breaks_ignored", SearchKind::Indicatif,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                                QStringLiteral("\r\n\r\nYY"), true},
                      MatchCase{"callsign_search_does_not_look_at_the_reference",
                                SearchKind::Indicatif,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                                QStringLiteral("31FA"), false},
                      MatchCase{"reference_equal", SearchKind::Reference,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                                QStringLiteral("31FA001"), true},
                      MatchCase{"reference_typed_in_lower_case", SearchKind::Reference,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                                QStringLiteral("31fa001"), true},
                      MatchCase{"reference_part_is_not_enough", SearchKind::Reference,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                                QStringLiteral("31FA00"), false},
                      MatchCase{"department_equal", SearchKind::Departement,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                                QStringLiteral("31"), true},
                      MatchCase{"department_2a_as_logged", SearchKind::Departement,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("2AFA001")),
                                QStringLiteral("2a"), true},
                      MatchCase{"department_case_sensitive", SearchKind::Departement,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("2AFA001")),
                                QStringLiteral("2A"), false},
                      MatchCase{"one_character_department_finds_nothing", SearchKind::Departement,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("05FA001")),
                                QStringLiteral("5"), false},
                      MatchCase{"one_character_department_not_a_prefix", SearchKind::Departement,
                                listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                                QStringLiteral("3"), false},
                      MatchCase{"short_line_gives_short_keys", SearchKind::Departement,
                                QStringLiteral("    12  F1ABC"), QStringLiteral("5"), false},
                      MatchCase{"short_line_callsign_still_found", SearchKind::Indicatif,
                                QStringLiteral("    12  F1ABC"), QStringLiteral("1AB"), true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RechercherQso, EmptyFieldReportedOnlyWhenTheListHasLines)
{
    const QStringList list{listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001"))};
    auto at = [&](int row) { return list.at(row); };
    EXPECT_EQ(Rechercher_Qso(SearchKind::Reference, QString(), 1, at).status,
              SearchResult::Status::MissingText);
    EXPECT_EQ(Rechercher_Qso(SearchKind::Indicatif, QStringLiteral("\r\n"), 1, at).status,
              SearchResult::Status::MissingText);
    EXPECT_EQ(Rechercher_Qso(SearchKind::Reference, QString(), 0, at).status,
              SearchResult::Status::NothingFound);
}

TEST(RechercherQso, ListsEveryMatchUnchangedInListOrder)
{
    const QStringList list{listLineOf(QStringLiteral("FYYYY"), QStringLiteral("31FA001"), 1),
                           listLineOf(QStringLiteral("F1ABC"), QStringLiteral("31FA002"), 2),
                           listLineOf(QStringLiteral("YYZZ"), QStringLiteral("13FT001"), 3)};
    const SearchResult r = Rechercher_Qso(SearchKind::Indicatif, QStringLiteral("yy"),
                                          int(list.size()), [&](int row) { return list.at(row); });
    EXPECT_EQ(r.status, SearchResult::Status::Found);
    EXPECT_EQ(r.lines, (QStringList{list.at(0), list.at(2)}));
    EXPECT_EQ(Rechercher_Qso(SearchKind::Departement, QStringLiteral("75"), int(list.size()),
                             [&](int row) { return list.at(row); })
                  .status,
              SearchResult::Status::NothingFound);
}

// ---- Contacted list ----------------------------------------------------

TEST(ContactedList, LineLayout)
{
    const QString src =
        qso(QStringLiteral("FABCDEFGHIJK"), QStringLiteral("31FA001"), QStringLiteral("05/06/21"),
            QStringLiteral("14:32"), QStringLiteral("144 Mhz"), false, QStringLiteral("CW"),
            QStringLiteral("JEAN"), QStringLiteral("fontaine du marché"));
    const QString l = contactedListLine(src);
    ASSERT_EQ(l.size(), 121);
    auto at = [&](int start, int width) { return l.mid(start - 1, width); };
    EXPECT_EQ(at(1, 6), QString(6, QLatin1Char(' ')));
    EXPECT_EQ(at(7, 8), QStringLiteral("31FA001 "));
    EXPECT_EQ(at(15, 14), QStringLiteral("FABCDEFGHIJK  "));
    EXPECT_EQ(at(29, 3), QStringLiteral("31 "));
    EXPECT_EQ(at(32, 16), QStringLiteral("JEAN            "));
    EXPECT_EQ(at(48, 10), QStringLiteral("05/06/21  "));
    EXPECT_EQ(at(58, 7), QStringLiteral("14:32  "));
    EXPECT_EQ(at(65, 5), QStringLiteral("CW   "));
    EXPECT_EQ(at(70, 9), QStringLiteral("144 Mhz  "));
    EXPECT_EQ(at(79, 5), QStringLiteral("599  "));
    EXPECT_EQ(at(84, 5), QStringLiteral("599  "));
    EXPECT_EQ(at(89, 32), QStringLiteral("FONTAINE DU MARCHÉ").leftJustified(32, QLatin1Char(' ')));
    EXPECT_EQ(at(121, 1), QStringLiteral(" "));
    EXPECT_EQ(contactedListKey(l), QStringLiteral("31FA001 FA"));
}

TEST(ContactedList, ColumnsHoldTheLogColumns)
{
    const QString src =
        qso(QStringLiteral("FABCDEFGHIJK"), QStringLiteral("31FA001"), QStringLiteral("05/06/21"),
            QStringLiteral("14:32"), QStringLiteral("144 Mhz"), true, QStringLiteral("CW"),
            QStringLiteral("JEAN"), QStringLiteral("fontaine du marché"));
    const QString l = contactedListLine(src);
    const QList<QPair<Column, Column>> columns = {
        {ContactedList::Ref, QsoLine::Ref},
        {ContactedList::Indicatif, QsoLine::Indicatif},
        {ContactedList::Dpt, QsoLine::Dpt},
        {ContactedList::Prenom, QsoLine::Prenom},
        {ContactedList::Date, QsoLine::Date},
        {ContactedList::Heure, QsoLine::Heure},
        {ContactedList::Mode, QsoLine::Mode},
        {ContactedList::QRG, QsoLine::QRG},
        {ContactedList::RstR, QsoLine::RstR},
        {ContactedList::RstE, QsoLine::RstE},
        {ContactedList::NomFontaine, QsoLine::NomFontaine},
        {ContactedList::QSL, QsoLine::QSL},
    };
    for (const auto &[shown, logged] : columns) {
        EXPECT_EQ(shown.cut(l), logged.cut(src)) << shown.start;
        // Every column after the first stands after a blank.
        EXPECT_EQ(l.at(shown.start - 2), QLatin1Char(' ')) << shown.start;
    }
}

TEST(ContactedList, ShortLogLineGivesShorterLineWithItsSeparators)
{
    const QString src = contact(QStringLiteral("FAAAA"), QStringLiteral("31FA001")).left(39);
    const QString l = contactedListLine(src);
    EXPECT_EQ(l.size(), 121 - 60);
    EXPECT_TRUE(l.startsWith(QStringLiteral("      31FA001 FAAAA       ")));
    EXPECT_TRUE(l.endsWith(QString(16, QLatin1Char(' '))));
}

TEST(ContactedList, SortedAndOneLinePerReferenceAndCallsignStart)
{
    const QString a = contact(QStringLiteral("FAAAA"), QStringLiteral("75FA002"));
    const QString xyz = contact(QStringLiteral("FBXYZ"), QStringLiteral("13FT010"), false);
    const QString qqq = contact(QStringLiteral("FBQQQ"), QStringLiteral("13FT010"));
    EXPECT_EQ(buildContactedList({a, xyz, qqq}),
              (QStringList{contactedListLine(qqq), contactedListLine(a)}));
}

TEST(ContactedList, SameFountainByTwoCallsignPrefixes)
{
    const QString faaaa = contact(QStringLiteral("FAAAA"), QStringLiteral("31FA001"));
    const QString fabbb = contact(QStringLiteral("FABBB"), QStringLiteral("31FA001"));
    const QString fbccc = contact(QStringLiteral("FBCCC"), QStringLiteral("31FA001"));
    EXPECT_EQ(buildContactedList({fabbb, faaaa}), QStringList{contactedListLine(faaaa)});
    EXPECT_EQ(buildContactedList({fbccc, faaaa}),
              (QStringList{contactedListLine(faaaa), contactedListLine(fbccc)}));
}

TEST(ContactedList, SortIgnoresCaseAndKeepsLogOrderOfEqualLines)
{
    // Ordinal order would put "FZ" before "Fb".
    const QString lower = contact(QStringLiteral("Fbxx"), QStringLiteral("31FA001"));
    const QString upper = contact(QStringLiteral("FZXX"), QStringLiteral("31FA001"));
    EXPECT_EQ(buildContactedList({upper, lower}),
              (QStringList{contactedListLine(lower), contactedListLine(upper)}));

    // Equal but for case: two keys, shown in the order of the log.
    const QString big = contact(QStringLiteral("FBQQQ"), QStringLiteral("13FT010"));
    const QString small = contact(QStringLiteral("fbqqq"), QStringLiteral("13FT010"));
    EXPECT_EQ(buildContactedList({big, small}),
              (QStringList{contactedListLine(big), contactedListLine(small)}));
    EXPECT_EQ(buildContactedList({small, big}),
              (QStringList{contactedListLine(small), contactedListLine(big)}));
}

TEST(ContactedList, BlankLogLinesAreNoContact)
{
    const QString a = contact(QStringLiteral("FAAAA"), QStringLiteral("75FA002"));
    EXPECT_EQ(buildContactedList({QString(), a, QStringLiteral("   ")}),
              QStringList{contactedListLine(a)});
}

TEST(ContactedList, HeaderColumns)
{
    const QString h = contactedListHeader();
    ASSERT_EQ(h.size(), 122);
    const std::pair<const char *, int> columns[] = {{"Ref", 10},
                                                    {"Indicatif", 16},
                                                    {"Dpt", 29},
                                                    {"Prenom", 35},
                                                    {"Date", 50},
                                                    {"QTR", 59},
                                                    {"Mode", 65},
                                                    {"QRG", 72},
                                                    {"RstR", 78},
                                                    {"RstE", 83},
                                                    {"Nom de la Fontaine", 91},
                                                    {"QSL", 120}};
    for (const auto &[word, pos] : columns)
        EXPECT_EQ(h.indexOf(QLatin1String(word)) + 1, pos) << word;
}

class ContactedSaveTest : public ::testing::Test
{
protected:
    TempFolder dir;
    FakeClock clock; // 05/06/2021 local
};

TEST_F(ContactedSaveTest, EmptyLogFile)
{
    const ContactedSave s = saveContactedList(dir.path(), QStringLiteral("FYYYY"), clock, {});
    ASSERT_TRUE(s.file.ok());
    EXPECT_EQ(s.fileName, QStringLiteral("Fontaines_Contacte_FYYYY_05_06_21.txt"));
    const QString title = QString(19, QLatin1Char(' ')) +
                          QStringLiteral(" Liste des Fontaines contactées par FYYYY au 05/06/2021 "
                                         "par ordre alphanumerique");
    const QByteArray expected = crlf(
        {title, QString(), contactedListHeader(), QString(), QString(), contactedListCredit()});
    EXPECT_EQ(readBytes(dir.file(s.fileName)), expected);
    // One byte per character, in the log's code page.
    EXPECT_TRUE(expected.contains("contact\xe9"
                                  "es"));
    EXPECT_EQ(dir.entries(), QStringList{s.fileName});
}

TEST_F(ContactedSaveTest, LinesWrittenUnchangedAndPrintHasTwoBlanksBeforeCredit)
{
    const QStringList lines =
        buildContactedList({contact(QStringLiteral("FAAAA"), QStringLiteral("75FA002")),
                            contact(QStringLiteral("FBQQQ"), QStringLiteral("13FT010"))});
    const ContactedSave s = saveContactedList(dir.path(), QStringLiteral("FYYYY"), clock, lines);
    ASSERT_TRUE(s.file.ok());
    const QStringList onDisk =
        codepage::splitLines(codepage::decode(readBytes(dir.file(s.fileName)))).lines;
    EXPECT_EQ(onDisk.mid(4, 2), lines);
    EXPECT_EQ(onDisk.size(), 8);

    const QStringList printed = contactedListPrintLines(onDisk.first(), lines);
    EXPECT_EQ(printed.size(), onDisk.size() + 1);
    EXPECT_EQ(printed.mid(0, 6), onDisk.mid(0, 6));
    EXPECT_EQ(printed.mid(6), (QStringList{QString(), QString(), contactedListCredit()}));
}

TEST_F(ContactedSaveTest, FailedWriteKeepsTheOlderFile)
{
    const QString name = contactedListFileName(QStringLiteral("FYYYY"), Date_Fichier(clock));
    ASSERT_TRUE(writeBytes(dir.file(name), "older list\r\n"));
    const ContactedSave s = saveContactedList(dir.path(), QStringLiteral("FYYYY"), clock, {},
                                              [](int, const QByteArray &) { return false; });
    EXPECT_FALSE(s.file.ok());
    EXPECT_EQ(s.file.error, FileError::WriteFailed);
    EXPECT_EQ(readBytes(dir.file(name)), QByteArray("older list\r\n"));
    EXPECT_EQ(dir.entries(), QStringList{name});
}

// ---- Map colouring -------------------------------------------------------

TEST(MapBoxes, CodesAndBoxes)
{
    const std::pair<const char *, int> codes[] = {{"07", 7},  {"7", 7},   {"95", 95}, {"2a", 96},
                                                  {"2A", 96}, {"2b", 97}, {"2B", 97}, {"20", 20},
                                                  {"00", 0},  {"99", 99}, {"2C", -1}, {"AB", -1},
                                                  {"a1", -1}, {"", -1},   {"1*", -1}, {"100", -1}};
    for (const auto &[code, box] : codes)
        EXPECT_EQ(boxIndexForCode(QLatin1String(code)), box) << code;

    int visible = 0;
    for (int i = 0; i < kMapBoxCount; ++i)
        visible += boxVisible(i) ? 1 : 0;
    EXPECT_EQ(visible, kMapDepartmentCount);
    EXPECT_FALSE(boxVisible(0) || boxVisible(20) || boxVisible(98) || boxVisible(99));
    EXPECT_EQ(boxText(1), QStringLiteral("01"));
    EXPECT_EQ(boxText(20), QStringLiteral("X"));
    EXPECT_EQ(boxText(96), QStringLiteral("2a"));
    EXPECT_EQ(mapElementId(97), QStringLiteral("2B"));
    EXPECT_EQ(mapElementId(98), QString());
}

TEST(MapBoxes, ParisAndItsNeighboursGoToTheInset)
{
    QList<int> inInset;
    for (int i = 0; i < kMapBoxCount; ++i) {
        if (boxInParisInset(i))
            inInset << i;
    }
    EXPECT_EQ(inInset, (QList<int>{75, 92, 93, 94}));
    EXPECT_EQ(insetElementId(75), QStringLiteral("encart-75"));
    EXPECT_EQ(boxElementId(94), QStringLiteral("encart-94"));
    EXPECT_EQ(insetElementId(77), QString());
    EXPECT_EQ(boxElementId(77), QStringLiteral("77"));
    EXPECT_EQ(boxElementId(96), QStringLiteral("2A"));
    EXPECT_EQ(boxElementId(20), QString());
}

struct ColouringCase
{
    const char *name;
    QStringList log;
    std::vector<std::pair<int, BoxState>> boxes;
    int contacted;
    int confirmed;
    QString nbNconf;
    QString nbNcont;
};

void PrintTo(const ColouringCase &c, std::ostream *os)
{
    *os << c.name;
}

class Colouring : public ::testing::TestWithParam<ColouringCase>
{
};

TEST_P(Colouring, BoxesAndCounters)
{
    const ColouringCase &c = GetParam();
    const MapColouring m = colourMap(c.log);
    for (const auto &[box, state] : c.boxes)
        EXPECT_EQ(int(m.boxes[size_t(box)]), int(state)) << "box " << box;
    EXPECT_EQ(m.contacted, c.contacted);
    EXPECT_EQ(m.confirmed, c.confirmed);
    EXPECT_EQ(m.notConfirmed, c.contacted - c.confirmed);
    EXPECT_EQ(nbDepText(m), QString::number(c.contacted));
    EXPECT_EQ(nbNconfText(m), c.nbNconf);
    EXPECT_EQ(nbNcontText(m), c.nbNcont);
}

const BoxState Y = BoxState::NotContacted;
const BoxState R = BoxState::ContactedNotConfirmed;
const BoxState G = BoxState::Confirmed;

INSTANTIATE_TEST_SUITE_P(
    Reports, Colouring,
    ::testing::Values(
        ColouringCase{"empty_log",
                      {},
                      {{0, Y}, {1, Y}, {96, Y}, {99, Y}},
                      0,
                      0,
                      QStringLiteral(" 0 Dpt confirmés"),
                      QStringLiteral(" 96 Dpt non contactés")},
        ColouringCase{"corsica_unconfirmed_then_confirmed",
                      {withDpt(QStringLiteral("2A"), false), withDpt(QStringLiteral("2a"), true)},
                      {{96, G}, {97, Y}},
                      1,
                      1,
                      QStringLiteral(" 1 Dpt confirmés"),
                      QStringLiteral(" 95 Dpt non contactés")},
        ColouringCase{"corsica_confirmed_then_unconfirmed",
                      {withDpt(QStringLiteral("2a"), true), withDpt(QStringLiteral("2A"), false)},
                      {{96, G}},
                      1,
                      1,
                      QStringLiteral(" 1 Dpt confirmés"),
                      QStringLiteral(" 95 Dpt non contactés")},
        ColouringCase{"two_unconfirmed_in_75",
                      {withDpt(QStringLiteral("75"), false), withDpt(QStringLiteral("75"), false)},
                      {{75, R}},
                      1,
                      0,
                      QStringLiteral(" 0 Dpt confirmés"),
                      QStringLiteral(" 95 Dpt non contactés")},
        ColouringCase{"hidden_20_98_99_counted_00_not",
                      {withDpt(QStringLiteral("20"), false), withDpt(QStringLiteral("98"), true),
                       withDpt(QStringLiteral("99"), false), withDpt(QStringLiteral("00"), true)},
                      {{20, R}, {98, G}, {99, R}, {0, G}},
                      3,
                      1,
                      QStringLiteral(" 1 Dpt confirmés"),
                      QStringLiteral(" 93 Dpt non contactés")},
        ColouringCase{"letters_2c_and_blank_codes_skipped",
                      {withDpt(QStringLiteral("AB"), true), withDpt(QStringLiteral("2C"), true),
                       withDpt(QStringLiteral("  "), true), QStringLiteral("FSHORT")},
                      {{2, Y}, {0, Y}},
                      0,
                      0,
                      QStringLiteral(" 0 Dpt confirmés"),
                      QStringLiteral(" 96 Dpt non contactés")},
        ColouringCase{
            "single_digit_code_and_short_line",
            {withDpt(QStringLiteral("7 "), false), withDpt(QStringLiteral("13"), true).left(15)},
            {{7, R}, {13, R}},
            2,
            0,
            QStringLiteral(" 0 Dpt confirmés"),
            QStringLiteral(" 94 Dpt non contactés")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Colouring, NotContactedNeverBelowZero)
{
    QStringList log;
    for (int i = 1; i < kMapBoxCount; ++i)
        log << withDpt(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')), true);
    const MapColouring m = colourMap(log);
    EXPECT_EQ(m.contacted, 99);
    EXPECT_EQ(nbNcontText(m), QStringLiteral(" 0 Dpt non contactés"));
}

// ---- The map document ------------------------------------------------------

TEST(MapSvg, FillsNamedElementsOnly)
{
    const QByteArray svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 10 10\">\n"
        "  <path id=\"01\" aria-label=\"Ain\" fill=\"#000000\" d=\"M0 0 L5 0 L5 5 z\"/>\n"
        "  <path id=\"2A\" d=\"M5 5 L9 5 L9 9 z\"/>\n"
        "</svg>\n";
    MapPaint paint;
    paint.fillById.insert(QStringLiteral("01"), svgColour(0x80FF80));
    paint.stroke = svgColour(0x606060);
    paint.strokeWidth = QStringLiteral("0.5");
    const QByteArray out = paintMapSvg(svg, paint);
    ASSERT_FALSE(out.isEmpty());

    QXmlStreamReader r(out);
    QHash<QString, QXmlStreamAttributes> byId;
    QString rootNamespace;
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (r.name() == QLatin1String("svg"))
            rootNamespace = r.namespaceUri().toString();
        byId.insert(r.attributes().value(QLatin1String("id")).toString(), r.attributes());
    }
    ASSERT_FALSE(r.hasError()) << r.errorString().toStdString();
    EXPECT_EQ(rootNamespace, QStringLiteral("http://www.w3.org/2000/svg"));
    const QXmlStreamAttributes ain = byId.value(QStringLiteral("01"));
    EXPECT_EQ(ain.value(QLatin1String("fill")), QLatin1String("#80ff80"));
    EXPECT_EQ(ain.value(QLatin1String("stroke")), QLatin1String("#606060"));
    EXPECT_EQ(ain.value(QLatin1String("aria-label")), QLatin1String("Ain"));
    EXPECT_EQ(ain.value(QLatin1String("d")), QLatin1String("M0 0 L5 0 L5 5 z"));
    int fills = 0;
    for (const QXmlStreamAttribute &a : ain)
        fills += a.name() == QLatin1String("fill") ? 1 : 0;
    EXPECT_EQ(fills, 1);
    EXPECT_FALSE(byId.value(QStringLiteral("2A")).hasAttribute(QLatin1String("fill")));

    const QHash<QString, QString> names = mapElementNames(svg);
    EXPECT_EQ(names.size(), 1);
    EXPECT_EQ(names.value(QStringLiteral("01")), QStringLiteral("Ain"));
}

TEST(MapSvg, EnlargedElementsKeepAThinOutline)
{
    const QByteArray svg = "<svg><path id=\"75\" d=\"M0 0 L1 1\"/>"
                           "<path id=\"encart-75\" d=\"M0 0 L1 1\"/></svg>";
    MapPaint paint;
    paint.fillById.insert(QStringLiteral("75"), svgColour(0xFFC0C0));
    paint.fillById.insert(QStringLiteral("encart-75"), svgColour(0xFFC0C0));
    paint.stroke = svgColour(0x606060);
    paint.strokeWidth = QStringLiteral("0.5");
    paint.strokeWidthById.insert(QStringLiteral("encart-75"), QStringLiteral("0.1"));
    const QByteArray out = paintMapSvg(svg, paint);
    EXPECT_TRUE(out.contains(R"(id="75" d="M0 0 L1 1" fill="#ffc0c0" stroke="#606060" )"
                             R"(stroke-width="0.5")"))
        << out.toStdString();
    EXPECT_TRUE(out.contains(R"(id="encart-75" d="M0 0 L1 1" fill="#ffc0c0" stroke="#606060" )"
                             R"(stroke-width="0.1")"))
        << out.toStdString();
}

TEST(MapInsetFit, SourceCentredInFrameAtTheLargestScale)
{
    MapInset inset;
    inset.source = QRectF(10, 20, 20, 10);
    inset.frame = QRectF(0, 0, 100, 100);
    EXPECT_DOUBLE_EQ(inset.scale(), 5.0); // the width decides
    EXPECT_EQ(inset.toInset(inset.source.center()), inset.frame.center());
    EXPECT_EQ(inset.toInset(inset.source.topLeft()), QPointF(0, 25));
    EXPECT_EQ(inset.toInset(inset.source.bottomRight()), QPointF(100, 75));
    inset.frame = QRectF(0, 0, 100, 30);
    EXPECT_DOUBLE_EQ(inset.scale(), 3.0); // the height decides
    inset.source = QRectF();
    EXPECT_DOUBLE_EQ(inset.scale(), 1.0);
}

TEST(MapInsetSvg, CopiesDrawnLastInAnEnlargingGroup)
{
    const QByteArray svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 100\">\n"
        "  <path id=\"01\" aria-label=\"Ain\" d=\"M50 50 L90 50 L90 90 z\"/>\n"
        "  <path id=\"75\" aria-label=\"Paris\" fill=\"#000000\" d=\"M60 60 L62 60 L62 61 z\"/>\n"
        "</svg>\n";
    MapInset inset;
    inset.copies = {{QStringLiteral("75"), QStringLiteral("encart-75")},
                    {QStringLiteral("99"), QStringLiteral("encart-99")}};
    inset.source = QRectF(60, 60, 2, 1);
    inset.frame = QRectF(0, 0, 20, 20);
    const QByteArray out = addMapInset(svg, inset);
    ASSERT_FALSE(out.isEmpty());

    struct Element
    {
        QString name;
        QXmlStreamAttributes attributes;
        int depth;
    };
    QList<Element> elements;
    QXmlStreamReader r(out);
    int depth = 0;
    while (!r.atEnd()) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::StartElement)
            elements.append({r.name().toString(), r.attributes(), ++depth});
        else if (token == QXmlStreamReader::EndElement)
            --depth;
    }
    ASSERT_FALSE(r.hasError()) << r.errorString().toStdString();
    QStringList order;
    for (const Element &e : elements)
        order << e.name + QLatin1Char('#') + e.attributes.value(QLatin1String("id")).toString();
    // The map first, unchanged; then the outline, the frame and the copies;
    // an id the map lacks is not copied.
    EXPECT_EQ(order, (QStringList{"svg#", "path#01", "path#75", "rect#encart-zone", "rect#encart",
                                  "g#", "path#encart-75"}));
    EXPECT_EQ(elements.at(0).attributes.value(QLatin1String("viewBox")),
              QLatin1String("0 0 100 100"));
    const QXmlStreamAttributes paris = elements.at(2).attributes;
    EXPECT_EQ(paris.value(QLatin1String("fill")), QLatin1String("#000000"));
    EXPECT_EQ(paris.size(), 4);

    const QXmlStreamAttributes copy = elements.at(6).attributes;
    EXPECT_EQ(elements.at(6).depth, 3);
    EXPECT_EQ(copy.value(QLatin1String("d")), paris.value(QLatin1String("d")));
    EXPECT_EQ(copy.value(QLatin1String("aria-label")), QLatin1String("Paris"));
    EXPECT_EQ(copy.size(), 4);
    // Scale 10: the 2-by-1 area fills the 20-unit frame's width, centred.
    EXPECT_EQ(elements.at(5).attributes.value(QLatin1String("transform")),
              QLatin1String("matrix(10 0 0 10 -600 -595)"));
    EXPECT_EQ(inset.toInset(QPointF(60, 60)), QPointF(0, 5));

    const QXmlStreamAttributes frame = elements.at(4).attributes;
    EXPECT_EQ(frame.value(QLatin1String("width")), QLatin1String("20"));
    EXPECT_EQ(frame.value(QLatin1String("fill")), QLatin1String("#ffffff"));
    const QXmlStreamAttributes area = elements.at(3).attributes;
    EXPECT_EQ(area.value(QLatin1String("x")), QLatin1String("60"));
    EXPECT_EQ(area.value(QLatin1String("height")), QLatin1String("1"));
    EXPECT_EQ(area.value(QLatin1String("fill")), QLatin1String("none"));

    EXPECT_TRUE(addMapInset("<svg><path id=\"75\"></svg>", inset).isEmpty());
}

TEST(MapSvg, BrokenDocumentGivesNothing)
{
    MapPaint paint;
    paint.fillById.insert(QStringLiteral("01"), svgColour(0xFFFFFF));
    EXPECT_TRUE(paintMapSvg("<svg><path id=\"01\"></svg>", paint).isEmpty());
}
