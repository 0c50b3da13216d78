#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"
#include "window_fixture.h"

#include "contacted/contacted_list.h"
#include "contacted/contacted_window.h"
#include "logstore/log_record.h"

#include <QListWidget>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QXmlStreamReader>
#include <QtTest>

#include <map>

using namespace vqx;
using namespace vqx::test;

namespace {

QString contact(const QString &call, const QString &ref, bool qsl)
{
    return qso(call, ref, QStringLiteral("05/06/21"), QStringLiteral("10:00"),
               QStringLiteral("14 Mhz"), qsl);
}

QStringList items(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The fake clock's day: 05/06/2021 local.
const QString kFileName = QStringLiteral("Fontaines_Contacte_FYYYY_05_06_21.txt");
const QString kTitle =
    QStringLiteral("                    Liste des Fontaines contactées par FYYYY "
                   "au 05/06/2021 par ordre alphanumerique");

// A contact with every column filled to its width.
QString fullContact(const QString &call, const QString &ref)
{
    return qso(call, ref, QStringLiteral("05/06/21"), QStringLiteral("10:00"),
               QStringLiteral("144 Mhz"), true, QStringLiteral("SSB"),
               QStringLiteral("JEAN-CHRISTOPHE"), QStringLiteral("FONTAINE DU GRAND CHEMIN NORD"));
}

// Prints to a PDF file the way the real service does once a printer is
// chosen, and keeps the printable area of the page, in points.
class PdfPrintService : public PrintService
{
public:
    PdfPrintService(QString file, QPageSize size, QPageLayout::Orientation orientation)
        : m_file(std::move(file)), m_size(std::move(size)), m_orientation(orientation)
    {
    }
    PrintOutcome printLines(QWidget *, const QStringList &lines, const QFont &font) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(m_size);
        printer.setPageOrientation(m_orientation);
        printer.setOutputFileName(m_file);
        printable = printer.pageLayout().paintRect(QPageLayout::Point);
        return paintLines(printer, lines, font) ? PrintOutcome::Printed : PrintOutcome::Failed;
    }
    QRectF printable;

private:
    QString m_file;
    QPageSize m_size;
    QPageLayout::Orientation m_orientation;
};

struct PdfWord
{
    QString text;
    QRectF box; // points, from the page's top left
};

// The words of a PDF as pdftotext places them, one list per printed line,
// top to bottom and page after page, each line's words from left to right.
QList<QList<PdfWord>> pdfLines(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QXmlStreamReader r(p.readAllStandardOutput());
    QList<QList<PdfWord>> lines;
    std::map<qint64, QList<PdfWord>> page; // by the top of the line, in tenths of points
    auto endPage = [&] {
        for (auto &[top, words] : page) {
            std::sort(words.begin(), words.end(), [](const PdfWord &a, const PdfWord &b) {
                return a.box.left() < b.box.left();
            });
            lines.append(words);
        }
        page.clear();
    };
    while (!r.atEnd()) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::EndElement && r.name() == QLatin1String("page"))
            endPage();
        if (token != QXmlStreamReader::StartElement || r.name() != QLatin1String("word"))
            continue;
        const QXmlStreamAttributes a = r.attributes();
        auto at = [&](const char *name) { return a.value(QLatin1String(name)).toDouble(); };
        const QRectF box(QPointF(at("xMin"), at("yMin")), QPointF(at("xMax"), at("yMax")));
        page[qRound64(box.top() * 10)].append({r.readElementText(), box});
    }
    return lines;
}

// Each word of a line with the column (0-based) it starts at.
QList<std::pair<QString, int>> wordsAndColumns(const QString &line)
{
    QList<std::pair<QString, int>> out;
    int start = -1;
    for (int i = 0; i <= line.size(); ++i) {
        const bool blank = i == line.size() || line.at(i) == QLatin1Char(' ');
        if (!blank && start < 0)
            start = i;
        if (blank && start >= 0) {
            out.append({line.mid(start, i - start), start});
            start = -1;
        }
    }
    return out;
}

} // namespace

class ContactedWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowFixture> m_f;

    void writeLog(const QStringList &lines) { QVERIFY(m_f->writeLog(lines)); }

