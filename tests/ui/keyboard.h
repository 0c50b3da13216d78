#pragma once
// A keyboard for window tests. Every key goes to the active window, which
// hands it to the widget that holds the focus, event filters included; no key
// is ever sent to a widget picked by name. An editable combo box keeps the
// focus itself and feeds its line edit, and only this route shows whether the
// program's key handling sees those keys.

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace vqx::test {

struct Keyboard
{
    // The window the keys go to: the active one, as on the operator's screen.
    static QWindow *window()
    {
        QWidget *active = QApplication::activeWindow();
        return active ? active->windowHandle() : nullptr;
    }

    // Shows a window and makes it the active one; false when it never becomes active.
    static bool activate(QWidget *w)
    {
        w->show();
        QApplication::setActiveWindow(w);
        return QTest::qWaitForWindowActive(w);
    }

    static QWidget *focus() { return QApplication::focusWidget(); }

    // The name of the widget holding the focus, for comparisons that say what went wrong.
    static QString focusName()
    {
        const QWidget *f = focus();
        return f ? f->objectName() : QStringLiteral("(nothing)");
    }

    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        // window() is the active window's windowHandle(), never a named widget.
        QTest::keyClick(window(), key, modifiers);
    }

    // Types text one character at a time; letters outside ASCII carry only their text.
    static void type(const QString &text)
    {
        for (QChar c : text) {
            const Qt::Key key =
                c.unicode() < 0x80 ? QTest::asciiToKey(char(c.unicode())) : Qt::Key_unknown;
            // To the active window's windowHandle(), which routes it to the focus.
            QTest::sendKeyEvent(QTest::Click, window(), key, QString(c), Qt::NoModifier);
        }
    }

    static void enter() { press(Qt::Key_Return); }
    static void tab() { press(Qt::Key_Tab); }

    static void typeEnter(const QString &text)
    {
        type(text);
        enter();
    }

    // Replaces the text of the focused field as an operator does: select all, type over.
    static void retype(const QString &text)
    {
        press(Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            press(Qt::Key_Backspace);
        else
            type(text);
    }

    // Tab (Shift+Tab backwards) until the named widget has the focus; false
    // when it is not reached within `most` presses.
    static bool tabTo(const QString &name, bool backwards = false, int most = 40)
    {
        for (int i = 0; i < most && focusName() != name; ++i)
            press(backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                  backwards ? Qt::ShiftModifier : Qt::NoModifier);
        return focusName() == name;
    }

    // Pastes text into the focused field.
    static void paste(const QString &text)
    {
        QApplication::clipboard()->setText(text);
        press(Qt::Key_V, Qt::ControlModifier);
    }
};

} // namespace vqx::test
