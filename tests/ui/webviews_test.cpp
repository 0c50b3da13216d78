// The cluster and rules windows with a recording web view: no network.
#include "temp_folder.h"
#include "ui_fakes.h"

#include "mainwindow/main_window.h"
#include "session/shared_values.h"
#include "webviews/cluster_window.h"
#include "webviews/reglement_window.h"
#include "webviews/web_addresses.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString kF1Aaa = QStringLiteral("F1AAA");
const QString kF1Bbb = QStringLiteral("F1BBB");

// A view that hands each address to the test as it is asked for.
class CallbackView : public WebView
{
public:
    CallbackView(QWidget *parent, std::function<void(const QUrl &)> onNavigate)
        : WebView(parent), m_onNavigate(std::move(onNavigate))
    {
    }
    void navigate(const QUrl &url) override { m_onNavigate(url); }

private:
    std::function<void(const QUrl &)> m_onNavigate;
};

class CallbackFactory : public WebViewFactory
{
public:
    WebView *create(QWidget *parent) override { return new CallbackView(parent, onNavigate); }
    std::function<void(const QUrl &)> onNavigate;
};

QStringList paths(const QList<QUrl> &urls)
{
    QStringList out;
    for (const QUrl &u : urls)
        out << u.path();
    return out;
}

} // namespace

class WebViewsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void clusterControls();
    void firstOpeningShowsAllHf();
    void bandIsStoredBeforeThePageIsAsked();
    void afficherStoresAndNextOpeningReselects();
    void selectionAloneLoadsNothing();
    void twoCallsignsKeepSeparateBands();
    void storedValueOutsideTheListFallsBackToAllHf_data();
    void storedValueOutsideTheListFallsBackToAllHf();
    void reglementFillsTheWindow();
    void menuOpensEachWindowOnceAndAfreshAfterClose_data();
    void menuOpensEachWindowOnceAndAfreshAfterClose();

private:
    std::unique_ptr<ClusterWindow> openCluster(const QString &callsign);
    FakeWebView *lastView() const;

    std::unique_ptr<TempFolder> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    SharedValues m_shared;
};

void WebViewsTest::init()
{
    m_dir = std::make_unique<TempFolder>();
    m_fakes = std::make_unique<FakeServices>(m_dir->path());
    m_shared = SharedValues();
}

void WebViewsTest::cleanup()
{
    m_fakes.reset();
    m_dir.reset();
}

std::unique_ptr<ClusterWindow> WebViewsTest::openCluster(const QString &callsign)
{
    m_shared.Indicatif_Station = callsign;
    return std::make_unique<ClusterWindow>(m_fakes->services, &m_shared);
}

FakeWebView *WebViewsTest::lastView() const
{
    return m_fakes->webViews.views.isEmpty() ? nullptr : m_fakes->webViews.views.last().data();
}

void WebViewsTest::clusterControls()
{
    auto w = openCluster(kF1Aaa);
    QCOMPARE(w->objectName(), QStringLiteral("Cluster"));
    QCOMPARE(w->windowTitle(), QStringLiteral("Cluster"));
    QCOMPARE(w->findChild<QWidget *>(QStringLiteral("WebBrowser1")), lastView());
    QCOMPARE(w->findChild<QComboBox *>(QStringLiteral("Bande_CL")), w->Bande_CL);
    QCOMPARE(w->findChild<QPushButton *>(QStringLiteral("Afficher")), w->Afficher);
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("Label1")), w->Label1);
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("Label2")), w->Label2);
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("Label3")), w->Label3);
    QCOMPARE(w->Afficher->text(), QStringLiteral("Afficher"));
    QCOMPARE(w->Label1->text(), QStringLiteral("Cluster remis a jour toutes les minutes"));
    QCOMPARE(w->Label2->text(), kClusterServiceName);
    QCOMPARE(w->Label3->text(), QStringLiteral("Bande"));
    QCOMPARE(w->Label3->buddy(), w->Bande_CL);
}

void WebViewsTest::firstOpeningShowsAllHf()
{
    auto w = openCluster(kF1Aaa);
    QCOMPARE(w->Bande_CL->currentText(), QStringLiteral("All HF"));
    QVERIFY(lastView());
    QCOMPARE(lastView()->requested, QList<QUrl>{QUrl(kClusterServiceAddress + "/euhfcw.html")});
    QCOMPARE(m_fakes->settings.get(kAppBrenox, QStringLiteral("Setup F1AAA"), kKeyBandeCluster),
             QStringLiteral("0"));
}

void WebViewsTest::bandIsStoredBeforeThePageIsAsked()
{
    const QString section = QStringLiteral("Setup F1AAA");
    m_fakes->settings.set(kAppBrenox, section, kKeyBandeCluster, QStringLiteral("5"));
    QStringList seen; // "path stored-band-at-that-moment"
    CallbackFactory watching;
    watching.onNavigate = [&](const QUrl &url) {
        seen << url.path() + QLatin1Char(' ') +
                    m_fakes->settings.get(kAppBrenox, section, kKeyBandeCluster);
    };
    Services services = m_fakes->services;
    services.webViews = &watching;
    m_shared.Indicatif_Station = kF1Aaa;

    ClusterWindow w(services, &m_shared);
    w.Bande_CL->setCurrentIndex(11);
    QTest::mouseClick(w.Afficher, Qt::LeftButton);
    QCOMPARE(seen, QStringList({"/ww20cw.html 5", "/ww2cw.html 11"}));
}

