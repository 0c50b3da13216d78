#pragma once

class QCoreApplication;

namespace vqx {

// Qt draws some texts itself: the Yes, No and OK buttons, the printer
// dialog, the context menu of the text fields. The program is French
// whatever the system language, so at start the default locale becomes
// French and Qt's own French catalogue is loaded. Returns false when the
// catalogue cannot be read (Qt's texts then stay English). Calling it again
// changes nothing.
bool installQtFrench(QCoreApplication &app);

} // namespace vqx
