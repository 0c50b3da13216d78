// The operator's keyboard workflow: typing contacts field by field,
// recording them, and working on the log list.
#include "main_harness.h"

#include <QClipboard>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString line(const QString &call, const QString &dpt, const QString &prenom, const QString &ref,
             const QString &date, const QString &time, const QString &mode, const QString &band,
             const QString &rst, const QString &name, bool qsl)
{
    QsoFields f{call, dpt, prenom, ref, date, time, mode, band, rst, rst, name, qsl};
    return buildQsoLine(f);
}

// A window on station F1ABC with the band 14 Mhz remembered.
MainWindow *openStation(MainHarness &h, const QStringList &log = {}, bool manualDate = false)
{
    h.setStation(QStringLiteral("F1ABC"));
    h.setStationValue(QStringLiteral("bande Utilisee"), QStringLiteral("4"));
    if (manualDate)
        h.setStationValue(QStringLiteral("Date Auto"), QStringLiteral("Non"));
    h.writeLog(log);
    return h.open();
}

// Three contacts in date order.
const QString &A = kSampleA;
const QString &B = kSampleB;
const QString &C = kSampleC;

} // namespace

class EntryTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newContactInAutomaticDateMode();
    void insertedContactGoesInDateOrder();
    void manualDateModeKeepsTheDate();
    void answeringNoWritesNothing();
    void alreadyContactedOnTheSameBand();
    void modificationReplacesTheLineInPlace();
    void longFountainNameIsCutTo30();
    void deletionRemovesALineThatOccursTwice();
    void doubleClickBeforeAnyClick();
    void accentedFirstNameStoredInUpperCase();
    void knownCallsignFillsTheFirstName();
    void fieldLimits_data();
    void fieldLimits();
    void charactersOutsideTheCodePageAreKeptOut();
    void bandAndModeAreRememberedOutsideModification();
    void insertWhileALineIsShownReachesIndA();
    void failedWriteKeepsTheContactInTheFields();
};

