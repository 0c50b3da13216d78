// The real embedded browser, started headless: asked for an address that
// nothing answers, it must report a failed load and leave the program
// running, within a bounded time.
#include "platform/web_view.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>

#include <unistd.h>

using namespace vqx;

class WebEngineSmokeTest : public QObject
{
    Q_OBJECT
private slots:
    void unreachableAddressFailsWithoutHanging();
};

void WebEngineSmokeTest::unreachableAddressFailsWithoutHanging()
{
    WebEngineViewFactory factory;
    std::unique_ptr<WebView> view(factory.create(nullptr));
    auto *engine = view->findChild<QWebEngineView *>();
    QVERIFY(engine);
    QSignalSpy finished(engine, &QWebEngineView::loadFinished);
    view->resize(400, 300);
    view->show();

    // Port 9 (discard) on this machine: refused at once, no network needed.
    const QUrl unreachable(QStringLiteral("http://127.0.0.1:9/"));
    view->navigate(unreachable);
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 60000);
    QCOMPARE(finished.first().first().toBool(), false);
    QCOMPARE(engine->url(), unreachable);
}

int main(int argc, char *argv[])
{
    // As the program does: the engine will not start as root with its sandbox on.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Qt WebEngine shares its GL contexts with the application's.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    WebEngineSmokeTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "webengine_smoke_test.moc"
