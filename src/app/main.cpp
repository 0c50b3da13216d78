#include "mainwindow/main_window.h"
#include "platform/clock.h"
#include "platform/data_folder.h"
#include "platform/data_folder_lock.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/printer.h"
#include "platform/program_pictures.h"
#include "platform/qt_french.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "platform/web_view.h"

#include <QApplication>
#include <QStandardPaths>

#include <unistd.h>

int main(int argc, char *argv[])
{
    // Qt WebEngine refuses to start as root unless its sandbox is off.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ZAT_VQX"));
    QApplication::setOrganizationName(QStringLiteral("ZAT_VQX"));
    // Ties the windows to the installed desktop entry (its icon on Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral("zat-vqx"));
    QApplication::setWindowIcon(vqx::programIcon());
    vqx::installQtFrench(app);

    const QString perUserData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString settingsFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString dataDir =
        vqx::chooseDataFolder(QCoreApplication::applicationDirPath(), perUserData);

    // Before any file is read or written: one program per data folder.
    vqx::QtMessageBoxes messages;
    vqx::DataFolderLock lock(dataDir);
    if (!vqx::claimDataFolder(lock, messages))
        return vqx::kRefusedExitCode;

    vqx::IniSettingsStore settings(settingsFolder);
    vqx::SystemClock clock;
    vqx::QtPrintService printer;
    vqx::WebEngineViewFactory webViews;
    vqx::QtFileDialogs fileDialogs;

    vqx::Services services;
    services.dataDir = dataDir;
    services.settings = &settings;
    services.clock = &clock;
    services.messages = &messages;
    services.printer = &printer;
    services.webViews = &webViews;
    services.fileDialogs = &fileDialogs;

    vqx::MainWindow main(services);
    main.start();
    return app.exec();
}
