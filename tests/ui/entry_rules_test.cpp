// Recording checks the whole contact: whatever path the fields took, a value
// that breaks its field's rule is reported there and nothing is written.
// Upper-casing keeps the layout of the line.
#include "main_harness.h"

#include "station/station_window.h"

#include <QClipboard>
#include <QFileInfo>

using namespace vqx;
using namespace vqx::test;
using namespace vqx::test::samples;

namespace {

// Keys go where a keyboard sends them: to the widget that has the focus.
void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QVERIFY(Keyboard::window());
    Keyboard::press(k, modifiers);
}

void type(const QString &text)
{
    QVERIFY(Keyboard::window());
    Keyboard::type(text);
}

void enter()
{
    key(Qt::Key_Return);
}

void typeEnter(const QString &text)
{
    type(text);
    enter();
}

// Selects what the focused field holds and types over it.
void retype(const QString &text)
{
    key(Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        key(Qt::Key_Backspace);
    else
        type(text);
}

bool focusIsIn(QWidget *field)
{
    QWidget *f = QApplication::focusWidget();
    return f && (f == field || field->isAncestorOf(f) || f->isAncestorOf(field));
}

// Tab through the window until the field has the focus.
bool tabTo(QWidget *field)
{
    for (int i = 0; i < 30 && !focusIsIn(field); ++i)
        key(Qt::Key_Tab);
    return focusIsIn(field);
}

// The operator clicks the button with the mouse.
void clickValider(MainWindow *m)
{
    QTest::mouseClick(m->form()->Valide_A, Qt::LeftButton);
}

MainWindow *openStation(MainHarness &h, const QStringList &log, bool manualDate = false)
{
    h.setStation(QStringLiteral("F1ABC"));
    h.setStationValue(QStringLiteral("bande Utilisee"), QStringLiteral("4")); // 14 Mhz
    if (manualDate)
        h.setStationValue(QStringLiteral("Date Auto"), QStringLiteral("Non"));
    h.writeLog(log);
    return h.open();
}

// Types a new contact from Ind_A up to Valide_A.
void typeNewContact(MainWindow *m, const QString &call, const QString &prenom, const QString &ref,
                    const QString &date = {}, const QString &time = {})
{
    QVERIFY(focusIsIn(m->form()->Ind_A));
    typeEnter(call);
    typeEnter(prenom);
    typeEnter(ref);
    enter(); // department taken from the reference
    if (focusIsIn(m->form()->Date_A)) {
        retype(date);
        enter();
        typeEnter(time);
    }
    QVERIFY(focusIsIn(m->form()->Mode_A));
    enter();
    enter(); // reports
    enter();
    enter(); // fountain name
    enter(); // QSL
    QVERIFY(focusIsIn(m->form()->Valide_A));
}

} // namespace

class EntryRulesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void modificationIsCheckedWhole_data();
    void modificationIsCheckedWhole();
    void refusedModificationIsRecordedOnceCorrected();
    void bandTypedInAModificationIsRecordedAsTheListsBand();
    void reopenedFieldOfANewContactIsChecked();
    void dateEmptiedByAutomaticModeComesFromTheClock();
    void insertionKeepsItsTypedDate();
    void sharpSFirstNameKeepsTheLayout();
    void pastedDecomposedAccentIsOneLetter();
    void stationCallsignWithSharpSIsRefused();
};

void EntryRulesTest::modificationIsCheckedWhole_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("callsign of 13") << "Ind_A"
                                    << "FBBBBABCDEFGH"
                                    << "12 caracteres maxi pour l'indicatif";
    QTest::newRow("date 1/2/2008") << "Date_A"
                                   << "1/2/2008"
                                   << "Le format de la date doit etre JJ/MM/AA";
    QTest::newRow("mode SSBX") << "Mode_A"
                               << "SSBX"
                               << "3 caracteres maxi pour le Mode";
    QTest::newRow("empty reference") << "Ref_A"
                                     << ""
                                     << "Entrez une reférence";
    // A modification never takes the clock's date, even in automatic mode.
    QTest::newRow("empty date") << "Date_A"
                                << ""
                                << "Entrez une date";
    QTest::newRow("department of 3") << "Dpt_A"
                                     << "750"
                                     << "2 caracteres maxi pour le Departement";
    QTest::newRow("sent report 679") << "RSTE_A"
                                     << "679"
                                     << "R (de RST)doit etre compris entre 0 et 5";
    QTest::newRow("empty band") << "Bande_A"
                                << ""
                                << "Entrez une QRG";
    QTest::newRow("band not of the list") << "Bande_A"
                                          << "432 MHZ"
                                          << "La QRG doit etre une des bandes de la liste";
}

