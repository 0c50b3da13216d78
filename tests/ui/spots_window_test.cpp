// The spots window over a node on 127.0.0.1: spots shown with what the log
// says of them, a spot taken into the entry area from the keyboard, the
// contact recorded and announced back.
#include "main_harness.h"
#include "rigctld_peer.h"

#include "spots/spot_feed.h"
#include "spots/spots_model.h"
#include "spots/spots_window.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>
#include <QTcpServer>
#include <QTcpSocket>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString kSpot20m =
    QStringLiteral("DX de F4ABC:     14025.0  TM31F        VQX 31FA001 fontaine       1234Z JN03");

// A node that takes one connection and keeps what it was told.
struct Node
{
    Node()
    {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            peer = server.nextPendingConnection();
            peer->write("login: ");
            QObject::connect(peer, &QTcpSocket::readyRead, [this] { heard += peer->readAll(); });
        });
    }
    void send(const QString &line) { peer->write(line.toUtf8() + "\r\n"); }
    QTcpServer server;
    QTcpSocket *peer = nullptr;
    QByteArray heard;
};

MainWindow *openStation(MainHarness &h, const QStringList &log, bool manualDate = false)
{
    h.setStation(QStringLiteral("F1ABC"));
    h.setStationValue(kKeyBande, QStringLiteral("0"));
    if (manualDate)
        h.setStationValue(kKeyDateAuto, kDateAutoNon);
    h.writeLog(log);
    return h.open();
}

SpotsWindow *openSpots(MainWindow *m)
{
    m->Mnu_Spots->trigger();
    auto *w = qobject_cast<SpotsWindow *>(m->secondary(QStringLiteral("Spots_VQX")));
    if (w && !Keyboard::activate(w))
        return nullptr;
    return w;
}

QString cell(SpotsWindow *w, int row, int column)
{
    return w->Liste_Spots->model()->index(row, column).data().toString();
}

} // namespace

class SpotsWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void enterOnASpotFillsTheEntry_data();
    void enterOnASpotFillsTheEntry();
    void refusedWhileALineIsWorkedOn_data();
    void refusedWhileALineIsWorkedOn();
    void fromTheNodeToTheLogAndBack();
    void onlyFountainsStillNeeded();
    void keepsTheLast500();
    void aSpotTakenTunesTheRadio();
};

void SpotsWindowTest::enterOnASpotFillsTheEntry_data()
{
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<bool>("manualDate");
    QTest::addColumn<QString>("spot");
    QTest::addColumn<QStringList>("fields"); // band, mode, call, ref, dpt, date, time
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("tunedMode");

    const auto row = [](const char *name, const QStringList &log, bool manualDate,
                        const QString &spot, const QStringList &fields, const QString &focus,
                        const QString &message, const QString &tunedMode) {
        QTest::newRow(name) << log << manualDate << spot << fields << focus << message << tunedMode;
    };
    const QStringList newOn20m{"14 Mhz", "CW", "TM31F", "31FA001", "31", "05/06/21", "14:32"};

    row("new fountain, cw below the telephony segment", {}, false, kSpot20m, newOn20m, "Mode_A", "",
        "CW");
    row("manual date: the date is typed next", {}, true, kSpot20m,
        {"14 Mhz", "CW", "TM31F", "31FA001", "31", "", ""}, "Date_A", "", "CW");
    row("ssb said in the comment, Corsica 2B", {}, false,
        "DX de F4ABC:      7090.0  TK5AA        vqx 2b-ft-003 ssb      0800Z",
        {"7.0 Mhz", "SSB", "TK5AA", "2BFT003", "2b", "05/06/21", "14:32"}, "Mode_A", "", "LSB");
    row("new band for a fountain worked on 40 m",
        {qso("TM31F", "31FA001", "01/06/21", "10:00", "7.0 Mhz")}, false, kSpot20m, newOn20m,
        "Mode_A", "", "CW");
    row("already contacted on the band: the entry refuses it",
        {qso("TM31F", "31FA001", "01/06/21", "10:00", "14 Mhz")}, false, kSpot20m,
        {"14 Mhz", "CW", "", "", "", "", ""}, "Ind_A",
        "31FA001 a déjà été contactée le 01/06/21 sur 14 Mhz", "");
}

