#pragma once
// Test doubles for the services that need a screen: message boxes that
// record what they showed and answer as scripted, a printer that records
// the lines and the font, a web view that records the addresses.

#include "core_fakes.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/printer.h"
#include "platform/services.h"
#include "platform/web_view.h"

#include <QFont>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace vqx::test {

class FakeMessageBoxes : public MessageBoxes
{
public:
    void information(QWidget *, const QString &text) override
    {
        shown << text;
        if (onShow)
            onShow(text);
    }
    bool question(QWidget *, const QString &text) override
    {
        asked << text;
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }
    void about(QWidget *, const QString &text, const QPixmap &logo) override
    {
        shown << text;
        aboutLogo = logo;
        if (onShow)
            onShow(text);
    }
    QString last() const { return shown.isEmpty() ? QString() : shown.last(); }
    void clear()
    {
        shown.clear();
        asked.clear();
    }

    QStringList shown;   // messages, in order
    QStringList asked;   // questions, in order
    QList<bool> answers; // scripted answers to the next questions
    bool defaultAnswer = true;
    QPixmap aboutLogo; // the logo of the last About box
    std::function<void(const QString &)> onShow;
};

class FakePrinter : public PrintService
{
public:
    PrintOutcome printLines(QWidget *, const QStringList &lines, const QFont &font) override
    {
        ++calls;
        if (outcome == PrintOutcome::Printed) {
            printed = lines;
            this->font = font;
        }
        return outcome;
    }
    int calls = 0;
    QStringList printed;
    QFont font;
    PrintOutcome outcome = PrintOutcome::Printed;
};

class FakeWebView : public WebView
{
public:
    using WebView::WebView;
    void navigate(const QUrl &url) override { requested << url; }
    QList<QUrl> requested;
};

class FakeWebViewFactory : public WebViewFactory
{
public:
    WebView *create(QWidget *parent) override
    {
        auto *v = new FakeWebView(parent);
        views << v;
        return v;
    }
    // Every address asked of any view made so far (views may be gone).
    QList<QPointer<FakeWebView>> views;
};

// File dialogs that record what they were asked and answer as scripted.
class FakeFileDialogs : public FileDialogs
{
public:
    struct Call
    {
        QString caption;
        QString place; // the folder opened, or the path offered
        QString filter;
    };
    QString openFileName(QWidget *, const QString &caption, const QString &folder,
                         const QString &filter) override
    {
        opened << Call{caption, folder, filter};
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString saveFileName(QWidget *, const QString &caption, const QString &suggested,
                         const QString &filter) override
    {
        saved << Call{caption, suggested, filter};
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    QList<Call> opened;
    QList<Call> saved;
    QStringList openAnswers; // next paths chosen; "" or none: the operator gave up
    QStringList saveAnswers;
};

// The whole set, pointing at a temporary data folder.
struct FakeServices
{
    explicit FakeServices(const QString &dataDir)
    {
        services.dataDir = dataDir;
        services.settings = &settings;
        services.clock = &clock;
        services.messages = &messages;
        services.printer = &printer;
        services.webViews = &webViews;
        services.fileDialogs = &fileDialogs;
    }
    MemorySettingsStore settings;
    FakeClock clock;
    FakeMessageBoxes messages;
    FakePrinter printer;
    FakeWebViewFactory webViews;
    FakeFileDialogs fileDialogs;
    Services services;
};

} // namespace vqx::test