void EntryRulesTest::modificationIsCheckedWhole()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    MainHarness h;
    MainWindow *m = openStation(h, {A, B, C});
    const QByteArray before = h.logBytes();
    m->selectListLine(1);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {},
                       m->Liste_VQX->visualRect(m->logModel()->index(1)).center());
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Modification QSO"));
    QVERIFY(focusIsIn(m->form()->Ind_A));
    auto *target = m->findChild<QWidget *>(field);
    QVERIFY(target);
    if (field == QStringLiteral("Bande_A"))
        key(Qt::Key_Backtab); // the band comes before the callsign
    QVERIFY(tabTo(target));
    retype(text);
    // No Enter: every field is open in a modification.
    clickValider(m);

    QCOMPARE(h.fakes.messages.shown, QStringList{message});
    QVERIFY(h.fakes.messages.asked.isEmpty());
    QCOMPARE(h.logBytes(), before);
    QVERIFY(!QFileInfo::exists(h.dir.file(QStringLiteral("Liste_Prenom.txt"))));
    QVERIFY(focusIsIn(target));
    QVERIFY(target->isEnabled());
    QCOMPARE(background(target), kLightGreen);
    // Still the same modification, the field as typed.
    QVERIFY(m->form()->Flag_Modif);
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Modification QSO"));
    if (auto *edit = qobject_cast<QLineEdit *>(target))
        QCOMPARE(edit->text(), text);
    else
        QCOMPARE(static_cast<QComboBox *>(target)->currentText(), text);
}

void EntryRulesTest::refusedModificationIsRecordedOnceCorrected()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B, C});
    m->selectListLine(1);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {},
                       m->Liste_VQX->visualRect(m->logModel()->index(1)).center());
    QVERIFY(tabTo(m->form()->Mode_A));
    retype(QStringLiteral("SSBX"));
    clickValider(m);
    QCOMPARE(h.fakes.messages.shown, QStringList{QStringLiteral("3 caracteres maxi pour le Mode")});
    // Corrected where the message left the focus.
    retype(QStringLiteral("CW"));
    clickValider(m);
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(h.fakes.messages.asked,
             QStringList{QStringLiteral("Voulez vous enregistrer ces données ?")});
    const QString modified =
        qso(QStringLiteral("FBBBB"), QStringLiteral("75FT002"), QStringLiteral("06/06/08"),
            QStringLiteral("10:00"), QStringLiteral("14 Mhz"), true, QStringLiteral("CW"));
    // The reports stay as the line had them: only Enter in the mode resets them.
    QString expected = modified;
    expected.replace(QsoLine::RstR.start - 1, 7, QStringLiteral("59  59 "));
    QCOMPARE(h.logBytes(), crlf({A, expected, C}));
    QVERIFY(!m->form()->Flag_Modif);
}

void EntryRulesTest::bandTypedInAModificationIsRecordedAsTheListsBand()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B, C});
    m->selectListLine(1);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {},
                       m->Liste_VQX->visualRect(m->logModel()->index(1)).center());
    key(Qt::Key_Backtab);
    QVERIFY(focusIsIn(m->form()->Bande_A));
    type(QStringLiteral("7.0mhz"));
    // No Enter: the band is taken as typed at recording.
    clickValider(m);
    QCOMPARE(h.fakes.messages.shown, QStringList());
    QCOMPARE(h.fakes.messages.asked,
             QStringList{QStringLiteral("Voulez vous enregistrer ces données ?")});
    const QString modified =
        qso(QStringLiteral("FBBBB"), QStringLiteral("75FT002"), QStringLiteral("06/06/08"),
            QStringLiteral("10:00"), QStringLiteral("7.0 Mhz"));
    QCOMPARE(h.logBytes(), crlf({A, modified, C}));
}

void EntryRulesTest::reopenedFieldOfANewContactIsChecked()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    const QByteArray before = h.logBytes();
    typeNewContact(m, QStringLiteral("F5XYZ"), QStringLiteral("JEAN"), QStringLiteral("44FA003"));
    // The operator goes back to the accepted callsign with the mouse and
    // changes it without Enter.
    QTest::mouseClick(m->form()->Ind_A, Qt::LeftButton);
    QVERIFY(focusIsIn(m->form()->Ind_A));
    retype(QStringLiteral("F5XYZABCDEFGH"));
    clickValider(m);
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("12 caracteres maxi pour l'indicatif")});
    QVERIFY(h.fakes.messages.asked.isEmpty());
    QCOMPARE(h.logBytes(), before);
    QVERIFY(focusIsIn(m->form()->Ind_A));
    QCOMPARE(background(m->form()->Ind_A), kLightGreen);

    // Enter on the button reaches the same check.
    QVERIFY(tabTo(m->form()->Valide_A));
    h.fakes.messages.clear();
    enter();
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("12 caracteres maxi pour l'indicatif")});
    QCOMPARE(h.logBytes(), before);
}

void EntryRulesTest::dateEmptiedByAutomaticModeComesFromTheClock()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A}, true);
    QVERIFY(!m->Mnu_Date_Auto->isChecked());
    typeNewContact(m, QStringLiteral("F5XYZ"), QString(), QStringLiteral("44FA003"),
                   QStringLiteral("06/06/08"), QStringLiteral("09:00"));
    // Date > Automatique before recording: the typed date is emptied.
    m->Mnu_Date_Auto->trigger();
    QCOMPARE(m->form()->Date_A->text(), QString());
    enter();
    QVERIFY(h.fakes.messages.shown.isEmpty());
    const QString added =
        qso(QStringLiteral("F5XYZ"), QStringLiteral("44FA003"), QStringLiteral("05/06/21"),
            QStringLiteral("14:32"), QStringLiteral("14 Mhz"), false, QStringLiteral("SSB"),
            QString(), QStringLiteral("F."));
    QCOMPARE(added.size(), QsoLine::Length);
    QCOMPARE(h.logBytes(), crlf({A, added}));
    QCOMPARE(m->form()->Date_A->text(), QString());
}

