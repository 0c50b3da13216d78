#include "widgets/window_keys.h"

#include <QApplication>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

namespace vqx {

namespace {

// True when Tab can bring the keyboard to some control of the window.
bool hasKeyboardControl(const QWidget *window)
{
    const QList<QWidget *> children = window->findChildren<QWidget *>();
    for (const QWidget *c : children) {
        if (c->window() == window && c->isEnabled() && c->isVisibleTo(window) &&
            (c->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            return true;
    }
    return false;
}

class WindowKeys : public QObject
{
public:
    WindowKeys(QWidget *window, QWidget *opener) : QObject(window), m_opener(opener)
    {
        window->installEventFilter(this);
        // A shortcut, not a key handler: a web page takes every key pressed
        // in it, but leaves Escape to the window's shortcuts.
        auto *escape = new QShortcut(QKeySequence::Cancel, window);
        escape->setContext(Qt::WindowShortcut);
        connect(escape, &QShortcut::activated, window, &QWidget::close);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        switch (event->type()) {
        case QEvent::Show:
            // The controls are built and enabled by now.
            if (!window->focusWidget() && !hasKeyboardControl(window)) {
                // Activation then gives the focus to the window itself; Tab
                // never stops on it.
                window->setFocusPolicy(Qt::ClickFocus);
                window->setFocus(Qt::OtherFocusReason);
            }
            break;
        case QEvent::Hide:
            if (!QApplication::activeWindow() || QApplication::activeWindow() == window)
                giveBack(window);
            break;
        default:
            break;
        }
        return false;
    }

private:
    void giveBack(const QWidget *window)
    {
        QWidget *to = m_opener;
        if ((!to || !to->isVisible()) && window->parentWidget())
            to = window->parentWidget()->window();
        if (!to || !to->isVisible() || to == window)
            return;
        to->raise();
        to->activateWindow();
    }

    QPointer<QWidget> m_opener;
};

} // namespace

void leaveWithEscape(QWidget *window, QWidget *opener)
{
    new WindowKeys(window, opener);
}

} // namespace vqx
