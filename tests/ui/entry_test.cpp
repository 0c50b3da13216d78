// The operator's keyboard workflow: typing contacts field by field,
// recording them, and working on the log list. Every key goes through the
// main window to the focused field; the mouse clicks list lines and buttons.
#include "main_harness.h"

using namespace vqx;
using namespace vqx::test;
using namespace vqx::test::samples;

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

// A contact to type: Date_A and Heure_A are typed only when asked for.
MainHarness::Contact contact(const QString &call, const QString &ref, const QString &date = {},
                             const QString &time = {})
{
    MainHarness::Contact c;
    c.call = call;
    c.ref = ref;
    c.date = date;
    c.time = time;
    return c;
}

// A double click is a click, then the second press.
void doubleClickLine(MainWindow *m, int row)
{
    clickLine(m, row);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {}, lineCentre(m, row));
}

void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

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
    void modificationOfAHandEditedLowerCaseName();
    void longFountainNameIsCutTo30();
    void deletionRemovesALineThatOccursTwice();
    void deletingTheLastLineLeavesNothingToModify();
    void doubleClickBeforeAnyClick();
    void accentedFirstNameStoredInUpperCase();
    void knownCallsignFillsTheFirstName();
    void fieldLimits_data();
    void fieldLimits();
    void typingInTheComboBoxes_data();
    void typingInTheComboBoxes();
    void charactersOutsideTheCodePageAreKeptOut();
    void bandAndModeAreRememberedOutsideModification();
    void qslIsOutOfReachWhileWaiting_data();
    void qslIsOutOfReachWhileWaiting();
    void insertStartsFromAnEmptyEntryArea_data();
    void insertStartsFromAnEmptyEntryArea();
    void prefilledFieldsOfANewContactAreTypedOver();
    void fieldsOfAModificationAreTypedOver_data();
    void fieldsOfAModificationAreTypedOver();
    void typedBandFindsTheFountainAlreadyContacted_data();
    void typedBandFindsTheFountainAlreadyContacted();
    void failedWriteKeepsTheContactInTheFields();
};

void EntryTest::newContactInAutomaticDateMode()
{
    MainHarness h;
    MainWindow *m = openStation(h);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    Keyboard::type(QStringLiteral("fzzzz"));
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FZZZZ"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Prenom_A"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ref_A"));
    Keyboard::typeEnter(QStringLiteral("31fa001"));
    QCOMPARE(m->form()->Ref_A->text(), QStringLiteral("31FA001"));
    QCOMPARE(m->form()->Dpt_A->text(), QStringLiteral("31"));
    QCOMPARE(m->form()->Rem_A->text(), QStringLiteral("F. "));
    QCOMPARE(m->form()->Rem_A->cursorPosition(), 3);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Dpt_A"));
    // Enter in Dpt_A takes the date and time from the clock and goes to Mode_A.
    Keyboard::enter();
    QCOMPARE(m->form()->Date_A->text(), QStringLiteral("05/06/21"));
    QCOMPARE(m->form()->Heure_A->text(), QStringLiteral("14:32"));
    QVERIFY(!m->form()->Date_A->isEnabled());
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Mode_A"));
    QCOMPARE(background(m->form()->Mode_A), kLightGreen);
    QCOMPARE(background(m->form()->Dpt_A), kLightYellow);
    // The mode shown is typed over, upper-cased as typed.
    Keyboard::type(QStringLiteral("cw"));
    QCOMPARE(m->form()->Mode_A->currentText(), QStringLiteral("CW"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("RST_A"));
    QCOMPARE(m->form()->RST_A->text(), QStringLiteral("599"));
    QCOMPARE(m->form()->RSTE_A->text(), QStringLiteral("599"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("RSTE_A"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Rem_A"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("QSL_A"));
    Keyboard::press(Qt::Key_Space);
    QVERIFY(m->form()->QSL_A->isChecked());
    Keyboard::enter();
    QVERIFY(m->form()->Valide_A->isEnabled());
    QVERIFY(h.record());

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
    QCOMPARE(m->form()->RST_A->text(), QStringLiteral("599"));
    QCOMPARE(m->form()->RSTE_A->text(), QStringLiteral("599"));
    QVERIFY(m->form()->Annule_Saisie->isEnabled());
    QCOMPARE(m->Liste_VQX->currentIndex().row(), 0);
    QCOMPARE(m->form()->Ind_A->text(), QString());
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QVERIFY(!m->form()->Valide_A->isEnabled());
    QCOMPARE(m->form()->Date_A->text(), QString());
    // The mode typed was remembered for the station, and not added to the list.
    QCOMPARE(h.stationValue(QStringLiteral("Mode Utilise")), QStringLiteral("1"));
    QCOMPARE(m->form()->Mode_A->count(), 3);
    QCOMPARE(m->form()->Mode_A->currentText(), QStringLiteral("CW"));
}

void EntryTest::insertedContactGoesInDateOrder()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B, C});
    click(m->form()->Ajout_QSO);
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Insertion QSO"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    // An insertion asks for the date even in automatic date mode.
    QCOMPARE(h.typeContact(contact("FZZZZ", "44FA003", "06/06/08", "09:00")), QString());
    QVERIFY(h.record());
    const QString inserted =
        line("FZZZZ", "44", "", "44FA003", "06/06/08", "09:00", "SSB", "14 Mhz", "59", "F.", false);
    QCOMPARE(h.logBytes(), crlf({A, inserted, B, C}));
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QVERIFY(!m->form()->Flag_Insert);
    QCOMPARE(m->Liste_VQX->currentIndex().row(), 3);
}

void EntryTest::manualDateModeKeepsTheDate()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, C}, true);
    QCOMPARE(h.typeContact(contact("FZZZZ", "44FA003", "06/06/08", "11:00")), QString());
    QVERIFY(h.record());
    QCOMPARE(h.logLines().at(1).left(5), QStringLiteral("FZZZZ"));
    QCOMPARE(m->form()->Date_A->text(), QStringLiteral("06/06/08"));
    QVERIFY(!m->form()->Date_A->isEnabled());
    QCOMPARE(m->form()->Heure_A->text(), QString());
    // The next contact finds the date in place: Enter keeps it.
    QCOMPARE(h.typeContact(contact("FYYYY", "45FA004", {}, "12:00")), QString());
    QVERIFY(h.record());
    QCOMPARE(h.logLines().at(2).left(5), QStringLiteral("FYYYY"));
    QCOMPARE(QsoLine::Date.cut(h.logLines().at(2)), QStringLiteral("06/06/08"));
}

