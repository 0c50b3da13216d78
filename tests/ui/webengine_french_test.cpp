// The embedded browser's own pages follow the program's French, not the
// system language: the page for an address that cannot be reached.
#include "platform/qt_french.h"
#include "platform/web_view.h"

#include <QApplication>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>

#include <unistd.h>

using namespace vqx;

class WebEngineFrenchTest : public QObject
{
    Q_OBJECT
private slots:
    void unreachablePageIsFrench();
};

void WebEngineFrenchTest::unreachablePageIsFrench()
{
    WebEngineViewFactory factory;
    std::unique_ptr<WebView> view(factory.create(nullptr));
    auto *engine = view->findChild<QWebEngineView *>();
    QVERIFY(engine);
    view->resize(400, 300);
    view->show();

    // Port 9 (discard) on this machine: refused at once, no network needed.
    view->navigate(QUrl(QStringLiteral("http://127.0.0.1:9/")));
    // The page answers asynchronously; the text outlives this test if it must.
    auto text = std::make_shared<QString>();
    QTRY_VERIFY_WITH_TIMEOUT(
        (engine->page()->toPlainText([text](const QString &t) { *text = t; }), !text->isEmpty()),
        30000);
    QVERIFY2(text->contains(QStringLiteral("Ce site est inaccessible")), qPrintable(*text));
}

int main(int argc, char *argv[])
{
    // A system in another language.
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    qunsetenv("LANGUAGE");
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // As the program does, after the application and before any web view.
    installQtFrench(app);
    WebEngineFrenchTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "webengine_french_test.moc"
