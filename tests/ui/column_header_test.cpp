// Each word of a list's header stands over its column: the header is read
// from its pixels, the columns from the list line, the fonts and the
// widgets' places in the window.
#include "main_harness.h"
#include "offscreen_screen.h"

#include "reports/aff_contacte.h"
#include "reports/recherche_indicatif.h"

#include <QImage>
#include <QListWidget>
#include <QScrollBar>

using namespace vqx;
using namespace vqx::test;

namespace {

struct Run
{
    int first;
    int last;
};

// Horizontal stretches of dark pixels between rows top and bottom; gaps
// narrower than `join` belong to the same word.
QList<Run> inkRuns(const QImage &image, int top, int bottom, int join)
{
    QList<Run> runs;
    for (int x = 0; x < image.width(); ++x) {
        bool ink = false;
        for (int y = qMax(0, top); y <= qMin(bottom, image.height() - 1) && !ink; ++y)
            ink = qGray(image.pixel(x, y)) < 128;
        if (!ink)
            continue;
        if (!runs.isEmpty() && x - runs.last().last <= join)
            runs.last().last = x;
        else
            runs.append({x, x});
    }
    return runs;
}

// A contact whose every column starts with a printed character.
const QString kFull =
    qso(QStringLiteral("F5ABC"), QStringLiteral("31FA001"), QStringLiteral("05/06/21"),
        QStringLiteral("14:32"), QStringLiteral("14 Mhz"), true, QStringLiteral("SSB"),
        QStringLiteral("JEAN"), QStringLiteral("FONTAINE DU PARC"));
const QString kSecond = qso(QStringLiteral("F6XYZ"), QStringLiteral("75FT002"),
                            QStringLiteral("06/06/21"), QStringLiteral("10:00"));

// Where each header word begins, in characters of the list line (1-based).
// The line number is right-aligned, so "N°" stands over its last two places.
const QList<int> kListLineWords = {5, 9, 23, 27, 44, 53, 63, 70, 75, 84, 89, 94, 98, 101, 104, 126};
// "Dpt" ends with its two-character column, one blank before "Prénom".
const QList<int> kContactedWords = {7, 15, 28, 32, 48, 58, 65, 70, 79, 84, 89, 93, 96, 99, 121};

// Checks the header over row `row` of the list; `line` is that row's text.
void checkAligned(QLabel *header, QAbstractItemView *list, int row, const QList<int> &wordStarts)
{
    QVERIFY(header->isVisible());
    QVERIFY(list->isVisible());
    QWidget *window = header->window();
    const QString line = list->model()->index(row, 0).data().toString();
    const QFontMetricsF fm(list->font());
    const qreal charWidth = fm.horizontalAdvance(QLatin1Char('M'));
    QVERIFY(QFontInfo(list->font()).fixedPitch());

    // Left edge of the line's first character, in window coordinates: the
    // viewport, the item's rectangle and the text margin of item views.
    const QRect item = list->visualRect(list->model()->index(row, 0));
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const qreal lineX = list->viewport()->mapTo(window, QPoint(0, 0)).x() + item.left() + margin;
    const auto columnX = [&](int column) {
        return lineX + fm.horizontalAdvance(line.left(column - 1));
    };

    // The list draws its line there: every column that begins after blanks
    // begins an ink run of the row.
    const QImage rows = list->viewport()->grab().toImage();
    const QList<Run> rowRuns = inkRuns(rows, item.top(), item.bottom(), qRound(charWidth * 0.8));
    const int viewportX = list->viewport()->mapTo(window, QPoint(0, 0)).x();
    for (int column : wordStarts) {
        if (column < 2 || column > line.size() || line.at(column - 1) == QLatin1Char(' ') ||
            line.at(column - 2) != QLatin1Char(' '))
            continue;
        bool drawn = false;
        for (const Run &r : rowRuns)
            drawn = drawn || qAbs(viewportX + r.first - columnX(column)) < charWidth;
        QVERIFY2(drawn, qPrintable(QStringLiteral("list column %1").arg(column)));
    }

    // The header's words, read from its pixels.
    const QImage picture = header->grab().toImage();
    const QList<Run> words = inkRuns(picture, 0, picture.height() - 1, qRound(charWidth * 0.8));
    const QStringList captionWords = header->text().simplified().split(QLatin1Char(' '));
    QCOMPARE(words.size(), captionWords.size());
    QCOMPARE(words.size(), wordStarts.size());
    const int headerX = header->mapTo(window, QPoint(0, 0)).x();
    // The header reaches past the last word's place.
    QVERIFY(headerX + header->width() >=
            columnX(wordStarts.last()) + captionWords.last().size() * charWidth);
    for (int i = 0; i < words.size(); ++i) {
        // Shown whole, not cut at the header's edge.
        const int inked = words.at(i).last - words.at(i).first + 1;
        QVERIFY2(inked > (captionWords.at(i).size() - 1) * charWidth,
                 qPrintable(captionWords.at(i)));
        const qreal drift = headerX + words.at(i).first - columnX(wordStarts.at(i));
        QVERIFY2(qAbs(drift) < charWidth,
                 qPrintable(QStringLiteral("\"%1\" is %2 px from column %3")
                                .arg(captionWords.at(i))
                                .arg(drift)
                                .arg(wordStarts.at(i))));
    }
}

} // namespace

class ColumnHeaderTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void mainListHeader();
    void mainListHeaderFollowsASidewaysScroll();
    void contactedListHeader();
    void searchResultsHeader();
};

void ColumnHeaderTest::mainListHeader()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({kFull, kSecond});
    MainWindow *m = h.open();
    QVERIFY(QTest::qWaitForWindowExposed(m));
    // The header keeps the caption's text.
    QCOMPARE(m->Label_Liste_VQX->text(), kColumnHeader);
    QCOMPARE(m->Label_Liste_VQX->text().size(), 191);
    checkAligned(m->Label_Liste_VQX, m->Liste_VQX, 0, kListLineWords);
}

void ColumnHeaderTest::mainListHeaderFollowsASidewaysScroll()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({kFull, kSecond});
    MainWindow *m = h.open();
    QVERIFY(QTest::qWaitForWindowExposed(m));
    // A narrow window scrolls the list sideways; the header goes with it.
    m->resize(900, m->height());
    QScrollBar *bar = m->Liste_VQX->horizontalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    const QRect item = m->Liste_VQX->visualRect(m->Liste_VQX->model()->index(0, 0));
    QVERIFY(item.left() < 0);

    // "QSL", the last word, stands over the last column wherever that went.
    const QFontMetricsF fm(m->Liste_VQX->font());
    const qreal charWidth = fm.horizontalAdvance(QLatin1Char('M'));
    // Far enough for a header left behind to miss its columns.
    QVERIFY(bar->value() > 2 * charWidth);
    const int margin =
        m->Liste_VQX->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m->Liste_VQX) + 1;
    const QString line = m->Liste_VQX->model()->index(0, 0).data().toString();
    const qreal qslX = m->Liste_VQX->viewport()->mapTo(m, QPoint(0, 0)).x() + item.left() + margin +
                       fm.horizontalAdvance(line.left(kListLineWords.last() - 1));
    const QImage picture = m->Label_Liste_VQX->grab().toImage();
    const QList<Run> words = inkRuns(picture, 0, picture.height() - 1, qRound(charWidth * 0.8));
    QVERIFY(!words.isEmpty());
    const int headerX = m->Label_Liste_VQX->mapTo(m, QPoint(0, 0)).x();
    QVERIFY(qAbs(headerX + words.last().first - qslX) < charWidth);
}

void ColumnHeaderTest::contactedListHeader()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({kFull, kSecond});
    MainWindow *m = h.open();
    m->Mnu_L_Contacte->trigger();
    auto *w = qobject_cast<AffContacte *>(m->secondary(QStringLiteral("Aff_Contacte")));
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->Label2->text(), kContactedColumnCaption);
    checkAligned(w->Label2, w->Liste_VQX_Contacte, 0, kContactedWords);
}

void ColumnHeaderTest::searchResultsHeader()
{
    MainHarness h;
    h.setStation(QStringLiteral("F1ABC"));
    h.writeLog({kFull, kSecond});
    MainWindow *m = h.open();
    m->Rechercher->click();
    auto *w =
        qobject_cast<RechercheIndicatif *>(m->secondary(QStringLiteral("Recherche_Indicatif")));
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->Indica->setText(QStringLiteral("F"));
    w->Rechercher_Qso();
    QCOMPARE(w->QSO_Effectues->count(), 2);
    QCOMPARE(w->Label13->text(), kSearchHeader);
    checkAligned(w->Label13, w->QSO_Effectues, 0, kListLineWords);
}

VQX_TEST_MAIN_ON_SCREEN(ColumnHeaderTest, 1366, 768)
#include "column_header_test.moc"