void EntryTest::answeringNoWritesNothing()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    const QByteArray before = h.logBytes();
    MainHarness::Contact c = contact("FZZZZ", "44FA003");
    c.prenom = QStringLiteral("PAUL");
    QCOMPARE(h.typeContact(c), QString());
    h.fakes.messages.answers = {false};
    QVERIFY(h.record());
    QCOMPARE(h.logBytes(), before);
    QVERIFY(!QFileInfo::exists(h.dir.file(QStringLiteral("Liste_Prenom.txt"))));
    QCOMPARE(m->form()->Ind_A->text(), QString());
    QCOMPARE(m->form()->Prenom_A->text(), QString());
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
}

void EntryTest::alreadyContactedOnTheSameBand()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    QCOMPARE(m->form()->Bande_A->currentText(), QStringLiteral("14 Mhz"));
    Keyboard::typeEnter(QStringLiteral("FZZZZ"));
    Keyboard::enter();
    Keyboard::typeEnter(QStringLiteral("31FA001"));
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("31FA001 a déjà été contactée le 05/06/08 sur 14 Mhz")});
    QCOMPARE(m->form()->Ref_A->text(), QString());
    QCOMPARE(m->form()->Ind_A->text(), QString());
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    QVERIFY(!m->form()->Ref_A->isEnabled());

    // Another band, chosen from the keyboard: the same fountain is welcome.
    h.fakes.messages.clear();
    Keyboard::press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Bande_A"));
    Keyboard::press(Qt::Key_Up);
    Keyboard::press(Qt::Key_Up);
    QCOMPARE(m->form()->Bande_A->currentText(), QStringLiteral("7.0 Mhz"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    Keyboard::typeEnter(QStringLiteral("FZZZZ"));
    Keyboard::enter();
    Keyboard::typeEnter(QStringLiteral("31FA001"));
    QVERIFY(h.fakes.messages.shown.isEmpty());
    QCOMPARE(m->form()->Dpt_A->text(), QStringLiteral("31"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Dpt_A"));
    QCOMPARE(h.stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("2"));
}

void EntryTest::modificationReplacesTheLineInPlace()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B, C});
    clickLine(m, 1);
    QVERIFY(!m->form()->Ind_A->isEnabled());
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FBBBB"));
    doubleClickLine(m, 1);
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Modification QSO"));
    QVERIFY(m->form()->Flag_Modif);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    QVERIFY(m->form()->Rem_A->isEnabled());
    QVERIFY(m->form()->Valide_A->isEnabled());
    QCOMPARE(m->form()->Date_A->text(), QStringLiteral("06/06/08"));
    // Clicks on other lines are ignored during the modification.
    clickLine(m, 0);
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FBBBB"));
    QVERIFY(Keyboard::tabTo(QStringLiteral("Ind_A"), true));

    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Prenom_A"));
    Keyboard::typeEnter(QStringLiteral("luc"));
    Keyboard::enter();
    QCOMPARE(m->form()->Rem_A->text(), QStringLiteral("F. "));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Dpt_A"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Date_A")); // typed, not from the clock
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Heure_A"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Mode_A"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("RST_A"));
    Keyboard::enter();
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Rem_A"));
    Keyboard::typeEnter(QStringLiteral("du lavoir"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("QSL_A"));
    Keyboard::enter();
    QVERIFY(h.record());
    const QString modified = line("FBBBB", "75", "LUC", "75FT002", "06/06/08", "10:00", "SSB",
                                  "14 Mhz", "59", "F. DU LAVOIR", true);
    QCOMPARE(h.logBytes(), crlf({A, modified, C}));
    QCOMPARE(m->Liste_VQX->currentIndex().row(), 2);
    QVERIFY(!m->form()->Flag_Modif);
    QVERIFY(!m->form()->Flag_Edition);
    // The modification did not touch the remembered band.
    QCOMPARE(h.stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("4"));
}