void SpotsWindowTest::enterOnASpotFillsTheEntry()
{
    QFETCH(QStringList, log);
    QFETCH(bool, manualDate);
    QFETCH(QString, spot);
    QFETCH(QStringList, fields);
    QFETCH(QString, focus);
    QFETCH(QString, message);
    QFETCH(QString, tunedMode);

    MainHarness h;
    MainWindow *m = openStation(h, log, manualDate);
    QSignalSpy tuned(m, &MainWindow::tuneRequested);
    m->spotFeed()->takeLine(spot);
    SpotsWindow *w = openSpots(m);
    QVERIFY(w);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Liste_Spots"));
    Keyboard::enter();

    EntryForm *f = m->form();
    const QStringList shown{f->Bande_A->currentText(), f->Mode_A->currentText(), f->Ind_A->text(),
                            f->Ref_A->text(),          f->Dpt_A->text(),         f->Date_A->text(),
                            f->Heure_A->text()};
    QCOMPARE(shown, fields);
    QCOMPARE(Keyboard::focusName(), focus);
    QCOMPARE(h.fakes.messages.last(), message);
    if (tunedMode.isEmpty()) {
        QCOMPARE(tuned.size(), 0);
    } else {
        QCOMPARE(tuned.size(), 1);
        QCOMPARE(tuned.first().at(1).toString(), tunedMode);
    }
    // Nothing is written before Valide_A.
    QCOMPARE(h.logLines(), log);
}

void SpotsWindowTest::refusedWhileALineIsWorkedOn_data()
{
    QTest::addColumn<bool>("modification");
    QTest::newRow("insertion") << false;
    QTest::newRow("modification") << true;
}

