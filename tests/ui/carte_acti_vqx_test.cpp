#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "logstore/log_record.h"
#include "mainwindow/shared_values.h"
#include "reports/carte_acti_vqx.h"
#include "reports/map_picture.h"

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

} // namespace

class CarteActiVqxTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    SharedValues m_shared;

    void writeLog(const QStringList &lines)
    {
        QVERIFY(writeBytes(logFilePath(m_dir->path(), QStringLiteral("FYYYY")), crlf(lines)));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<TempFolder>();
        m_fakes = std::make_unique<FakeServices>(m_dir->path());
        m_shared.Indicatif_Station = QStringLiteral("FYYYY");
    }

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
        CarteActiVqx w(m_fakes->services, &m_shared);
        QCOMPARE(w.windowTitle(), QStringLiteral("Carte des départements contactés"));
        QVERIFY(m_fakes->messages.shown.isEmpty());

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
        CarteActiVqx w(m_fakes->services, &m_shared);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const std::pair<int, QColor> cases[] = {{13, kGreen}, {75, kRed}, {1, kYellow}};
        for (const auto &[index, colour] : cases) {
            QLabel *box = w.Dep.at(index);
            const QImage shape = shapeAlone(w.Carte, mapElementId(index));
            QCOMPARE(QColor(shape.pixel(box->geometry().center())), colour);
        }
    }

    void everyBoxSitsOnItsOwnDepartment_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::newRow("natural size") << 1.0;
        QTest::newRow("enlarged window") << 1.7;
    }

    void everyBoxSitsOnItsOwnDepartment()
    {
        QFETCH(double, zoom);
        writeLog({});
        CarteActiVqx w(m_fakes->services, &m_shared);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        if (zoom != 1.0) {
            w.resize((QSizeF(w.size()) * zoom).toSize());
            QTRY_VERIFY(w.Carte->width() > w.Carte->minimumWidth() * (zoom - 0.2));
        }
        int checked = 0;
        for (int i = 0; i < kMapBoxCount; ++i) {
            if (!boxVisible(i))
                continue;
            const QString id = mapElementId(i);
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

    void aMissingLogIsNamed()
    {
        CarteActiVqx w(m_fakes->services, &m_shared);
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        QVERIFY(m_fakes->messages.last().contains(QStringLiteral("FYYYY_VQX.log")));
        QCOMPARE(w.NB_Dep->text(), QStringLiteral("0"));
        QCOMPARE(background(w.Dep.at(75)), kYellow);
    }
};

QTEST_MAIN(CarteActiVqxTest)
#include "carte_acti_vqx_test.moc"