void EntryTest::modificationOfAHandEditedLowerCaseName()
{
    MainHarness h;
    // A line whose fountain name was typed in lower case with a text editor.
    QString edited = kSampleB;
    edited.replace(QsoLine::NomFontaine.start - 1, 12, QStringLiteral("f. du lavoir"));
    MainWindow *m = openStation(h, {A, edited, C});
    doubleClickLine(m, 1);
    QCOMPARE(m->form()->Rem_A->text(), QStringLiteral("f. du lavoir"));
    QVERIFY(Keyboard::tabTo(QStringLiteral("RST_A")));
    Keyboard::retype(QStringLiteral("57"));
    QVERIFY(Keyboard::tabTo(QStringLiteral("Valide_A")));
    QVERIFY(h.record());
    QCOMPARE(h.fakes.messages.shown, QStringList());
    const QStringList lines = h.logLines();
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0), A);
    QCOMPARE(QsoLine::RstR.cut(lines.at(1)), QStringLiteral("57 "));
    QCOMPARE(QsoLine::NomFontaine.cut(lines.at(1)).trimmed(), QStringLiteral("F. DU LAVOIR"));
    QCOMPARE(lines.at(2), C);
}

void EntryTest::longFountainNameIsCutTo30()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    doubleClickLine(m, 0);
    // In a modification every field is open: Tab reaches the name and the button.
    QVERIFY(Keyboard::tabTo(QStringLiteral("Rem_A")));
    Keyboard::retype(QStringLiteral("  fontaine de la grande place du vieux"));
    QVERIFY(Keyboard::tabTo(QStringLiteral("Valide_A")));
    QVERIFY(h.record());
    QCOMPARE(m->form()->Rem_A->text().size(), 0); // emptied after recording
    const QString stored = h.logLines().value(0);
    QCOMPARE(QsoLine::NomFontaine.cut(stored), QStringLiteral("FONTAINE DE LA GRANDE PLACE DU"));
    QCOMPARE(stored.size(), 107);
}

void EntryTest::deletionRemovesALineThatOccursTwice()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B, A});
    clickLine(m, 0);
    QVERIFY(m->form()->Annule_Saisie->isEnabled());
    h.fakes.messages.answers = {true};
    click(m->form()->Annule_Saisie);
    QCOMPARE(h.fakes.messages.asked, QStringList{QStringLiteral("Voulez vous Supprimer ce QSO ?")});
    QCOMPARE(h.logBytes(), crlf({B}));
    QCOMPARE(m->logModel()->rowCount(), 1);
    QCOMPARE(m->logModel()->listLine(0).left(6), QStringLiteral("     1"));
    QVERIFY(!m->form()->Annule_Saisie->isEnabled());
    QCOMPARE(m->form()->Ind_A->text(), QString());

    // Answering No keeps the log and still empties the entry area.
    clickLine(m, 0);
    h.fakes.messages.answers = {false};
    click(m->form()->Annule_Saisie);
    QCOMPARE(h.logBytes(), crlf({B}));
    QCOMPARE(m->form()->Ind_A->text(), QString());
}

void EntryTest::deletingTheLastLineLeavesNothingToModify()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    clickLine(m, 0);
    h.fakes.messages.answers = {true};
    click(m->form()->Annule_Saisie);
    QCOMPARE(h.logBytes(), QByteArray());
    QCOMPARE(m->form()->Ligne_Selection, QString());
    // A double click on the empty list has no line to modify.
    h.fakes.messages.clear();
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("Cliquez sur une ligne pour l'editer")});
    QVERIFY(!m->form()->Flag_Modif);
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QVERIFY(!m->form()->Valide_A->isEnabled());
    QVERIFY(!m->form()->Mode_A->isEnabled());
    QCOMPARE(h.logBytes(), QByteArray());
}

void EntryTest::doubleClickBeforeAnyClick()
{
    MainHarness h;
    MainWindow *m = openStation(h);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("Cliquez sur une ligne pour l'editer")});
    QVERIFY(!m->form()->Flag_Modif);
    h.fakes.messages.clear();
    // The button is disabled here; clicked all the same, it has nothing to delete.
    m->form()->Annule_Saisie->setEnabled(true);
    click(m->form()->Annule_Saisie);
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("Cliquez sur une ligne pour l'effacer")});
    // The list still reacts to clicks once it holds a contact.
    h.fakes.messages.clear();
    QVERIFY(Keyboard::tabTo(QStringLiteral("Ind_A")));
    QCOMPARE(h.typeContact(contact("FZZZZ", "31FA001")), QString());
    QVERIFY(h.record());
    clickLine(m, 0);
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FZZZZ"));
    QCOMPARE(m->form()->Ref_A->text(), QStringLiteral("31FA001"));
}