void EntryTest::newContactInAutomaticDateMode()
{
    MainHarness h;
    MainWindow *m = openStation(h);
    MainHarness::Contact c;
    c.call = QStringLiteral("fzzzz");
    c.ref = QStringLiteral("31fa001");
    c.mode = QStringLiteral("cw");
    c.qsl = true;
    // Enter in Dpt_A takes the date and time from the clock and goes to Mode_A.
    MainHarness::typeEnter(m->Ind_A, c.call);
    QCOMPARE(m->Ind_A->text(), QStringLiteral("FZZZZ"));
    MainHarness::enter(m->Prenom_A);
    MainHarness::typeEnter(m->Ref_A, c.ref);
    QCOMPARE(m->Dpt_A->text(), QStringLiteral("31"));
    QCOMPARE(m->Rem_A->text(), QStringLiteral("F. "));
    QCOMPARE(m->Rem_A->cursorPosition(), 3);
    MainHarness::enter(m->Dpt_A);
    QCOMPARE(m->Date_A->text(), QStringLiteral("05/06/21"));
    QCOMPARE(m->Heure_A->text(), QStringLiteral("14:32"));
    QVERIFY(!m->Date_A->isEnabled());
    QVERIFY(m->Mode_A->hasFocus());
    QCOMPARE(background(m->Mode_A), kLightGreen);
    QCOMPARE(background(m->Dpt_A), kLightYellow);
    MainHarness::retype(m->Mode_A, c.mode);
    QCOMPARE(m->Mode_A->currentText(), QStringLiteral("CW"));
    MainHarness::enter(m->Mode_A->lineEdit());
    QCOMPARE(m->RST_A->text(), QStringLiteral("599"));
    QCOMPARE(m->RSTE_A->text(), QStringLiteral("599"));
    MainHarness::enter(m->RST_A);
    MainHarness::enter(m->RSTE_A);
    MainHarness::enter(m->Rem_A);
    QTest::keyClick(m->QSL_A, Qt::Key_Space);
    MainHarness::enter(m->QSL_A);
    QVERIFY(m->Valide_A->isEnabled());
    QVERIFY(m->Valide_A->hasFocus());
    h.record();

    QCOMPARE(h.fakes.messages.asked,
             QStringList{QStringLiteral("Voulez vous enregistrer ces données ?")});
    QVERIFY(h.fakes.messages.shown.isEmpty());
    const QString expected =
        QStringLiteral("FZZZZ        31                 31FA001 05/06/21 14:32 "
                       "CW  14 Mhz  599 599 F.                             *");
    QCOMPARE(expected.size(), 107);
    QCOMPARE(h.logBytes(), (expected + kCrLf).toLatin1());
    QCOMPARE(readBytes(h.dir.file(QStringLiteral("Liste_Prenom.txt"))),
             QByteArray("FZZZZ        31 \r\n"));
    // Waiting for the next contact; the last one can be deleted at once.
    QCOMPARE(m->RST_A->text(), QStringLiteral("599"));
    QCOMPARE(m->RSTE_A->text(), QStringLiteral("599"));
    QVERIFY(m->Annule_Saisie->isEnabled());
    QCOMPARE(m->Liste_VQX->currentIndex().row(), 0);
    QCOMPARE(m->Ind_A->text(), QString());
    QVERIFY(m->Ind_A->hasFocus());
    QCOMPARE(m->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QVERIFY(!m->Valide_A->isEnabled());
    QCOMPARE(m->Date_A->text(), QString());
    // The mode typed was remembered for the station.
    QCOMPARE(h.stationValue(QStringLiteral("Mode Utilise")), QStringLiteral("1"));
}

void EntryTest::insertedContactGoesInDateOrder()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B, C});
    m->Ajout_QSO->click();
    QCOMPARE(m->Mode_Aff->text(), QStringLiteral("Insertion QSO"));
    QVERIFY(m->Ind_A->hasFocus());
    MainHarness::Contact c;
    c.call = QStringLiteral("FZZZZ");
    c.ref = QStringLiteral("44FA003");
    c.date = QStringLiteral("06/06/08");
    c.time = QStringLiteral("09:00");
    QVERIFY(h.typeContact(c));
    h.record();
    const QString inserted =
        line(QStringLiteral("FZZZZ"), QStringLiteral("44"), QString(), QStringLiteral("44FA003"),
             QStringLiteral("06/06/08"), QStringLiteral("09:00"), QStringLiteral("SSB"),
             QStringLiteral("14 Mhz"), QStringLiteral("59"), QStringLiteral("F."), false);
    QCOMPARE(h.logBytes(), crlf({A, inserted, B, C}));
    QCOMPARE(m->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QVERIFY(!m->shared().Flag_Insert);
    QCOMPARE(m->Liste_VQX->currentIndex().row(), 3);
}

void EntryTest::manualDateModeKeepsTheDate()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, C}, true);
    MainHarness::Contact c;
    c.call = QStringLiteral("FZZZZ");
    c.ref = QStringLiteral("44FA003");
    c.date = QStringLiteral("06/06/08");
    c.time = QStringLiteral("11:00");
    QVERIFY(h.typeContact(c));
    h.record();
    QCOMPARE(codepage::splitLines(codepage::decode(h.logBytes())).lines.at(1).left(5),
             QStringLiteral("FZZZZ"));
    QCOMPARE(m->Date_A->text(), QStringLiteral("06/06/08"));
    QVERIFY(!m->Date_A->isEnabled());
    QCOMPARE(m->Heure_A->text(), QString());
}

