// Start-up, menus, clock and the station window.
#include "main_harness.h"

#include "awards/award_levels_window.h"
#include "contacted/contacted_window.h"
#include "station/station_window.h"

#include <QAction>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString kFirstRunMessage =
    QStringLiteral("\r\nPremiere installation, vous devez entrer votre Indicatif\r\n\r\n");

// Runs `act` on the modal station window once it is shown.
// The window is always closed afterwards, so a failed check cannot hang the test.
void onStationWindow(const std::function<void(StationWindow *)> &act, bool *seen)
{
    QTimer::singleShot(0, [act, seen] {
        auto *w = qobject_cast<StationWindow *>(QApplication::activeModalWidget());
        *seen = w != nullptr;
        if (!w)
            return;
        QPointer<StationWindow> alive(w);
        act(w);
        if (alive)
            alive->close();
    });
}

// Distance between the centres of a window and of its screen's free area.
// The window is placed before its frame exists, so the frame may shift it a little.
int offCentre(const QWidget *w)
{
    return (w->frameGeometry().center() - w->screen()->availableGeometry().center())
        .manhattanLength();
}

// Chooses a station from the menu, typing its callsign and pressing Enter
// twice: the field hands the turn to the button, the button validates.
StationWindow *chooseStation(MainWindow *m, const QString &typed)
{
    m->Mnu_New_Indicatif->trigger();
    auto *w = qobject_cast<StationWindow *>(m->secondary(QStringLiteral("Station")));
    if (!w || !Keyboard::activate(w))
        return nullptr;
    Keyboard::type(typed);
    Keyboard::enter();
    Keyboard::enter();
    return w;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStartWithNoSettings();
    void firstStartClosedWithoutCallsignStaysFxxxx();
    void firstRunGuardKeepsKeysOutOfIndA_data();
    void firstRunGuardKeepsKeysOutOfIndA();
    void titleHeaderAndMenus();
    void dateModeAtStart_data();
    void dateModeAtStart();
    void dateModeMenus();
    void clockRollsOverAtUtcMidnight();
    void missingLogIsReportedAndNothingIsCreated();
    void loadsTheLogNumberedAndSelectsTheLastLine();
    void irregularLogIsShownAndLeftAlone();
    void failedRewriteKeepsTheLogAndTellsTheOperator();
    void stationTypingAndValidation();
    void stationRefusals_data();
    void stationRefusals();
    void stationWithExistingLogKeepsItsContacts();
    void stationWindowIsOpenedOnce();
    void stationCannotCreateItsLog();
    void stationChangeEndsTheModification();
    void stationChangeClosesTheFormerStationsWindows();
    void stationChangeOpensTheNewListAtItsNewestContact_data();
    void stationChangeOpensTheNewListAtItsNewestContact();
    void enterOnTheNewListModifiesItsNewestContact();
};

void MainWindowTest::firstStartWithNoSettings()
{
    MainHarness h;
    QString typedStation;
    QString focusAtOpen;
    QString focusAfterEnter;
    int offset = -1;
    QColor fieldColour;
    bool seen = false;
    onStationWindow(
        [&](StationWindow *w) {
            if (!Keyboard::activate(w))
                return;
            offset = offCentre(w);
            focusAtOpen = Keyboard::focusName();
            Keyboard::type(QStringLiteral("fyyyy/p"));
            typedStation = w->New_Indicatif->text();
            Keyboard::enter();
            focusAfterEnter = Keyboard::focusName();
            fieldColour = w->New_Indicatif->palette().color(QPalette::Base);
            Keyboard::enter();
        },
        &seen);
    MainWindow *m = h.open();
    QVERIFY2(seen, "the station window should be shown modally at first start");
    QCOMPARE(focusAtOpen, QStringLiteral("New_Indicatif"));
    QVERIFY2(offset >= 0 && offset <= 8, qPrintable(QString::number(offset)));
    QCOMPARE(typedStation, QStringLiteral("FYYYY_P"));
    QCOMPARE(focusAfterEnter, QStringLiteral("Validation"));
    QCOMPARE(fieldColour, QColor(Qt::white));
    QCOMPARE(h.fakes.messages.shown.value(0), kFirstRunMessage);
    QCOMPARE(m->form()->Bande_A->currentText(), QStringLiteral("1.8 Mhz"));
    QCOMPARE(m->form()->Mode_A->currentText(), QStringLiteral("SSB"));
    QVERIFY(m->Mnu_Date_Auto->isChecked());
    QCOMPARE(m->Label5->text(), QStringLiteral("Date automatique"));
    QCOMPARE(h.fakes.settings.get(kAppVqx, kSectionSetup, QStringLiteral("Chemin Repertoire")),
             QDir::toNativeSeparators(h.dir.path()));
    // The station chosen in the first-run window: its log, its section, its label.
    QCOMPARE(h.station(), QStringLiteral("FYYYY_P"));
    QCOMPARE(QFileInfo(h.dir.file(QStringLiteral("FYYYY_P_VQX.log"))).size(), 0);
    QCOMPARE(m->I_Station->text(), QStringLiteral("FYYYY/P"));
    QCOMPARE(h.stationValue(QStringLiteral("Revision")), QStringLiteral(" 1.0.1"));
    QCOMPARE(h.stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("0"));
    QCOMPARE(m->logModel()->rowCount(), 0);
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    QCOMPARE(h.fakes.messages.shown.size(), 1);
}