void EntryTest::accentedFirstNameStoredInUpperCase()
{
    MainHarness h;
    MainWindow *m = openStation(h);
    MainHarness::Contact c = contact("F5ABC", "2AFA001");
    c.prenom = QStringLiteral("hélène");
    QCOMPARE(h.typeContact(c), QString());
    QCOMPARE(m->form()->Prenom_A->text(), QStringLiteral("HéLèNE"));
    QCOMPARE(m->form()->Dpt_A->text(), QStringLiteral("2a"));
    QVERIFY(h.record());
    const QString stored = h.logLines().value(0);
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
    Keyboard::typeEnter(QStringLiteral("F5ABC"));
    QCOMPARE(m->form()->Prenom_A->text(), QStringLiteral("JEAN"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Prenom_A"));
    click(m->form()->Efface_A);
    // A hand-written lower-case entry is not found for the upper-case callsign.
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    Keyboard::typeEnter(QStringLiteral("f5low"));
    QCOMPARE(m->form()->Prenom_A->text(), QString());
    // No lookup while a line is being modified.
    doubleClickLine(m, 0);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    Keyboard::retype(QStringLiteral("F5ABC"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Prenom_A"));
    QCOMPARE(m->form()->Prenom_A->text(), QString());
}

void EntryTest::fieldLimits_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // "" when accepted
    const auto row = [](const char *name, const QString &field, const QString &text,
                        const QString &message) {
        QTest::newRow(name) << field << text << message;
    };

    const QString rMessage = QStringLiteral("R (de RST)doit etre compris entre 0 et 5");
    row("band empty", "Bande_A", "", "Entrez une QRG");
    row("band 8", "Bande_A", "432 MHZZ", "7 caracteres maxi pour la QRG");
    row("band 7 not of the list", "Bande_A", "432 MHZ",
        "La QRG doit etre une des bandes de la liste");
    row("band of the list", "Bande_A", "14 mhz", "");
    row("call empty", "Ind_A", "", "Entrez un indicatif");
    row("call 12", "Ind_A", "F1ABCDEFGHIJ", "");
    row("call 13", "Ind_A", "F1ABCDEFGHIJK", "12 caracteres maxi pour l'indicatif");
    row("name empty", "Prenom_A", "", "");
    row("name 15", "Prenom_A", "ABCDEFGHIJKLMNO", "");
    row("name 16", "Prenom_A", "ABCDEFGHIJKLMNOP", "15 caracteres maxi pour le Prenom");
    row("ref empty", "Ref_A", "", "Entrez une reférence");
    row("ref 6", "Ref_A", "31FA01", "7 caracteres pour la reference ex: 31FA001");
    row("ref type", "Ref_A", "31FB001", "Le type de la fontaine doit etre FA ou FT");
    row("ref lower", "Ref_A", "31ft001", "");
    row("dpt empty", "Dpt_A", "", "");
    row("dpt 3", "Dpt_A", "123", "2 caracteres maxi pour le Departement");
    row("date format", "Date_A", "32/01/08", "Le format de la date doit etre JJ/MM/AA");
    row("date letter", "Date_A", "a", "8 caracteres pour la date ex: 01/02/08");
    row("time 4", "Heure_A", "8:45", "5 caracteres pour l'heure ex: 08:45");
    row("mode empty", "Mode_A", "", "Entrez un Mode");
    row("mode 7", "Mode_A", "OLIVIAX", "6 caracteres maxi pour le Mode");
    row("mode 4", "Mode_A", "RTTY", "3 caracteres maxi pour le Mode");
    row("mode am", "Mode_A", "am", "");
    row("rst empty", "RST_A", "", "Entrez un Report");
    row("rst 4", "RST_A", "5999", "3 caracteres maxi pour le Report");
    row("rst 679", "RST_A", "679", rMessage);
    row("rst letter", "RST_A", "A9", rMessage);
    row("rst 579", "RST_A", "579", "");
    row("rst 0", "RST_A", "0", "");
    row("rste 679", "RSTE_A", "679", rMessage);
    row("name 30", "Rem_A", QStringLiteral("F. ") + QString(27, QLatin1Char('X')), "");
    row("name 31", "Rem_A", QStringLiteral("F. ") + QString(28, QLatin1Char('X')),
        "30 caracteres maxi pour le nom de la Fontaine");
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
    int at = 0;
    QString next = QStringLiteral("Ind_A");
    if (field == QStringLiteral("Bande_A")) {
        // The band comes before the callsign in the focus order.
        Keyboard::press(Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
        while (path.at(at).first != field) {
            QCOMPARE(Keyboard::focusName(), path.at(at).first);
            Keyboard::retype(path.at(at).second);
            Keyboard::enter();
            ++at;
        }
        next = path.at(at + 1).first;
    }
    QCOMPARE(h.fakes.messages.shown, QStringList());
    QCOMPARE(Keyboard::focusName(), field);
    Keyboard::retype(text);
    QWidget *w = m->findChild<QWidget *>(field);
    const auto textOf = [w] {
        if (auto *combo = qobject_cast<QComboBox *>(w))
            return combo->currentText();
        return qobject_cast<QLineEdit *>(w)->text();
    };
    const QString typed = textOf();
    QCOMPARE(typed, text.toUpper()); // the typing rule, except in the department
    Keyboard::enter();
    if (message.isEmpty()) {
        QCOMPARE(h.fakes.messages.shown, QStringList());
        QCOMPARE(Keyboard::focusName(), next);
    } else {
        QCOMPARE(h.fakes.messages.shown, QStringList{message});
        QCOMPARE(Keyboard::focusName(), field);
        // The field keeps its text (the department after its lower-casing).
        QCOMPARE(textOf(), field == QStringLiteral("Dpt_A") ? typed.toLower() : typed);
    }
}

void EntryTest::typingInTheComboBoxes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");      // while typing
    QTest::addColumn<QString>("entered");    // after Enter
    QTest::addColumn<QString>("remembered"); // the position stored for the station
    QTest::addColumn<QString>("message");    // "" when Enter is accepted
    const auto row = [](const char *name, const QString &field, const QString &typed,
                        const QString &shown, const QString &entered, const QString &remembered,
                        const QString &message) {
        QTest::newRow(name) << field << typed << shown << entered << remembered << message;
    };

    const QString notABand = QStringLiteral("La QRG doit etre une des bandes de la liste");
    // Nothing is completed from the list while typing; a band typed
    // ignoring case and blanks becomes the item it names on Enter.
    row("band of the list", "Bande_A", "10 mhz", "10 MHZ", "10 Mhz", "3", "");
    row("band without its blank", "Bande_A", "14mhz", "14MHZ", "14 Mhz", "4", "");
    row("band after a blank", "Bande_A", " 7.0mhz", " 7.0MHZ", "7.0 Mhz", "2", "");
    // Refused: the text stays for correction, the position stored while
    // typing is the item the text named before each key (none after "1").
    row("band start of an item", "Bande_A", "1", "1", "1", "4", notABand);
    row("band digits", "Bande_A", "144", "144", "144", "-1", notABand);
    row("band not of the list", "Bande_A", "432 mhz", "432 MHZ", "432 MHZ", "-1", notABand);
    row("mode of the list", "Mode_A", "fm", "FM", "FM", "2", "");
    row("mode start of an item", "Mode_A", "s", "S", "S", "-1", "");
    row("mode not in the list", "Mode_A", "am", "AM", "AM", "-1", "");
}

void EntryTest::typingInTheComboBoxes()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, entered);
    QFETCH(QString, remembered);
    QFETCH(QString, message);
    MainHarness h;
    MainWindow *m = openStation(h);
    auto *combo = m->findChild<QComboBox *>(field);
    const bool band = field == QStringLiteral("Bande_A");
    const QString key = band ? QStringLiteral("bande Utilisee") : QStringLiteral("Mode Utilise");
    if (band) {
        Keyboard::press(Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
        Keyboard::typeEnter(QStringLiteral("F1AAA"));
        Keyboard::enter();
        Keyboard::typeEnter(QStringLiteral("31FA001"));
        Keyboard::enter();
    }
    QCOMPARE(Keyboard::focusName(), field);
    // The text shown when the turn comes is typed over at once.
    Keyboard::type(typed);
    QCOMPARE(combo->currentText(), shown);
    Keyboard::enter();
    QCOMPARE(combo->currentText(), entered);
    QCOMPARE(combo->count(), band ? 11 : 3);
    QCOMPARE(h.stationValue(key), remembered);
    if (message.isEmpty()) {
        QCOMPARE(h.fakes.messages.shown, QStringList());
        QCOMPARE(Keyboard::focusName(), band ? QStringLiteral("Ind_A") : QStringLiteral("RST_A"));
        if (band)
            QCOMPARE(combo->currentIndex(), remembered.toInt());
    } else {
        QCOMPARE(h.fakes.messages.shown, QStringList{message});
        QCOMPARE(Keyboard::focusName(), field);
    }
}

void EntryTest::charactersOutsideTheCodePageAreKeptOut()
{
    MainHarness h;
    MainWindow *m = openStation(h);
    Keyboard::type(QStringLiteral("F5ЖA"));
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("F5A"));
    Keyboard::retype(QString());
    Keyboard::paste(QStringLiteral("F6Ж😀B"));
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("F6B"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Prenom_A"));
    Keyboard::type(QStringLiteral("éçè"));
    QCOMPARE(m->form()->Prenom_A->text(), QStringLiteral("éçè"));
}

void EntryTest::bandAndModeAreRememberedOutsideModification()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    Keyboard::press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Bande_A"));
    Keyboard::press(Qt::Key_Down);
    QCOMPARE(m->form()->Bande_A->currentText(), QStringLiteral("18 Mhz"));
    Keyboard::enter();
    QCOMPARE(h.stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("5"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    // In a modification neither the band nor the mode is remembered.
    doubleClickLine(m, 0);
    QVERIFY(Keyboard::tabTo(QStringLiteral("Bande_A"), true));
    Keyboard::press(Qt::Key_Down);
    Keyboard::enter();
    QVERIFY(Keyboard::tabTo(QStringLiteral("Mode_A")));
    Keyboard::type(QStringLiteral("cw"));
    Keyboard::enter();
    QCOMPARE(h.stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("5"));
    QCOMPARE(h.stationValue(QStringLiteral("Mode Utilise")), QStringLiteral("<absent>"));
    click(m->form()->Efface_A);
    QCOMPARE(m->form()->Bande_A->currentText(), QStringLiteral("18 Mhz"));
    QCOMPARE(m->form()->Mode_A->currentText(), QStringLiteral("SSB"));
    QCOMPARE(m->form()->Rem_A->text(), QStringLiteral(" "));
}

void EntryTest::qslIsOutOfReachWhileWaiting_data()
{
    QTest::addColumn<QString>("before");
    QTest::newRow("at start") << "start";
    QTest::newRow("a line shown") << "click";
    QTest::newRow("a modification abandoned") << "abandon";
    QTest::newRow("after a recording") << "record";
}

// Tab must never reach the QSL box of an empty entry area: from there Enter,
// Enter and Yes would record a contact with no callsign.
void EntryTest::qslIsOutOfReachWhileWaiting()
{
    QFETCH(QString, before);
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    if (before == QStringLiteral("click")) {
        clickLine(m, 0);
    } else if (before == QStringLiteral("abandon")) {
        doubleClickLine(m, 0);
        QVERIFY(m->form()->QSL_A->isEnabled());
        click(m->form()->Efface_A);
    } else if (before == QStringLiteral("record")) {
        QCOMPARE(h.typeContact(contact("FZZZZ", "44FA003")), QString());
        QVERIFY(h.record());
    }
    const QByteArray log = h.logBytes();
    h.fakes.messages.clear();
    QStringList reached;
    for (int i = 0; i < 30 && Keyboard::focusName() != QStringLiteral("QSL_A"); ++i) {
        Keyboard::tab();
        reached << Keyboard::focusName();
    }
    QVERIFY(!m->form()->QSL_A->isEnabled());
    // Enter where the tabbing stopped (on the list it opens a modification).
    Keyboard::enter();
    Keyboard::enter();
    QCOMPARE(h.fakes.messages.asked, QStringList());
    QCOMPARE(h.logBytes(), log);
    QVERIFY2(!reached.contains(QStringLiteral("QSL_A")), qPrintable(reached.join(u' ')));
    QVERIFY(!reached.contains(QStringLiteral("Valide_A")));
}

void EntryTest::insertStartsFromAnEmptyEntryArea_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("manualDate");
    QTest::newRow("a line shown") << "click" << false;
    QTest::newRow("a line shown, manual date") << "click" << true;
    QTest::newRow("a modification under way") << "modify" << false;
    QTest::newRow("nothing shown") << "nothing" << false;
}

void EntryTest::insertStartsFromAnEmptyEntryArea()
{
    QFETCH(QString, before);
    QFETCH(bool, manualDate);
    MainHarness h;
    const QString shown =
        qso(QStringLiteral("FBBBB"), QStringLiteral("13FT010"), QStringLiteral("06/06/08"),
            QStringLiteral("10:00"), QStringLiteral("14 Mhz"), true, QStringLiteral("CW"),
            QStringLiteral("LUC"), QStringLiteral("F. DU PARC"));
    MainWindow *m = openStation(h, {A, shown, C}, manualDate);
    if (before == QStringLiteral("click")) {
        clickLine(m, 1);
        QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FBBBB"));
    } else if (before == QStringLiteral("modify")) {
        doubleClickLine(m, 1);
        Keyboard::type(QStringLiteral("X"));
        QVERIFY(m->form()->Flag_Modif);
    }
    // "Inserer un QSO" from the keyboard.
    QVERIFY(Keyboard::tabTo(QStringLiteral("Ajout_QSO")));
    Keyboard::press(Qt::Key_Space);

    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Insertion QSO"));
    QVERIFY(m->form()->Flag_Insert);
    QVERIFY(!m->form()->Flag_Modif);
    QVERIFY(!m->form()->Flag_Edition);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    QVERIFY(m->form()->Ind_A->isEnabled());
    QCOMPARE(background(m->form()->Ind_A), kLightGreen);
    for (QLineEdit *e : {m->form()->Ind_A, m->form()->Prenom_A, m->form()->Ref_A, m->form()->Dpt_A,
                         m->form()->Date_A, m->form()->Heure_A})
        QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName() + u' ' + e->text()));
    QCOMPARE(m->form()->Rem_A->text(), QStringLiteral(" "));
    QVERIFY(!m->form()->QSL_A->isChecked());
    QCOMPARE(m->form()->Mode_A->currentText(), QStringLiteral("SSB"));
    QCOMPARE(m->form()->RST_A->text(), QStringLiteral("59"));
    QVERIFY(!m->form()->Valide_A->isEnabled());
    QVERIFY(!m->form()->Prenom_A->isEnabled());

    // The contact typed holds only what was typed, and its first name is
    // not the shown line's.
    QCOMPARE(h.typeContact(contact("f5new", "69fa010", "06/06/08", "12:00")), QString());
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("F5NEW"));
    QCOMPARE(m->form()->Ref_A->text(), QStringLiteral("69FA010"));
    QCOMPARE(m->form()->Prenom_A->text(), QString());
    QVERIFY(h.record());
    const QString inserted =
        line("F5NEW", "69", "", "69FA010", "06/06/08", "12:00", "SSB", "14 Mhz", "59", "F.", false);
    QCOMPARE(h.logBytes(), crlf({A, shown, inserted, C}));
    QCOMPARE(readBytes(h.dir.file(QStringLiteral("Liste_Prenom.txt"))),
             QByteArray("F5NEW        69 \r\n"));
}