void EntryTest::answeringNoWritesNothing()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    const QByteArray before = h.logBytes();
    MainHarness::Contact c;
    c.call = QStringLiteral("FZZZZ");
    c.prenom = QStringLiteral("PAUL");
    c.ref = QStringLiteral("44FA003");
    QVERIFY(h.typeContact(c));
    h.fakes.messages.answers = {false};
    h.record();
    QCOMPARE(h.logBytes(), before);
    QVERIFY(!QFileInfo::exists(h.dir.file(QStringLiteral("Liste_Prenom.txt"))));
    QCOMPARE(m->Ind_A->text(), QString());
    QCOMPARE(m->Prenom_A->text(), QString());
    QCOMPARE(m->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QVERIFY(m->Ind_A->hasFocus());
}

void EntryTest::alreadyContactedOnTheSameBand()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    QCOMPARE(m->Bande_A->currentText(), QStringLiteral("14 Mhz"));
    MainHarness::typeEnter(m->Ind_A, QStringLiteral("FZZZZ"));
    MainHarness::enter(m->Prenom_A);
    MainHarness::typeEnter(m->Ref_A, QStringLiteral("31FA001"));
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("31FA001 a déjà été contactée le 05/06/08 sur 14 Mhz")});
    QCOMPARE(m->Ref_A->text(), QString());
    QCOMPARE(m->Ind_A->text(), QString());
    QVERIFY(m->Ind_A->hasFocus());
    QVERIFY(!m->Ref_A->isEnabled());

    // Another band: the same fountain is welcome.
    h.fakes.messages.clear();
    QTest::keyClick(m->Bande_A->lineEdit(), Qt::Key_Up);
    QTest::keyClick(m->Bande_A->lineEdit(), Qt::Key_Up);
    QCOMPARE(m->Bande_A->currentText(), QStringLiteral("7.0 Mhz"));
    MainHarness::enter(m->Bande_A->lineEdit());
    QVERIFY(m->Ind_A->hasFocus());
    MainHarness::typeEnter(m->Ind_A, QStringLiteral("FZZZZ"));
    MainHarness::enter(m->Prenom_A);
    MainHarness::typeEnter(m->Ref_A, QStringLiteral("31FA001"));
    QVERIFY(h.fakes.messages.shown.isEmpty());
    QCOMPARE(m->Dpt_A->text(), QStringLiteral("31"));
    QVERIFY(m->Dpt_A->hasFocus());
    QCOMPARE(h.stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("2"));
}

void EntryTest::modificationReplacesTheLineInPlace()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B, C});
    m->selectListLine(1);
    QVERIFY(!m->Ind_A->isEnabled());
    QCOMPARE(m->Ind_A->text(), QStringLiteral("FBBBB"));
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {},
                       m->Liste_VQX->visualRect(m->logModel()->index(1)).center());
    QCOMPARE(m->Mode_Aff->text(), QStringLiteral("Modification QSO"));
    QVERIFY(m->shared().Flag_Modif);
    QVERIFY(m->Ind_A->hasFocus());
    QVERIFY(m->Rem_A->isEnabled());
    QVERIFY(m->Valide_A->isEnabled());
    QCOMPARE(m->Date_A->text(), QStringLiteral("06/06/08"));
    // Clicks on other lines are ignored during the modification.
    m->selectListLine(0);
    QCOMPARE(m->Ind_A->text(), QStringLiteral("FBBBB"));

    MainHarness::enter(m->Ind_A);
    MainHarness::typeEnter(m->Prenom_A, QStringLiteral("luc"));
    MainHarness::enter(m->Ref_A);
    QCOMPARE(m->Rem_A->text(), QStringLiteral("F. "));
    MainHarness::enter(m->Dpt_A);
    QVERIFY(m->Date_A->hasFocus()); // typed, not from the clock
    MainHarness::enter(m->Date_A);
    MainHarness::enter(m->Heure_A);
    MainHarness::enter(m->Mode_A->lineEdit());
    MainHarness::enter(m->RST_A);
    MainHarness::enter(m->RSTE_A);
    MainHarness::type(m->Rem_A, QStringLiteral("du lavoir"));
    MainHarness::enter(m->Rem_A);
    MainHarness::enter(m->QSL_A);
    h.record();
    const QString modified =
        line(QStringLiteral("FBBBB"), QStringLiteral("75"), QStringLiteral("LUC"),
             QStringLiteral("75FT002"), QStringLiteral("06/06/08"), QStringLiteral("10:00"),
             QStringLiteral("SSB"), QStringLiteral("14 Mhz"), QStringLiteral("59"),
             QStringLiteral("F. DU LAVOIR"), true);
    QCOMPARE(h.logBytes(), crlf({A, modified, C}));
    QCOMPARE(m->Liste_VQX->currentIndex().row(), 2);
    QVERIFY(!m->shared().Flag_Modif);
    QVERIFY(!m->shared().Flag_Edition);
    // The modification did not touch the remembered band.
    QCOMPARE(h.stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("4"));
}