void MainWindowTest::firstStartClosedWithoutCallsignStaysFxxxx()
{
    MainHarness h;
    bool seen = false;
    onStationWindow([](StationWindow *) {}, &seen);
    MainWindow *m = h.open();
    QVERIFY(seen);
    QCOMPARE(m->shared().Indicatif_Station, QStringLiteral("FXXXX"));
    QCOMPARE(h.station(), QStringLiteral("FXXXX"));
    QCOMPARE(m->logModel()->rowCount(), 0);
    QVERIFY(h.dir.entries().isEmpty());
    // The first-run guard: any key in Ind_A says what to do first.
    h.fakes.messages.clear();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    Keyboard::type(QStringLiteral("f"));
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY(h.fakes.messages.last().startsWith(
        QStringLiteral("\r\n         Premiere installation, vous devez entrer votre Indicatif")));
    QVERIFY(h.fakes.messages.last().endsWith(
        QStringLiteral("\r\n\r\nPour cela dans la barre des menus allez dans Station puis "
                       "Nouvel Indicatif.")));
    QCOMPARE(m->form()->Ind_A->text(), QString()); // the key never reached the field
}

void MainWindowTest::firstRunGuardKeepsKeysOutOfIndA_data()
{
    QTest::addColumn<QString>("keys"); // typed, or a named key
    QTest::addColumn<int>("messages");
    QTest::newRow("lower-case letter") << "f" << 1;
    QTest::newRow("callsign") << "f5xyz" << 5;
    QTest::newRow("accented letter") << QStringLiteral("é") << 1;
    QTest::newRow("Enter") << "<Enter>" << 1;
    QTest::newRow("Backspace") << "<Backspace>" << 1;
    QTest::newRow("paste") << "<Paste>" << 0;
}

