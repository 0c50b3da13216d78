// The report windows as the main window opens them.
#include "keyboard.h"
#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "logstore/log_list_model.h"
#include "mainwindow/main_window.h"
#include "reports/aff_contacte.h"
#include "reports/carte_acti_vqx.h"
#include "reports/recherche_indicatif.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace vqx;
using namespace vqx::test;

class ReportsMenuTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<MainWindow> m_main;

private slots:
    void init()
    {
        m_dir = std::make_unique<TempFolder>();
        m_fakes = std::make_unique<FakeServices>(m_dir->path());
        m_fakes->settings.set(kAppVqx, kSectionSetup, QStringLiteral("Indicatif Station"),
                              QStringLiteral("FYYYY"));
        QStringList lines;
        for (int i = 0; i < 50; ++i)
            lines << qso(QStringLiteral("F%1AA").arg(i % 5), QStringLiteral("31FA001"),
                         QStringLiteral("05/06/21"), QStringLiteral("10:00"));
        QVERIFY(writeBytes(logFilePath(m_dir->path(), QStringLiteral("FYYYY")), crlf(lines)));
        m_main = std::make_unique<MainWindow>(m_fakes->services);
        QVERIFY(m_main->Charger_Log());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }

    void cleanup() { m_main.reset(); }

    void menuItemsOpenEachWindowOnce()
    {
        m_main->Mnu_Carte_Contacte->trigger();
        auto *map =
            qobject_cast<CarteActiVqx *>(m_main->secondary(QStringLiteral("Carte_Acti_VQX")));
        QVERIFY(map);
        QCOMPARE(map->colouring().contacted, 1);
        m_main->Mnu_Carte_Contacte->trigger();
        QCOMPARE(m_main->findChildren<CarteActiVqx *>().size(), 1);

        m_main->Mnu_L_Contacte->trigger();
        auto *list = qobject_cast<AffContacte *>(m_main->secondary(QStringLiteral("Aff_Contacte")));
        QVERIFY(list);
        QCOMPARE(list->lines().size(), 5); // one per callsign start F0 .. F4
        QVERIFY(m_fakes->messages.shown.isEmpty());
    }

    void aFoundContactIsSelectedInTheMainList()
    {
        QTest::mouseClick(m_main->Rechercher, Qt::LeftButton);
        auto *search = qobject_cast<RechercheIndicatif *>(
            m_main->secondary(QStringLiteral("Recherche_Indicatif")));
        QVERIFY(search);
        QTRY_VERIFY(search->isVisible());
        QVERIFY(Keyboard::activate(search));
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Indica"));
        Keyboard::typeEnter(QStringLiteral("F1AA"));

        QListWidget *results = search->QSO_Effectues;
        QListWidgetItem *item = nullptr;
        for (int i = 0; i < results->count(); ++i) {
            if (results->item(i)->text().startsWith(QStringLiteral("    42")))
                item = results->item(i);
        }
        QVERIFY(item);
        const QPoint at = results->visualItemRect(item).center();
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(m_main->Liste_VQX->currentIndex().row(), 41);
        QTRY_VERIFY(!m_main->secondary(QStringLiteral("Recherche_Indicatif")));
    }
};

QTEST_MAIN(ReportsMenuTest)
#include "reports_menu_test.moc"