void EntryTest::longFountainNameIsCutTo30()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    m->selectListLine(0);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {},
                       m->Liste_VQX->visualRect(m->logModel()->index(0)).center());
    m->Rem_A->setText(QStringLiteral("  fontaine de la grande place du vieux"));
    m->Valide_A->click();
    QCOMPARE(m->Rem_A->text().size(), 0); // emptied after recording
    const QString stored = codepage::splitLines(codepage::decode(h.logBytes())).lines.value(0);
    QCOMPARE(QsoLine::NomFontaine.cut(stored), QStringLiteral("FONTAINE DE LA GRANDE PLACE DU"));
    QCOMPARE(stored.size(), 107);
}

void EntryTest::deletionRemovesALineThatOccursTwice()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B, A});
    m->selectListLine(0);
    QVERIFY(m->Annule_Saisie->isEnabled());
    h.fakes.messages.answers = {true};
    m->Annule_Saisie->click();
    QCOMPARE(h.fakes.messages.asked, QStringList{QStringLiteral("Voulez vous Supprimer ce QSO ?")});
    QCOMPARE(h.logBytes(), crlf({B}));
    QCOMPARE(m->logModel()->rowCount(), 1);
    QCOMPARE(m->logModel()->listLine(0).left(6), QStringLiteral("     1"));
    QVERIFY(!m->Annule_Saisie->isEnabled());
    QCOMPARE(m->Ind_A->text(), QString());

    // Answering No keeps the log and still empties the entry area.
    m->selectListLine(0);
    h.fakes.messages.answers = {false};
    m->Annule_Saisie->click();
    QCOMPARE(h.logBytes(), crlf({B}));
    QCOMPARE(m->Ind_A->text(), QString());
}

void EntryTest::doubleClickBeforeAnyClick()
{
    MainHarness h;
    MainWindow *m = openStation(h);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("Cliquez sur une ligne pour l'editer")});
    QVERIFY(!m->shared().Flag_Modif);
    h.fakes.messages.clear();
    m->Annule_Saisie->setEnabled(true);
    m->Annule_Saisie->click();
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("Cliquez sur une ligne pour l'effacer")});
    // The list still reacts to clicks once it holds a contact.
    h.fakes.messages.clear();
    MainHarness::Contact c;
    c.call = QStringLiteral("FZZZZ");
    c.ref = QStringLiteral("31FA001");
    QVERIFY(h.typeContact(c));
    h.record();
    m->selectListLine(0);
    QCOMPARE(m->Ind_A->text(), QStringLiteral("FZZZZ"));
    QCOMPARE(m->Ref_A->text(), QStringLiteral("31FA001"));
}