void MainWindowTest::firstRunGuardKeepsKeysOutOfIndA()
{
    QFETCH(QString, keys);
    QFETCH(int, messages);
    MainHarness h;
    bool seen = false;
    onStationWindow([](StationWindow *) {}, &seen);
    MainWindow *m = h.open();
    QVERIFY(seen);
    h.fakes.messages.clear();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    if (keys == QStringLiteral("<Enter>"))
        Keyboard::enter();
    else if (keys == QStringLiteral("<Backspace>"))
        Keyboard::press(Qt::Key_Backspace);
    else if (keys == QStringLiteral("<Paste>"))
        Keyboard::paste(QStringLiteral("F5XYZ"));
    else
        Keyboard::type(keys);
    QCOMPARE(h.fakes.messages.shown.size(), messages);
    for (const QString &shown : std::as_const(h.fakes.messages.shown))
        QVERIFY(shown.contains(QStringLiteral("Premiere installation")));
    QCOMPARE(m->form()->Ind_A->text(), QString());
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    QVERIFY(!m->form()->Prenom_A->isEnabled());

    // Once the station is chosen, the callsign field takes what is typed,
    // and only that.
    QVERIFY(chooseStation(m, QStringLiteral("f1abc")));
    QTRY_VERIFY(!m->secondary(QStringLiteral("Station")));
    QVERIFY(Keyboard::activate(m));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    h.fakes.messages.clear();
    Keyboard::typeEnter(QStringLiteral("f6abc"));
    QCOMPARE(h.fakes.messages.shown, QStringList());
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("F6ABC"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Prenom_A"));
}

void MainWindowTest::titleHeaderAndMenus()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({});
    MainWindow *m = h.open();
    QCOMPARE(m->windowTitle(), QStringLiteral("ZAT VQX   Diplome Ondrelle Revision  1.0.1"));
    const QString header = m->Label_Liste_VQX->text();
    QCOMPARE(header.size(), 191);
    QList<int> runs;
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral(" +")).globalMatch(header);
    while (it.hasNext())
        runs << int(it.next().capturedLength());
    QCOMPARE(runs, (QList<int>{9, 4, 15, 6, 23, 12, 10, 4, 5, 3, 1, 8, 1, 1, 1, 25}));
    QCOMPARE(m->I_Station->text(), QStringLiteral("F1ABC"));

    // Captions are compared without their keyboard mnemonic ("&Fichier").
    const auto caption = [](const QAction *a) { return a->text().remove(QLatin1Char('&')); };
    QStringList captions;
    for (QAction *a : m->menuBar()->actions())
        captions << caption(a);
    QCOMPARE(captions, (QStringList{QStringLiteral("Fichier"), QStringLiteral("Date"),
                                    QStringLiteral("Station"), QStringLiteral("Liste"),
                                    QStringLiteral("Carte "), QStringLiteral("Diplomes"),
                                    QStringLiteral("Afficher Cluster"), QStringLiteral("Règlement"),
                                    QStringLiteral("Trafic"), QStringLiteral("Aide")}));
    QCOMPARE(caption(m->Mnu_Spots), QStringLiteral("Spots VQX"));
    QCOMPARE(caption(m->Mnu_ADIF), QStringLiteral("Exporter le log au format ADIF"));
    QCOMPARE(caption(m->Mnu_Quitter), QStringLiteral("Quitter ZAT_VQX"));
    QCOMPARE(caption(m->Mnu_L_Contacte), QStringLiteral("des Fontaines contactées"));
    QCOMPARE(caption(m->Mnu_Carte_Contacte), QStringLiteral("des départements contactés"));

    m->Mnu_Apropos->trigger();
    QVERIFY(h.fakes.messages.last().startsWith(QStringLiteral("ZAT_VQX  Révision  1.0.1\r\n\r\n")));
    m->Mnu_Historique->trigger();
    QCOMPARE(h.fakes.messages.last(),
             QStringLiteral("V1.0.0   le 12/01/2015 creation\r\nV1.0.1   le 05/52/2021 Nouveau "
                            "Cluster\r\n"));
    m->Mnu_VHF->trigger();
    QCOMPARE(m->awardChoice().Groupe_Bandes, QStringLiteral("VHF"));
    m->Mnu_HF->trigger();
    QCOMPARE(m->awardChoice().Groupe_Bandes, QStringLiteral("HF"));
}

void MainWindowTest::dateModeAtStart_data()
{
    QTest::addColumn<QString>("stored"); // "" when absent
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<bool>("manual");
    QTest::newRow("absent") << ""
                            << "Date automatique" << true << false;
    QTest::newRow("Oui") << "Oui"
                         << "Date automatique" << true << false;
    QTest::newRow("Non") << "Non"
                         << "Date manuelle" << false << true;
    // An unknown value changes nothing: the label keeps its first caption.
    QTest::newRow("unknown") << "oui"
                             << "Date" << true << false;
}

