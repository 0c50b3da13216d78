#include "platform/keyboard.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

namespace vqx {

namespace {

bool takesText(const QObject *o)
{
    return qobject_cast<const QLineEdit *>(o) || qobject_cast<const QComboBox *>(o) ||
           qobject_cast<const QAbstractSpinBox *>(o) || qobject_cast<const QTextEdit *>(o) ||
           qobject_cast<const QPlainTextEdit *>(o);
}

class ShortcutKeysFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !takesText(watched))
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->text().isEmpty() ||
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;
        // The same key without its text: copy, paste and the other shortcuts
        // of the field still work, and nothing is inserted.
        QKeyEvent bare(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                       key->nativeVirtualKey(), key->nativeModifiers(), QString(),
                       key->isAutoRepeat(), key->count(), key->device());
        QCoreApplication::sendEvent(watched, &bare);
        event->setAccepted(bare.isAccepted());
        return true;
    }
};

class EnterKeyFilter : public QObject
{
public:
    EnterKeyFilter(QObject *parent, std::function<void()> act)
        : QObject(parent), m_act(std::move(act))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        m_act();
        return true;
    }

private:
    std::function<void()> m_act;
};

} // namespace

void installShortcutKeysFilter()
{
    static QPointer<ShortcutKeysFilter> installed;
    if (installed || !qApp)
        return;
    installed = new ShortcutKeysFilter(qApp);
    qApp->installEventFilter(installed);
}

void onEnterKey(QAbstractItemView *view, std::function<void()> act)
{
    view->installEventFilter(new EnterKeyFilter(view, std::move(act)));
}

} // namespace vqx