void EntryTest::accentedFirstNameStoredInUpperCase()
{
    MainHarness h;
    MainWindow *m = openStation(h);
    MainHarness::Contact c;
    c.call = QStringLiteral("F5ABC");
    c.prenom = QStringLiteral("hélène");
    c.ref = QStringLiteral("2AFA001");
    QVERIFY(h.typeContact(c));
    QCOMPARE(m->Prenom_A->text(), QStringLiteral("HéLèNE"));
    QCOMPARE(m->Dpt_A->text(), QStringLiteral("2a"));
    h.record();
    const QString stored = codepage::splitLines(codepage::decode(h.logBytes())).lines.value(0);
    QCOMPARE(QsoLine::Prenom.cut(stored), QStringLiteral("HÉLÈNE         "));
    QCOMPARE(QsoLine::Dpt.cut(stored), QStringLiteral("2a"));
    QCOMPARE(readBytes(h.dir.file(QStringLiteral("Liste_Prenom.txt"))),
             codepage::encode(QStringLiteral("F5ABC        2a HÉLÈNE\r\n")));
}

void EntryTest::knownCallsignFillsTheFirstName()
{
    MainHarness h;
    QVERIFY(writeBytes(
        h.dir.file(QStringLiteral("Liste_Prenom.txt")),
        crlf({QStringLiteral("F5ABC           JEAN"), QStringLiteral("f5low        31 PAUL")})));
    MainWindow *m = openStation(h, {A});
    MainHarness::typeEnter(m->Ind_A, QStringLiteral("F5ABC"));
    QCOMPARE(m->Prenom_A->text(), QStringLiteral("JEAN"));
    QVERIFY(m->Prenom_A->hasFocus());
    m->Efface_A->click();
    // A hand-written lower-case entry is not found for the upper-case callsign.
    MainHarness::typeEnter(m->Ind_A, QStringLiteral("f5low"));
    QCOMPARE(m->Prenom_A->text(), QString());
    // No lookup while a line is being modified.
    m->selectListLine(0);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {},
                       m->Liste_VQX->visualRect(m->logModel()->index(0)).center());
    m->Ind_A->setText(QStringLiteral("F5ABC"));
    MainHarness::enter(m->Ind_A);
    QCOMPARE(m->Prenom_A->text(), QString());
}

void EntryTest::fieldLimits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // "" when accepted

    const QString rMessage = QStringLiteral("R (de RST)doit etre compris entre 0 et 5");
    QTest::newRow("band empty") << "Bande_A"
                                << ""
                                << "Entrez une QRG";
    QTest::newRow("band 8") << "Bande_A"
                            << "432 MHzz"
                            << "7 caracteres maxi pour la QRG";
    QTest::newRow("band 7") << "Bande_A"
                            << "432 Mhz"
                            << "";
    QTest::newRow("call empty") << "Ind_A"
                                << ""
                                << "Entrez un indicatif";
    QTest::newRow("call 12") << "Ind_A"
                             << "F1ABCDEFGHIJ"
                             << "";
    QTest::newRow("call 13") << "Ind_A"
                             << "F1ABCDEFGHIJK"
                             << "12 caracteres maxi pour l'indicatif";
    QTest::newRow("name empty") << "Prenom_A"
                                << ""
                                << "";
    QTest::newRow("name 15") << "Prenom_A"
                             << "ABCDEFGHIJKLMNO"
                             << "";
    QTest::newRow("name 16") << "Prenom_A"
                             << "ABCDEFGHIJKLMNOP"
                             << "15 caracteres maxi pour le Prenom";
    QTest::newRow("ref empty") << "Ref_A"
                               << ""
                               << "Entrez une reférence";
    QTest::newRow("ref 6") << "Ref_A"
                           << "31FA01"
                           << "7 caracteres pour la reference ex: 31FA001";
    QTest::newRow("ref type") << "Ref_A"
                              << "31FB001"
                              << "Le type de la fontaine doit etre FA ou FT";
    QTest::newRow("ref lower") << "Ref_A"
                               << "31ft001"
                               << "";
    QTest::newRow("dpt empty") << "Dpt_A"
                               << ""
                               << "";
    QTest::newRow("dpt 3") << "Dpt_A"
                           << "123"
                           << "2 caracteres maxi pour le Departement";
    QTest::newRow("date format") << "Date_A"
                                 << "32/01/08"
                                 << "Le format de la date doit etre JJ/MM/AA";
    QTest::newRow("date letter") << "Date_A"
                                 << "a"
                                 << "8 caracteres pour la date ex: 01/02/08";
    QTest::newRow("time 4") << "Heure_A"
                            << "8:45"
                            << "5 caracteres pour l'heure ex: 08:45";
    QTest::newRow("mode empty") << "Mode_A"
                                << ""
                                << "Entrez un Mode";
    QTest::newRow("mode 7") << "Mode_A"
                            << "OLIVIAX"
                            << "6 caracteres maxi pour le Mode";
    QTest::newRow("mode 4") << "Mode_A"
                            << "RTTY"
                            << "3 caracteres maxi pour le Mode";
    QTest::newRow("mode am") << "Mode_A"
                             << "am"
                             << "";
    QTest::newRow("rst empty") << "RST_A"
                               << ""
                               << "Entrez un Report";
    QTest::newRow("rst 4") << "RST_A"
                           << "5999"
                           << "3 caracteres maxi pour le Report";
    QTest::newRow("rst 679") << "RST_A"
                             << "679" << rMessage;
    QTest::newRow("rst letter") << "RST_A"
                                << "A9" << rMessage;
    QTest::newRow("rst 579") << "RST_A"
                             << "579"
                             << "";
    QTest::newRow("rst 0") << "RST_A"
                           << "0"
                           << "";
    QTest::newRow("rste 679") << "RSTE_A"
                              << "679" << rMessage;
    QTest::newRow("name 30") << "Rem_A" << QStringLiteral("F. ") + QString(27, QLatin1Char('X'))
                             << "";
    QTest::newRow("name 31") << "Rem_A" << QStringLiteral("F. ") + QString(28, QLatin1Char('X'))
                             << "30 caracteres maxi pour le nom de la Fontaine";
}