void MainWindowTest::dateModeAtStart()
{
    QFETCH(QString, stored);
    QFETCH(QString, label);
    QFETCH(bool, automatic);
    QFETCH(bool, manual);
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    if (!stored.isEmpty())
        h.setStationValue(QStringLiteral("Date Auto"), stored);
    h.setStationValue(QStringLiteral("bande Utilisee"), QStringLiteral("4"));
    h.setStationValue(QStringLiteral("Mode Utilise"), QStringLiteral("1"));
    h.writeLog({});
    MainWindow *m = h.open();
    QCOMPARE(m->Mnu_Date_Auto->isChecked(), automatic);
    QCOMPARE(m->Mnu_Date_Man->isChecked(), manual);
    QCOMPARE(m->Label5->text(), label);
    QCOMPARE(m->form()->Bande_A->currentText(), QStringLiteral("14 Mhz"));
    QCOMPARE(m->form()->Mode_A->currentText(), QStringLiteral("CW"));
    QCOMPARE(m->form()->RST_A->text(), QStringLiteral("599"));
}

void MainWindowTest::dateModeMenus()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({});
    MainWindow *m = h.open();
    m->Mnu_Date_Man->trigger();
    QVERIFY(m->Mnu_Date_Man->isChecked());
    QVERIFY(!m->Mnu_Date_Auto->isChecked());
    QCOMPARE(m->Label5->text(), QStringLiteral("Date manuelle"));
    QCOMPARE(h.stationValue(QStringLiteral("Date Auto")), QStringLiteral("Non"));
    // A contact typed up to its date.
    Keyboard::typeEnter(QStringLiteral("F1AAA"));
    Keyboard::enter();
    Keyboard::typeEnter(QStringLiteral("31FA001"));
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Date_A"));
    Keyboard::type(QStringLiteral("01/02/08"));
    m->Mnu_Date_Man->trigger();
    QVERIFY(m->Mnu_Date_Man->isChecked());
    QCOMPARE(m->form()->Date_A->text(), QStringLiteral("01/02/08"));
    m->Mnu_Date_Auto->trigger();
    QVERIFY(m->Mnu_Date_Auto->isChecked());
    QVERIFY(!m->Mnu_Date_Man->isChecked());
    QCOMPARE(m->form()->Date_A->text(), QString());
    QCOMPARE(m->Label5->text(), QStringLiteral("Date automatique"));
    QCOMPARE(h.stationValue(QStringLiteral("Date Auto")), QStringLiteral("Oui"));
    // Choosing the ticked item again keeps it ticked.
    m->Mnu_Date_Auto->trigger();
    QVERIFY(m->Mnu_Date_Auto->isChecked());
}

void MainWindowTest::clockRollsOverAtUtcMidnight()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({});
    // Local time is two hours ahead: the local date has already changed.
    h.fakes.clock.utc = QDateTime(QDate(2021, 12, 31), QTime(23, 59, 59), Qt::UTC);
    MainWindow *m = h.open();
    QCOMPARE(m->Label37->text(), QStringLiteral("23:59 Utc"));
    QCOMPARE(m->Label34->text(), QStringLiteral("01:59 Loc"));
    QCOMPARE(m->Label33->text(), QStringLiteral("31/12/21"));
    QCOMPARE(m->Timer1->interval(), 1000);
    QVERIFY(m->Timer1->isActive());
    h.fakes.clock.utc = h.fakes.clock.utc.addSecs(1);
    // One tick of the timer, whatever the local date says.
    QTRY_COMPARE_WITH_TIMEOUT(m->Label33->text(), QStringLiteral("01/01/22"), 3000);
    QCOMPARE(m->Label37->text(), QStringLiteral("00:00 Utc"));
    QCOMPARE(m->Label34->text(), QStringLiteral("02:00 Loc"));
}

void MainWindowTest::missingLogIsReportedAndNothingIsCreated()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    MainWindow *m = h.open();
    QCOMPARE(m->logModel()->rowCount(), 0);
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY(h.fakes.messages.last().contains(QDir::toNativeSeparators(h.logFile())));
    QVERIFY(h.fakes.messages.last().contains(QStringLiteral("introuvable")));
    QVERIFY(!QFileInfo::exists(h.logFile()));
}

