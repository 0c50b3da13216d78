// The main window fits the screen it opens on, frame included, on a
// 1366x768 screen as on larger ones; the award window's frames are drawn
// whole at every scale from 1 to 2.
#include "main_harness.h"
#include "offscreen_screen.h"

#include "awards/award_levels_window.h"
#include "awards/award_list_window.h"
#include "mainwindow/window_fit.h"

#include <QFrame>
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

bool dark(const QImage &shot, int x, int y)
{
    return qGray(shot.pixel(x, y)) < 110;
}

// A line of dark pixels across the middle half of a side: a column for the
// left and right sides, a row for the top and bottom.
bool lineAt(const QImage &shot, bool column, int at, int from, int to)
{
    const int limit = column ? shot.width() : shot.height();
    if (at < 0 || at >= limit)
        return false;
    int n = 0;
    for (int i = from; i <= to; ++i)
        n += column ? dark(shot, at, i) : dark(shot, i, at);
    return n * 10 >= (to - from + 1) * 9;
}

// The sides of a box whose line the picture of its window does not show,
// looked for within two pixels of the box's edge, `box` in the window's
// pixels and the picture in the screen's.
QStringList missingSides(const QImage &shot, qreal ratio, const QRect &box)
{
    const auto dev = [ratio](double v) { return int(v * ratio); };
    const int x0 = dev(box.left() + box.width() / 4.0);
    const int x1 = dev(box.right() - box.width() / 4.0);
    const int y0 = dev(box.top() + box.height() / 4.0);
    const int y1 = dev(box.bottom() - box.height() / 4.0);
    const auto anyLine = [&](bool column, double from, double to, int a, int b) {
        for (int at = dev(from); at <= dev(to) + 1; ++at) {
            if (lineAt(shot, column, at, a, b))
                return true;
        }
        return false;
    };
    QStringList missing;
    if (!anyLine(true, box.left(), box.left() + 2, y0, y1))
        missing << QStringLiteral("left");
    if (!anyLine(true, box.right() - 2, box.right() + 1, y0, y1))
        missing << QStringLiteral("right");
    if (!anyLine(false, box.top(), box.top() + 2, x0, x1))
        missing << QStringLiteral("top");
    if (!anyLine(false, box.bottom() - 2, box.bottom() + 1, x0, x1))
        missing << QStringLiteral("bottom");
    return missing;
}

// The award windows as the main window opens them, at their own size: are
// the lines of their two frames on the screen?
QString awardFramesShowWhole(const QString &window)
{
    TempFolder dir;
    FakeServices fakes(dir.path());
    const QString station = QStringLiteral("F1ABC");
    AwardChoice choice;
    choice.Groupe_Bandes = QStringLiteral("HF");
    choice.Niveau_Liste = QStringLiteral("Base");
    if (!writeBytes(logFilePath(dir.path(), station), crlf({kSampleA})))
        return QStringLiteral("no log written");
    std::unique_ptr<QWidget> w;
    if (window == QLatin1String("Diplomes_VQX"))
        w = std::make_unique<AwardLevelsWindow>(fakes.services, station, choice.Groupe_Bandes,
                                                std::function<void(const QString &)>());
    else if (window == QLatin1String("Liste_VQX"))
        w = std::make_unique<AwardListWindow>(fakes.services, station, choice);
    else
        return QStringLiteral("no window named ") + window;
    w->adjustSize();
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get()))
        return QStringLiteral("the window is not shown");
    const QImage shot = w->grab().toImage();
    QStringList problems;
    for (const char *name : {"Frame1", "Frame2"}) {
        const auto *frame = w->findChild<QFrame *>(QLatin1String(name));
        if (!frame)
            return QStringLiteral("no ") + QLatin1String(name);
        const QRect box(frame->mapTo(w.get(), QPoint(0, 0)), frame->size());
        const QStringList missing = missingSides(shot, w->devicePixelRatioF(), box);
        if (!missing.isEmpty())
            problems << QLatin1String(name) + QStringLiteral(" has no line on its ") +
                            missing.join(QStringLiteral(", ")) + QStringLiteral(" side");
    }
    return problems.join(QStringLiteral("; "));
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
    void awardFramesShowWholeAtEveryScale_data();
    void awardFramesShowWholeAtEveryScale();
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

void WindowFitTest::awardFramesShowWholeAtEveryScale_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("scale");
    for (const char *window : {"Diplomes_VQX", "Liste_VQX"}) {
        for (const char *scale : {"1", "1.1", "1.25", "1.3", "1.5", "1.75", "2"})
            QTest::addRow("%s at %s", window, scale)
                << QString::fromLatin1(window) << QString::fromLatin1(scale);
    }
}

void WindowFitTest::awardFramesShowWholeAtEveryScale()
{
    QFETCH(QString, window);
    QFETCH(QString, scale);
    // The check runs in a copy of this program started at that scale.
    const ScaleRun run = runCheckAtScale(window, scale);
    QVERIFY2(run.status == 0, qPrintable(run.output));
}

VQX_TEST_MAIN_ON_SCREEN_WITH_SCALE_CHECKS(WindowFitTest, 1366, 768, awardFramesShowWhole)
#include "window_fit_test.moc"
