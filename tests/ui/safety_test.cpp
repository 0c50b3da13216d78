// The operator's safety net in the main window: the automatic backup before
// the first change of a run, "Annuler la dernière modification" from the
// keyboard, and "Restaurer une sauvegarde…".
#include "log_changes.h"

#include "logstore/backups.h"
#include "logstore/log_record.h"
#include "logstore/prenoms.h"
#include "station/station_window.h"

#include <QTreeWidget>

using namespace vqx;
using namespace vqx::test;
using namespace vqx::test::samples;

namespace {

QString backupFolder(const MainHarness &h)
{
    return backupFolderPath(h.dir.path());
}

enum class Operation
{
    Recording,
    Modification,
    Deletion
};

const QString kNewContact =
    qso(QStringLiteral("F5NEW"), QStringLiteral("75FA010"), QStringLiteral("05/06/21"),
        QStringLiteral("14:32"), QStringLiteral("1.8 Mhz"), false, QStringLiteral("SSB"),
        QStringLiteral("PAUL"), QStringLiteral("F. DU LAVOIR"));

// Changes the log through the window as the operator does.
void operate(MainHarness &h, Operation op)
{
    switch (op) {
    case Operation::Recording:
        recordNewContact(h);
        break;
    case Operation::Modification:
        modifyFountainName(h, 1, false);
        break;
    case Operation::Deletion:
        deleteLine(h, 1);
        break;
    }
}

} // namespace

class SafetyTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void undoPutsBackTheLog_data();
    void undoPutsBackTheLog();
    void undoIsOffWithNothingToUndoAndAfterAStationChange();
    void textFieldsKeepCtrlZAndLeaveTheUndoKeys();
    void undoIsRefusedWhenTheLogChangedOutside();
    void firstChangeOfTheRunIsBackedUp();
    void failingBackupFolderStillRecordsTheContact();
    void restoreFromTheKeyboard();
    void restoreWindowWithoutBackups();
};

void SafetyTest::undoPutsBackTheLog_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("done");
    const auto row = [](const char *name, Operation op, const QString &what, const QString &done) {
        QTest::newRow(name) << int(op)
                            << QStringLiteral("Voulez-vous annuler ") + what +
                                   QStringLiteral(" ?\r\nLe log reprendra exactement son contenu "
                                                  "d'avant cette opération.")
                            << done;
    };
    row("enregistrement", Operation::Recording,
        "l'enregistrement du QSO avec F5NEW (75FA010, 1.8 Mhz, le 05/06/21 à 14:32)",
        "L'enregistrement du QSO avec F5NEW (75FA010, 1.8 Mhz, le 05/06/21 à 14:32) a été annulé.");
    row("modification", Operation::Modification,
        "la modification du QSO avec FBBBB (75FT002, 14 Mhz, le 06/06/08 à 10:00)",
        "La modification du QSO avec FBBBB (75FT002, 14 Mhz, le 06/06/08 à 10:00) a été annulée.");
    row("suppression", Operation::Deletion,
        "la suppression du QSO avec FBBBB (75FT002, 14 Mhz, le 06/06/08 à 10:00)",
        "La suppression du QSO avec FBBBB (75FT002, 14 Mhz, le 06/06/08 à 10:00) a été annulée.");
}

