#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"
#include "window_fixture.h"

#include "logstore/log_record.h"
#include "map/map_picture.h"
#include "map/map_svg.h"
#include "map/map_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

using namespace vqx;
using namespace vqx::test;

namespace {

// A contact whose department column holds exactly the given code.
QString withDpt(const QString &dpt, bool qsl)
{
    QString line =
        qso(QStringLiteral("FTEST"), QStringLiteral("31FA001"), QStringLiteral("05/06/21"),
            QStringLiteral("10:00"), QStringLiteral("14 Mhz"), qsl);
    line.replace(QsoLine::Dpt.start - 1, QsoLine::Dpt.width, dpt);
    return line;
}

const QColor kYellow(255, 255, 128);
const QColor kRed(255, 192, 192);
const QColor kGreen(128, 255, 128);

QColor background(const QWidget *w)
{
    return w->palette().color(w->backgroundRole());
}

// The department drawn alone where the whole map draws it.
QImage shapeAlone(const MapPicture *map, const QString &id)
{
    QImage img(map->size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    map->renderer()->render(&p, id, map->elementRect(id));
    p.end();
    return img;
}

// A pixel of the window inside the department, clear of its antialiased
// edge and outline, that no box covers; (-1, -1) when there is none.
QPoint uncoveredInside(const QImage &shape, const QList<QRect> &boxes)
{
    auto solid = [&](int x, int y) {
        return shape.rect().contains(x, y) && qAlpha(shape.pixel(x, y)) == 255;
    };
    for (int y = 0; y < shape.height(); ++y) {
        for (int x = 0; x < shape.width(); ++x) {
            bool inside = true;
            for (int dy = -1; dy <= 1 && inside; ++dy)
                for (int dx = -1; dx <= 1 && inside; ++dx)
                    inside = solid(x + dx, y + dy);
            if (!inside)
                continue;
            const bool covered = std::any_of(boxes.begin(), boxes.end(), [&](const QRect &b) {
                return b.adjusted(-1, -1, 1, 1).contains(x, y);
            });
            if (!covered)
                return QPoint(x, y);
        }
    }
    return QPoint(-1, -1);
}

QList<QRect> visibleBoxes(const MapWindow &w)
{
    QList<QRect> boxes;
    for (const QLabel *box : w.Dep) {
        if (box->isVisibleTo(&w))
            boxes << box->geometry();
    }
    return boxes;
}

void zoomRows()
{
    QTest::addColumn<double>("zoom");
    QTest::newRow("natural size") << 1.0;
    QTest::newRow("enlarged window") << 1.7;
}

// Shows the window, larger than its natural size by zoom.
bool showAt(MapWindow &w, double zoom)
{
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return false;
    if (zoom == 1.0)
        return true;
    w.resize((QSizeF(w.size()) * zoom).toSize());
    return QTest::qWaitFor(
        [&] { return w.Carte->width() > w.Carte->minimumWidth() * (zoom - 0.2); });
}

} // namespace

class MapWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> m_f;

    void writeLog(const QStringList &lines) { QVERIFY(m_f->writeLog(lines)); }

private slots:
    void init() { m_f = std::make_unique<WindowFixture>(); }

    void theMapIsInTheProgram()
    {
        QSvgRenderer map(kMapResource);
        QVERIFY(map.isValid());
        for (int i = 0; i < kMapBoxCount; ++i) {
            if (boxVisible(i))
                QVERIFY2(map.elementExists(mapElementId(i)), qPrintable(mapElementId(i)));
        }
    }

