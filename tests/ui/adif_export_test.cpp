// Fichier > Exporter le log au format ADIF, from the main window.
#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "logstore/codepage.h"
#include "mainwindow/main_window.h"
#include "platform/settings_store.h"

#include <QAction>
#include <QFileInfo>
#include <QTest>

#include <memory>

using namespace vqx;
using namespace vqx::test;

namespace {

const QString kSuccess =
    QStringLiteral("Le fichier a été enregistré sous le nom : FYYYY_P_VQX.adi");

QStringList linesOf(const QString &path)
{
    return codepage::splitLines(codepage::decode(readBytes(path))).lines;
}

} // namespace

class AdifExportTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<MainWindow> m_main;

    QString logPath() const { return m_dir->file(QStringLiteral("FYYYY_P_VQX.log")); }
    QString adiPath() const { return m_dir->file(QStringLiteral("FYYYY_P_VQX.adi")); }

    // The station FYYYY_P, its label showing FYYYY/P as after a change of callsign.
    void startMain()
    {
        m_fakes->settings.set(kAppVqx, kSectionSetup, QStringLiteral("Indicatif Station"),
                              QStringLiteral("FYYYY_P"));
        m_main = std::make_unique<MainWindow>(m_fakes->services);
        m_main->start();
        m_main->setStationLabel(QStringLiteral("FYYYY/P"));
        m_fakes->messages.clear();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<TempFolder>();
        QVERIFY(m_dir->isValid());
        m_fakes = std::make_unique<FakeServices>(m_dir->path());
    }
    void cleanup()
    {
        m_main.reset();
        m_fakes.reset();
        m_dir.reset();
    }

    void exportTwiceReplacesTheFile()
    {
        const QString a = qso(QStringLiteral("F1AAA"), QStringLiteral("75FA001"),
                              QStringLiteral("05/06/08"), QStringLiteral("14:32"));
        const QString b =
            qso(QStringLiteral("F2BBB"), QStringLiteral("31FT002"), QStringLiteral("31/12/99"),
                QStringLiteral("23:59"), QStringLiteral("50 Mhz"), false);
        QVERIFY(writeBytes(logPath(), crlf({a})));
        startMain();

        m_main->Mnu_ADIF->trigger();
        QCOMPARE(m_fakes->messages.shown, QStringList{kSuccess});
        QStringList lines = linesOf(adiPath());
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.first(),
                 QStringLiteral("Exportation du log de la station FYYYY/P au format ADIF"));
        QVERIFY(lines.at(6).startsWith(QStringLiteral("<CALL:5>F1AAA ")));

        // The log grows on disk; the second export replaces the first file.
        QVERIFY(writeBytes(logPath(), crlf({a, b})));
        m_main->Mnu_ADIF->trigger();
        QCOMPARE(m_fakes->messages.shown, (QStringList{kSuccess, kSuccess}));
        lines = linesOf(adiPath());
        QCOMPARE(lines.size(), 8);
        QVERIFY(lines.at(7).startsWith(QStringLiteral("<CALL:5>F2BBB ")));
        QVERIFY(lines.at(7).contains(QStringLiteral("<QSO_DATE:8>19991231 ")));
        QVERIFY(lines.at(7).contains(QStringLiteral("<BAND:2>6m ")));
        QCOMPARE(m_dir->entries(), (QStringList{QStringLiteral("FYYYY_P_VQX.adi"),
                                                QStringLiteral("FYYYY_P_VQX.log")}));
    }

    void noLogIsReportedAndNothingWritten()
    {
        startMain();
        m_main->Mnu_ADIF->trigger();
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        const QString text = m_fakes->messages.last();
        QVERIFY2(text.contains(QStringLiteral("est introuvable")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("a été enregistré sous le nom")));
        QVERIFY(!QFileInfo::exists(adiPath()));
    }

    void unwritableExportIsReported()
    {
        QVERIFY(writeBytes(logPath(), QByteArray()));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("FYYYY_P_VQX.adi")));
        startMain();
        m_main->Mnu_ADIF->trigger();
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        const QString text = m_fakes->messages.last();
        QVERIFY2(text.startsWith(QStringLiteral("Le fichier FYYYY_P_VQX.adi n'a pas pu être "
                                                "enregistré")),
                 qPrintable(text));
        QVERIFY(QFileInfo(adiPath()).isDir());
    }
};

QTEST_MAIN(AdifExportTest)
#include "adif_export_test.moc"
