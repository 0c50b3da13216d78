#include "platform/qt_french.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vqx {

namespace {

const QString kTranslatorName = QStringLiteral("vqx_qt_french");

} // namespace

bool installQtFrench(QCoreApplication &app)
{
    return installQtFrench(app, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

bool installQtFrench(QCoreApplication &app, const QString &folder)
{
    if (app.findChild<QTranslator *>(kTranslatorName, Qt::FindDirectChildrenOnly))
        return true;
    // Owned by the application, so it lives as long as the texts it translates.
    auto *translator = new QTranslator(&app);
    translator->setObjectName(kTranslatorName);
    if (!translator->load(QStringLiteral("qtbase_fr"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace vqx
