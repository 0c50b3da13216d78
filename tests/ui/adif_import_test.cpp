// Fichier > Importer un fichier ADIF… and Fichier > Exporter le log au
// format ADIF standard, from the main window; the import window itself.
#include "main_harness.h"

#include "adif/adif_import_window.h"
#include "logstore/codepage.h"
#include "logstore/prenoms.h"

#include <QAction>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTimer>

using namespace vqx;
using namespace vqx::test;

namespace {

QByteArray record(const QString &call, const QString &ref, const QString &date,
                  const QString &band = QStringLiteral("20m"), const QString &name = QString())
{
    QString r = QStringLiteral("<CALL:%1>%2 <QSO_DATE:8>%3 <TIME_ON:4>1432 <BAND:%4>%5 "
                               "<MODE:3>SSB <SIG:3>VQX <SIG_INFO:7>%6 ")
                    .arg(call.size())
                    .arg(call, date)
                    .arg(band.size())
                    .arg(band, ref);
    if (!name.isEmpty())
        r += QStringLiteral("<NAME:%1>%2 ").arg(name.size()).arg(name);
    return (r + QStringLiteral("<EOR>\r\n")).toUtf8();
}

QWidget *openProgressDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<QProgressDialog *>(w) && w->isVisible())
            return w;
    }
    return nullptr;
}

} // namespace

class AdifImportTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainHarness> h;

    QString adifFile(const QByteArray &bytes)
    {
        const QString path = h->dir.file(QStringLiteral("autre.adi"));
        if (!writeBytes(path, bytes))
            return {};
        return path;
    }
    AdifImportWindow *importWindow() const
    {
        return qobject_cast<AdifImportWindow *>(h->w->secondary(QStringLiteral("Import_ADIF")));
    }