void MainWindowTest::loadsTheLogNumberedAndSelectsTheLastLine()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    const QStringList lines = generatedLog(12);
    h.writeLog(lines);
    const QByteArray before = h.logBytes();
    MainWindow *m = h.open();
    QCOMPARE(m->logModel()->rowCount(), 12);
    QCOMPARE(m->logModel()->listLine(9).left(8), QStringLiteral("    10  "));
    QCOMPARE(m->Liste_VQX->currentIndex().row(), 11);
    QCOMPARE(m->form()->Ligne_Selection, m->logModel()->listLine(11));
    // The entry area is empty again, waiting for the next contact.
    QCOMPARE(m->form()->Ind_A->text(), QString());
    QVERIFY(!m->form()->Annule_Saisie->isEnabled());
    QCOMPARE(h.logBytes(), before);
    QVERIFY(h.fakes.messages.shown.isEmpty());
}

void MainWindowTest::irregularLogIsShownAndLeftAlone()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    const QStringList lines = generatedLog(3);
    const QByteArray bytes = codepage::encode(lines.at(0) + QStringLiteral("\n") +
                                              lines.at(1).left(40) + QStringLiteral("\r\n"));
    QVERIFY(writeBytes(h.logFile(), bytes));
    MainWindow *m = h.open();
    QCOMPARE(m->logModel()->rowCount(), 2);
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY(h.fakes.messages.last().contains(QDir::toNativeSeparators(h.logFile())));
    QVERIFY(h.fakes.messages.last().contains(QStringLiteral("107")));
    QCOMPARE(h.logBytes(), bytes);
}

void MainWindowTest::failedRewriteKeepsTheLogAndTellsTheOperator()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog(generatedLog(2));
    const QByteArray before = h.logBytes();
    MainWindow *m = h.open();
    QVERIFY(QDir(h.dir.path()).mkdir(QStringLiteral("Temporaire.txt")));
    m->selectListLine(0);
    h.fakes.messages.answers = {true};
    m->form()->Annule_Saisie->click();
    QCOMPARE(h.fakes.messages.asked, QStringList{QStringLiteral("Voulez vous Supprimer ce QSO ?")});
    QCOMPARE(h.logBytes(), before);
    QCOMPARE(m->logModel()->rowCount(), 2);
    QVERIFY(h.fakes.messages.last().contains(QStringLiteral("n'a pas pu être mis à jour")));
    QVERIFY(h.fakes.messages.last().contains(QStringLiteral("Le log est resté tel qu'il était.")));
}

void MainWindowTest::stationTypingAndValidation()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog(generatedLog(3));
    MainWindow *m = h.open();
    m->Mnu_New_Indicatif->trigger();
    auto *w = qobject_cast<StationWindow *>(m->secondary(QStringLiteral("Station")));
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Selection Indicatif"));
    QVERIFY(!w->isModal());
    QVERIFY(Keyboard::activate(w));
    QVERIFY2(offCentre(w) <= 8, qPrintable(QString::number(offCentre(w))));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("New_Indicatif"));
    Keyboard::type(QStringLiteral("fyyyy/p"));
    QCOMPARE(w->New_Indicatif->text(), QStringLiteral("FYYYY_P"));
    Keyboard::enter();
    QCOMPARE(w->New_Indicatif->text(), QStringLiteral("FYYYY_P"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Validation"));
    Keyboard::enter();
    QCOMPARE(h.station(), QStringLiteral("FYYYY_P"));
    QCOMPARE(QFileInfo(h.dir.file(QStringLiteral("FYYYY_P_VQX.log"))).size(), 0);
    QCOMPARE(m->I_Station->text(), QStringLiteral("FYYYY/P"));
    QCOMPARE(m->logModel()->rowCount(), 0);
    QCOMPARE(m->form()->Bande_A->currentIndex(), 0);
    QCOMPARE(h.fakes.settings.get(kAppVqx, QStringLiteral("Setup FYYYY_P"),
                                  QStringLiteral("Mode Utilise")),
             QStringLiteral("0"));
    QTRY_VERIFY(!m->secondary(QStringLiteral("Station")));
    // The former station's log is still there, untouched.
    QCOMPARE(codepage::splitLines(
                 codepage::decode(readBytes(h.dir.file(QStringLiteral("F1ABC_VQX.log")))))
                 .lines.size(),
             3);
}

void MainWindowTest::stationRefusals_data()
{
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("left");
    const QString chars = QStringLiteral(
        "L'indicatif ne doit comporter que des lettres des chiffres ou le signe '_' ");
    QTest::newRow("empty") << false << QString() << QStringLiteral("Vous devez entrer un indicatif")
                           << QString();
    QTest::newRow("thirteen") << false << QStringLiteral("F1ABCDEFGHIJK")
                              << QStringLiteral("12 caracteres maximum pour l'indicatif")
                              << QStringLiteral("F1ABCDEFGHIJK");
    QTest::newRow("pasted slash") << true << QStringLiteral("FYYYY/P") << chars << QString();
    QTest::newRow("pasted cyrillic") << true << QStringLiteral("FЖ") << chars << QString();
}

void MainWindowTest::stationRefusals()
{
    QFETCH(bool, paste);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, left);
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({});
    MainWindow *m = h.open();
    m->Mnu_New_Indicatif->trigger();
    auto *w = qobject_cast<StationWindow *>(m->secondary(QStringLiteral("Station")));
    QVERIFY(w);
    QVERIFY(Keyboard::activate(w));
    if (paste)
        Keyboard::paste(text);
    else
        Keyboard::type(text);
    h.fakes.messages.clear();
    Keyboard::enter();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Validation"));
    Keyboard::enter();
    QCOMPARE(h.fakes.messages.shown, QStringList{message});
    QCOMPARE(w->New_Indicatif->text(), left);
    QVERIFY(w->isVisible());
    QCOMPARE(h.station(), QStringLiteral("F1ABC"));
    QCOMPARE(m->I_Station->text(), QStringLiteral("F1ABC"));
}