private slots:
    void init() { m_f = std::make_unique<WindowFixture>(); }

    void showsEveryContactSortedWithoutDuplicates()
    {
        const QString a = contact(QStringLiteral("FAAAA"), QStringLiteral("75FA002"), false);
        const QString xyz = contact(QStringLiteral("FBXYZ"), QStringLiteral("13FT010"), true);
        const QString qqq = contact(QStringLiteral("FBQQQ"), QStringLiteral("13FT010"), false);
        writeLog({a, xyz, qqq});
        ContactedWindow w(m_f->fakes.services, m_f->callsign);
        QCOMPARE(w.windowTitle(), QStringLiteral("VQX contactés"));
        QCOMPARE(items(w.Liste_VQX_Contacte),
                 (QStringList{contactedListLine(qqq), contactedListLine(a)}));
        QCOMPARE(items(w.Liste_VQX_Contacte).first().mid(6, 16),
                 QStringLiteral("13FT010 FBQQQ   "));
        QVERIFY(m_f->fakes.messages.shown.isEmpty());
    }

    void savesTheEmptyListOfAnEmptyLog()
    {
        writeLog({});
        ContactedWindow w(m_f->fakes.services, m_f->callsign);
        QCOMPARE(w.Liste_VQX_Contacte->count(), 0);
        QTest::mouseClick(w.Enregistrer, Qt::LeftButton);
        QCOMPARE(m_f->fakes.messages.shown,
                 QStringList{QStringLiteral("Le log a été enregistré sous le nom : ") + kFileName});
        const QString header = contactedListHeader();
        QCOMPARE(header.size(), 122);
        const QByteArray expected =
            crlf({kTitle, QString(), header, QString(), QString(), contactedListCredit()});
        QCOMPARE(readBytes(m_f->dir.file(kFileName)), expected);
        QVERIFY(!QFileInfo::exists(m_f->dir.file(kContactedScratch)));
    }

    void aFailedSaveSaysSoAndNeverSuccess()
    {
        writeLog({contact(QStringLiteral("FAAAA"), QStringLiteral("75FA002"), true)});
        // A folder in the way of the file: nothing can be written there.
        QVERIFY(QDir(m_f->dir.path()).mkdir(kFileName));
        ContactedWindow w(m_f->fakes.services, m_f->callsign);
        QTest::mouseClick(w.Enregistrer, Qt::LeftButton);
        QCOMPARE(m_f->fakes.messages.shown.size(), 1);
        QVERIFY(!m_f->fakes.messages.last().startsWith(QStringLiteral("Le log a été enregistré")));
        QVERIFY(m_f->fakes.messages.last().contains(kFileName));
        QVERIFY(m_f->fakes.messages.last().contains(QStringLiteral("n'a pas pu être enregistré")));
        QVERIFY(QFileInfo(m_f->dir.file(kFileName)).isDir());
    }

    void printsInCourierNewBold8()
    {
        const QString a = contact(QStringLiteral("FAAAA"), QStringLiteral("75FA002"), true);
        writeLog({a});
        ContactedWindow w(m_f->fakes.services, m_f->callsign);
        QTest::mouseClick(w.Imprimer, Qt::LeftButton);
        QCOMPARE(m_f->fakes.printer.calls, 1);
        QCOMPARE(m_f->fakes.printer.printed,
                 (QStringList{kTitle, QString(), contactedListHeader(), QString(),
                              contactedListLine(a), QString(), QString(), contactedListCredit()}));
        QCOMPARE(m_f->fakes.printer.font.family(), QStringLiteral("Courier New"));
        QVERIFY(m_f->fakes.printer.font.bold());
        QCOMPARE(m_f->fakes.printer.font.pointSize(), 8);
        QVERIFY(m_f->fakes.messages.shown.isEmpty());
    }

    // Every character of the 122-character lines is printed in its column,
    // inside the printable width of the sheet; the font shrinks only when
    // 8 points would not fit.
    void printsEveryCharacterInsideThePage_data()
    {
        QTest::addColumn<QPageSize>("size");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::newRow("A4 portrait") << QPageSize(QPageSize::A4) << QPageLayout::Portrait;
        QTest::newRow("A4 landscape") << QPageSize(QPageSize::A4) << QPageLayout::Landscape;
        QTest::newRow("Letter portrait") << QPageSize(QPageSize::Letter) << QPageLayout::Portrait;
    }

    void printsEveryCharacterInsideThePage()
    {
        QFETCH(QPageSize, size);
        QFETCH(QPageLayout::Orientation, orientation);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        writeLog({fullContact(QStringLiteral("F/HB9ABC/QRP"), QStringLiteral("75FA002")),
                  fullContact(QStringLiteral("TM100VQXFONT"), QStringLiteral("2BFT999")),
                  contact(QStringLiteral("FAAAA"), QStringLiteral("13FA010"), false)});
        const QString pdf = m_f->dir.file(QStringLiteral("contactees.pdf"));
        PdfPrintService printer(pdf, size, orientation);
        m_f->fakes.services.printer = &printer;
        ContactedWindow w(m_f->fakes.services, m_f->callsign);
        QTest::mouseClick(w.Imprimer, Qt::LeftButton);
        QVERIFY(m_f->fakes.messages.shown.isEmpty());

        const QStringList items = ::items(w.Liste_VQX_Contacte);
        QCOMPARE(items.first().size(), ContactedList::LineLength);
        QStringList expected;
        for (const QString &line : contactedListPrintLines(kTitle, items)) {
            if (!line.trimmed().isEmpty())
                expected << line;
        }
        const QList<QList<PdfWord>> printed = pdfLines(pdf);
        QCOMPARE(printed.size(), expected.size());

        // The header spans the whole width: "Ref" starts column 9, "QSL" ends 122.
        const QList<PdfWord> &header = printed.at(1);
        QCOMPARE(header.first().text, QStringLiteral("Ref"));
        QCOMPARE(header.last().text, QStringLiteral("QSL"));
        const double advance = (header.last().box.left() - header.first().box.left()) / (119 - 9);
        const double left = header.first().box.left() - 9 * advance;
        QVERIFY2(advance <= 0.6 * 8 * 1.01, qPrintable(QString::number(advance)));
        const double fits = printer.printable.width() / ContactedList::HeaderLength;
        // Smaller than 8 points only as far as the page needs.
        QVERIFY2(advance >= std::min(0.6 * 8, fits) * 0.97,
                 qPrintable(QStringLiteral("%1 %2").arg(advance).arg(fits)));
        QVERIFY(left >= printer.printable.left() - 0.5);

        for (int i = 0; i < expected.size(); ++i) {
            const auto words = wordsAndColumns(expected.at(i));
            const QList<PdfWord> &got = printed.at(i);
            QCOMPARE(got.size(), words.size());
            for (int k = 0; k < words.size(); ++k) {
                const auto &[text, column] = words.at(k);
                const QString where = QStringLiteral("line %1 \"%2\"").arg(i).arg(text);
                QCOMPARE(got.at(k).text, text);
                QVERIFY2(std::abs(got.at(k).box.left() - (left + column * advance)) < advance / 4,
                         qPrintable(where));
                QVERIFY2(got.at(k).box.right() <= printer.printable.right() + 0.5,
                         qPrintable(where + QStringLiteral(" ends at %1 past %2")
                                                .arg(got.at(k).box.right())
                                                .arg(printer.printable.right())));
            }
        }
        // Still bold fixed pitch: "Courier New" or its metric twin.
        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {pdf});
        if (fonts.waitForFinished(30000) && fonts.exitCode() == 0) {
            const QString used = QString::fromUtf8(fonts.readAllStandardOutput());
            QVERIFY2(used.contains(QStringLiteral("Bold")), qPrintable(used));
        }
    }

    void aFailedPrintSaysSo()
    {
        writeLog({});
        m_f->fakes.printer.outcome = PrintOutcome::Failed;
        ContactedWindow w(m_f->fakes.services, m_f->callsign);
        QTest::mouseClick(w.Imprimer, Qt::LeftButton);
        QCOMPARE(m_f->fakes.messages.shown.size(), 1);
        QVERIFY(m_f->fakes.messages.last().contains(QStringLiteral("impression")));
        // Cancelling the printer dialog is no failure.
        m_f->fakes.printer.outcome = PrintOutcome::Cancelled;
        QTest::mouseClick(w.Imprimer, Qt::LeftButton);
        QCOMPARE(m_f->fakes.messages.shown.size(), 1);
    }

    void aMissingLogIsNamed()
    {
        ContactedWindow w(m_f->fakes.services, m_f->callsign);
        QCOMPARE(m_f->fakes.messages.shown.size(), 1);
        QVERIFY(m_f->fakes.messages.last().contains(QStringLiteral("FYYYY_VQX.log")));
        QVERIFY(m_f->fakes.messages.last().contains(QStringLiteral("introuvable")));
        QCOMPARE(w.Liste_VQX_Contacte->count(), 0);
        // Nothing to save that would pass for a list of no fountains.
        QVERIFY(!w.Enregistrer->isEnabled());
        QVERIFY(!w.Imprimer->isEnabled());
        QVERIFY(m_f->dir.entries().isEmpty());
    }
};

QTEST_MAIN(ContactedWindowTest)
#include "contacted_window_test.moc"