void EntryTest::fieldLimits()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    MainHarness h;
    MainWindow *m = openStation(h, {}, true);
    // Valid values up to the field under test, in focus order.
    const QList<QPair<QString, QString>> path = {
        {QStringLiteral("Ind_A"), QStringLiteral("F1AAA")},
        {QStringLiteral("Prenom_A"), QString()},
        {QStringLiteral("Ref_A"), QStringLiteral("31FA001")},
        {QStringLiteral("Dpt_A"), QStringLiteral("31")},
        {QStringLiteral("Date_A"), QStringLiteral("05/06/08")},
        {QStringLiteral("Heure_A"), QStringLiteral("14:32")},
        {QStringLiteral("Mode_A"), QStringLiteral("SSB")},
        {QStringLiteral("RST_A"), QStringLiteral("59")},
        {QStringLiteral("RSTE_A"), QStringLiteral("59")},
        {QStringLiteral("Rem_A"), QStringLiteral("F. ")},
        {QStringLiteral("QSL_A"), QString()}};
    auto editOf = [m](const QString &name) -> QLineEdit * {
        if (name == QStringLiteral("Mode_A"))
            return m->Mode_A->lineEdit();
        if (name == QStringLiteral("Bande_A"))
            return m->Bande_A->lineEdit();
        return m->findChild<QLineEdit *>(name);
    };
    int at = 0;
    if (field != QStringLiteral("Bande_A")) {
        while (path.at(at).first != field) {
            QLineEdit *e = editOf(path.at(at).first);
            e->clear();
            MainHarness::typeEnter(e, path.at(at).second);
            ++at;
        }
    }
    QCOMPARE(h.fakes.messages.shown, QStringList());
    QLineEdit *e = editOf(field);
    QVERIFY(e->isEnabled());
    if (field == QStringLiteral("Bande_A"))
        m->Bande_A->setFocus();
    // A combo's line edit hands its focus to the combo.
    auto focusIn = [](QWidget *w) {
        QWidget *f = QApplication::focusWidget();
        return f == w || (f && f->isAncestorOf(w)) || (f && w->isAncestorOf(f));
    };
    e->clear();
    MainHarness::type(e, text);
    const QString typed = e->text();
    MainHarness::enter(e);
    if (message.isEmpty()) {
        QCOMPARE(h.fakes.messages.shown, QStringList());
        QVERIFY(!focusIn(e));
        QWidget *next = field == QStringLiteral("Bande_A")
                            ? static_cast<QWidget *>(m->Ind_A)
                            : m->findChild<QWidget *>(path.at(at + 1).first);
        QVERIFY(focusIn(next));
    } else {
        QCOMPARE(h.fakes.messages.shown, QStringList{message});
        QVERIFY(focusIn(e));
        // The field keeps its text (the department after its lower-casing).
        QCOMPARE(e->text(), field == QStringLiteral("Dpt_A") ? typed.toLower() : typed);
    }
}