void WebViewsTest::afficherStoresAndNextOpeningReselects()
{
    {
        auto w = openCluster(kF1Aaa);
        w->Bande_CL->setCurrentIndex(w->Bande_CL->findText(QStringLiteral("144 Mhz")));
        QTest::mouseClick(w->Afficher, Qt::LeftButton);
        QCOMPARE(m_fakes->settings.get(kAppBrenox, QStringLiteral("Setup F1AAA"), kKeyBandeCluster),
                 QStringLiteral("11"));
        QCOMPARE(paths(lastView()->requested), QStringList({"/euhfcw.html", "/ww2cw.html"}));
    }
    auto again = openCluster(kF1Aaa);
    QCOMPARE(again->Bande_CL->currentText(), QStringLiteral("144 Mhz"));
    QCOMPARE(m_fakes->webViews.views.size(), 2);
    QCOMPARE(paths(lastView()->requested), QStringList({"/ww2cw.html"}));
}

void WebViewsTest::selectionAloneLoadsNothing()
{
    auto w = openCluster(kF1Aaa);
    const QStringList writesBefore = m_fakes->settings.writes;
    w->Bande_CL->setCurrentIndex(12);
    QCOMPARE(paths(lastView()->requested), QStringList({"/euhfcw.html"}));
    QCOMPARE(m_fakes->settings.writes, writesBefore);

    QTest::mouseClick(w->Afficher, Qt::LeftButton);
    QCOMPARE(paths(lastView()->requested), QStringList({"/euhfcw.html", "/euvhfcw.html"}));
}

void WebViewsTest::twoCallsignsKeepSeparateBands()
{
    {
        auto w = openCluster(kF1Aaa);
        w->Bande_CL->setCurrentIndex(11);
        QTest::mouseClick(w->Afficher, Qt::LeftButton);
    }
    {
        auto w = openCluster(kF1Bbb);
        QCOMPARE(w->Bande_CL->currentText(), QStringLiteral("All HF"));
        QCOMPARE(paths(lastView()->requested), QStringList({"/euhfcw.html"}));
        w->Bande_CL->setCurrentIndex(5);
        QTest::mouseClick(w->Afficher, Qt::LeftButton);
    }
    auto a = openCluster(kF1Aaa);
    QCOMPARE(a->Bande_CL->currentText(), QStringLiteral("144 Mhz"));
    auto b = openCluster(kF1Bbb);
    QCOMPARE(b->Bande_CL->currentText(), QStringLiteral("14 Mhz"));
    QCOMPARE(paths(lastView()->requested), QStringList({"/ww20cw.html"}));
}

void WebViewsTest::storedValueOutsideTheListFallsBackToAllHf_data()
{
    QTest::addColumn<QString>("stored");
    QTest::newRow("past the end") << QStringLiteral("13");
    QTest::newRow("negative") << QStringLiteral("-1");
    QTest::newRow("not a number") << QStringLiteral("vingt");
    QTest::newRow("empty") << QString();
}

void WebViewsTest::storedValueOutsideTheListFallsBackToAllHf()
{
    QFETCH(QString, stored);
    m_fakes->settings.set(kAppBrenox, QStringLiteral("Setup F1AAA"), kKeyBandeCluster, stored);
    auto w = openCluster(kF1Aaa);
    QCOMPARE(w->Bande_CL->currentIndex(), 0);
    QCOMPARE(paths(lastView()->requested), QStringList({"/euhfcw.html"}));
    QCOMPARE(m_fakes->settings.get(kAppBrenox, QStringLiteral("Setup F1AAA"), kKeyBandeCluster),
             QStringLiteral("0"));
}

void WebViewsTest::reglementFillsTheWindow()
{
    ReglementWindow w(m_fakes->services);
    QCOMPARE(w.objectName(), QStringLiteral("Reglement"));
    QCOMPARE(w.windowTitle(), QStringLiteral("VQX Règlement"));
    QCOMPARE(w.findChild<QWidget *>(QStringLiteral("WebBrowser1")), lastView());
    QCOMPARE(lastView()->requested, QList<QUrl>{reglementUrl()});
    w.resize(640, 480);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.WebBrowser1->geometry(), w.rect());
}

void WebViewsTest::menuOpensEachWindowOnceAndAfreshAfterClose_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("path");
    QTest::newRow("Afficher Cluster") << QStringLiteral("Mnu_Cluster") << QStringLiteral("Cluster")
                                      << QStringLiteral("/euhfcw.html");
    QTest::newRow("Règlement") << QStringLiteral("Mnu_Reglement") << QStringLiteral("Reglement")
                               << reglementUrl().path();
}

void WebViewsTest::menuOpensEachWindowOnceAndAfreshAfterClose()
{
    QFETCH(QString, item);
    QFETCH(QString, key);
    QFETCH(QString, path);
    m_fakes->settings.set(kAppVqx, kSectionSetup, QStringLiteral("Indicatif Station"), kF1Aaa);
    MainWindow main(m_fakes->services);
    auto *action = main.findChild<QAction *>(item);
    QVERIFY(action);

    action->trigger();
    QPointer<QWidget> first = main.secondary(key);
    QVERIFY(first);
    QCOMPARE(first->objectName(), key);
    QVERIFY(first->isVisible());
    QCOMPARE(m_fakes->webViews.views.size(), 1);
    QCOMPARE(paths(lastView()->requested), QStringList({path}));

    // While open: the same window, nothing loaded again.
    action->trigger();
    QCOMPARE(main.secondary(key), first.data());
    QCOMPARE(m_fakes->webViews.views.size(), 1);
    QCOMPARE(lastView()->requested.size(), 1);

    // Closed: discarded; the next opening loads the page afresh.
    first->close();
    QTRY_VERIFY(first.isNull());
    action->trigger();
    QVERIFY(main.secondary(key));
    QCOMPARE(m_fakes->webViews.views.size(), 2);
    QCOMPARE(paths(lastView()->requested), QStringList({path}));
}

QTEST_MAIN(WebViewsTest)
#include "webviews_test.moc"
