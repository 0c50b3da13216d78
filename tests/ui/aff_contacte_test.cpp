#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "logstore/log_record.h"
#include "mainwindow/shared_values.h"
#include "reports/aff_contacte.h"
#include "reports/contacted_list.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

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

} // namespace

class AffContacteTest : public QObject
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

    void showsEveryContactSortedWithoutDuplicates()
    {
        const QString a = contact(QStringLiteral("FAAAA"), QStringLiteral("75FA002"), false);
        const QString xyz = contact(QStringLiteral("FBXYZ"), QStringLiteral("13FT010"), true);
        const QString qqq = contact(QStringLiteral("FBQQQ"), QStringLiteral("13FT010"), false);
        writeLog({a, xyz, qqq});
        AffContacte w(m_fakes->services, &m_shared);
        QCOMPARE(w.windowTitle(), QStringLiteral("VQX contactés"));
        QCOMPARE(items(w.Liste_VQX_Contacte),
                 (QStringList{contactedListLine(qqq), contactedListLine(a)}));
        QCOMPARE(items(w.Liste_VQX_Contacte).first().mid(6, 16),
                 QStringLiteral("13FT010 FBQQQ   "));
        QVERIFY(m_fakes->messages.shown.isEmpty());
    }

    void savesTheEmptyListOfAnEmptyLog()
    {
        writeLog({});
        AffContacte w(m_fakes->services, &m_shared);
        QCOMPARE(w.Liste_VQX_Contacte->count(), 0);
        QTest::mouseClick(w.Enregistrer, Qt::LeftButton);
        QCOMPARE(m_fakes->messages.shown,
                 QStringList{QStringLiteral("Le log a été enregistré sous le nom : ") + kFileName});
        const QString header = contactedListHeader();
        QCOMPARE(header.size(), 122);
        const QByteArray expected =
            crlf({kTitle, QString(), header, QString(), QString(), contactedListCredit()});
        QCOMPARE(readBytes(m_dir->file(kFileName)), expected);
        QVERIFY(!QFileInfo::exists(m_dir->file(kContactedScratch)));
    }

    void aFailedSaveSaysSoAndNeverSuccess()
    {
        writeLog({contact(QStringLiteral("FAAAA"), QStringLiteral("75FA002"), true)});
        // A folder in the way of the file: nothing can be written there.
        QVERIFY(QDir(m_dir->path()).mkdir(kFileName));
        AffContacte w(m_fakes->services, &m_shared);
        QTest::mouseClick(w.Enregistrer, Qt::LeftButton);
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        QVERIFY(!m_fakes->messages.last().startsWith(QStringLiteral("Le log a été enregistré")));
        QVERIFY(m_fakes->messages.last().contains(kFileName));
        QVERIFY(m_fakes->messages.last().contains(QStringLiteral("n'a pas pu être enregistrée")));
        QVERIFY(QFileInfo(m_dir->file(kFileName)).isDir());
    }

    void printsInCourierNewBold8()
    {
        const QString a = contact(QStringLiteral("FAAAA"), QStringLiteral("75FA002"), true);
        writeLog({a});
        AffContacte w(m_fakes->services, &m_shared);
        QTest::mouseClick(w.Imprimer, Qt::LeftButton);
        QCOMPARE(m_fakes->printer.calls, 1);
        QCOMPARE(m_fakes->printer.printed,
                 (QStringList{kTitle, QString(), contactedListHeader(), QString(),
                              contactedListLine(a), QString(), QString(), contactedListCredit()}));
        QCOMPARE(m_fakes->printer.font.family(), QStringLiteral("Courier New"));
        QVERIFY(m_fakes->printer.font.bold());
        QCOMPARE(m_fakes->printer.font.pointSize(), 8);
        QVERIFY(m_fakes->messages.shown.isEmpty());
    }

    void aFailedPrintSaysSo()
    {
        writeLog({});
        m_fakes->printer.outcome = PrintOutcome::Failed;
        AffContacte w(m_fakes->services, &m_shared);
        QTest::mouseClick(w.Imprimer, Qt::LeftButton);
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        QVERIFY(m_fakes->messages.last().contains(QStringLiteral("impression")));
        // Cancelling the printer dialog is no failure.
        m_fakes->printer.outcome = PrintOutcome::Cancelled;
        QTest::mouseClick(w.Imprimer, Qt::LeftButton);
        QCOMPARE(m_fakes->messages.shown.size(), 1);
    }

    void aMissingLogIsNamed()
    {
        AffContacte w(m_fakes->services, &m_shared);
        QCOMPARE(m_fakes->messages.shown.size(), 1);
        QVERIFY(m_fakes->messages.last().contains(QStringLiteral("FYYYY_VQX.log")));
        QVERIFY(m_fakes->messages.last().contains(QStringLiteral("introuvable")));
        QCOMPARE(w.Liste_VQX_Contacte->count(), 0);
        // Nothing to save that would pass for a list of no fountains.
        QVERIFY(!w.Enregistrer->isEnabled());
        QVERIFY(!w.Imprimer->isEnabled());
        QVERIFY(m_dir->entries().isEmpty());
    }
};

QTEST_MAIN(AffContacteTest)
#include "aff_contacte_test.moc"