void MainWindowTest::stationWithExistingLogKeepsItsContacts()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({});
    const QStringList other = generatedLog(4);
    QVERIFY(writeBytes(h.dir.file(QStringLiteral("F2XYZ_VQX.log")), crlf(other)));
    h.fakes.settings.set(kAppVqx, QStringLiteral("Setup F2XYZ"), QStringLiteral("bande Utilisee"),
                         QStringLiteral("10"));
    h.fakes.settings.set(kAppVqx, QStringLiteral("Setup F2XYZ"), QStringLiteral("Mode Utilise"),
                         QStringLiteral("2"));
    MainWindow *m = h.open();
    QVERIFY(chooseStation(m, QStringLiteral("f2xyz")));
    QCOMPARE(m->logModel()->fileLines(), other);
    QCOMPARE(readBytes(h.dir.file(QStringLiteral("F2XYZ_VQX.log"))), crlf(other));
    QCOMPARE(m->form()->Bande_A->currentText(), QStringLiteral("144 Mhz"));
    QCOMPARE(m->form()->Mode_A->currentText(), QStringLiteral("FM"));
    QCOMPARE(h.fakes.settings.get(kAppVqx, QStringLiteral("Setup F2XYZ"),
                                  QStringLiteral("bande Utilisee")),
             QStringLiteral("10"));
}

void MainWindowTest::stationWindowIsOpenedOnce()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({});
    MainWindow *m = h.open();
    m->Mnu_New_Indicatif->trigger();
    QWidget *first = m->secondary(QStringLiteral("Station"));
    QVERIFY(first);
    m->Mnu_New_Indicatif->trigger();
    QCOMPARE(m->secondary(QStringLiteral("Station")), first);
    QCOMPARE(m->findChildren<StationWindow *>().size(), 1);
}

void MainWindowTest::stationCannotCreateItsLog()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({});
    MainWindow *m = h.open();
    // The data folder is gone (a removed disk, say): the log cannot be created.
    const QString gone = h.dir.file(QStringLiteral("gone"));
    Services services = h.fakes.services;
    services.dataDir = gone;
    StationWindow w(services);
    QSignalSpy chosen(&w, &StationWindow::stationChosen);
    QVERIFY(Keyboard::activate(&w));
    Keyboard::type(QStringLiteral("f5new"));
    h.fakes.messages.clear();
    Keyboard::enter();
    Keyboard::enter();
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY(h.fakes.messages.last().contains(QStringLiteral("n'a pas pu être créé")));
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toString(), QStringLiteral("F5NEW"));
    Q_UNUSED(m);
}

