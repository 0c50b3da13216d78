// Everything the mouse reaches, reached from the keyboard: menus by Alt and
// F10, the lists by Enter; and no Alt or Ctrl combination ever types.
#include "main_harness.h"

#include "search/search_window.h"

#include <QAction>
#include <QClipboard>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

using namespace vqx;
using namespace vqx::test;

namespace {

QString withoutMnemonic(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

// Keys go to the window that holds the keyboard, as a keyboard sends them;
// the window handle hands them to its focus widget. The window is named
// because these tests check which top-level window (main, search, station)
// the keyboard reaches, not only the active one.
void press(QWidget *window, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(window->windowHandle(), key, mods);
}

void typeInto(QWidget *window, const QString &text)
{
    for (QChar c : text)
        QTest::keyClick(window->windowHandle(), c.toLatin1());
}

QString popupName()
{
    QWidget *popup = QApplication::activePopupWidget();
    return popup ? popup->objectName() : QString();
}

void closePopups(QWidget *window)
{
    for (int i = 0; i < 3 && QApplication::activePopupWidget(); ++i)
        press(window, Qt::Key_Escape);
}

// Tab until `target` holds the focus; false when a whole round missed it.
bool tabTo(QWidget *window, QWidget *target)
{
    for (int i = 0; i < 40 && QApplication::focusWidget() != target; ++i)
        press(window, Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

} // namespace

class KeyboardTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menuCaptionsKeepTheirWordsAndHaveDistinctLetters();
    void altLetterOpensItsMenu_data();
    void altLetterOpensItsMenu();
    void altLetterRunsTheBarItem_data();
    void altLetterRunsTheBarItem();
    void f10OpensTheMenuBarAndArrowsWalkIt();
    void modifiedKeysTypeNothing_data();
    void modifiedKeysTypeNothing();
    void pasteStillWorks();
    void arrowsShowLinesAndEnterStartsTheModification();
    void enterOnASearchResultSelectsItInTheLog();
};

void KeyboardTest::menuCaptionsKeepTheirWordsAndHaveDistinctLetters()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    MainWindow *m = h.open();

    QStringList letters;
    for (QAction *a : m->menuBar()->actions()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(a->text());
        QVERIFY2(!mnemonic.isEmpty(), qPrintable(a->text()));
        letters << mnemonic.toString();
    }
    letters.removeDuplicates();
    QCOMPARE(letters.size(), m->menuBar()->actions().size());

    // Named menus and items keep their names and their words.
    const char *const named[][2] = {
        {"Mnu_Fichier", "Fichier"},
        {"Mnu_ADIF", "Exporter le log au format ADIF"},
        {"Mnu_ADIF_Standard", "Exporter le log au format ADIF standard"},
        {"Mnu_Import_ADIF", "Importer un fichier ADIF…"},
        {"Mnu_Quitter", "Quitter ZAT_VQX"},
        {"Mnu_Date", "Date"},
        {"Mnu_Date_Auto", "Automatique"},
        {"Mnu_Date_Man", "Manuelle"},
        {"Mnu_New_Indicatif", "Station"},
        {"Mnu_Liste", "Liste"},
        {"Mnu_L_Contacte", "des Fontaines contactées"},
        {"Mnu_Carte", "Carte "},
        {"Mnu_Carte_Contacte", "des départements contactés"},
        {"Mnu_Diplomes", "Diplomes"},
        {"Mnu_HF", "HF"},
        {"Mnu_VHF", "VHF"},
        {"Mnu_Cluster", "Afficher Cluster"},
        {"Mnu_Reglement", "Règlement"},
        {"Mnu_Aide", "Aide"},
        {"Mnu_Apropos", "A Propos"},
        {"Mnu_Historique", "Historique"},
    };
    for (const auto &[name, caption] : named) {
        const QObject *o = m->findChild<QObject *>(QLatin1String(name));
        QVERIFY2(o, name);
        const auto *menu = qobject_cast<const QMenu *>(o);
        const QString text = menu ? menu->title() : qobject_cast<const QAction *>(o)->text();
        QCOMPARE(withoutMnemonic(text), QString::fromUtf8(caption));
    }
}

void KeyboardTest::altLetterOpensItsMenu_data()
{
    QTest::addColumn<Qt::Key>("letter");
    QTest::addColumn<QString>("menu");
    QTest::newRow("Alt+F Fichier") << Qt::Key_F << QStringLiteral("Mnu_Fichier");
    QTest::newRow("Alt+D Date") << Qt::Key_D << QStringLiteral("Mnu_Date");
    QTest::newRow("Alt+L Liste") << Qt::Key_L << QStringLiteral("Mnu_Liste");
    QTest::newRow("Alt+C Carte") << Qt::Key_C << QStringLiteral("Mnu_Carte");
    QTest::newRow("Alt+I Diplomes") << Qt::Key_I << QStringLiteral("Mnu_Diplomes");
    QTest::newRow("Alt+A Aide") << Qt::Key_A << QStringLiteral("Mnu_Aide");
}

void KeyboardTest::altLetterOpensItsMenu()
{
    QFETCH(Qt::Key, letter);
    QFETCH(QString, menu);
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({kSampleA});
    MainWindow *m = h.open();
    QCOMPARE(QApplication::focusWidget(), m->form()->Ind_A);

    press(m, letter, Qt::AltModifier);
    QTRY_COMPARE(popupName(), menu);
    closePopups(m);
    // The letter never reaches the field that had the focus.
    QCOMPARE(m->form()->Ind_A->text(), QString());
    QCOMPARE(h.fakes.messages.shown, QStringList());
}

void KeyboardTest::altLetterRunsTheBarItem_data()
{
    QTest::addColumn<Qt::Key>("letter");
    QTest::addColumn<QString>("window");
    QTest::newRow("Alt+S Station") << Qt::Key_S << QStringLiteral("Station");
    QTest::newRow("Alt+U Afficher Cluster") << Qt::Key_U << QStringLiteral("Cluster");
    QTest::newRow("Alt+R Règlement") << Qt::Key_R << QStringLiteral("Reglement");
}

void KeyboardTest::altLetterRunsTheBarItem()
{
    QFETCH(Qt::Key, letter);
    QFETCH(QString, window);
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    MainWindow *m = h.open();
    QVERIFY(!m->secondary(window));

    press(m, letter, Qt::AltModifier);
    QTRY_VERIFY(m->secondary(window));
    QVERIFY(m->secondary(window)->isVisible());
    QCOMPARE(m->form()->Ind_A->text(), QString());
}

void KeyboardTest::f10OpensTheMenuBarAndArrowsWalkIt()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    MainWindow *m = h.open();
    QVERIFY(m->Mnu_Date_Auto->isChecked());

