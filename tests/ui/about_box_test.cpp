// The About box of the main window (folder of the logs, credit of the map,
// award logo) and the program's pictures compiled into it.
#include "main_harness.h"

#include "map/map_credit.h"
#include "platform/program_pictures.h"

#include <QAction>
#include <QImage>

using namespace vqx;
using namespace vqx::test;

namespace {

// True when the picture holds something drawn, not only transparent pixels.
bool hasDrawing(const QPixmap &p)
{
    const QImage img = p.toImage();
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (qAlpha(img.pixel(x, y)) != 0)
                return true;
        }
    }
    return false;
}

} // namespace

class AboutBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void aboutNamesFolderAndMapAuthors();
    void logoIsSharpOnDenseScreens_data();
    void logoIsSharpOnDenseScreens();
    void iconServesEverySize_data();
    void iconServesEverySize();
};

void AboutBoxTest::aboutNamesFolderAndMapAuthors()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({});
    MainWindow *m = h.open();
    h.fakes.messages.clear();
    m->Mnu_Apropos->trigger();

    QCOMPARE(h.fakes.messages.shown.size(), 1);
    const QString text = h.fakes.messages.last();
    QVERIFY(text.startsWith(QStringLiteral("ZAT_VQX  Révision  1.0.1\r\n\r\n")));
    QVERIFY2(text.contains(QDir::toNativeSeparators(h.dir.path())), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("\r\n\r\n") + kMapCredit), qPrintable(text));
    QVERIFY(kMapCredit.contains(QStringLiteral("Victor Cazanave")));
    QVERIFY(kMapCredit.contains(QStringLiteral("CC BY 4.0")));

    QCOMPARE(h.fakes.messages.aboutLogo.deviceIndependentSize().toSize(), QSize(74, 60));
    QVERIFY(hasDrawing(h.fakes.messages.aboutLogo));
}

void AboutBoxTest::logoIsSharpOnDenseScreens_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("ordinary screen") << 1.0;
    QTest::newRow("dense screen") << 2.0;
    QTest::newRow("fractional scale") << 1.5;
}

void AboutBoxTest::logoIsSharpOnDenseScreens()
{
    QFETCH(qreal, ratio);
    const QPixmap logo = awardLogo(ratio);
    QCOMPARE(logo.deviceIndependentSize().toSize(), kAwardLogoSize);
    QCOMPARE(logo.size(), (kAwardLogoSize * ratio));
    QVERIFY(hasDrawing(logo));
}

void AboutBoxTest::iconServesEverySize_data()
{
    QTest::addColumn<int>("side");
    for (int side : {16, 22, 32, 48, 64, 128, 256})
        QTest::newRow(qPrintable(QStringLiteral("%1 px").arg(side))) << side;
}

void AboutBoxTest::iconServesEverySize()
{
    QFETCH(int, side);
    const QIcon icon = programIcon();
    QVERIFY(!icon.isNull());
    const QPixmap p = icon.pixmap(QSize(side, side));
    QCOMPARE(p.size(), QSize(side, side));
    QVERIFY(hasDrawing(p));
}

QTEST_MAIN(AboutBoxTest)

#include "about_box_test.moc"