void EntryTest::charactersOutsideTheCodePageAreKeptOut()
{
    MainHarness h;
    MainWindow *m = openStation(h);
    MainHarness::type(m->Ind_A, QStringLiteral("F5ЖA"));
    QCOMPARE(m->Ind_A->text(), QStringLiteral("F5A"));
    m->Ind_A->clear();
    QApplication::clipboard()->setText(QStringLiteral("F6Ж😀B"));
    QTest::keyClick(m->Ind_A, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m->Ind_A->text(), QStringLiteral("F6B"));
    MainHarness::typeEnter(m->Ind_A, QString());
    MainHarness::type(m->Prenom_A, QStringLiteral("éçè"));
    QCOMPARE(m->Prenom_A->text(), QStringLiteral("éçè"));
}

void EntryTest::bandAndModeAreRememberedOutsideModification()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    // The position is taken before the key: the arrow moves, Enter stores.
    QTest::keyClick(m->Bande_A->lineEdit(), Qt::Key_Down);
    QCOMPARE(m->Bande_A->currentText(), QStringLiteral("18 Mhz"));
    MainHarness::enter(m->Bande_A->lineEdit());
    QCOMPARE(h.stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("5"));
    m->selectListLine(0);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {},
                       m->Liste_VQX->visualRect(m->logModel()->index(0)).center());
    QTest::keyClick(m->Bande_A->lineEdit(), Qt::Key_Down);
    MainHarness::enter(m->Bande_A->lineEdit());
    QCOMPARE(h.stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("5"));
    m->Efface_A->click();
    QCOMPARE(m->Bande_A->currentText(), QStringLiteral("18 Mhz"));
    QCOMPARE(m->Rem_A->text(), QStringLiteral(" "));
}

void EntryTest::insertWhileALineIsShownReachesIndA()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B});
    m->selectListLine(0);
    QVERIFY(!m->Ind_A->isEnabled());
    m->Ajout_QSO->click();
    QVERIFY(m->Ind_A->isEnabled());
    QVERIFY(m->Ind_A->hasFocus());
    QCOMPARE(m->Mode_Aff->text(), QStringLiteral("Insertion QSO"));
}

void EntryTest::failedWriteKeepsTheContactInTheFields()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    const QByteArray before = h.logBytes();
    MainHarness::Contact c;
    c.call = QStringLiteral("FZZZZ");
    c.ref = QStringLiteral("44FA003");
    QVERIFY(h.typeContact(c));
    QVERIFY(QDir(h.dir.path()).mkdir(QStringLiteral("Temporaire.txt")));
    h.record();
    QCOMPARE(h.logBytes(), before);
    QVERIFY(h.fakes.messages.last().contains(QStringLiteral("Le log est resté tel qu'il était.")));
    QCOMPARE(m->Ind_A->text(), QStringLiteral("FZZZZ"));
    QCOMPARE(m->Ref_A->text(), QStringLiteral("44FA003"));
    QVERIFY(m->Valide_A->isEnabled());
}

QTEST_MAIN(EntryTest)
#include "entry_test.moc"
