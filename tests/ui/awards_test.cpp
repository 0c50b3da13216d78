#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "awards/award_levels_window.h"
#include "awards/award_list.h"
#include "awards/award_list_window.h"
#include "logstore/log_record.h"
#include "mainwindow/main_window.h"
#include "platform/printer.h"
#include "session/shared_values.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString kStation = QStringLiteral("FYYYY");

QString confirmedOn(int i, const QString &band)
{
    return qso(QStringLiteral("F%1AB").arg(i),
               QStringLiteral("%1FA%2")
                   .arg(1 + i % 95, 2, 10, QLatin1Char('0'))
                   .arg(i % 1000, 3, 10, QLatin1Char('0')),
               QStringLiteral("05/06/21"), QStringLiteral("10:00"), band, true);
}

QStringList confirmedLog(int n, const QString &band)
{
    QStringList lines;
    for (int i = 0; i < n; ++i)
        lines << confirmedOn(i, band);
    return lines;
}

// Lines of a pdftotext page, blanks runs made single, blank lines dropped.
QStringList simplifiedLines(const QString &text)
{
    QStringList out;
    for (const QString &l : text.split(QLatin1Char('\n'))) {
        const QString s = l.simplified();
        if (!s.isEmpty())
            out << s;
    }
    return out;
}

// Text of a PDF, one entry per page.
QStringList pdfPages(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// Prints to a PDF file the way the real service does once a printer is chosen.
class PdfPrintService : public PrintService
{
public:
    explicit PdfPrintService(QString file) : m_file(std::move(file)) {}
    PrintOutcome printLines(QWidget *, const QStringList &lines, const QFont &font) override
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(m_file);
        return paintLines(printer, lines, font) ? PrintOutcome::Printed : PrintOutcome::Failed;
    }

private:
    QString m_file;
};

} // namespace

