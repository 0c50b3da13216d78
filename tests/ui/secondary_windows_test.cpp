// Every window the main window opens is left with Escape, and the keyboard
// goes back where it was: the operator never needs the mouse or the window
// manager to get back to the entry area.
#include "main_harness.h"

#include "awards/award_levels_window.h"
#include "logstore/backups.h"

#include <QKeySequence>

using namespace vqx;
using namespace vqx::test;

namespace {

// Presses the keys of a sequence ("Alt+L, F") one after the other.
void pressKeys(const QKeySequence &keys)
{
    for (int i = 0; i < keys.count(); ++i)
        Keyboard::press(keys[i].key(), keys[i].keyboardModifiers());
}

// The log of the tests: ten confirmed contacts on 144 Mhz, enough for the
// VHF Base level and for no HF level.
QStringList vhfLog()
{
    QStringList lines;
    for (int i = 0; i < 10; ++i)
        lines << qso(
            QStringLiteral("F%1VHF").arg(i),
            QStringLiteral("31FA%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("05/06/21"),
            QStringLiteral("10:%1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("144 Mhz"));
    return lines;
}

} // namespace

class SecondaryWindowsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void escapeClosesAndGivesTheKeyboardBack_data();
    void escapeClosesAndGivesTheKeyboardBack();
    void theAwardListGivesTheKeyboardBackToTheLevels();
};

void SecondaryWindowsTest::escapeClosesAndGivesTheKeyboardBack_data()
{
    QTest::addColumn<QString>("typedFirst"); // typed in Ind_A before, with Enter
    QTest::addColumn<QKeySequence>("opening");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("focusBefore");

    const QString none;
    QTest::newRow("Station, Alt+S") << none << QKeySequence(QStringLiteral("Alt+S"))
                                    << QStringLiteral("Station") << QStringLiteral("Ind_A");
    QTest::newRow("VQX contactés, Alt+L F")
        << none << QKeySequence(QStringLiteral("Alt+L, F")) << QStringLiteral("Aff_Contacte")
        << QStringLiteral("Ind_A");
    QTest::newRow("carte des départements, Alt+C D")
        << none << QKeySequence(QStringLiteral("Alt+C, D")) << QStringLiteral("Carte_Acti_VQX")
        << QStringLiteral("Ind_A");
    QTest::newRow("Diplomes HF, no level reached, Alt+I H")
        << none << QKeySequence(QStringLiteral("Alt+I, H")) << QStringLiteral("Diplomes_VQX")
        << QStringLiteral("Ind_A");
    QTest::newRow("Diplomes VHF, Base reached, Alt+I V")
        << none << QKeySequence(QStringLiteral("Alt+I, V")) << QStringLiteral("Diplomes_VQX")
        << QStringLiteral("Ind_A");
    QTest::newRow("carte opened while the first name is being typed")
        << QStringLiteral("f5abc") << QKeySequence(QStringLiteral("Alt+C, D"))
        << QStringLiteral("Carte_Acti_VQX") << QStringLiteral("Prenom_A");
    QTest::newRow("cluster, Alt+U") << none << QKeySequence(QStringLiteral("Alt+U"))
                                    << QStringLiteral("Cluster") << QStringLiteral("Ind_A");
    QTest::newRow("règlement, Alt+R") << none << QKeySequence(QStringLiteral("Alt+R"))
                                      << QStringLiteral("Reglement") << QStringLiteral("Ind_A");
    QTest::newRow("poste radio, Alt+T P")
        << none << QKeySequence(QStringLiteral("Alt+T, P")) << QStringLiteral("Poste_Radio")
        << QStringLiteral("Ind_A");
    QTest::newRow("spots VQX, Alt+T S") << none << QKeySequence(QStringLiteral("Alt+T, S"))
                                        << QStringLiteral("Spots_VQX") << QStringLiteral("Ind_A");
    QTest::newRow("search, Shift+Tab to its button, space")
        << none << QKeySequence(QStringLiteral("Shift+Tab, Shift+Tab, Shift+Tab, Space"))
        << QStringLiteral("Recherche_Indicatif") << QStringLiteral("Rechercher");
    QTest::newRow("ADIF import summary, Alt+F I")
        << none << QKeySequence(QStringLiteral("Alt+F, I")) << QStringLiteral("Import_ADIF")
        << QStringLiteral("Ind_A");
    QTest::newRow("restore, Alt+F R")
        << none << QKeySequence(QStringLiteral("Alt+F, R"))
        << QStringLiteral("Restaurer_Sauvegarde") << QStringLiteral("Ind_A");
}

void SecondaryWindowsTest::escapeClosesAndGivesTheKeyboardBack()
{
    QFETCH(QString, typedFirst);
    QFETCH(QKeySequence, opening);
    QFETCH(QString, window);
    QFETCH(QString, focusBefore);

    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog(vhfLog());
    QVERIFY(backupLog(h.dir.path(), QStringLiteral("F1ABC"), h.fakes.clock.nowUtc()).ok());
    const QString adif = h.dir.file(QStringLiteral("autre.adi"));
    QVERIFY(writeBytes(adif, "<CALL:5>F6DEF <QSO_DATE:8>20210604 <TIME_ON:4>0930 <BAND:3>40m "
                             "<MODE:2>CW <SIG:3>VQX <SIG_INFO:7>2AFT002 <EOR>\r\n"));
    h.fakes.fileDialogs.openAnswers = {adif};
    MainWindow *m = h.open();
    h.fakes.messages.clear();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    if (!typedFirst.isEmpty())
        Keyboard::typeEnter(typedFirst);

    pressKeys(opening);
    QTRY_VERIFY(m->secondary(window));
    QWidget *w = m->secondary(window);
    // Opened from the keyboard, it takes the keyboard, and something in it holds it.
    QTRY_COMPARE(QApplication::activeWindow(), w);
    QVERIFY2(Keyboard::focus() && Keyboard::focus()->window() == w,
             qPrintable(Keyboard::focusName()));

    Keyboard::press(Qt::Key_Escape);
    QTRY_VERIFY(!m->secondary(window));
    QTRY_COMPARE(QApplication::activeWindow(), m);
    QCOMPARE(Keyboard::focusName(), focusBefore);
    QVERIFY2(h.fakes.messages.shown.isEmpty(), qPrintable(h.fakes.messages.last()));
    QVERIFY(h.fakes.messages.asked.isEmpty());

    // The operator goes on typing where the keys were.
    if (auto *field = qobject_cast<QLineEdit *>(Keyboard::focus())) {
        const QString before = field->text();
        Keyboard::type(QStringLiteral("ab"));
        QCOMPARE(field->text(), before + QStringLiteral("AB"));
    }
}

void SecondaryWindowsTest::theAwardListGivesTheKeyboardBackToTheLevels()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog(vhfLog());
    MainWindow *m = h.open();
    m->Mnu_VHF->trigger();
    auto *levels = qobject_cast<AwardLevelsWindow *>(m->secondary(QStringLiteral("Diplomes_VQX")));
    QVERIFY(levels);
    QTRY_COMPARE(QApplication::activeWindow(), levels);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Base"));

    Keyboard::press(Qt::Key_Space);
    QTRY_VERIFY(m->secondary(QStringLiteral("Liste_VQX")));
    QTRY_COMPARE(QApplication::activeWindow(), m->secondary(QStringLiteral("Liste_VQX")));
    Keyboard::press(Qt::Key_Escape);
    QTRY_VERIFY(!m->secondary(QStringLiteral("Liste_VQX")));
    // Back to the window it was opened from, on the button that opened it.
    QTRY_COMPARE(QApplication::activeWindow(), levels);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Base"));

    Keyboard::press(Qt::Key_Escape);
    QTRY_VERIFY(!m->secondary(QStringLiteral("Diplomes_VQX")));
    QTRY_COMPARE(QApplication::activeWindow(), m);
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
}

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