void SafetyTest::undoPutsBackTheLog()
{
    QFETCH(int, operation);
    QFETCH(QString, question);
    QFETCH(QString, done);
    MainHarness h;
    MainWindow *m = openStation(h, {A, B, C});
    const QByteArray before = h.logBytes();
    QVERIFY(!m->Mnu_Annuler->isEnabled());
    operate(h, Operation(operation));
    const QByteArray changed = h.logBytes();
    QVERIFY(changed != before);
    QVERIFY(m->Mnu_Annuler->isEnabled());

    h.fakes.messages.clear();
    h.fakes.messages.answers = {true};
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    pressUndo();
    QCOMPARE(h.fakes.messages.asked, QStringList{question});
    QCOMPARE(h.logBytes(), before);
    // Said, with the way back: the copy of the log taken just before, the
    // second of that second after the copy of the first change.
    const QList<BackupEntry> copies = listBackups(h.dir.path(), QStringLiteral("F1ABC"));
    QCOMPARE(copies.size(), 2);
    QCOMPARE(readBytes(copies.first().logCopy), changed);
    QCOMPARE(h.fakes.messages.shown,
             QStringList{done + QStringLiteral("\r\nLe log d'avant l'annulation est gardé dans ") +
                         QDir::toNativeSeparators(copies.first().logCopy) +
                         QStringLiteral(".\r\nPour revenir en arrière : Fichier > Restaurer une "
                                        "sauvegarde…, la sauvegarde du 05/06/2021 à 14:32:10 (2) "
                                        "UTC marquée « avant annulation ».")});
    // The list is reloaded, its last line selected, the entry area empty.
    QCOMPARE(m->logModel()->rowCount(), 3);
    QCOMPARE(m->Liste_VQX->currentIndex().row(), 2);
    QCOMPARE(m->form()->Ligne_Selection, buildQsoListLine(C, 3));
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Saisie QSO"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    QVERIFY(m->form()->Ind_A->text().isEmpty());
    // One level: nothing more to undo.
    QVERIFY(!m->Mnu_Annuler->isEnabled());
    pressUndo();
    QCOMPARE(h.fakes.messages.asked.size(), 1);

    // The way back works: Alt+F R, the marked copy on top, Enter, Oui.
    Keyboard::press(Qt::Key_F, Qt::AltModifier);
    Keyboard::press(Qt::Key_R);
    QTRY_VERIFY(m->secondary(QStringLiteral("Restaurer_Sauvegarde")));
    auto *w = qobject_cast<RestoreWindow *>(m->secondary(QStringLiteral("Restaurer_Sauvegarde")));
    QVERIFY(w);
    QTRY_COMPARE(QApplication::activeWindow(), w);
    QCOMPARE(w->Liste_Sauvegardes->topLevelItem(0)->text(1), QStringLiteral("14:32:10 (2)"));
    QCOMPARE(w->Liste_Sauvegardes->topLevelItem(0)->text(3), QStringLiteral("avant annulation"));
    QCOMPARE(w->Liste_Sauvegardes->topLevelItem(1)->text(3), QString());
    h.fakes.messages.answers = {true};
    Keyboard::enter();
    QCOMPARE(h.fakes.messages.asked.size(), 2);
    QCOMPARE(h.logBytes(), changed);
}

void SafetyTest::undoIsOffWithNothingToUndoAndAfterAStationChange()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B});
    pressUndo();
    QVERIFY(h.fakes.messages.asked.isEmpty());
    operate(h, Operation::Deletion);
    QVERIFY(m->Mnu_Annuler->isEnabled());

    m->Mnu_New_Indicatif->trigger();
    auto *w = qobject_cast<StationWindow *>(m->secondary(QStringLiteral("Station")));
    QVERIFY(w);
    QVERIFY(Keyboard::activate(w));
    Keyboard::typeEnter(QStringLiteral("f2xyz"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Validation"));
    Keyboard::enter();
    QCOMPARE(h.station(), QStringLiteral("F2XYZ"));
    QVERIFY(!m->Mnu_Annuler->isEnabled());
    QTRY_VERIFY(!m->secondary(QStringLiteral("Station")));
    QVERIFY(Keyboard::activate(m));
    h.fakes.messages.clear();
    pressUndo();
    QVERIFY(h.fakes.messages.asked.isEmpty());
    QCOMPARE(readBytes(h.dir.file(QStringLiteral("F1ABC_VQX.log"))), crlf({A}));
}

void SafetyTest::textFieldsKeepCtrlZAndLeaveTheUndoKeys()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B});
    operate(h, Operation::Deletion);
    h.fakes.messages.clear();
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    Keyboard::type(QStringLiteral("F4AB"));

    // Ctrl+Z undoes the typing and leaves the log alone.
    Keyboard::press(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m->form()->Ind_A->text(), QString());
    QVERIFY(h.fakes.messages.asked.isEmpty());
    QCOMPARE(h.logBytes(), crlf({A}));

    // Ctrl+Shift+Backspace is the menu's, not the field's; No changes nothing.
    Keyboard::type(QStringLiteral("F4AB"));
    h.fakes.messages.answers = {false};
    pressUndo();
    QCOMPARE(h.fakes.messages.asked.size(), 1);
    QCOMPARE(m->form()->Ind_A->text(), QStringLiteral("F4AB"));
    QCOMPARE(h.logBytes(), crlf({A}));
    QVERIFY(m->Mnu_Annuler->isEnabled());

    // The same from the band list, an editable combo box that keeps the focus
    // and hands keys to its line edit.
    QVERIFY(Keyboard::tabTo(QStringLiteral("Bande_A"), true));
    const QString band = m->form()->Bande_A->currentText();
    h.fakes.messages.answers = {false};
    pressUndo();
    QCOMPARE(h.fakes.messages.asked.size(), 2);
    QCOMPARE(m->form()->Bande_A->currentText(), band);
}