    void countersAndBoxColours()
    {
        writeLog({withDpt(QStringLiteral("2a"), false), withDpt(QStringLiteral("2A"), true),
                  withDpt(QStringLiteral("75"), false), withDpt(QStringLiteral("75"), false),
                  withDpt(QStringLiteral("13"), true), withDpt(QStringLiteral("20"), false),
                  withDpt(QStringLiteral("00"), true), withDpt(QStringLiteral("AB"), true),
                  withDpt(QStringLiteral("2C"), true)});
        MapWindow w(m_f->fakes.services, m_f->callsign);
        QCOMPARE(w.windowTitle(), QStringLiteral("Carte des départements contactés"));
        QVERIFY(m_f->fakes.messages.shown.isEmpty());

        QCOMPARE(w.NB_Dep->text(), QStringLiteral("4"));
        QCOMPARE(w.Label5->text(), QStringLiteral("départements contactés"));
        QCOMPARE(w.Nb_Nconf->text(), QStringLiteral(" 2 Dpt confirmés"));
        QCOMPARE(w.Nb_Ncont->text(), QStringLiteral(" 92 Dpt non contactés"));
        QCOMPARE(background(w.Nb_Nconf), QColor(192, 255, 192));
        QCOMPARE(background(w.Nb_Ncont), QColor(255, 255, 192));

        auto box = [&](int i) { return w.findChild<QLabel *>(QStringLiteral("Dep_%1").arg(i)); };
        QCOMPARE(background(box(96)), kGreen);
        QCOMPARE(box(96)->text(), QStringLiteral("2a"));
        QCOMPARE(background(box(97)), kYellow);
        QCOMPARE(box(97)->text(), QStringLiteral("2b"));
        QCOMPARE(background(box(75)), kRed);
        QCOMPARE(background(box(13)), kGreen);
        QCOMPARE(box(13)->toolTip(), QStringLiteral("13 Bouches-du-Rhône"));
        QCOMPARE(background(box(1)), kYellow);
        QCOMPARE(box(1)->text(), QStringLiteral("01"));
        QCOMPARE(background(box(2)), kYellow); // "2C" is skipped
        QCOMPARE(background(box(20)), kRed);
        QCOMPARE(background(box(0)), kGreen);

        int visible = 0;
        for (int i = 0; i < kMapBoxCount; ++i) {
            QVERIFY(box(i));
            visible += box(i)->isVisibleTo(&w) ? 1 : 0;
        }
        QCOMPARE(visible, 96);
        for (int hidden : {0, 20, 98, 99})
            QVERIFY(!box(hidden)->isVisibleTo(&w));
    }

    void departmentsFilledWithTheirBoxColour()
    {
        writeLog({withDpt(QStringLiteral("13"), true), withDpt(QStringLiteral("75"), false)});
        MapWindow w(m_f->fakes.services, m_f->callsign);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const std::pair<int, QColor> cases[] = {{13, kGreen}, {75, kRed}, {1, kYellow}};
        for (const auto &[index, colour] : cases) {
            QLabel *box = w.Dep.at(index);
            const QImage shape = shapeAlone(w.Carte, boxElementId(index));
            QCOMPARE(QColor(shape.pixel(box->geometry().center())), colour);
        }
    }