// Whatever a field holds when Enter hands it the turn is replaced by what
// is typed; only the fountain name is added to its "F. ".
void EntryTest::prefilledFieldsOfANewContactAreTypedOver()
{
    MainHarness h;
    QVERIFY(writeBytes(h.dir.file(QStringLiteral("Liste_Prenom.txt")),
                       crlf({QStringLiteral("F5ABC        31 JEAN")})));
    MainWindow *m = openStation(h, {A}, true);
    QCOMPARE(h.typeContact(contact("FZZZZ", "44FA003", "06/06/08", "10:00")), QString());
    QVERIFY(h.record());
    QCOMPARE(m->form()->Date_A->text(), QStringLiteral("06/06/08")); // kept for the next contact

    // Types in the focused field, then Enter; gives what the field showed before Enter.
    const auto typeOver = [](const QString &typed) {
        Keyboard::type(typed);
        QWidget *focus = Keyboard::focus();
        auto *combo = qobject_cast<QComboBox *>(focus);
        auto *edit = qobject_cast<QLineEdit *>(focus);
        const QString shown = combo ? combo->currentText() : edit ? edit->text() : QString();
        Keyboard::enter();
        return shown;
    };
    Keyboard::typeEnter(QStringLiteral("F5ABC"));
    QCOMPARE(m->form()->Prenom_A->text(), QStringLiteral("JEAN"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Prenom_A"));
    QCOMPARE(typeOver(QStringLiteral("paul")), QStringLiteral("PAUL"));
    Keyboard::typeEnter(QStringLiteral("45fa004"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Date_A"));
    QCOMPARE(typeOver(QStringLiteral("07/06/08")), QStringLiteral("07/06/08"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Heure_A"));
    QCOMPARE(typeOver(QStringLiteral("11:00")), QStringLiteral("11:00"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Mode_A"));
    QCOMPARE(typeOver(QStringLiteral("cw")), QStringLiteral("CW"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("RST_A"));
    QCOMPARE(m->form()->RST_A->text(), QStringLiteral("599"));
    QCOMPARE(typeOver(QStringLiteral("57")), QStringLiteral("57"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("RSTE_A"));
    QCOMPARE(typeOver(QStringLiteral("55")), QStringLiteral("55"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Rem_A"));
    QCOMPARE(typeOver(QStringLiteral("du parc")), QStringLiteral("F. DU PARC"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("QSL_A"));
    Keyboard::enter();
    QCOMPARE(h.fakes.messages.shown, QStringList());
    QVERIFY(h.record());
    QsoFields f{"F5ABC", "45",     "PAUL", "45FA004", "07/06/08",   "11:00",
                "CW",    "14 Mhz", "57",   "55",      "F. DU PARC", false};
    QCOMPARE(h.logLines().value(2), buildQsoLine(f));
}

void EntryTest::fieldsOfAModificationAreTypedOver_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *name, const QString &field, const QString &typed,
                        const QString &shown) { QTest::newRow(name) << field << typed << shown; };

    // The field reached first is given by the double click itself.
    row("callsign", "Ind_A", "f5new", "F5NEW");
    row("first name", "Prenom_A", "paul", "PAUL");
    row("reference", "Ref_A", "44fa003", "44FA003");
    row("department", "Dpt_A", "44", "44");
    row("date", "Date_A", "07/06/08", "07/06/08");
    row("time", "Heure_A", "11:30", "11:30");
    row("mode", "Mode_A", "cw", "CW");
    row("received report", "RST_A", "57", "57");
    row("sent report", "RSTE_A", "55", "55");
    row("fountain name", "Rem_A", "du lavoir", "F. DU LAVOIR");
}

void EntryTest::fieldsOfAModificationAreTypedOver()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    MainHarness h;
    const QString old =
        qso(QStringLiteral("FBBBB"), QStringLiteral("75FT002"), QStringLiteral("06/06/08"),
            QStringLiteral("10:00"), QStringLiteral("14 Mhz"), true, QStringLiteral("SSB"),
            QStringLiteral("LUC"), QStringLiteral("F. DU PARC"));
    MainWindow *m = openStation(h, {A, old, C});
    doubleClickLine(m, 1);
    // Every field in turn with Enter; the one under test is typed over.
    const QStringList order = {
        QStringLiteral("Ind_A"),  QStringLiteral("Prenom_A"), QStringLiteral("Ref_A"),
        QStringLiteral("Dpt_A"),  QStringLiteral("Date_A"),   QStringLiteral("Heure_A"),
        QStringLiteral("Mode_A"), QStringLiteral("RST_A"),    QStringLiteral("RSTE_A"),
        QStringLiteral("Rem_A"),  QStringLiteral("QSL_A")};
    for (const QString &name : order) {
        QCOMPARE(Keyboard::focusName(), name);
        if (name == field) {
            Keyboard::type(typed);
            QWidget *w = m->findChild<QWidget *>(field);
            auto *combo = qobject_cast<QComboBox *>(w);
            QCOMPARE(combo ? combo->currentText() : qobject_cast<QLineEdit *>(w)->text(), shown);
        }
        Keyboard::enter();
    }
    QCOMPARE(h.fakes.messages.shown, QStringList());
    QVERIFY(h.record());

    // The line as Enter through every field leaves it: the department from
    // the reference, "F. " for the name, the mode's default reports.
    QsoFields f{"FBBBB", "75",     "LUC", "75FT002", "06/06/08", "10:00",
                "SSB",   "14 Mhz", "59",  "59",      "F.",       true};
    if (field == QStringLiteral("Ind_A"))
        f.indicatif = shown;
    else if (field == QStringLiteral("Prenom_A"))
        f.prenom = shown;
    else if (field == QStringLiteral("Ref_A"))
        f.ref = shown, f.dpt = shown.left(2);
    else if (field == QStringLiteral("Dpt_A"))
        f.dpt = shown;
    else if (field == QStringLiteral("Date_A"))
        f.date = shown;
    else if (field == QStringLiteral("Heure_A"))
        f.heure = shown;
    else if (field == QStringLiteral("Mode_A"))
        f.mode = shown, f.rstR = f.rstE = QStringLiteral("599");
    else if (field == QStringLiteral("RST_A"))
        f.rstR = shown;
    else if (field == QStringLiteral("RSTE_A"))
        f.rstE = shown;
    else if (field == QStringLiteral("Rem_A"))
        f.nomFontaine = shown;
    QCOMPARE(h.logBytes(), crlf({A, buildQsoLine(f), C}));
}

void EntryTest::typedBandFindsTheFountainAlreadyContacted_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter"); // Enter in the band; otherwise Tab
    QTest::newRow("lower case, Enter") << "14 mhz" << true;
    QTest::newRow("no blank, Enter") << "14MHZ" << true;
    QTest::newRow("leading blank, Enter") << " 14 Mhz" << true;
    QTest::newRow("lower case, Tab") << "14 mhz" << false;
}

// 31FA001 is in the log on 14 Mhz: however the band is typed, the same
// fountain on the same band is refused.
void EntryTest::typedBandFindsTheFountainAlreadyContacted()
{
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.setStationValue(QStringLiteral("bande Utilisee"), QStringLiteral("2")); // 7.0 Mhz
    h.writeLog({A});
    MainWindow *m = h.open();
    Keyboard::press(Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Bande_A"));
    Keyboard::type(typed);
    if (enter) {
        Keyboard::enter();
        QCOMPARE(m->form()->Bande_A->currentText(), QStringLiteral("14 Mhz"));
        QCOMPARE(m->form()->Bande_A->currentIndex(), 4);
        QCOMPARE(h.stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("4"));
    } else {
        Keyboard::tab();
    }
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    Keyboard::typeEnter(QStringLiteral("FZZZZ"));
    Keyboard::enter();
    Keyboard::typeEnter(QStringLiteral("31FA001"));
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("31FA001 a déjà été contactée le 05/06/08 sur 14 Mhz")});
    QCOMPARE(h.logBytes(), crlf({A}));
}

void EntryTest::failedWriteKeepsTheContactInTheFields()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    const QByteArray before = h.logBytes();
    QCOMPARE(h.typeContact(contact("FZZZZ", "44FA003")), QString());
    QVERIFY(QDir(h.dir.path()).mkdir(QStringLiteral("Temporaire.txt")));
    QVERIFY(h.record());
    QCOMPARE(h.logBytes(), before);
    QVERIFY(h.fakes.messages.last().contains(QStringLiteral("Le log est resté tel qu'il était.")));
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FZZZZ"));
    QCOMPARE(m->form()->Ref_A->text(), QStringLiteral("44FA003"));
    QVERIFY(m->form()->Valide_A->isEnabled());
}

QTEST_MAIN(EntryTest)
#include "entry_test.moc"
