// The main window fits the screen it opens on, frame included, on a
// 1366x768 screen as on larger ones.
#include "main_harness.h"
#include "offscreen_screen.h"

#include "mainwindow/window_fit.h"

#include <QScreen>

using namespace vqx;
using namespace vqx::test;

namespace {

// Everything the operator needs is inside the screen's free area.
void checkOnScreen(MainWindow *m)
{
    const QRect area = m->screen()->availableGeometry();
    const QRect frame = m->frameGeometry();
    QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("frame %1,%2 %3x%4")
                                                  .arg(frame.x())
                                                  .arg(frame.y())
                                                  .arg(frame.width())
                                                  .arg(frame.height())));
    // Centred, to the pixel that integer halving may lose.
    QVERIFY(qAbs((frame.left() - area.left()) - (area.right() - frame.right())) <= 1);
    QVERIFY(qAbs((frame.top() - area.top()) - (area.bottom() - frame.bottom())) <= 1);
    // The last line of the window and the list's newest lines are inside it.
    auto *credit = m->findChild<QLabel *>(QStringLiteral("Label14"));
    QVERIFY(credit);
    QVERIFY(m->rect().contains(QRect(credit->mapTo(m, QPoint(0, 0)), credit->size())));
    QVERIFY(m->rect().contains(QRect(m->Liste_VQX->mapTo(m, QPoint(0, 0)), m->Liste_VQX->size())));
}

} // namespace

class WindowFitTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fitOnScreen_data();
    void fitOnScreen();
    void opensInsideA1366x768Screen();
    void theRealFrameRefitsTheWindowWhenItFirstComesToTheFront();
};

void WindowFitTest::fitOnScreen_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QPoint>("framePos");
    QTest::addColumn<QSize>("size");
    const QMargins usual(4, 38, 4, 4);
    QTest::newRow("1366x768, panel of 40 at the bottom")
        << QRect(0, 0, 1366, 728) << usual << QPoint(39, 0) << QSize(1280, 686);
    QTest::newRow("1366x768, panel of 32 at the top")
        << QRect(0, 32, 1366, 736) << usual << QPoint(39, 32) << QSize(1280, 694);
    QTest::newRow("1366x768, panel of 48 on the left")
        << QRect(48, 0, 1318, 768) << usual << QPoint(63, 0) << QSize(1280, 726);
    QTest::newRow("1366x768, no frame, no panel")
        << QRect(0, 0, 1366, 768) << QMargins() << QPoint(43, 4) << QSize(1280, 760);
    QTest::newRow("1920x1080, panel at the bottom: the size asked")
        << QRect(0, 0, 1920, 1040) << usual << QPoint(316, 119) << QSize(1280, 760);
    QTest::newRow("second screen right of the first")
        << QRect(1920, 0, 1366, 728) << usual << QPoint(1959, 0) << QSize(1280, 686);
    QTest::newRow("1024x600 netbook: narrower and lower")
        << QRect(0, 0, 1024, 576) << usual << QPoint(0, 0) << QSize(1016, 534);
}

void WindowFitTest::fitOnScreen()
{
    QFETCH(QRect, available);
    QFETCH(QMargins, frame);
    QFETCH(QPoint, framePos);
    QFETCH(QSize, size);
    const WindowPlacement place = vqx::fitOnScreen(QSize(1280, 760), available, frame);
    QCOMPARE(place.framePos, framePos);
    QCOMPARE(place.size, size);
}

void WindowFitTest::opensInsideA1366x768Screen()
{
    QCOMPARE(QGuiApplication::primaryScreen()->size(), QSize(1366, 768));
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog(generatedLog(300));
    MainWindow *m = h.open();
    QVERIFY(QTest::qWaitForWindowExposed(m));
    QVERIFY(m->width() <= 1280);
    QVERIFY(m->height() <= 760);
    checkOnScreen(m);
    // The list takes the height left over: many lines, the newest shown.
    const int rowHeight = m->Liste_VQX->sizeHintForRow(0);
    QVERIFY(m->Liste_VQX->viewport()->height() >= 15 * rowHeight);
    const QModelIndex newest = m->Liste_VQX->model()->index(299, 0);
    QVERIFY(m->Liste_VQX->viewport()->rect().contains(m->Liste_VQX->visualRect(newest)));
}

void WindowFitTest::theRealFrameRefitsTheWindowWhenItFirstComesToTheFront()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({kSampleA});
    MainWindow m(h.fakes.services);
    m.start();
    // Before the window manager frames it, the window is fitted with a
    // guessed frame; here it is then pushed past the screen as a frame
    // taller than guessed would push it.
    m.resize(m.width(), 768);
    QVERIFY(!m.screen()->availableGeometry().contains(m.frameGeometry()));
    // The window takes the keyboard by itself, as the operator types at once.
    QTRY_VERIFY(m.isActiveWindow());
    checkOnScreen(&m);
    // The offscreen frame is thinner than the guess: the whole size asked fits.
    QCOMPARE(m.size(), kWantedSize);
}

VQX_TEST_MAIN_ON_SCREEN(WindowFitTest, 1366, 768)
#include "window_fit_test.moc"