private slots:
    void init()
    {
        h = std::make_unique<MainHarness>();
        h->setStation(QStringLiteral("F8TEST"));
    }
    void cleanup() { h.reset(); }

    void menuItemsStandBeforeQuit()
    {
        h->writeLog({});
        h->open();
        const auto *fichier = h->w->findChild<QMenu *>(QStringLiteral("Mnu_Fichier"));
        QVERIFY(fichier);
        QStringList captions;
        for (const QAction *a : fichier->actions())
            if (!a->isSeparator())
                captions << QString(a->text()).remove(QLatin1Char('&'));
        QCOMPARE(captions, QStringList({QStringLiteral("Exporter le log au format ADIF"),
                                        QStringLiteral("Exporter le log au format ADIF standard"),
                                        QStringLiteral("Importer un fichier ADIF…"),
                                        QStringLiteral("Annuler la dernière modification"),
                                        QStringLiteral("Restaurer une sauvegarde…"),
                                        QStringLiteral("Quitter ZAT_VQX")}));
    }

    void importReloadsTheListAndShowsWhatHappened()
    {
        h->writeLog({kSampleA, kSampleC});
        const QString path = adifFile(
            "En-tete d'un autre logger <EOH>\r\n" +
            record(QStringLiteral("FBBBB"), QStringLiteral("75FT002"), QStringLiteral("20080606"),
                   QStringLiteral("20m"), QStringLiteral("Hélène")) +
            record(QStringLiteral("FAAAA"), QStringLiteral("31FA001"), QStringLiteral("20080605")) +
            record(QStringLiteral("FDDDD"), QStringLiteral("13FA010"), QStringLiteral("20080607")) +
            record(QStringLiteral("FEEEE"), QStringLiteral("01FA001"), QStringLiteral("20080608"),
                   QStringLiteral("60m")) +
            "<CALL:5>FFFFF <SIG:4>POTA <EOR>\r\n");
        h->fakes.fileDialogs.openAnswers = {path};
        MainWindow *m = h->open();
        h->fakes.messages.clear();

        // Alt+F opens Fichier, I chooses "Importer un fichier ADIF…".
        QTest::keyClick(m->windowHandle(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), QStringLiteral("Mnu_Fichier"));
        QTest::keyClick(m->windowHandle(), Qt::Key_I);
        QTRY_COMPARE(h->fakes.fileDialogs.opened.size(), 1);
        QCOMPARE(h->fakes.fileDialogs.opened.at(0).caption,
                 QStringLiteral("Importer un fichier ADIF"));
        QCOMPARE(h->fakes.fileDialogs.opened.at(0).place, h->dir.path());
        QVERIFY(h->fakes.fileDialogs.opened.at(0).filter.contains(QStringLiteral("*.adi *.adif")));
        QVERIFY2(h->fakes.messages.shown.isEmpty(), qPrintable(h->fakes.messages.last()));
        QCOMPARE(h->logBytes(), crlf({kSampleA,
                                      qso(QStringLiteral("FBBBB"), QStringLiteral("75FT002"),
                                          QStringLiteral("06/06/08"), QStringLiteral("14:32"),
                                          QStringLiteral("14 Mhz"), false, QStringLiteral("SSB"),
                                          QStringLiteral("HÉLÈNE")),
                                      kSampleC}));
        // The list is reloaded and its last line selected, as after any change.
        QCOMPARE(m->logModel()->rowCount(), 3);
        QCOMPARE(m->Liste_VQX->currentIndex().row(), 2);

        AdifImportWindow *w = importWindow();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->Resume_Import->text(),
                 QStringLiteral("Fichier : autre.adi (5 enregistrements)\n"
                                "QSO importés : 1\n"
                                "Doublons, déjà dans le log : 1\n"
                                "Fontaines déjà contactées sur la même bande : 1\n"
                                "Enregistrements hors VQX : 1\n"
                                "Enregistrements refusés : 1"));
        QCOMPARE(w->Liste_Refus->count(), 1);
        QCOMPARE(w->Liste_Refus->item(0)->text(),
                 QStringLiteral("Enregistrement 4 (FEEEE, 08/06/2008 14:32) : bande (BAND) « 60m » "
                                "absente de la liste des bandes"));

        // The refused list saved under the name the operator chose.
        const QString saved = h->dir.file(QStringLiteral("refus.txt"));
        h->fakes.fileDialogs.saveAnswers = {saved};
        QApplication::setActiveWindow(w);
        QTest::keyClick(w->windowHandle(), Qt::Key_L, Qt::AltModifier);
        // A button's shortcut clicks it a moment later, as a click of the mouse.
        QTRY_COMPARE(h->fakes.fileDialogs.saved.size(), 1);
        QCOMPARE(h->fakes.fileDialogs.saved.at(0).place,
                 h->dir.file(QStringLiteral("autre_refus.txt")));
        QCOMPARE(h->fakes.messages.shown,
                 QStringList{QStringLiteral("La liste a été enregistrée sous le nom : refus.txt")});
        // UTF-8, read in an editor; each reason is followed by its record.
        const QString refusedRecord =
            QStringLiteral("<CALL:5>FEEEE <QSO_DATE:8>20080608 <TIME_ON:4>1432 <BAND:3>60m "
                           "<MODE:3>SSB <SIG:3>VQX <SIG_INFO:7>01FA001 <EOR>");
        QCOMPARE(readBytes(saved),
                 QStringList({QStringLiteral("Enregistrements refusés à l'import du fichier "
                                             "autre.adi dans le log de la station F8TEST"),
                              QString(), w->Liste_Refus->item(0)->text(),
                              QStringLiteral("    ") + refusedRecord, QString()})
                     .join(QStringLiteral("\r\n"))
                     .toUtf8());

        // The refused records alone, as an ADIF file to correct and import again.
        const QString savedAdif = h->dir.file(QStringLiteral("refus.adi"));
        h->fakes.fileDialogs.saveAnswers = {savedAdif};
        h->fakes.messages.clear();
        QApplication::setActiveWindow(w);
        QTest::keyClick(w->windowHandle(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(h->fakes.fileDialogs.saved.size(), 2);
        QCOMPARE(h->fakes.fileDialogs.saved.at(1).place,
                 h->dir.file(QStringLiteral("autre_refus.adi")));
        QCOMPARE(h->fakes.messages.shown,
                 QStringList{QStringLiteral("Les enregistrements refusés ont été enregistrés sous "
                                            "le nom : refus.adi")});
        const AdifFile again = readAdif(readBytes(savedAdif));
        QVERIFY(again.ok());
        QCOMPARE(again.records.size(), 1);
        QCOMPARE(again.records.at(0).value(QLatin1String("BAND")), QStringLiteral("60m"));
        QCOMPARE(again.records.at(0).value(QLatin1String("CALL")), QStringLiteral("FEEEE"));

        // Enter closes it: the focus is back on Fermer.
        QApplication::setActiveWindow(w);
        QTest::keyClick(w->windowHandle(), Qt::Key_Return);
        QTRY_VERIFY(!importWindow());
    }

    // A long reason wraps in the list: its end is never behind a scroll bar.
    void longReasonsFitTheList()
    {
        h->writeLog({kSampleA});
        const QString call = QStringLiteral("F1ABC/") + QString(90, QLatin1Char('X'));
        h->fakes.fileDialogs.openAnswers = {
            adifFile(record(call, QStringLiteral("75FT002"), QStringLiteral("20080606")))};
        MainWindow *m = h->open();
        m->Mnu_Import_ADIF->trigger();
        AdifImportWindow *w = importWindow();
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->Liste_Refus->count(), 1);
        QVERIFY(w->Liste_Refus->item(0)->text().contains(call));
        const QFontMetrics fm(w->Liste_Refus->font());
        QVERIFY(fm.horizontalAdvance(w->Liste_Refus->item(0)->text()) >
                w->Liste_Refus->viewport()->width());
        QTRY_COMPARE(w->Liste_Refus->horizontalScrollBar()->maximum(), 0);
        QVERIFY(w->Liste_Refus->visualItemRect(w->Liste_Refus->item(0)).height() >
                fm.lineSpacing() * 3 / 2);
    }

    void referencesInCommentsAfterAQuestion_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("summaryLine");
        QTest::newRow("Oui") << true << 2
                             << QStringLiteral("Références trouvées dans COMMENT ou NOTES : 1, "
                                               "prises avec les autres");
        QTest::newRow("Non") << false << 1
                             << QStringLiteral("Références trouvées dans COMMENT ou NOTES : 1, "
                                               "laissées de côté");
    }
    void referencesInCommentsAfterAQuestion()
    {
        QFETCH(bool, answer);
        QFETCH(int, lines);
        QFETCH(QString, summaryLine);
        h->writeLog({});
        h->fakes.fileDialogs.openAnswers = {
            adifFile("xlog <EOH>\r\n<CALL:5>F5XYZ <QSO_DATE:8>20210605 <TIME_ON:4>1432 <BAND:3>20M "
                     "<MODE:2>CW <COMMENT:11>vqx 31fa001 <EOR>\r\n" +
                     record(QStringLiteral("FBBBB"), QStringLiteral("75FT002"),
                            QStringLiteral("20080606")))};
        MainWindow *m = h->open();
        h->fakes.messages.answers = {answer};
        m->Mnu_Import_ADIF->trigger();
        QCOMPARE(h->fakes.messages.asked,
                 QStringList{QStringLiteral(
                     "1 enregistrement(s) sans champ SIG portent une seule référence de fontaine "
                     "dans leur commentaire (COMMENT ou NOTES).\r\nLes importer aussi comme QSO "
                     "VQX ?")});
        QCOMPARE(m->logModel()->rowCount(), lines);
        AdifImportWindow *w = importWindow();
        QVERIFY(w);
        QVERIFY2(w->Resume_Import->text().split(QLatin1Char('\n')).contains(summaryLine),
                 qPrintable(w->Resume_Import->text()));
    }

    void nothingNewLeavesTheLogAndSaysSo()
    {
        h->writeLog({kSampleA});
        const QByteArray before = h->logBytes();
        h->fakes.fileDialogs.openAnswers = {adifFile(record(
            QStringLiteral("FAAAA"), QStringLiteral("31FA001"), QStringLiteral("20080605")))};
        MainWindow *m = h->open();
        m->Mnu_Import_ADIF->trigger();
        QCOMPARE(h->logBytes(), before);
        AdifImportWindow *w = importWindow();
        QVERIFY(w);
        QVERIFY(w->Resume_Import->text().contains(QStringLiteral("QSO importés : 0\n")));
        QVERIFY(!w->Enregistrer_Liste->isEnabled());
    }

    void giveUpTheFileChoice()
    {
        h->writeLog({kSampleA});
        MainWindow *m = h->open();
        h->fakes.messages.clear();
        m->Mnu_Import_ADIF->trigger();
        QCOMPARE(h->fakes.fileDialogs.opened.size(), 1);
        QVERIFY(h->fakes.messages.shown.isEmpty());
        QVERIFY(!importWindow());
        QCOMPARE(h->w->findChildren<AdifImportWindow *>().size(), 0);
    }

    void malformedFileIsReportedAndTheLogKept()
    {
        h->writeLog({kSampleA});
        const QByteArray before = h->logBytes();
        h->fakes.fileDialogs.openAnswers = {adifFile(
            record(QStringLiteral("FBBBB"), QStringLiteral("75FT002"), QStringLiteral("20080606")) +
            "<CALL:5>FC")};
        MainWindow *m = h->open();
        h->fakes.messages.clear();
        m->Mnu_Import_ADIF->trigger();
        QCOMPARE(h->fakes.messages.shown.size(), 1);
        QVERIFY2(h->fakes.messages.last().startsWith(
                     QStringLiteral("Le fichier autre.adi est incomplet ou mal formé : ")),
                 qPrintable(h->fakes.messages.last()));
        QCOMPARE(h->logBytes(), before);
        QVERIFY(!importWindow());
        QCOMPARE(m->logModel()->rowCount(), 1);
    }

    void secondImportReplacesTheFirstSummary()
    {
        h->writeLog({});
        h->fakes.fileDialogs.openAnswers = {
            adifFile(record(QStringLiteral("FAAAA"), QStringLiteral("31FA001"),
                            QStringLiteral("20080605"))),
            h->dir.file(QStringLiteral("autre.adi"))};
        MainWindow *m = h->open();
        m->Mnu_Import_ADIF->trigger();
        QPointer<AdifImportWindow> first = importWindow();
        QVERIFY(first);
        m->Mnu_Import_ADIF->trigger();
        AdifImportWindow *second = importWindow();
        QVERIFY(second);
        QVERIFY(second != first);
        QTRY_VERIFY(!first);
        QVERIFY(second->Resume_Import->text().contains(QStringLiteral("Doublons, déjà dans le log "
                                                                      ": 1")));
    }

    void escapeDuringTheImportStopsItAndChangesNothing()
    {
        h->writeLog({kSampleA});
        const QByteArray before = h->logBytes();
        QByteArray many;
        for (int i = 0; i < 3000; ++i)
            many += record(QStringLiteral("F%1").arg(i),
                           QStringLiteral("31FA%1").arg(i % 1000, 3, 10, QChar('0')),
                           QStringLiteral("20210605"),
                           i < 1000   ? "40m"
                           : i < 2000 ? "15m"
                                      : "10m",
                           QStringLiteral("Jean"));
        h->fakes.fileDialogs.openAnswers = {adifFile(many)};
        AdifImportWindow w(h->fakes.services, QStringLiteral("F8TEST"), QStringLiteral("F8TEST"));
        w.setProgressDelay(0);
        bool escaped = false;
        QTimer::singleShot(0, [&] {
            QWidget *progress = openProgressDialog();
            QVERIFY(progress);
            // The operator presses Escape in the progress window.
            QApplication::setActiveWindow(progress);
            QTest::keyClick(progress->windowHandle(), Qt::Key_Escape);
            escaped = true;
        });
        QVERIFY(!w.run());
        QVERIFY(escaped);
        QCOMPARE(w.result().status, AdifImportStatus::Cancelled);
        QCOMPARE(h->logBytes(), before);
        QVERIFY(!QFileInfo::exists(h->dir.file(kPrenomFile)));
        QVERIFY(h->fakes.messages.shown.isEmpty());
        QVERIFY(!openProgressDialog());
    }

    void standardExportThroughTheMenu()
    {
        h->setStation(QStringLiteral("F8TEST_P"));
        h->writeLog({kSampleA, kSampleB});
        MainWindow *m = h->open();
        h->fakes.messages.clear();
        // Alt+F, then S for "Exporter le log au format ADIF standard".
        QTest::keyClick(m->windowHandle(), Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(m->windowHandle(), Qt::Key_S);
        QTRY_COMPARE(h->fakes.messages.shown,
                     QStringList{QStringLiteral(
                         "Le fichier a été enregistré sous le nom : F8TEST_P_VQX_standard.adi")});
        const QByteArray file = readBytes(h->dir.file(QStringLiteral("F8TEST_P_VQX_standard.adi")));
        QVERIFY(file.contains("<PROGRAMVERSION:5>1.0.1\r\n"));
        QVERIFY(file.contains("<CREATED_TIMESTAMP:15>20210605 143210\r\n"));
        QCOMPARE(file.count("<STATION_CALLSIGN:8>F8TEST/P "), 2);
    }
};

QTEST_MAIN(AdifImportTest)
#include "adif_import_test.moc"