void MainWindowTest::stationChangeEndsTheModification()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({kSampleA, kSampleB});
    const QByteArray former = h.logBytes();
    const QString otherLog = h.dir.file(QStringLiteral("F2XYZ_VQX.log"));
    QVERIFY(writeBytes(otherLog, crlf({kSampleC})));
    h.fakes.settings.set(kAppVqx, QStringLiteral("Setup F2XYZ"), QStringLiteral("bande Utilisee"),
                         QStringLiteral("10"));
    MainWindow *m = h.open();
    const QPoint at = m->Liste_VQX->visualRect(m->logModel()->index(1)).center();
    QTest::mouseClick(m->Liste_VQX->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Modification QSO"));

    QVERIFY(chooseStation(m, QStringLiteral("f2xyz")));
    QTRY_VERIFY(!m->secondary(QStringLiteral("Station")));
    QVERIFY(!m->form()->Flag_Modif);
    QVERIFY(!m->form()->Flag_Edition);
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QCOMPARE(m->form()->Ind_A->text(), QString());
    QCOMPARE(m->form()->Bande_A->currentText(), QStringLiteral("144 Mhz"));
    QVERIFY(!m->form()->Valide_A->isEnabled());
    QVERIFY(!m->form()->QSL_A->isEnabled());
    // Nothing of the new log is clicked yet, and nothing of the former one is kept.
    QCOMPARE(m->form()->Ligne_Selection, QString());
    QVERIFY(Keyboard::activate(m));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    QVERIFY(!Keyboard::tabTo(QStringLiteral("Valide_A")));
    QCOMPARE(h.fakes.messages.asked, QStringList());
    QCOMPARE(readBytes(otherLog), crlf({kSampleC}));
    QCOMPARE(readBytes(h.dir.file(QStringLiteral("F1ABC_VQX.log"))), former);
}

void MainWindowTest::stationChangeClosesTheFormerStationsWindows()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    // Thirty confirmed fountains: the Base level, whose list can be opened.
    QStringList log;
    for (int i = 0; i < 30; ++i)
        log << qso(QStringLiteral("F%1AB").arg(i),
                   QStringLiteral("31FA%1").arg(i, 3, 10, QLatin1Char('0')),
                   QStringLiteral("05/06/21"), QStringLiteral("10:00"));
    h.writeLog(log);
    QVERIFY(writeBytes(h.dir.file(QStringLiteral("F2XYZ_VQX.log")), crlf({kSampleA})));
    MainWindow *m = h.open();
    m->Mnu_HF->trigger();
    auto *levels = qobject_cast<AwardLevelsWindow *>(m->secondary(QStringLiteral("Diplomes_VQX")));
    QVERIFY(levels);
    QTest::mouseClick(levels->Base, Qt::LeftButton);
    m->Mnu_L_Contacte->trigger();
    m->Mnu_Carte_Contacte->trigger();
    QTest::mouseClick(m->form()->Rechercher, Qt::LeftButton);
    const QStringList keys = {QStringLiteral("Diplomes_VQX"), QStringLiteral("Liste_VQX"),
                              QStringLiteral("Aff_Contacte"), QStringLiteral("Carte_Acti_VQX"),
                              QStringLiteral("Recherche_Indicatif")};
    QList<QPointer<QWidget>> open;
    for (const QString &key : keys) {
        QVERIFY2(m->secondary(key), qPrintable(key));
        open << m->secondary(key);
    }
    auto *contacted = qobject_cast<ContactedWindow *>(m->secondary(QStringLiteral("Aff_Contacte")));
    QCOMPARE(contacted->lines().size(), 30);

    QVERIFY(chooseStation(m, QStringLiteral("f2xyz")));
    for (int i = 0; i < keys.size(); ++i)
        QTRY_VERIFY2(!open.at(i), qPrintable(keys.at(i)));
    // Opened again, the list shows the new station's contacts.
    m->Mnu_L_Contacte->trigger();
    contacted = qobject_cast<ContactedWindow *>(m->secondary(QStringLiteral("Aff_Contacte")));
    QVERIFY(contacted);
    QCOMPARE(contacted->lines().size(), 1);
}

