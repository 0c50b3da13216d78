#pragma once

#include <QString>

namespace vqx {

class SettingsStore;
class Clock;
class MessageBoxes;
class PrintService;
class WebViewFactory;
class FileDialogs;

// What every window is given instead of reaching for globals.
struct Services
{
    QString dataDir;
    SettingsStore *settings = nullptr;
    const Clock *clock = nullptr;
    MessageBoxes *messages = nullptr;
    PrintService *printer = nullptr;
    WebViewFactory *webViews = nullptr;
    FileDialogs *fileDialogs = nullptr;
};

} // namespace vqx
