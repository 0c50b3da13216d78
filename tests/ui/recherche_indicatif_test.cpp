// Keys go through the window to the focused field (Keyboard); the mouse
// clicks fields, options and results.
#include "keyboard.h"
#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "logstore/log_list_model.h"
#include "logstore/log_record.h"
#include "reports/recherche_indicatif.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace vqx;
using namespace vqx::test;

namespace {

QString contact(const QString &call, const QString &ref)
{
    return qso(call, ref, QStringLiteral("05/06/21"), QStringLiteral("10:00"));
}

// The numbers in front of the results.
QList<int> numbers(const QListWidget *list)
{
    QList<int> out;
    for (int i = 0; i < list->count(); ++i)
        out << QsoListLine::Numero.cut(list->item(i)->text()).trimmed().toInt();
    return out;
}

} // namespace

class RechercheIndicatifTest : public QObject
{
    Q_OBJECT

private:
    TempFolder m_dir;
    FakeServices m_fakes{m_dir.path()};
    LogListModel m_model;
    QList<int> m_selected;

    std::unique_ptr<RechercheIndicatif> open()
    {
        m_fakes.messages.clear();
        m_selected.clear();
        auto w = std::make_unique<RechercheIndicatif>(m_fakes.services, &m_model,
                                                      [this](int row) { m_selected << row; });
        if (!Keyboard::activate(w.get()))
            QTest::qFail("the search window did not become active", __FILE__, __LINE__);
        return w;
    }

private slots:
    void init()
    {
        m_model.setLines({contact(QStringLiteral("FYYYY"), QStringLiteral("31FA001")),
                          contact(QStringLiteral("YYZZ"), QStringLiteral("2AFA002")),
                          contact(QStringLiteral("F1ABC"), QStringLiteral("31FA001")),
                          contact(QStringLiteral("FABCDEFGHIJK"), QStringLiteral("05FA003")),
                          contact(QStringLiteral("F5XYZ"), QStringLiteral("13FT010"))});
    }

    void opensOnTheCallsignField()
    {
        auto w = open();
        QCOMPARE(w->windowTitle(), QStringLiteral("Rechercher un QSO"));
        QVERIFY(w->Option1_1->isChecked());
        QCOMPARE(QApplication::focusWidget(), w->Indica);
        QCOMPARE(w->findChild<QListWidget *>(QStringLiteral("QSO_Effectues"))->toolTip(),
                 QStringLiteral("Double clique sur le QSO pour retour au log"));
    }

    void keyTable_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("fieldAfter");
        QTest::addColumn<QList<int>>("results");

