// Qt's own texts (buttons, printer dialog, text-field menus) in French, on a
// system whose language is not French: the real message boxes are shown and
// their buttons read before they are answered.
#include "platform/message_boxes.h"
#include "platform/program_pictures.h"
#include "platform/qt_french.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace vqx;

namespace {

// A caption as the operator reads it: no mnemonic mark, no shortcut.
QString readable(QString text)
{
    text = text.section(QLatin1Char('\t'), 0, 0);
    return text.remove(QLatin1Char('&'));
}

struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QSize pixmapSize;
    QStringList buttons; // sorted
};

// Waits for the next message box, notes what it shows, then presses the
// button whose caption is `press` (or closes the box if there is none, so a
// wrong caption fails the test instead of hanging it).
void whenBoxShows(SeenBox *seen, const QString &press)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, seen, press] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->pixmapSize = box->iconPixmap().deviceIndependentSize().toSize();
        QAbstractButton *target = nullptr;
        for (QAbstractButton *b : box->buttons()) {
            seen->buttons << readable(b->text());
            if (readable(b->text()) == press)
                target = b;
        }
        seen->buttons.sort();
        if (target)
            target->click();
        else
            box->done(-1);
    });
    poll->start();
}

} // namespace

class QtFrenchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void questionAnswersOuiNon_data();
    void questionAnswersOuiNon();
    void informationHasOkOnly();
    void aboutShowsTheLogo();
    void textFieldMenuIsFrench();
    void printerDialogIsFrench();
};

void QtFrenchTest::initTestCase()
{
    QCOMPARE(QLocale::system().name(), QStringLiteral("C"));
    QVERIFY(installQtFrench(*qApp));
    QCOMPARE(QLocale().language(), QLocale::French);
}

void QtFrenchTest::questionAnswersOuiNon_data()
{
    QTest::addColumn<QString>("press");
    QTest::addColumn<bool>("answer");
    QTest::newRow("Oui answers yes") << QStringLiteral("Oui") << true;
    QTest::newRow("Non answers no") << QStringLiteral("Non") << false;
}

void QtFrenchTest::questionAnswersOuiNon()
{
    QFETCH(QString, press);
    QFETCH(bool, answer);
    QtMessageBoxes boxes;
    SeenBox seen;
    whenBoxShows(&seen, press);
    const bool got =
        boxes.question(nullptr, QStringLiteral("Voulez vous enregistrer ces données ?"));
    QCOMPARE(seen.buttons, (QStringList{QStringLiteral("Non"), QStringLiteral("Oui")}));
    QCOMPARE(got, answer);
    QCOMPARE(seen.title, QStringLiteral("ZAT_VQX"));
    QCOMPARE(seen.text, QStringLiteral("Voulez vous enregistrer ces données ?"));
}

void QtFrenchTest::informationHasOkOnly()
{
    QtMessageBoxes boxes;
    SeenBox seen;
    whenBoxShows(&seen, QStringLiteral("OK"));
    boxes.information(nullptr, QStringLiteral("Indicatif trop long"));
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    QCOMPARE(seen.title, QStringLiteral("ZAT_VQX"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.text, QStringLiteral("Indicatif trop long"));
}

void QtFrenchTest::aboutShowsTheLogo()
{
    QtMessageBoxes boxes;
    SeenBox seen;
    whenBoxShows(&seen, QStringLiteral("OK"));
    boxes.about(nullptr, QStringLiteral("ZAT_VQX  Révision  1.0.1"), awardLogo());
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    QCOMPARE(seen.title, QStringLiteral("ZAT_VQX"));
    QCOMPARE(seen.pixmapSize, kAwardLogoSize);
    QCOMPARE(seen.text, QStringLiteral("ZAT_VQX  Révision  1.0.1"));
}

void QtFrenchTest::textFieldMenuIsFrench()
{
    QLineEdit field(QStringLiteral("F1ABC"));
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList captions;
    for (QAction *a : menu->actions()) {
        if (!a->isSeparator())
            captions << readable(a->text());
    }
    QCOMPARE(captions, (QStringList{QStringLiteral("Annuler"), QStringLiteral("Rétablir"),
                                    QStringLiteral("Couper"), QStringLiteral("Copier"),
                                    QStringLiteral("Coller"), QStringLiteral("Supprimer"),
                                    QStringLiteral("Tout sélectionner")}));
}

void QtFrenchTest::printerDialogIsFrench()
{
    QPrinter printer;
    QPrintDialog dialog(&printer);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Imprimer"));
}

int main(int argc, char *argv[])
{
    // A system in another language: only the program's own choice may make Qt French.
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    qunsetenv("LANGUAGE");
    QApplication app(argc, argv);
    QtFrenchTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "qt_french_test.moc"
