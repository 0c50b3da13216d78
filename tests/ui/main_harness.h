#pragma once
// Builds the main window over a temporary data folder with fake services and
// drives it from the keyboard as the operator does.

#include "log_samples.h"
#include "temp_folder.h"
#include "ui_fakes.h"

#include "logstore/log_list_model.h"
#include "mainwindow/main_window.h"
#include "platform/settings_store.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace vqx::test {

class MainHarness
{
public:
    MainHarness() : fakes(dir.path()) {}

    void setStation(const QString &call)
    {
        fakes.settings.set(kAppVqx, kSectionSetup, QStringLiteral("Indicatif Station"), call);
    }
    void setStationValue(const QString &key, const QString &value)
    {
        fakes.settings.set(kAppVqx, stationSection(station()), key, value);
    }
    QString stationValue(const QString &key) const
    {
        return fakes.settings.get(kAppVqx, stationSection(station()), key);
    }
    QString station() const
    {
        return fakes.settings.values.value(
            MemorySettingsStore::address(kAppVqx, kSectionSetup,
                                         QStringLiteral("Indicatif Station")),
            QStringLiteral("FXXXX"));
    }
    QString logFile() const { return dir.file(station() + QStringLiteral("_VQX.log")); }
    void writeLog(const QStringList &lines) { QVERIFY(writeBytes(logFile(), crlf(lines))); }
    QByteArray logBytes() const { return readBytes(logFile()); }

    MainWindow *open()
    {
        w = std::make_unique<MainWindow>(fakes.services);
        w->start();
        QApplication::setActiveWindow(w.get());
        return w.get();
    }

    // Types text as keys; letters outside ASCII go one by one, as Qt 6.4 requires.
    static void type(QWidget *field, const QString &text)
    {
        for (QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(field, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }
    static void enter(QWidget *field) { QTest::keyClick(field, Qt::Key_Return); }
    static void typeEnter(QWidget *field, const QString &text)
    {
        type(field, text);
        enter(field);
    }
    // A combo's own text replaced by typing, as the operator selects it and types over.
    static void retype(QComboBox *combo, const QString &text)
    {
        combo->lineEdit()->selectAll();
        QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
        type(combo->lineEdit(), text);
    }

    struct Contact
    {
        QString call;
        QString prenom;
        QString ref;
        QString date; // typed only when the window asks for it
        QString time;
        QString mode = QStringLiteral("SSB");
        QString rstR;
        QString rstE;
        QString name; // typed after the "F. " prefix
        bool qsl = false;
    };

    // Types a whole contact from Ind_A to Valide_A; returns false if a field refused.
    bool typeContact(const Contact &c)
    {
        MainWindow &m = *w;
        const int before = int(fakes.messages.shown.size());
        typeEnter(m.Ind_A, c.call);
        typeEnter(m.Prenom_A, c.prenom);
        typeEnter(m.Ref_A, c.ref);
        if (fakes.messages.shown.size() != before)
            return false;
        enter(m.Dpt_A);
        if (m.Date_A->isEnabled()) {
            m.Date_A->clear();
            typeEnter(m.Date_A, c.date);
            typeEnter(m.Heure_A, c.time);
        }
        retype(m.Mode_A, c.mode);
        enter(m.Mode_A->lineEdit());
        if (!c.rstR.isEmpty()) {
            m.RST_A->clear();
            type(m.RST_A, c.rstR);
        }
        enter(m.RST_A);
        if (!c.rstE.isEmpty()) {
            m.RSTE_A->clear();
            type(m.RSTE_A, c.rstE);
        }
        enter(m.RSTE_A);
        type(m.Rem_A, c.name);
        enter(m.Rem_A);
        if (c.qsl)
            QTest::keyClick(m.QSL_A, Qt::Key_Space);
        enter(m.QSL_A);
        return fakes.messages.shown.size() == before && m.Valide_A->isEnabled();
    }

    void record() { enter(w->Valide_A); }

    TempFolder dir;
    FakeServices fakes;
    std::unique_ptr<MainWindow> w;
};

inline QColor background(QWidget *w)
{
    return w->palette().color(QPalette::Base);
}

} // namespace vqx::test