void SpotsWindowTest::refusedWhileALineIsWorkedOn()
{
    QFETCH(bool, modification);
    MainHarness h;
    MainWindow *m = openStation(h, {kSampleA});
    EntryForm *f = m->form();
    if (modification) {
        const QPoint at = m->Liste_VQX->visualRect(m->logModel()->index(0)).center();
        QTest::mouseClick(m->Liste_VQX->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(f->Flag_Modif);
    } else {
        QTest::mouseClick(f->Ajout_QSO, Qt::LeftButton);
        QVERIFY(f->Flag_Insert);
        Keyboard::type(QStringLiteral("F5XYZ"));
    }
    const QString callBefore = f->Ind_A->text();
    m->spotFeed()->takeLine(kSpot20m);
    SpotsWindow *w = openSpots(m);
    QVERIFY(w);
    Keyboard::enter();
    QVERIFY(h.fakes.messages.last().startsWith(
        QStringLiteral("Un QSO est en cours de modification ou d'insertion")));
    QCOMPARE(f->Ind_A->text(), callBefore);
    QCOMPARE(f->Flag_Modif, modification);
    QCOMPARE(f->Flag_Insert, !modification);
}

void SpotsWindowTest::fromTheNodeToTheLogAndBack()
{
    Node node;
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.setStationValue(kKeyClusterAdresse, QStringLiteral("127.0.0.1"));
    h.setStationValue(kKeyClusterPort, QString::number(node.server.serverPort()));
    h.setStationValue(kKeyClusterAuDemarrage, kDateAutoOui);
    h.writeLog({});
    MainWindow *m = h.open();
    // Connected at start, logged in with the station's callsign.
    QTRY_VERIFY(node.heard.contains("F1ABC\r\n"));
    node.send(QStringLiteral("Hello F1ABC, this is the test node"));
    node.send(kSpot20m);
    node.send(QStringLiteral(
        "DX de F4ABC:     14074.0  DL1AA        FT8 -12 dB                     1235Z"));
    QTRY_COMPARE(m->spotFeed()->model()->rowCount(), 1);
    // A needed fountain is announced in the status bar.
    QVERIFY(m->statusBar()->currentMessage().contains(QStringLiteral("31FA001")));

    SpotsWindow *w = openSpots(m);
    QVERIFY(w);
    QCOMPARE(w->Cluster_Etat->text(),
             QStringLiteral("Connecté à 127.0.0.1:%1").arg(node.server.serverPort()));
    QVERIFY(w->Console_Cluster->toPlainText().contains(QStringLiteral("this is the test node")));
    QCOMPARE(cell(w, 0, SpotsModel::Etat), QStringLiteral("Nouvelle"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Spots VQX (1 à contacter)"));
    QCOMPARE(w->Liste_Spots->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(),
             kLightGreen);
    Keyboard::enter();
    QVERIFY(Keyboard::activate(m));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Mode_A"));
    for (const char *next : {"RST_A", "RSTE_A", "Rem_A", "QSL_A", "Valide_A"}) {
        Keyboard::enter();
        QCOMPARE(Keyboard::focusName(), QLatin1String(next));
    }
    Keyboard::enter();
    QCOMPARE(h.logLines(), QStringList{qso("TM31F", "31FA001", "05/06/21", "14:32", "14 Mhz", false,
                                           "CW", QString(), "F.")});
    // The index follows the log: the same spot is now worked.
    QCOMPARE(cell(w, 0, SpotsModel::Etat), QStringLiteral("Déjà contactée"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Spots VQX (aucune à contacter)"));

    // Announced back, after a question.
    QVERIFY(Keyboard::activate(w));
    QCOMPARE(w->Annonce_kHz->text(), QStringLiteral("14025.0"));
    QCOMPARE(w->Annonce_Indicatif->text(), QStringLiteral("TM31F"));
    QCOMPARE(w->Annonce_Ref->text(), QStringLiteral("31FA001"));
    QVERIFY(Keyboard::tabTo(QStringLiteral("Annoncer_Cluster")));
    Keyboard::press(Qt::Key_Space);
    QCOMPARE(h.fakes.messages.asked.last(),
             QStringLiteral("Envoyer au cluster :\r\nDX 14025.0 TM31F VQX 31FA001 ?"));
    QTRY_VERIFY(node.heard.contains("DX 14025.0 TM31F VQX 31FA001\r\n"));

    // A command to the node, and its answer in the console.
    QVERIFY(Keyboard::tabTo(QStringLiteral("Commande_Cluster")));
    Keyboard::typeEnter(QStringLiteral("sh/dx 1"));
    QTRY_VERIFY(node.heard.contains("sh/dx 1\r\n"));
    node.send(
        QStringLiteral("  14025.0  TM31F        5-Jun-2021 1234Z VQX 31FA001        <F4ABC>"));
    node.send(QStringLiteral("F1ABC de TESTNODE  5-Jun-2021 1435Z >"));
    QTRY_VERIFY(w->Console_Cluster->toPlainText().endsWith(QStringLiteral("1435Z >")));
    QCOMPARE(m->spotFeed()->model()->rowCount(), 2);
}

void SpotsWindowTest::onlyFountainsStillNeeded()
{
    MainHarness h;
    MainWindow *m = openStation(h, {qso("TM31F", "31FA001", "01/06/21", "10:00", "14 Mhz")});
    m->spotFeed()->takeLine(kSpot20m);
    m->spotFeed()->takeLine(
        QStringLiteral("DX de F4ABC:     10118.0  TM81F        VQX 81FT002 + 31FA001      1240Z"));
    SpotsWindow *w = openSpots(m);
    QVERIFY(w);
    // Newest first, one row per reference.
    QCOMPARE(w->Liste_Spots->model()->rowCount(), 3);
    QCOMPARE(cell(w, 0, SpotsModel::Reference), QStringLiteral("81FT002"));
    QCOMPARE(cell(w, 0, SpotsModel::Etat),
             QStringLiteral("Nouvelle (10 Mhz ne compte pour aucun diplôme)"));
    QCOMPARE(cell(w, 1, SpotsModel::Reference), QStringLiteral("31FA001"));
    QCOMPARE(cell(w, 1, SpotsModel::Etat),
             QStringLiteral("Nouvelle bande, confirmée (10 Mhz ne compte pour aucun diplôme)"));
    QCOMPARE(cell(w, 2, SpotsModel::Etat), QStringLiteral("Déjà contactée, confirmée"));

    QVERIFY(Keyboard::tabTo(QStringLiteral("Seulement_A_Contacter")));
    Keyboard::press(Qt::Key_Space);
    QCOMPARE(w->Liste_Spots->model()->rowCount(), 2);
    QCOMPARE(cell(w, 1, SpotsModel::Reference), QStringLiteral("31FA001"));
    QCOMPARE(h.stationValue(kKeySpotsAContacter), kDateAutoOui);
    // Arrows move through the spots; Escape closes the window.
    QVERIFY(Keyboard::tabTo(QStringLiteral("Liste_Spots")));
    Keyboard::press(Qt::Key_Down);
    QCOMPARE(w->Liste_Spots->currentIndex().row(), 1);
    QPointer<SpotsWindow> alive(w);
    Keyboard::press(Qt::Key_Escape);
    QTRY_VERIFY(alive.isNull());
}

void SpotsWindowTest::keepsTheLast500()
{
    MainHarness h;
    MainWindow *m = openStation(h, {});
    for (int i = 1; i <= 505; ++i)
        m->spotFeed()->takeLine(
            QStringLiteral(
                "DX de F4ABC:     14025.0  TK5AA        2a fa %1                    1234Z")
                .arg(i, 3, 10, QLatin1Char('0')));
    SpotsWindow *w = openSpots(m);
    QVERIFY(w);
    QCOMPARE(w->Liste_Spots->model()->rowCount(), SpotsModel::kKept);
    QCOMPARE(cell(w, 0, SpotsModel::Reference), QStringLiteral("2AFA505"));
    QCOMPARE(cell(w, 0, SpotsModel::Dpt), QStringLiteral("2a"));
    QCOMPARE(cell(w, SpotsModel::kKept - 1, SpotsModel::Reference), QStringLiteral("2AFA006"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Spots VQX (500 à contacter)"));
}

// With rig control on, Hamlib's dummy radio goes to the spot's frequency and
// mode, and the entry keeps the spot's band and mode.
void SpotsWindowTest::aSpotTakenTunesTheRadio()
{
    if (!RigctldPeer::installed())
        QFAIL("rigctld is not installed: scripts/setup installs libhamlib-utils");
    RigctldPeer peer;
    QVERIFY(peer.start());
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.setStationValue(QStringLiteral("Poste Actif"), kDateAutoOui);
    h.setStationValue(QStringLiteral("Poste Port"), QString::number(peer.port));
    h.writeLog({});
    MainWindow *m = h.open();
    // The dummy radio starts on 145 MHz FM.
    QTRY_VERIFY_WITH_TIMEOUT(m->Etat_Poste->text().contains(QStringLiteral("145 000,000 kHz")),
                             10000);
    m->spotFeed()->takeLine(QStringLiteral(
        "DX de F4ABC:      3650.0  F5AAA        31 FA 001 via F4ABC            1900Z"));
    SpotsWindow *w = openSpots(m);
    QVERIFY(w);
    Keyboard::enter();
    QTRY_COMPARE_WITH_TIMEOUT(m->Etat_Poste->text(), QStringLiteral("Poste : 3 650,000 kHz LSB"),
                              10000);
    QCOMPARE(m->form()->Bande_A->currentText(), QStringLiteral("3.5 Mhz"));
    QCOMPARE(m->form()->Mode_A->currentText(), QStringLiteral("SSB"));
    QCOMPARE(m->form()->Ref_A->text(), QStringLiteral("31FA001"));
    peer.stop();
}

QTEST_MAIN(SpotsWindowTest)
#include "spots_window_test.moc"
