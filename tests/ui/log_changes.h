#pragma once
// Changes of the log made through the main window as the operator makes
// them, for the tests that check what such a change leaves behind.

#include "main_harness.h"

#include "restore/restore_window.h"

#include <QAction>

namespace vqx::test {

// Station F1ABC on the given log, its opening messages forgotten.
inline MainWindow *openStation(MainHarness &h, const QStringList &lines)
{
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog(lines);
    MainWindow *m = h.open();
    h.fakes.messages.clear();
    return m;
}

// F5NEW, first name paul, 75FA010 "du lavoir".
inline MainHarness::Contact newContact()
{
    MainHarness::Contact c;
    c.call = QStringLiteral("F5NEW");
    c.prenom = QStringLiteral("paul");
    c.ref = QStringLiteral("75FA010");
    c.name = QStringLiteral("du lavoir");
    return c;
}

inline void recordNewContact(MainHarness &h)
{
    QCOMPARE(h.typeContact(newContact()), QString());
    QVERIFY(h.record());
}

// A double click on the line opens it; "du lavoir" is added to its fountain
// name, or typed over it.
inline void modifyFountainName(MainHarness &h, int row, bool typeOver)
{
    MainWindow *m = h.w.get();
    clickLine(m, row);
    QTest::mouseDClick(m->Liste_VQX->viewport(), Qt::LeftButton, {}, lineCentre(m, row));
    QCOMPARE(m->form()->Mode_Aff->text(), QStringLiteral("Modification QSO"));
    QCOMPARE(Keyboard::focusName(), QStringLiteral("Ind_A"));
    QVERIFY(enterTo(QStringLiteral("Rem_A")));
    if (typeOver)
        Keyboard::retype(QStringLiteral("du lavoir"));
    else
        Keyboard::type(QStringLiteral("du lavoir"));
    QVERIFY(enterTo(QStringLiteral("Valide_A")));
    QVERIFY(h.record());
}

inline void deleteLine(MainHarness &h, int row)
{
    clickLine(h.w.get(), row);
    QTest::mouseClick(h.w->form()->Annule_Saisie, Qt::LeftButton);
}

// The keys reach the active window, which hands them to the focused field or
// to the menu's shortcut, as a keyboard does.
inline void pressUndo()
{
    Keyboard::press(Qt::Key_Backspace, Qt::ControlModifier | Qt::ShiftModifier);
}

// Fichier > Restaurer une sauvegarde…; null when the window does not open.
inline RestoreWindow *openRestore(MainWindow *m)
{
    m->Mnu_Restaurer->trigger();
    return qobject_cast<RestoreWindow *>(m->secondary(QStringLiteral("Restaurer_Sauvegarde")));
}

} // namespace vqx::test