    press(m, Qt::Key_F10);
    QTRY_COMPARE(popupName(), QStringLiteral("Mnu_Fichier"));
    press(m, Qt::Key_Right);
    QTRY_COMPARE(popupName(), QStringLiteral("Mnu_Date"));
    auto *date = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(date);
    for (int i = 0; i < 3 && date->activeAction() != m->Mnu_Date_Man; ++i)
        press(m, Qt::Key_Down);
    QCOMPARE(date->activeAction(), m->Mnu_Date_Man);
    press(m, Qt::Key_Return);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QVERIFY(m->Mnu_Date_Man->isChecked());
    QVERIFY(!m->Mnu_Date_Auto->isChecked());
    QCOMPARE(m->Label5->text(), QStringLiteral("Date manuelle"));
    QCOMPARE(h.stationValue(QStringLiteral("Date Auto")), QStringLiteral("Non"));
}

void KeyboardTest::modifiedKeysTypeNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    const QList<QPair<const char *, QString>> fields = {
        {"Ind_A", QStringLiteral("Ind_A")},
        {"Bande_A", QStringLiteral("Bande_A")},
        {"search Indica", QStringLiteral("Indica")},
        {"search Depa", QStringLiteral("Depa")},
        {"station callsign", QStringLiteral("Station")},
    };
    const QList<QPair<const char *, QPair<Qt::Key, Qt::KeyboardModifiers>>> keys = {
        {"Alt+Z", {Qt::Key_Z, Qt::AltModifier}},
        {"Alt+Shift+Z", {Qt::Key_Z, Qt::AltModifier | Qt::ShiftModifier}},
        {"Alt+7", {Qt::Key_7, Qt::AltModifier}},
        {"Ctrl+Q", {Qt::Key_Q, Qt::ControlModifier}},
        {"Ctrl+Alt+Z", {Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier}},
        {"Meta+Z", {Qt::Key_Z, Qt::MetaModifier}},
    };
    for (const auto &[fieldRow, field] : fields) {
        for (const auto &[keyRow, key] : keys)
            QTest::addRow("%s %s", fieldRow, keyRow) << field << key.first << key.second;
    }
}