void EntryRulesTest::insertionKeepsItsTypedDate()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, C});
    const QByteArray before = h.logBytes();
    m->form()->Ajout_QSO->click();
    typeNewContact(m, QStringLiteral("F5XYZ"), QString(), QStringLiteral("44FA003"),
                   QStringLiteral("06/06/08"), QStringLiteral("09:00"));
    // An insertion has no clock date: an emptied date is refused.
    QVERIFY(tabTo(m->form()->Date_A));
    retype(QString());
    clickValider(m);
    QCOMPARE(h.fakes.messages.shown, QStringList{QStringLiteral("Entrez une date")});
    QCOMPARE(h.logBytes(), before);
    QVERIFY(focusIsIn(m->form()->Date_A));
    typeEnter(QStringLiteral("06/06/08"));
    QVERIFY(focusIsIn(m->form()->Heure_A));
    clickValider(m);
    QCOMPARE(h.logLines().size(), 3);
    QCOMPARE(QsoLine::Date.cut(h.logLines().at(1)), QStringLiteral("06/06/08"));
    QCOMPARE(QsoLine::Heure.cut(h.logLines().at(1)), QStringLiteral("09:00"));
}

void EntryRulesTest::sharpSFirstNameKeepsTheLayout()
{
    MainHarness h;
    MainWindow *m = openStation(h, {});
    const QString sharp(15, QChar(0xDF));
    typeNewContact(m, QStringLiteral("F5XYZ"), sharp, QStringLiteral("31FA001"));
    QVERIFY(h.fakes.messages.shown.isEmpty());
    enter();
    const QStringList lines = h.logLines();
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.at(0).size(), QsoLine::Length);
    QCOMPARE(QsoLine::Prenom.cut(lines.at(0)), sharp);
    QCOMPARE(QsoLine::Ref.cut(lines.at(0)), QStringLiteral("31FA001"));
    QCOMPARE(h.logBytes().size(), QsoLine::Length + 2);
    QCOMPARE(readBytes(h.dir.file(QStringLiteral("Liste_Prenom.txt"))),
             codepage::encode(QStringLiteral("F5XYZ        31 ") + sharp + QStringLiteral("\r\n")));
    // The directory gives the name back as it was stored.
    typeEnter(QStringLiteral("F5XYZ"));
    QCOMPARE(m->form()->Prenom_A->text(), sharp);
}

void EntryRulesTest::pastedDecomposedAccentIsOneLetter()
{
    MainHarness h;
    MainWindow *m = openStation(h, {});
    typeEnter(QStringLiteral("F5XYZ"));
    QVERIFY(focusIsIn(m->form()->Prenom_A));
    QApplication::clipboard()->setText(QStringLiteral("he\u0301le\u0300ne"));
    key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m->form()->Prenom_A->text(), QStringLiteral("hélène"));
    // The caret stays after the pasted text.
    type(QStringLiteral("x"));
    QCOMPARE(m->form()->Prenom_A->text(), QStringLiteral("hélèneX"));
    key(Qt::Key_Backspace);
    enter();
    typeEnter(QStringLiteral("31FA001"));
    enter();
    enter();
    enter();
    enter();
    enter();
    enter();
    QVERIFY(focusIsIn(m->form()->Valide_A));
    enter();
    QCOMPARE(QsoLine::Prenom.cut(h.logLines().value(0)), QStringLiteral("HÉLÈNE         "));
}

void EntryRulesTest::stationCallsignWithSharpSIsRefused()
{
    MainHarness h;
    MainWindow *m = openStation(h, {});
    m->Mnu_New_Indicatif->trigger();
    auto *w = qobject_cast<StationWindow *>(m->secondary(QStringLiteral("Station")));
    QVERIFY(w);
    QApplication::setActiveWindow(w);
    QTRY_VERIFY(focusIsIn(w->New_Indicatif));
    // Pasted text is upper-cased when validated; "ß" has no one-letter capital.
    QApplication::clipboard()->setText(QStringLiteral("fßa"));
    key(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w->New_Indicatif->text(), QStringLiteral("fßa"));
    enter();
    QVERIFY(focusIsIn(w->Validation));
    enter();
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("L'indicatif ne doit comporter que des lettres des "
                                        "chiffres ou le signe '_' ")});
    QCOMPARE(h.station(), QStringLiteral("F1ABC"));
    QVERIFY(!QFileInfo::exists(h.dir.file(QStringLiteral("FSSA_VQX.log"))));
}

QTEST_MAIN(EntryRulesTest)
#include "entry_rules_test.moc"