void SafetyTest::undoIsRefusedWhenTheLogChangedOutside()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A, B});
    operate(h, Operation::Recording);
    const QByteArray edited = crlf({A, B, C});
    QVERIFY(writeBytes(h.logFile(), edited));
    h.fakes.messages.clear();
    h.fakes.messages.answers = {true};
    pressUndo();
    QCOMPARE(h.fakes.messages.asked.size(), 1);
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY2(h.fakes.messages.last().contains(QStringLiteral("modifié en dehors de ZAT_VQX")),
             qPrintable(h.fakes.messages.last()));
    QVERIFY(h.fakes.messages.last().contains(QDir::toNativeSeparators(h.logFile())));
    QCOMPARE(h.logBytes(), edited);
    QCOMPARE(m->logModel()->rowCount(), 3);
    QVERIFY(!m->Mnu_Annuler->isEnabled());
}

void SafetyTest::firstChangeOfTheRunIsBackedUp()
{
    MainHarness h;
    QVERIFY(writeBytes(h.dir.file(kPrenomFile), "FAAAA        31 JEAN\r\n"));
    MainWindow *m = openStation(h, {A, B, C});
    // Opening the log is no change: nothing is copied.
    QVERIFY(!QFileInfo::exists(backupFolder(h)));
    const QByteArray before = h.logBytes();
    operate(h, Operation::Recording);
    operate(h, Operation::Deletion);
    QCOMPARE(h.fakes.messages.shown, QStringList());
    const QList<BackupEntry> copies = listBackups(h.dir.path(), QStringLiteral("F1ABC"));
    QCOMPARE(copies.size(), 1);
    // Named with the callsign and the UTC time of the clock.
    QCOMPARE(QFileInfo(copies.first().logCopy).fileName(),
             QStringLiteral("F1ABC_VQX_2021-06-05_143210.log"));
    QCOMPARE(readBytes(copies.first().logCopy), before);
    // The first-name directory as it was before the recording stored PAUL.
    QCOMPARE(readBytes(copies.first().prenomCopy), QByteArray("FAAAA        31 JEAN\r\n"));
    QVERIFY(m->logModel()->rowCount() == 3);
}

void SafetyTest::failingBackupFolderStillRecordsTheContact()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    QVERIFY(writeBytes(backupFolder(h), "not a folder"));
    operate(h, Operation::Recording);
    QCOMPARE(h.logBytes(), crlf({A, kNewContact}));
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QVERIFY2(h.fakes.messages.last().startsWith(
                 QStringLiteral("La sauvegarde automatique du log n'a pas pu être faite (") +
                 QDir::toNativeSeparators(backupFolder(h))),
             qPrintable(h.fakes.messages.last()));
    // Said once: the next change goes through without a word.
    operate(h, Operation::Deletion);
    QCOMPARE(h.logBytes(), crlf({A}));
    QCOMPARE(h.fakes.messages.shown.size(), 1);
    QCOMPARE(m->logModel()->rowCount(), 1);
}