void KeyboardTest::modifiedKeysTypeNothing()
{
    QFETCH(QString, field);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, mods);
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({kSampleA});
    MainWindow *m = h.open();

    // Reach the field from the keyboard.
    QWidget *window = m;
    if (field == QStringLiteral("Bande_A")) {
        press(m, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), m->form()->Bande_A);
    } else if (field == QStringLiteral("Indica") || field == QStringLiteral("Depa")) {
        QVERIFY(tabTo(m, m->form()->Rechercher));
        press(m, Qt::Key_Space);
        auto *search =
            qobject_cast<SearchWindow *>(m->secondary(QStringLiteral("Recherche_Indicatif")));
        QVERIFY(search);
        QApplication::setActiveWindow(search);
        QTRY_COMPARE(QApplication::focusWidget(), search->Indica);
        if (field == QStringLiteral("Depa"))
            QVERIFY(tabTo(search, search->Depa));
        window = search;
    } else if (field == QStringLiteral("Station")) {
        press(m, Qt::Key_S, Qt::AltModifier);
        QWidget *station = m->secondary(QStringLiteral("Station"));
        QVERIFY(station);
        QApplication::setActiveWindow(station);
        QTRY_VERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
        window = station;
    } else {
        QCOMPARE(QApplication::focusWidget(), m->form()->Ind_A);
    }
    QWidget *focused = QApplication::focusWidget();
    QVERIFY(focused);
    const auto text = [focused] {
        if (auto *combo = qobject_cast<QComboBox *>(focused))
            return combo->currentText();
        return qobject_cast<QLineEdit *>(focused)->text();
    };
    if (auto *combo = qobject_cast<QComboBox *>(focused))
        combo->lineEdit()->selectAll(); // typing replaces the band shown
    typeInto(window, QStringLiteral("12"));
    const QString before = text();
    QVERIFY(before.endsWith(QStringLiteral("12")));

    press(window, key, mods);
    closePopups(window);
    QCOMPARE(text(), before);
    QCOMPARE(QApplication::focusWidget(), focused);
}

void KeyboardTest::pasteStillWorks()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    MainWindow *m = h.open();
    QApplication::clipboard()->setText(QStringLiteral("F5XYZ"));
    press(m, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("F5XYZ"));
}

void KeyboardTest::arrowsShowLinesAndEnterStartsTheModification()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({kSampleA, kSampleB, kSampleC});
    MainWindow *m = h.open();

    QVERIFY(tabTo(m, m->Liste_VQX));
    QCOMPARE(m->Liste_VQX->currentIndex().row(), 2);
    press(m, Qt::Key_Up);
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FBBBB"));
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    press(m, Qt::Key_Up);
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FAAAA"));

    press(m, Qt::Key_Return);
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Modification QSO"));
    QVERIFY(m->form()->Flag_Modif);
    QCOMPARE(QApplication::focusWidget(), m->form()->Ind_A);
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FAAAA"));
    QCOMPARE(m->form()->Ref_A->text(), QStringLiteral("31FA001"));
    QCOMPARE(h.fakes.messages.shown, QStringList());
    QCOMPARE(h.logBytes(), crlf({kSampleA, kSampleB, kSampleC}));
}

void KeyboardTest::enterOnASearchResultSelectsItInTheLog()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    const QString other = qso(QStringLiteral("FBXYZ"), QStringLiteral("75FA003"),
                              QStringLiteral("08/06/08"), QStringLiteral("11:00"));
    h.writeLog({kSampleA, kSampleB, kSampleC, other});
    MainWindow *m = h.open();

    QVERIFY(tabTo(m, m->form()->Rechercher));
    press(m, Qt::Key_Space);
    auto *search =
        qobject_cast<SearchWindow *>(m->secondary(QStringLiteral("Recherche_Indicatif")));
    QVERIFY(search);
    QApplication::setActiveWindow(search);
    QTRY_COMPARE(QApplication::focusWidget(), search->Indica);
    typeInto(search, QStringLiteral("fb"));
    press(search, Qt::Key_Return);
    QCOMPARE(search->QSO_Effectues->count(), 2);

    QVERIFY(tabTo(search, search->QSO_Effectues));
    press(search, Qt::Key_Down);
    press(search, Qt::Key_Down);
    QCOMPARE(search->QSO_Effectues->currentRow(), 1);
    QPointer<SearchWindow> alive(search);
    press(search, Qt::Key_Return);
    QTRY_VERIFY(!alive);
    QCOMPARE(m->Liste_VQX->currentIndex().row(), 3);
    QCOMPARE(m->form()->Ligne_Selection.left(6), QStringLiteral("     4"));
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("FBXYZ"));
    QCOMPARE(h.fakes.messages.shown, QStringList());
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
