// The band and the mode from the radio, against Hamlib's real rigctld with
// its dummy radio: the dial turned with rigctl fills the entry; a contact
// being modified, or a band chosen by hand, is left alone; a lost link is
// only a status line, and the link comes back by itself.
#include "main_harness.h"
#include "rigctld_peer.h"

#include "rig/rig_control.h"
#include "rig/rig_window.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QSpinBox>

using namespace vqx;
using namespace vqx::test;

namespace {

constexpr int kWaitMs = 10000; // a slow shared machine; the link itself polls every 500 ms

} // namespace

class RigControlTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainHarness> h;
    RigctldPeer peer;

    EntryForm *form() const { return h->w->form(); }
    QString status() const { return h->w->Etat_Poste->text(); }

    // Rig control on for the station, towards the test's rigctld.
    void rigOn()
    {
        h->setStationValue(QStringLiteral("Poste Actif"), QStringLiteral("Oui"));
        h->setStationValue(QStringLiteral("Poste Port"), QString::number(peer.port));
    }

    RigWindow *rigWindow() const
    {
        return qobject_cast<RigWindow *>(h->w->secondary(QStringLiteral("Poste_Radio")));
    }

    // The dial turned; true once the status line shows the new frequency.
    bool turn(qint64 hz, const QString &mode, const QString &shownKhz)
    {
        if (!peer.turn(hz, mode))
            return false;
        return QTest::qWaitFor([&] { return status().contains(shownKhz); }, kWaitMs);
    }

