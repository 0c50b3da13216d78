#pragma once

#include <QString>

class QCoreApplication;

namespace vqx {

// Qt draws some texts itself: the Yes, No and OK buttons, the printer
// dialog, the context menu of the text fields. The program is French
// whatever the system language, so Qt's own French catalogue is loaded at
// start. Returns false when the catalogue cannot be read (the program then
// runs with Qt's English texts). Calling it again changes nothing.
bool installQtFrench(QCoreApplication &app);

// Same, from a given folder of Qt catalogues.
bool installQtFrench(QCoreApplication &app, const QString &folder);

} // namespace vqx