        const QStringList none;
        const QStringList notFound{QStringLiteral("Pas de QSO trouvé")};
        QTest::newRow("callsign part typed in lower case")
            << "Indica"
            << "yy" << none << "" << QList<int>{1, 2};
        QTest::newRow("callsign of 12 characters in full")
            << "Indica"
            << "FABCDEFGHIJK" << none << "" << QList<int>{4};
        QTest::newRow("callsign of 13 characters")
            << "Indica"
            << "FABCDEFGHIJKL" << QStringList{QStringLiteral("12 caracteres maxi pour l'indicatif")}
            << "FABCDEFGHIJKL" << QList<int>{};
        QTest::newRow("callsign empty")
            << "Indica"
            << "" << QStringList{QStringLiteral("Entrez un indicatif")} << "" << QList<int>{};
        QTest::newRow("callsign not in the log") << "Indica"
                                                 << "zzz" << notFound << "" << QList<int>{};
        QTest::newRow("reference typed in lower case")
            << "Data"
            << "31fa001" << none << "" << QList<int>{1, 3};
        QTest::newRow("reference of 6 characters")
            << "Data"
            << "31FA01"
            << QStringList{QStringLiteral("7 caracteres maxi pour la référence ex: 31FA001")}
            << "31FA01" << QList<int>{};
        QTest::newRow("reference empty")
            << "Data"
            << "" << QStringList{QStringLiteral("7 caracteres maxi pour la référence ex: 31FA001")}
            << "" << QList<int>{};
        QTest::newRow("reference not in the log") << "Data"
                                                  << "75FA999" << notFound << "" << QList<int>{};
        QTest::newRow("department 2A turned into 2a") << "Depa"
                                                      << "2A" << none << "" << QList<int>{2};
        QTest::newRow("department 31") << "Depa"
                                       << "31" << none << "" << QList<int>{1, 3};
        QTest::newRow("department of one character") << "Depa"
                                                     << "5" << notFound << "" << QList<int>{};
        QTest::newRow("department of 3 characters lower-cased and kept")
            << "Depa"
            << "1AB" << QStringList{QStringLiteral("2 caracteres maxi pour le département")}
            << "1ab" << QList<int>{};
        QTest::newRow("department empty")
            << "Depa"
            << "" << QStringList{QStringLiteral("Entrez un Departement")} << "" << QList<int>{};
    }

    void keyTable()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(QString, fieldAfter);
        QFETCH(QList<int>, results);

        auto w = open();
        auto *edit = w->findChild<QLineEdit *>(field);
        QVERIFY(edit);
        QTest::mouseClick(edit, Qt::LeftButton);
        QCOMPARE(Keyboard::focusName(), field);
        Keyboard::typeEnter(typed);

        QCOMPARE(m_fakes.messages.shown, messages);
        QCOMPARE(edit->text(), fieldAfter);
        QCOMPARE(numbers(w->QSO_Effectues), results);
        // The option of the clicked field is the one searched with.
        const int option = field == QLatin1String("Indica") ? 1 : field == "Data" ? 2 : 3;
        QCOMPARE(w->Option1->checkedId(), option);
        QVERIFY(m_selected.isEmpty());
    }

    void searchUsesTheSelectedOptionNotTheFocusedField()
    {
        auto w = open();
        QCOMPARE(QApplication::focusWidget(), w->Indica);
        QVERIFY(Keyboard::tabTo(QStringLiteral("Data"), false, 4));
        QVERIFY(w->Option1_1->isChecked());

        Keyboard::typeEnter(QStringLiteral("31FA001"));
        QCOMPARE(m_fakes.messages.shown, QStringList{QStringLiteral("Entrez un indicatif")});
        QCOMPARE(w->Data->text(), QStringLiteral("31FA001"));
        QCOMPARE(w->QSO_Effectues->count(), 0);
    }

    void aRefusedEntryKeepsThePreviousResults()
    {
        auto w = open();
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Indica"));
        Keyboard::typeEnter(QStringLiteral("YY"));
        QCOMPARE(numbers(w->QSO_Effectues), (QList<int>{1, 2}));
        Keyboard::typeEnter(QStringLiteral("FABCDEFGHIJKLM"));
        QCOMPARE(numbers(w->QSO_Effectues), (QList<int>{1, 2}));
        QCOMPARE(w->Indica->text(), QStringLiteral("FABCDEFGHIJKLM"));
        // A search that finds nothing empties them.
        Keyboard::retype(QStringLiteral("QQQ"));
        Keyboard::enter();
        QCOMPARE(w->QSO_Effectues->count(), 0);
    }

    void clickingAnOptionSendsTheFocusToItsField()
    {
        auto w = open();
        QTest::mouseClick(w->Option1_3, Qt::LeftButton);
        QVERIFY(w->Option1_3->isChecked());
        QCOMPARE(QApplication::focusWidget(), w->Depa);
        QTest::mouseClick(w->Option1_2, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), w->Data);
    }

    void emptyListFindsNothing()
    {
        m_model.setLines({});
        auto w = open();
        Keyboard::type(QStringLiteral("F1ABC"));
        QTest::mouseClick(w->Option1_2, Qt::LeftButton);
        QCOMPARE(Keyboard::focusName(), QStringLiteral("Data"));
        Keyboard::typeEnter(QStringLiteral("31FA001"));
        QCOMPARE(m_fakes.messages.shown, QStringList{QStringLiteral("Pas de QSO trouvé")});
        QVERIFY(w->Indica->text().isEmpty());
        QVERIFY(w->Data->text().isEmpty());
    }

    void doubleClickSelectsTheNumberedLineAndCloses()
    {
        QStringList lines;
        for (int i = 0; i < 60; ++i)
            lines << contact(QStringLiteral("F%1AA").arg(i % 5), QStringLiteral("31FA001"));
        m_model.setLines(lines);
        auto w = open();
        Keyboard::typeEnter(QStringLiteral("f1aa"));
        const QList<int> found = numbers(w->QSO_Effectues);
        QCOMPARE(found.size(), 12);
        const int at = int(found.indexOf(42));
        QVERIFY(at > 0);

        QListWidget *list = w->QSO_Effectues;
        const QRect r = list->visualItemRect(list->item(at));
        QVERIFY(list->viewport()->rect().contains(r.center()));
        // A double click: the first press selects, the second comes as a double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(m_selected, QList<int>{41});
        QCOMPARE(m_model.listLine(41).left(6), QStringLiteral("    42"));
        QVERIFY(!w->isVisible());
        QVERIFY(m_fakes.messages.shown.isEmpty());
    }

    void doubleClickWithoutResultOnlyCloses()
    {
        auto w = open();
        QTest::mouseDClick(w->QSO_Effectues->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(m_selected.isEmpty());
        QVERIFY(!w->isVisible());
    }
};

QTEST_MAIN(RechercheIndicatifTest)
#include "recherche_indicatif_test.moc"