    // What the operator sees: each department, on the map and in the inset
    // of Paris, shows its box's colour where no box covers it.
    void departmentsShowTheirColourOnScreen_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("box");
        QTest::addColumn<QColor>("colour");
        const std::tuple<int, QColor> cases[] = {{75, kRed},   {92, kGreen}, {93, kYellow},
                                                 {94, kGreen}, {13, kGreen}, {77, kRed}};
        for (const auto &[index, colour] : cases) {
            QTest::addRow("map %d", index) << mapElementId(index) << index << colour;
            if (boxInParisInset(index))
                QTest::addRow("inset %d", index) << insetElementId(index) << index << colour;
        }
    }

    void departmentsShowTheirColourOnScreen()
    {
        QFETCH(QString, id);
        QFETCH(int, box);
        QFETCH(QColor, colour);
        writeLog({withDpt(QStringLiteral("75"), false), withDpt(QStringLiteral("92"), true),
                  withDpt(QStringLiteral("94"), false), withDpt(QStringLiteral("94"), true),
                  withDpt(QStringLiteral("13"), true), withDpt(QStringLiteral("77"), false)});
        MapWindow w(m_f->fakes.services, m_f->callsign);
        QVERIFY(showAt(w, 1.0));
        QCOMPARE(background(w.Dep.at(box)), colour);
        const QPoint spot = uncoveredInside(shapeAlone(w.Carte, id), visibleBoxes(w));
        QVERIFY2(spot.x() >= 0, "every point of the department is under a box");
        const QImage screen = w.Carte->grab().toImage();
        QCOMPARE(QColor(screen.pixel(spot)), colour);
    }

    // Paris and its neighbours, enlarged in a corner of the map, carry their
    // boxes; the map still draws them in their place.
    void theInsetEnlargesParisAndItsNeighbours()
    {
        writeLog({});
        MapWindow w(m_f->fakes.services, m_f->callsign);
        QVERIFY(showAt(w, 1.0));
        const QRectF frame = w.Carte->elementRect(kInsetFrameId);
        QVERIFY(!frame.isEmpty());
        const QRectF map = w.Carte->viewRect();
        QVERIFY(map.contains(frame));
        for (int i : {75, 92, 93, 94}) {
            QVERIFY(boxInParisInset(i));
            const QRectF own = w.Carte->elementRect(mapElementId(i));
            const QRectF copy = w.Carte->elementRect(insetElementId(i));
            QVERIFY2(frame.contains(copy), qPrintable(insetElementId(i)));
            QVERIFY(!frame.intersects(own));
            QVERIFY(copy.width() > 4 * own.width() && copy.height() > 4 * own.height());
            // Same shape; the bounds include the outline, which is not enlarged.
            const double aspect = (copy.width() / copy.height()) / (own.width() / own.height());
            QVERIFY2(aspect > 0.9 && aspect < 1.1, qPrintable(QString::number(aspect)));
            QVERIFY2(frame.contains(QRectF(w.Dep.at(i)->geometry())), qPrintable(boxText(i)));
        }
        // No other box on the inset or on the outline of the area it enlarges.
        const QRectF area = w.Carte->elementRect(kInsetSourceId);
        for (int i = 0; i < kMapBoxCount; ++i) {
            const QLabel *box = w.Dep.at(i);
            if (boxInParisInset(i) || !box->isVisibleTo(&w))
                continue;
            QVERIFY2(!frame.intersects(box->geometry()), qPrintable(box->text()));
            QVERIFY2(!area.intersects(box->geometry()), qPrintable(box->text()));
        }
    }

    void everyBoxSitsOnItsOwnDepartment_data() { zoomRows(); }

    void everyBoxSitsOnItsOwnDepartment()
    {
        QFETCH(double, zoom);
        writeLog({});
        MapWindow w(m_f->fakes.services, m_f->callsign);
        QVERIFY(showAt(w, zoom));
        int checked = 0;
        for (int i = 0; i < kMapBoxCount; ++i) {
            if (!boxVisible(i))
                continue;
            const QString id = boxElementId(i);
            QLabel *box = w.Dep.at(i);
            QCOMPARE(box->parentWidget(), w.Carte);
            const QImage shape = shapeAlone(w.Carte, id);
            const QPoint centre = box->geometry().center();
            QVERIFY2(shape.rect().contains(centre), qPrintable(id));
            QVERIFY2(qAlpha(shape.pixel(centre)) >= 128,
                     qPrintable(QStringLiteral("box %1 at (%2, %3) is off its department")
                                    .arg(box->text())
                                    .arg(centre.x())
                                    .arg(centre.y())));
            ++checked;
        }
        QCOMPARE(checked, 96);
    }

    void noTwoBoxesOverlap_data() { zoomRows(); }

    void noTwoBoxesOverlap()
    {
        QFETCH(double, zoom);
        writeLog({});
        MapWindow w(m_f->fakes.services, m_f->callsign);
        QVERIFY(showAt(w, zoom));
        QStringList clashes;
        int visible = 0;
        for (int i = 0; i < kMapBoxCount; ++i) {
            const QLabel *a = w.Dep.at(i);
            if (!a->isVisibleTo(&w))
                continue;
            ++visible;
            for (int j = i + 1; j < kMapBoxCount; ++j) {
                const QLabel *b = w.Dep.at(j);
                if (b->isVisibleTo(&w) && a->geometry().intersects(b->geometry()))
                    clashes << a->text() + QLatin1Char('/') + b->text();
            }
        }
        QCOMPARE(visible, 96);
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1Char(' '))));
    }

    void aMissingLogIsNamed()
    {
        MapWindow w(m_f->fakes.services, m_f->callsign);
        QCOMPARE(m_f->fakes.messages.shown.size(), 1);
        QVERIFY(m_f->fakes.messages.last().contains(QStringLiteral("FYYYY_VQX.log")));
        QCOMPARE(w.NB_Dep->text(), QStringLiteral("0"));
        QCOMPARE(background(w.Dep.at(75)), kYellow);
    }
};

QTEST_MAIN(MapWindowTest)
#include "map_window_test.moc"