private slots:
    void initTestCase()
    {
        if (!RigctldPeer::installed())
            QFAIL("rigctld is not installed: scripts/setup installs libhamlib-utils");
    }

    void init()
    {
        h = std::make_unique<MainHarness>();
        h->setStation(QStringLiteral("F8TEST"));
        h->writeLog({});
        QVERIFY(peer.start());
    }

    void cleanup()
    {
        h.reset();
        peer.stop();
    }

    void dialFillsBandAndMode_data()
    {
        QTest::addColumn<bool>("tuned"); // by the program, as a spot does; else by rigctl
        QTest::addColumn<qint64>("hz");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QString>("entryMode");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char *name, bool tuned, qint64 hz, const QString &mode,
                            const QString &band, const QString &entryMode, const QString &report,
                            const QString &shown) {
            QTest::newRow(name) << tuned << hz << mode << band << entryMode << report << shown;
        };
        // The dummy radio starts on 145 MHz FM: 144 Mhz and FM until turned.
        row("7 013 500 Hz CW", false, 7013500, "CW", "7.0 Mhz", "CW", "599",
            "Poste : 7 013,500 kHz CW");
        row("14 285 000 Hz USB", false, 14285000, "USB", "14 Mhz", "SSB", "59",
            "Poste : 14 285,000 kHz USB");
        row("3 550 000 Hz CWR", false, 3550000, "CWR", "3.5 Mhz", "CW", "599",
            "Poste : 3 550,000 kHz CWR");
        row("5 357 000 Hz LSB, no band of the list", false, 5357000, "LSB", "144 Mhz", "SSB", "59",
            "Poste : 5 357,000 kHz LSB (hors des bandes de la liste, bande gardée)");
        row("7 074 000 Hz PKTUSB, no mode of the list", false, 7074000, "PKTUSB", "7.0 Mhz", "FM",
            "59", "Poste : 7 074,000 kHz PKTUSB (mode gardé)");
        row("7 013 500 Hz CW tuned by the program", true, 7013500, "CW", "7.0 Mhz", "CW", "599",
            "Poste : 7 013,500 kHz CW");
    }

    void dialFillsBandAndMode()
    {
        QFETCH(bool, tuned);
        QFETCH(qint64, hz);
        QFETCH(QString, mode);
        QFETCH(QString, band);
        QFETCH(QString, entryMode);
        QFETCH(QString, report);
        QFETCH(QString, shown);
        rigOn();
        MainWindow *m = h->open();
        QVERIFY(m->Etat_Poste->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(form()->Bande_A->currentText(), QStringLiteral("144 Mhz"),
                                  kWaitMs);
        QCOMPARE(form()->Mode_A->currentText(), QStringLiteral("FM"));

        if (tuned)
            m->rig()->tune(hz, mode);
        else
            QVERIFY(peer.turn(hz, mode, 500));
        QTRY_COMPARE_WITH_TIMEOUT(status(), shown, kWaitMs);
        QCOMPARE(form()->Bande_A->currentText(), band);
        QCOMPARE(form()->Mode_A->currentText(), entryMode);
        QCOMPARE(form()->RST_A->text(), report);
        QCOMPARE(form()->RSTE_A->text(), report);
        // Remembered as if chosen: the next start opens on them.
        QCOMPARE(h->stationValue(QStringLiteral("bande Utilisee")),
                 QString::number(kBandList.indexOf(band)));
        QCOMPARE(h->stationValue(QStringLiteral("Mode Utilise")),
                 QString::number(kModeList.indexOf(entryMode)));
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
        QVERIFY2(h->fakes.messages.shown.isEmpty(), qPrintable(h->fakes.messages.last()));
    }

    // A band chosen by hand stays for the contact; the mode follows the dial
    // until Mode_A is passed; the line holds both; the next contact follows
    // the dial again.
    void contactTypedWhileTheDialTurns()
    {
        rigOn();
        h->open();
        QVERIFY(turn(14285000, QStringLiteral("USB"), QStringLiteral("14 285,000")));
        QTRY_COMPARE(form()->Bande_A->currentText(), QStringLiteral("14 Mhz"));

        QVERIFY(Keyboard::tabTo(QStringLiteral("Bande_A"), true));
        Keyboard::retype(QStringLiteral("21 mhz"));
        Keyboard::enter();
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
        Keyboard::typeEnter(QStringLiteral("f5xyz"));
        QVERIFY(turn(7013500, QStringLiteral("CW"), QStringLiteral("7 013,500")));
        QCOMPARE(form()->Bande_A->currentText(), QStringLiteral("21 Mhz"));
        QCOMPARE(form()->Mode_A->currentText(), QStringLiteral("CW"));
        Keyboard::enter(); // Prenom_A
        Keyboard::typeEnter(QStringLiteral("31fa001"));
        Keyboard::enter(); // Dpt_A: date and time from the clock, then Mode_A
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Mode_A"));
        Keyboard::enter(); // CW, as the radio gave it
        QCOMPARE(Keyboard::focusName(), QStringLiteral("RST_A"));
        QCOMPARE(form()->RST_A->text(), QStringLiteral("599"));

        // Past Mode_A the contact keeps its mode.
        QVERIFY(turn(14285000, QStringLiteral("USB"), QStringLiteral("14 285,000")));
        QCOMPARE(form()->Mode_A->currentText(), QStringLiteral("CW"));
        Keyboard::typeEnter(QStringLiteral("5")); // RST_A typed over
        Keyboard::enter();
        Keyboard::enter(); // Rem_A
        Keyboard::enter(); // QSL_A
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Valide_A"));
        QVERIFY(h->record());
        QString line =
            qso(QStringLiteral("F5XYZ"), QStringLiteral("31FA001"), QStringLiteral("05/06/21"),
                QStringLiteral("14:32"), QStringLiteral("21 Mhz"), false, QStringLiteral("CW"),
                QString(), QStringLiteral("F."));
        QCOMPARE(h->logBytes(),
                 crlf({line.replace(QStringLiteral("599 599"), QStringLiteral("5   599"))}));

        // The next contact takes the dial again.
        QTRY_COMPARE_WITH_TIMEOUT(form()->Bande_A->currentText(), QStringLiteral("14 Mhz"),
                                  kWaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(form()->Mode_A->currentText(), QStringLiteral("SSB"), kWaitMs);
    }

    void modificationIsLeftAlone()
    {
        h->writeLog({kSampleA, kSampleB});
        rigOn();
        h->open();
        QVERIFY(turn(14285000, QStringLiteral("USB"), QStringLiteral("14 285,000")));
        // Shift+Tab from Ind_A: Bande_A, then the list; Enter opens its line.
        QVERIFY(Keyboard::tabTo(QStringLiteral("Liste_VQX"), true));
        Keyboard::press(Qt::Key_Up);
        Keyboard::enter();
        QVERIFY(form()->Flag_Modif);
        QVERIFY(turn(7013500, QStringLiteral("CW"), QStringLiteral("7 013,500")));
        QCOMPARE(form()->Bande_A->currentText(), QStringLiteral("14 Mhz"));
        QCOMPARE(form()->Mode_A->currentText(), QStringLiteral("SSB"));
        QCOMPARE(form()->RST_A->text(), QStringLiteral("59"));
        QCOMPARE(h->stationValue(QStringLiteral("bande Utilisee")), QStringLiteral("4"));
    }

    void lostLinkIsAStatusAndComesBack()
    {
        rigOn();
        h->open();
        QVERIFY(turn(7013500, QStringLiteral("CW"), QStringLiteral("7 013,500")));
        const quint16 port = peer.port;
        peer.stop();
        QTRY_COMPARE_WITH_TIMEOUT(
            status(), QStringLiteral("Poste : pas de réponse de rigctld (127.0.0.1:%1)").arg(port),
            kWaitMs);
        // Typing goes on, and nothing pops up.
        Keyboard::typeEnter(QStringLiteral("f5xyz"));
        QCOMPARE(form()->Ind_A->text(), QStringLiteral("F5XYZ"));
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Prenom_A"));
        QVERIFY2(h->fakes.messages.shown.isEmpty(), qPrintable(h->fakes.messages.last()));

        QVERIFY(peer.start(port));
        QTRY_VERIFY_WITH_TIMEOUT(status().startsWith(QStringLiteral("Poste : 145 000,000 kHz")),
                                 kWaitMs);
        QCOMPARE(form()->Bande_A->currentText(), QStringLiteral("144 Mhz"));
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Prenom_A"));
    }

    // Trafic > Poste radio… from the keyboard: the box ticked, the port
    // typed, Tester, Enregistrer.
    void windowTurnsItOn()
    {
        MainWindow *m = h->open();
        QVERIFY(!m->Etat_Poste->isVisible());
        QTest::keyClick(m->windowHandle(), Qt::Key_T, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("Mnu_Trafic"));
        QTest::keyClick(m->windowHandle(), Qt::Key_P);
        QTRY_VERIFY(rigWindow());
        RigWindow *w = rigWindow();
        QVERIFY(Keyboard::activate(w));
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Poste_Actif"));
        QVERIFY(!w->Poste_Actif->isChecked()); // off by default
        Keyboard::press(Qt::Key_Space);
        QVERIFY(Keyboard::tabTo(QStringLiteral("Poste_Port")));
        Keyboard::retype(QString::number(peer.port));
        Keyboard::press(Qt::Key_T, Qt::AltModifier);
        QTRY_COMPARE_WITH_TIMEOUT(w->Poste_Reponse->text(),
                                  QStringLiteral("Poste : 145 000,000 kHz FM"), kWaitMs);
        QVERIFY(Keyboard::tabTo(QStringLiteral("Poste_Port")));
        Keyboard::enter();
        QTRY_VERIFY(!m->secondary(QStringLiteral("Poste_Radio")));
        QCOMPARE(h->stationValue(QStringLiteral("Poste Actif")), QStringLiteral("Oui"));
        QCOMPARE(h->stationValue(QStringLiteral("Poste Port")), QString::number(peer.port));
        QVERIFY(m->Etat_Poste->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(form()->Bande_A->currentText(), QStringLiteral("144 Mhz"),
                                  kWaitMs);
    }

    // The model is found in the list rigctld prints by typing part of its name.
    void modelFoundByTyping()
    {
        MainWindow *m = h->open();
        m->Mnu_Poste->trigger();
        RigWindow *w = rigWindow();
        QVERIFY(w);
        QVERIFY(Keyboard::activate(w));
        QVERIFY(Keyboard::tabTo(QStringLiteral("Poste_Lancer")));
        Keyboard::press(Qt::Key_Space);
        QTRY_VERIFY_WITH_TIMEOUT(w->Poste_Modele->count() > 100, kWaitMs);
        QVERIFY(Keyboard::tabTo(QStringLiteral("Poste_Modele")));
        Keyboard::retype(QStringLiteral("dummy no"));
        QTRY_VERIFY(w->Poste_Modele->completer()->popup()->isVisible());
        Keyboard::press(Qt::Key_Down);
        Keyboard::enter();
        QCOMPARE(w->Poste_Modele->currentText(), QStringLiteral("6  Hamlib Dummy No VFO"));
        QCOMPARE(w->shownSettings().model, 6);
    }

    // With "Le programme lance rigctld", the program's own rigctld serves the
    // dummy radio, and ends with the program.
    void programStartsAndStopsRigctld()
    {
        const quint16 port = RigctldPeer::freePort();
        h->setStationValue(QStringLiteral("Poste Actif"), QStringLiteral("Oui"));
        h->setStationValue(QStringLiteral("Poste Lancer rigctld"), QStringLiteral("Oui"));
        h->setStationValue(QStringLiteral("Poste Modele"), QStringLiteral("1"));
        h->setStationValue(QStringLiteral("Poste Port"), QString::number(port));
        h->open();
        QTRY_VERIFY_WITH_TIMEOUT(status().startsWith(QStringLiteral("Poste : 145 000,000 kHz")),
                                 kWaitMs);
        QVERIFY(RigctldPeer::listening(port));
        h->w.reset();
        QVERIFY(!RigctldPeer::listening(port));
    }

    void missingRigctldNamesThePackage()
    {
        TempFolder emptyPath;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", emptyPath.path().toLocal8Bit());
        h->setStationValue(QStringLiteral("Poste Actif"), QStringLiteral("Oui"));
        h->setStationValue(QStringLiteral("Poste Lancer rigctld"), QStringLiteral("Oui"));
        MainWindow *m = h->open();
        QCOMPARE(status(), QStringLiteral("Poste : rigctld n'est pas installé (paquet "
                                          "libhamlib-utils)"));
        m->Mnu_Poste->trigger();
        RigWindow *w = rigWindow();
        qputenv("PATH", path);
        QVERIFY(w);
        QVERIFY(w->Poste_Absent->isVisible());
        QVERIFY(w->Poste_Absent->text().contains(QStringLiteral("apt install libhamlib-utils")));
    }
};

QTEST_MAIN(RigControlTest)
#include "rig_control_test.moc"