void SafetyTest::restoreFromTheKeyboard()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({A});
    const QDateTime older(QDate(2021, 6, 1), QTime(8, 5, 9), Qt::UTC);
    QVERIFY(backupLog(h.dir.path(), QStringLiteral("F1ABC"), older).ok());
    h.writeLog({A, B});
    QVERIFY(backupLog(h.dir.path(), QStringLiteral("F1ABC"), older.addDays(2)).ok());
    MainWindow *m = openStation(h, {A, B, C});

    auto *w = openRestore(m);
    QVERIFY(w);
    QVERIFY(w->isModal());
    QCOMPARE(w->Liste_Sauvegardes->topLevelItemCount(), 2);
    const QStringList newest = {QStringLiteral("03/06/2021"), QStringLiteral("08:05:09"),
                                QStringLiteral("2")};
    const QStringList oldest = {QStringLiteral("01/06/2021"), QStringLiteral("08:05:09"),
                                QStringLiteral("1")};
    for (int col = 0; col < 3; ++col) {
        QCOMPARE(w->Liste_Sauvegardes->topLevelItem(0)->text(col), newest.at(col));
        QCOMPARE(w->Liste_Sauvegardes->topLevelItem(1)->text(col), oldest.at(col));
    }
    QVERIFY(Keyboard::activate(w));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Liste_Sauvegardes"));

    // Down to the oldest; Enter asks first, and No changes nothing.
    Keyboard::press(Qt::Key_Down);
    h.fakes.messages.answers = {false};
    Keyboard::enter();
    const QString question = QStringLiteral(
        "Voulez-vous remplacer le log de F1ABC (3 QSO) par la sauvegarde du 01/06/2021 à "
        "08:05:09 UTC (1 QSO) ?\r\nLe log actuel sera d'abord sauvegardé à son tour.");
    QCOMPARE(h.fakes.messages.asked, QStringList{question});
    QCOMPARE(h.logBytes(), crlf({A, B, C}));
    QVERIFY(w->isVisible());

    h.fakes.messages.answers = {true};
    Keyboard::enter();
    QCOMPARE(h.fakes.messages.asked.size(), 2);
    QCOMPARE(h.logBytes(), crlf({A}));
    QTRY_VERIFY(!m->secondary(QStringLiteral("Restaurer_Sauvegarde")));
    // The log before the restore is a backup of its own, taken now.
    const QList<BackupEntry> copies = listBackups(h.dir.path(), QStringLiteral("F1ABC"));
    QCOMPARE(copies.size(), 3);
    QCOMPARE(readBytes(copies.first().logCopy), crlf({A, B, C}));
    QCOMPARE(h.fakes.messages.shown,
             QStringList{QStringLiteral("Le log de F1ABC a été remplacé par la sauvegarde du "
                                        "01/06/2021 à 08:05:09 UTC.\r\nSon contenu d'avant la "
                                        "restauration est gardé dans ") +
                         QDir::toNativeSeparators(copies.first().logCopy) +
                         QStringLiteral(".\r\nPour revenir en arrière : Fichier > Restaurer une "
                                        "sauvegarde…, la sauvegarde du 05/06/2021 à 14:32:10 UTC "
                                        "marquée « avant restauration ».")});
    QCOMPARE(m->logModel()->rowCount(), 1);
    QCOMPARE(m->form()->Ligne_Selection, buildQsoListLine(A, 1));
    QVERIFY(!m->Mnu_Annuler->isEnabled());

    // Escape leaves without a question. The copy just taken is marked.
    w = openRestore(m);
    QVERIFY(w);
    QCOMPARE(w->Liste_Sauvegardes->topLevelItem(0)->text(3), QStringLiteral("avant restauration"));
    QCOMPARE(w->Liste_Sauvegardes->topLevelItem(1)->text(3), QString());
    QVERIFY(Keyboard::activate(w));
    Keyboard::press(Qt::Key_Escape);
    QTRY_VERIFY(!m->secondary(QStringLiteral("Restaurer_Sauvegarde")));
    QCOMPARE(h.fakes.messages.asked.size(), 2);
    QCOMPARE(h.logBytes(), crlf({A}));
}

void SafetyTest::restoreWindowWithoutBackups()
{
    MainHarness h;
    MainWindow *m = openStation(h, {A});
    auto *w = openRestore(m);
    QVERIFY(w);
    QCOMPARE(w->Liste_Sauvegardes->topLevelItemCount(), 0);
    QVERIFY(!w->Restaurer->isEnabled());
    QVERIFY(w->Label_Sauvegardes->text().startsWith(
        QStringLiteral("Aucune sauvegarde du log de F1ABC pour l'instant.")));
    QVERIFY(Keyboard::activate(w));
    Keyboard::enter();
    QTRY_VERIFY(!m->secondary(QStringLiteral("Restaurer_Sauvegarde")));
    QVERIFY(h.fakes.messages.asked.isEmpty());
    QVERIFY(!QFileInfo::exists(backupFolder(h)));
}

QTEST_MAIN(SafetyTest)
#include "safety_test.moc"
