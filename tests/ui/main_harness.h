#pragma once
// Builds the main window over a temporary data folder with fake services; the
// tests drive it through Keyboard, as the operator does.

#include "keyboard.h"
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
    QStringList logLines() const
    {
        return codepage::splitLines(codepage::decode(logBytes())).lines;
    }

    MainWindow *open()
    {
        w = std::make_unique<MainWindow>(fakes.services);
        w->start();
        // Keys reach the focus only through the active window.
        if (!Keyboard::activate(w.get()))
            QTest::qFail("the main window did not become active", __FILE__, __LINE__);
        return w.get();
    }

    struct Contact
    {
        QString call;
        QString prenom; // empty: whatever the field holds is kept
        QString ref;
        QString date; // typed only when the window asks for it
        QString time;
        QString mode; // empty: the mode shown is kept
        QString rstR;
        QString rstE;
        QString name; // typed after the "F. " prefix
        bool qsl = false;
    };

    // Types a whole contact from Ind_A to Valide_A, each field's value then
    // Enter, checking at each step that the field whose turn it is holds the
    // focus. Returns what went wrong; empty when Valide_A has the focus.
    QString typeContact(const Contact &c)
    {
        const qsizetype before = fakes.messages.shown.size();
        QString problem;
        const auto at = [&](const char *field) {
            if (fakes.messages.shown.size() != before)
                problem = QStringLiteral("refused: ") + fakes.messages.shown.last();
            else if (Keyboard::focusName() != QLatin1String(field))
                problem = QStringLiteral("focus on %1 instead of %2")
                              .arg(Keyboard::focusName(), QLatin1String(field));
            return problem.isEmpty();
        };
        // A field that may already hold a value is typed over.
        const auto fill = [](const QString &text) {
            if (!text.isEmpty())
                Keyboard::retype(text);
            Keyboard::enter();
        };
        if (!at("Ind_A"))
            return problem;
        fill(c.call);
        if (!at("Prenom_A"))
            return problem;
        fill(c.prenom);
        if (!at("Ref_A"))
            return problem;
        fill(c.ref);
        if (!at("Dpt_A"))
            return problem;
        Keyboard::enter();
        if (Keyboard::focusName() == QLatin1String("Date_A")) {
            fill(c.date);
            if (!at("Heure_A"))
                return problem;
            fill(c.time);
        }
        if (!at("Mode_A"))
            return problem;
        fill(c.mode);
        if (!at("RST_A"))
            return problem;
        fill(c.rstR);
        if (!at("RSTE_A"))
            return problem;
        fill(c.rstE);
        if (!at("Rem_A"))
            return problem;
        Keyboard::typeEnter(c.name);
        if (!at("QSL_A"))
            return problem;
        if (c.qsl)
            Keyboard::press(Qt::Key_Space);
        Keyboard::enter();
        at("Valide_A");
        return problem;
    }

    // Enter on Valide_A, which must hold the focus; false when it does not.
    bool record()
    {
        if (Keyboard::focusName() != QLatin1String("Valide_A"))
            return false;
        Keyboard::enter();
        return true;
    }

    TempFolder dir;
    FakeServices fakes;
    std::unique_ptr<MainWindow> w;
};

// The centre of a line of the main list, and a click on it.
inline QPoint lineCentre(MainWindow *m, int row)
{
    return m->Liste_VQX->visualRect(m->logModel()->index(row)).center();
}

inline void clickLine(MainWindow *m, int row)
{
    QTest::mouseClick(m->Liste_VQX->viewport(), Qt::LeftButton, {}, lineCentre(m, row));
}

// Enter from field to field until the named one has the focus.
inline bool enterTo(const QString &name)
{
    for (int i = 0; i < 15 && Keyboard::focusName() != name; ++i)
        Keyboard::enter();
    return Keyboard::focusName() == name;
}

inline QColor background(QWidget *w)
{
    return w->palette().color(QPalette::Base);
}

} // namespace vqx::test