class AwardsTest : public QObject
{
    Q_OBJECT

private:
    struct Fixture
    {
        Fixture() : fake(dir.path()) {}
        QString logPath() const { return logFilePath(dir.path(), kStation); }
        bool writeLog(const QStringList &lines) { return writeBytes(logPath(), crlf(lines)); }
        TempFolder dir;
        FakeServices fake;
        AwardChoice choice;
    };

private slots:
    void levels_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QStringList>("details");
        QTest::addColumn<int>("reached");
        const auto missing = [](std::initializer_list<int> n) {
            QStringList out;
            for (int v : n)
                out << QStringLiteral("il vous manque %1 Fontaines confirmées").arg(v);
            return out;
        };
        const QString with30 = QStringLiteral("avec les QSL des 30 Fontaines confirmées");
        const QString with10 = QStringLiteral("avec les QSL des 10 Fontaines confirmées");
        QTest::newRow("empty HF") << "HF" << QStringList() << missing({30, 50, 150, 300, 500}) << 0;
        QTest::newRow("empty VHF")
            << "VHF" << QStringList() << missing({10, 30, 50, 100, 200}) << 0;
        QTest::newRow("base HF") << "HF" << confirmedLog(30, "18 Mhz") + confirmedLog(5, "10 Mhz")
                                 << QStringList{with30} + missing({20, 120, 270, 470}) << 1;
        QTest::newRow("base VHF") << "VHF"
                                  << confirmedLog(10, "144 Mhz") + confirmedLog(40, "14 Mhz")
                                  << QStringList{with10} + missing({20, 40, 90, 190}) << 1;
    }

    void levels()
    {
        QFETCH(QString, group);
        QFETCH(QStringList, log);
        QFETCH(QStringList, details);
        QFETCH(int, reached);
        Fixture f;
        QVERIFY(f.writeLog(log));
        f.choice.Groupe_Bandes = group;
        AwardLevelsWindow w(f.fake.services, kStation, f.choice.Groupe_Bandes, {});

        QCOMPARE(w.objectName(), QStringLiteral("Diplomes_VQX"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Diplomes VQX"));
        QCOMPARE(w.Label2->text(), QStringLiteral("Diplome VQX ") + group);
        QVERIFY(f.fake.messages.shown.isEmpty());

        const QList<QLabel *> status = {w.Label4, w.Label7, w.Label12, w.Label15, w.Label1};
        const QList<QLabel *> detail = {w.Label18, w.Label19, w.Label20, w.Label21, w.Label3};
        const QList<QPushButton *> buttons = {w.Base, w.Performant, w.Expert, w.Honneur, w.Maitre};
        const QStringList names = {"Label4", "Label7", "Label12", "Label15", "Label1"};
        const QStringList notYet = {"Vous ne pouvez pas encore obtenir le diplome VQX de Base",
                                    "Vous ne pouvez pas encore obtenir le diplome VQX Performant",
                                    "Vous ne pouvez pas encore obtenir le diplome VQX Expert",
                                    "Vous ne pouvez pas encore obtenir le diplome VQX Honneur",
                                    "Vous ne pouvez pas encore obtenir le diplome VQX Maitre"};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(w.findChild<QLabel *>(names.at(i)), status.at(i));
            const bool isReached = i < reached;
            QCOMPARE(status.at(i)->text(),
                     isReached ? QStringLiteral("Bravo vous pouvez obtenir le diplome VQX de Base")
                               : notYet.at(i));
            QCOMPARE(status.at(i)->palette().color(QPalette::WindowText),
                     isReached ? QColor(0, 128, 0) : QColor(255, 0, 0));
            QCOMPARE(detail.at(i)->text(), details.at(i));
            QCOMPARE(buttons.at(i)->text(), QStringLiteral("Voir la liste"));
            QCOMPARE(buttons.at(i)->isEnabled(), isReached);
        }
    }

    void missingLogShowsEmptyCountsAndSaysSo()
    {
        Fixture f;
        AwardLevelsWindow w(f.fake.services, kStation, f.choice.Groupe_Bandes, {});
        QCOMPARE(f.fake.messages.shown.size(), 1);
        QVERIFY(f.fake.messages.last().contains(QStringLiteral("FYYYY_VQX.log")));
        QVERIFY(f.fake.messages.last().contains(QStringLiteral("introuvable")));
        QCOMPARE(w.Label18->text(), QStringLiteral("il vous manque 30 Fontaines confirmées"));
        QCOMPARE(w.Label3->text(), QStringLiteral("il vous manque 500 Fontaines confirmées"));
        QVERIFY(!w.Base->isEnabled());
        QVERIFY(!QFileInfo::exists(f.logPath())); // nothing created behind the operator's back
    }

    void listButtonSetsLevelThenOpensList()
    {
        Fixture f;
        QVERIFY(f.writeLog(confirmedLog(300, "14 Mhz")));
        QStringList seen;
        AwardLevelsWindow w(f.fake.services, kStation, f.choice.Groupe_Bandes,
                            [&](const QString &niveau) { seen << niveau; });
        QVERIFY(w.Honneur->isEnabled());
        QCOMPARE(w.Label15->text(),
                 QStringLiteral("Bravo vous pouvez obtenir le dipome VQX Honneur"));
        QVERIFY(!w.Maitre->isEnabled());
        QTest::mouseClick(w.Base, Qt::LeftButton);
        QTest::mouseClick(w.Honneur, Qt::LeftButton);
        QTest::mouseClick(w.Maitre, Qt::LeftButton); // disabled: nothing happens
        QCOMPARE(seen, QStringList({"Base", "Honneur"}));
    }

    void listShowsConfirmedContactsInReferenceOrder()
    {
        Fixture f;
        QVERIFY(f.writeLog({qso("F5ABC", "75FA002", "01/05/21", "10:00"),
                            qso("F6DEF", "13FT010", "02/05/21", "11:30", "432 Mhz"),
                            qso("F1ZZZ", "31FA001", "03/05/21", "12:00", "14 Mhz", false)}));
        f.choice.Groupe_Bandes = QStringLiteral("VHF");
        AwardListWindow w(f.fake.services, kStation, f.choice);

        QCOMPARE(w.objectName(), QStringLiteral("Liste_VQX"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Diplôme VQX"));
        QCOMPARE(w.Label4->text(), QStringLiteral("Diplome VQX VHF"));
        QCOMPARE(w.Label2->text(), QStringLiteral("    Ref     Dpt   Nom de la Fontaine          "
                                                  "     Date   Heure Indicatif"));
        QCOMPARE(w.Label3->text(), QStringLiteral(" 2 Fontaines confirmées"));
        QCOMPARE(w.Liste_VQX_Contacte->count(), 2);
        QVERIFY(w.Liste_VQX_Contacte->item(0)->text().startsWith(QStringLiteral("   13FT010  13")));
        QVERIFY(w.Liste_VQX_Contacte->item(1)->text().startsWith(QStringLiteral("   75FA002  75")));
        QCOMPARE(w.Liste_VQX_Contacte->palette().color(QPalette::Base), QColor(255, 255, 192));
        QVERIFY(QFontInfo(w.Liste_VQX_Contacte->font()).fixedPitch());
        QVERIFY(w.Enregistrer->isEnabled());
        QVERIFY(w.Imprimer->isEnabled());
        QCOMPARE(w.Command1->text(), QStringLiteral("Quitter"));
        QVERIFY(f.fake.messages.shown.isEmpty());
    }

    void savedFileBytes()
    {
        Fixture f;
        QVERIFY(f.writeLog({qso("F5ABC", "75FA002", "01/05/21", "10:00", "14 Mhz", true, "SSB",
                                QString(), "Fontaine Wallace"),
                            qso("F6DEF", "13FT010", "02/05/21", "11:30", "10 Mhz", true, "CW"),
                            qso("F1ZZZ", "31FA001", "03/05/21", "12:00", "14 Mhz", false)}));
        f.choice.Niveau_Liste = QStringLiteral("Base");
        AwardListWindow w(f.fake.services, kStation, f.choice);
        QTest::mouseClick(w.Enregistrer, Qt::LeftButton);

        const QString name = QStringLiteral("FYYYY_Diplome_VQX_de_Base_HF_05_06_21.txt");
        QCOMPARE(f.fake.messages.shown,
                 QStringList{QStringLiteral("Fichier enregistré sous le nom : ") + name});
        const QByteArray expected =
            "   FYYYY Liste alphanumerique des Fontaines   contact\xe9"
            "es au 05/06/2021\r\n"
            "\r\n"
            "   N\xb0    Ref     Dpt    Nom de la Fontaine              Date    Heure  "
            "Indicatif\r\n"
            "\r\n"
            "    1    13FT010  13                                  02/05/21  11:30  F6DEF       "
            "\r\n"
            "    2    75FA002  75  FONTAINE WALLACE                01/05/21  10:00  F5ABC       "
            "\r\n"
            "\r\n"
            "                    Liste \xe9tablie avec ZAT_VQX, carnet de trafic VQX\r\n";
        QCOMPARE(readBytes(f.dir.file(name)), expected);
    }

    void savedNumbersAlignedInFiveColumns()
    {
        Fixture f;
        QVERIFY(f.writeLog(confirmedLog(100, "28 Mhz")));
        f.choice.Niveau_Liste = QStringLiteral("Expert");
        AwardListWindow w(f.fake.services, kStation, f.choice);
        QTest::mouseClick(w.Enregistrer, Qt::LeftButton);
        const QStringList lines =
            codepage::splitLines(
                codepage::decode(readBytes(f.dir.file("FYYYY_Diplome_VQX_Expert_HF_05_06_21.txt"))))
                .lines;
        QCOMPARE(lines.size(), 106);
        const QStringList items = w.items();
        QCOMPARE(lines.at(4), QStringLiteral("    1 ") + items.at(0));
        QCOMPARE(lines.at(13), QStringLiteral("   10 ") + items.at(9));
        QCOMPARE(lines.at(103), QStringLiteral("  100 ") + items.at(99));
    }

    void savedFileNames_data()
    {
        QTest::addColumn<QString>("niveau");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("name");
        QTest::newRow("Base") << "Base"
                              << "HF"
                              << "FYYYY_Diplome_VQX_de_Base_HF_05_06_21.txt";
        QTest::newRow("Honneur") << "Honneur"
                                 << "VHF"
                                 << "FYYYY_Diplome_VQX_Honneur_VHF__05_06_21.txt";
    }

    void savedFileNames()
    {
        QFETCH(QString, niveau);
        QFETCH(QString, group);
        QFETCH(QString, name);
        Fixture f;
        QVERIFY(f.writeLog(confirmedLog(3, "144 Mhz")));
        f.choice.Niveau_Liste = QStringLiteral("Performant");
        AwardListWindow w(f.fake.services, kStation, f.choice);
        // Level and group are those chosen last, not those at opening.
        f.choice.Niveau_Liste = niveau;
        f.choice.Groupe_Bandes = group;
        w.setChoice(f.choice);
        QTest::mouseClick(w.Enregistrer, Qt::LeftButton);
        QCOMPARE(f.fake.messages.last(),
                 QStringLiteral("Fichier enregistré sous le nom : ") + name);
        QCOMPARE(f.dir.entries(), QStringList({name, "FYYYY_VQX.log"}));
    }

    void failedSave_data()
    {
        QTest::addColumn<bool>("folderInPlace");
        QTest::newRow("folder in the file's place") << true;
        QTest::newRow("data folder gone") << false;
    }

    void failedSave()
    {
        QFETCH(bool, folderInPlace);
        Fixture f;
        QVERIFY(f.writeLog(confirmedLog(3, "14 Mhz")));
        f.choice.Niveau_Liste = QStringLiteral("Base");
        const QString name = QStringLiteral("FYYYY_Diplome_VQX_de_Base_HF_05_06_21.txt");
        AwardListWindow w(f.fake.services, kStation, f.choice);
        if (folderInPlace) {
            QVERIFY(QDir(f.dir.path()).mkdir(name));
        } else {
            QVERIFY(QDir(f.dir.path()).removeRecursively());
        }
        QTest::mouseClick(w.Enregistrer, Qt::LeftButton);
        QCOMPARE(f.fake.messages.shown.size(), 1);
        const QString msg = f.fake.messages.last();
        QVERIFY2(msg.contains(name) && msg.contains(QStringLiteral("n'a pas pu être enregistré")),
                 qPrintable(msg));
        QVERIFY(!msg.contains(QStringLiteral("Fichier enregistré")));
        if (folderInPlace) {
            QVERIFY(QFileInfo(f.dir.file(name)).isDir());
            QCOMPARE(f.dir.entries(), QStringList({name, "FYYYY_VQX.log"}));
        }
    }

    void missingLogLeavesEmptyListAndNothingToSave()
    {
        Fixture f;
        f.choice.Niveau_Liste = QStringLiteral("Base");
        AwardListWindow w(f.fake.services, kStation, f.choice);
        QCOMPARE(f.fake.messages.shown.size(), 1);
        QVERIFY(f.fake.messages.last().contains(QStringLiteral("FYYYY_VQX.log")));
        QCOMPARE(w.Liste_VQX_Contacte->count(), 0);
        QCOMPARE(w.Label3->text(), QStringLiteral(" 0 Fontaines confirmées"));
        QVERIFY(!w.Enregistrer->isEnabled());
        QVERIFY(!w.Imprimer->isEnabled());
    }

    void emptyLogStillSavesTitleAndCredit()
    {
        Fixture f;
        QVERIFY(f.writeLog({qso("F1ZZZ", "31FA001", "03/05/21", "12:00", "14 Mhz", false)}));
        f.choice.Niveau_Liste = QStringLiteral("Maitre");
        AwardListWindow w(f.fake.services, kStation, f.choice);
        QCOMPARE(w.Label3->text(), QStringLiteral(" 0 Fontaines confirmées"));
        QVERIFY(w.Enregistrer->isEnabled());
        QTest::mouseClick(w.Enregistrer, Qt::LeftButton);
        const QByteArray saved = readBytes(f.dir.file("FYYYY_Diplome_VQX_Maitre_HF__05_06_21.txt"));
        QCOMPARE(saved.count("\r\n"), 6);
    }

    void printsThroughThePrintService()
    {
        Fixture f;
        QVERIFY(f.writeLog({qso("F5ABC", "75FA002", "01/05/21", "10:00"),
                            qso("F6DEF", "13FT010", "02/05/21", "11:30", "432 Mhz")}));
        f.choice.Niveau_Liste = QStringLiteral("Base");
        AwardListWindow w(f.fake.services, kStation, f.choice);
        f.choice.Niveau_Liste = QStringLiteral("Expert");
        w.setChoice(f.choice);
        QTest::mouseClick(w.Imprimer, Qt::LeftButton);

        QCOMPARE(f.fake.printer.calls, 1);
        const QStringList &p = f.fake.printer.printed;
        QCOMPARE(p.size(), 9);
        QCOMPARE(p.at(0), QString(17, QLatin1Char(' ')) +
                              QStringLiteral("FYYYY Diplome VQX HF Expert du 05/06/21"));
        QCOMPARE(p.at(4), QStringLiteral("        1 ") + w.items().at(0));
        QCOMPARE(p.at(5), QStringLiteral("        2 ") + w.items().at(1));
        QVERIFY(p.at(4).contains(QStringLiteral("13FT010")));
        QCOMPARE(f.fake.printer.font.family(), QStringLiteral("Courier New"));
        QVERIFY(f.fake.printer.font.bold());
        QCOMPARE(f.fake.printer.font.pointSize(), 9);
        QVERIFY(f.fake.messages.shown.isEmpty());
    }

    void printOutcomes_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("messages");
        QTest::newRow("cancelled: silent") << int(PrintOutcome::Cancelled) << 0;
        QTest::newRow("failed: said") << int(PrintOutcome::Failed) << 1;
    }

    void printOutcomes()
    {
        QFETCH(int, outcome);
        QFETCH(int, messages);
        Fixture f;
        QVERIFY(f.writeLog(confirmedLog(2, "14 Mhz")));
        f.choice.Niveau_Liste = QStringLiteral("Base");
        f.fake.printer.outcome = PrintOutcome(outcome);
        AwardListWindow w(f.fake.services, kStation, f.choice);
        QTest::mouseClick(w.Imprimer, Qt::LeftButton);
        QCOMPARE(f.fake.printer.calls, 1);
        QCOMPARE(f.fake.messages.shown.size(), messages);
    }

    void printsARealPdf()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        Fixture f;
        QVERIFY(f.writeLog(confirmedLog(160, "14 Mhz")));
        f.choice.Niveau_Liste = QStringLiteral("Honneur");
        const QString pdf = f.dir.file(QStringLiteral("liste.pdf"));
        PdfPrintService printer(pdf);
        f.fake.services.printer = &printer;
        AwardListWindow w(f.fake.services, kStation, f.choice);
        QTest::mouseClick(w.Imprimer, Qt::LeftButton);
        QVERIFY(f.fake.messages.shown.isEmpty());
        QVERIFY(QFileInfo(pdf).size() > 0);

        const QStringList pages = pdfPages(pdf);
        // 160 lines of 9 pt do not fit on one A4 page.
        QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
        QStringList read;
        for (const QString &page : pages)
            read += simplifiedLines(page);
        const QStringList expected =
            simplifiedLines(awardListPrintLines(kStation, "HF", "Honneur", "05/06/21", w.items())
                                .join(QLatin1Char('\n')));
        QCOMPARE(read, expected);
        const QStringList first = simplifiedLines(pages.first());
        QCOMPARE(first.at(0), QStringLiteral("FYYYY Diplome VQX HF Honneur du 05/06/21"));
        QVERIFY(first.at(2).startsWith(QStringLiteral("1 ")));
        const QStringList last = simplifiedLines(pages.last());
        QVERIFY(last.at(last.size() - 2).startsWith(QStringLiteral("160 ")));
        // Numbers are right-aligned: on every page the references start in one column.
        for (const QString &page : pages) {
            QSet<qsizetype> columns;
            for (const QString &l : page.split(QLatin1Char('\n'))) {
                const QRegularExpressionMatch m =
                    QRegularExpression(QStringLiteral("^\\s*\\d+\\s+(\\d\\dF[AT]\\d{3})")).match(l);
                if (m.hasMatch())
                    columns << m.capturedStart(1);
            }
            QCOMPARE(columns.size(), 1);
        }
        // Bold fixed pitch: "Courier New" or its metric twin.
        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {pdf});
        if (fonts.waitForFinished(30000) && fonts.exitCode() == 0) {
            const QString used = QString::fromUtf8(fonts.readAllStandardOutput());
            QVERIFY2(used.contains(QStringLiteral("Bold")), qPrintable(used));
        }
    }

    void tinyPageNeverComesOutBlank()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        TempFolder dir;
        const QString pdf = dir.file(QStringLiteral("petit.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QSizeF(60, 3), QPageSize::Millimeter));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QVERIFY(paintLines(printer, {"premiere", "deuxieme", "troisieme"}, printFont(9)));
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 3);
        QCOMPARE(pages.at(0).trimmed(), QStringLiteral("premiere"));
        QCOMPARE(pages.at(2).trimmed(), QStringLiteral("troisieme"));
    }

    void realServiceCancelPrintsNothing()
    {
        QtPrintService service;
        bool sawDialog = false;
        QTimer::singleShot(0, [&] {
            if (auto *d = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                sawDialog = true;
                d->reject();
            } else if (QWidget *other = QApplication::activeModalWidget()) {
                other->close(); // never leave the test waiting on a dialog
            }
        });
        const PrintOutcome out = service.printLines(nullptr, {"a", "b"}, printFont(9));
        QVERIFY(sawDialog);
        QCOMPARE(out, PrintOutcome::Cancelled);
    }

    void menuOpensEachWindowOnce()
    {
        Fixture f;
        f.fake.settings.set(kAppVqx, kSectionSetup, QStringLiteral("Indicatif Station"), kStation);
        QVERIFY(f.writeLog(confirmedLog(50, "14 Mhz")));
        MainWindow main(f.fake.services);
        main.findChild<QAction *>(QStringLiteral("Mnu_HF"))->trigger();
        QCOMPARE(main.awardChoice().Groupe_Bandes, QStringLiteral("HF"));
        auto *levels = qobject_cast<AwardLevelsWindow *>(main.secondary("Diplomes_VQX"));
        QVERIFY(levels);
        QVERIFY(levels->isVisible());
        QCOMPARE(levels->Label2->text(), QStringLiteral("Diplome VQX HF"));

        QTest::mouseClick(levels->Base, Qt::LeftButton);
        auto *list = qobject_cast<AwardListWindow *>(main.secondary("Liste_VQX"));
        QVERIFY(list);
        QVERIFY(list->isVisible());
        QCOMPARE(main.awardChoice().Niveau_Liste, QStringLiteral("Base"));
        QCOMPARE(list->Liste_VQX_Contacte->count(), 50);

        QTest::mouseClick(levels->Performant, Qt::LeftButton);
        QCOMPARE(main.secondary("Liste_VQX"), list);
        QCOMPARE(main.awardChoice().Niveau_Liste, QStringLiteral("Performant"));

        // The open levels window is only brought forward; the group changes.
        main.findChild<QAction *>(QStringLiteral("Mnu_VHF"))->trigger();
        QCOMPARE(main.secondary("Diplomes_VQX"), levels);
        QCOMPARE(main.awardChoice().Groupe_Bandes, QStringLiteral("VHF"));
        QCOMPARE(levels->Label2->text(), QStringLiteral("Diplome VQX HF"));

        // Closed, it opens afresh with the new group.
        levels->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!main.secondary("Diplomes_VQX"));
        main.findChild<QAction *>(QStringLiteral("Mnu_VHF"))->trigger();
        levels = qobject_cast<AwardLevelsWindow *>(main.secondary("Diplomes_VQX"));
        QVERIFY(levels);
        QCOMPARE(levels->Label2->text(), QStringLiteral("Diplome VQX VHF"));
        QVERIFY(!levels->Base->isEnabled());

        list->Command1->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!main.secondary("Liste_VQX"));
    }
};

QTEST_MAIN(AwardsTest)
#include "awards_test.moc"