void MainWindowTest::stationChangeOpensTheNewListAtItsNewestContact_data()
{
    QTest::addColumn<int>("former");
    QTest::addColumn<int>("next");
    QTest::newRow("short log to a long one") << 2 << 300;
    QTest::newRow("long log to a short one") << 300 << 3;
    QTest::newRow("long log to a longer one") << 120 << 400;
}

void MainWindowTest::stationChangeOpensTheNewListAtItsNewestContact()
{
    QFETCH(int, former);
    QFETCH(int, next);
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog(generatedLog(former));
    const QByteArray formerBytes = h.logBytes();
    const QStringList nextLog = generatedLog(next);
    const QString nextFile = h.dir.file(QStringLiteral("F2XYZ_VQX.log"));
    QVERIFY(writeBytes(nextFile, crlf(nextLog)));
    MainWindow *m = h.open();
    // The former station's last contact is shown and could be deleted.
    m->selectListLine(former - 1);
    QVERIFY(m->form()->Annule_Saisie->isEnabled());

    QVERIFY(chooseStation(m, QStringLiteral("f2xyz")));
    QTRY_VERIFY(!m->secondary(QStringLiteral("Station")));
    QVERIFY(Keyboard::activate(m));
    QCOMPARE(m->logModel()->rowCount(), next);
    // Scrolled to the newest contact, as at start-up.
    const QModelIndex last = m->logModel()->index(next - 1);
    QCOMPARE(m->Liste_VQX->currentIndex(), last);
    const QRect shown = m->Liste_VQX->visualRect(last);
    QVERIFY2(shown.top() >= 0 && shown.bottom() <= m->Liste_VQX->viewport()->rect().bottom(),
             qPrintable(QStringLiteral("line at %1-%2").arg(shown.top()).arg(shown.bottom())));
    // Nothing to delete until a line of the new list is clicked.
    QVERIFY(!m->form()->Annule_Saisie->isEnabled());
    QCOMPARE(m->form()->Ligne_Selection, QString());
    h.fakes.messages.clear();
    QTest::mouseClick(m->form()->Annule_Saisie, Qt::LeftButton);
    QCOMPARE(h.fakes.messages.asked, QStringList());

    // From the keyboard: the list, one line up, and that line can be deleted.
    QVERIFY(Keyboard::tabTo(QStringLiteral("Liste_VQX")));
    Keyboard::press(Qt::Key_Up);
    QCOMPARE(m->form()->Ligne_Selection, m->logModel()->listLine(next - 2));
    QVERIFY(m->form()->Annule_Saisie->isEnabled());
    QVERIFY(Keyboard::tabTo(QStringLiteral("Annule_Saisie")));
    h.fakes.messages.answers = {true};
    Keyboard::press(Qt::Key_Space);
    QCOMPARE(h.fakes.messages.asked, QStringList{QStringLiteral("Voulez vous Supprimer ce QSO ?")});
    QStringList kept = nextLog;
    kept.removeAt(next - 2);
    QCOMPARE(readBytes(nextFile), crlf(kept));
    QCOMPARE(readBytes(h.dir.file(QStringLiteral("F1ABC_VQX.log"))), formerBytes);
}

// The line under the keyboard's cursor is taken by Enter as by a double click,
// whose first press is a click on that line.
void MainWindowTest::enterOnTheNewListModifiesItsNewestContact()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({kSampleA});
    QVERIFY(writeBytes(h.dir.file(QStringLiteral("F2XYZ_VQX.log")), crlf({kSampleB, kSampleC})));
    MainWindow *m = h.open();
    QVERIFY(chooseStation(m, QStringLiteral("f2xyz")));
    QTRY_VERIFY(!m->secondary(QStringLiteral("Station")));
    QVERIFY(Keyboard::activate(m));
    QCOMPARE(m->form()->Ligne_Selection, QString());
    QVERIFY(Keyboard::tabTo(QStringLiteral("Liste_VQX")));
    Keyboard::enter();
    QCOMPARE(h.fakes.messages.shown, QStringList());
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Modification QSO"));
    QCOMPARE(m->form()->Ligne_Selection, m->logModel()->listLine(1));
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FCCCC"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
