#include "platform/qt_french.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vqx {

namespace {

const QString kTranslatorName = QStringLiteral("vqx_qt_french");

} // namespace

bool installQtFrench(QCoreApplication &app)
{
    // French conventions too: metric paper in the printer dialog, and the web
    // views' own pages (a page that cannot be reached) in French.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    if (app.findChild<QTranslator *>(kTranslatorName, Qt::FindDirectChildrenOnly))
        return true;
    // Owned by the application, so it lives as long as the texts it translates.
    auto *translator = new QTranslator(&app);
    translator->setObjectName(kTranslatorName);
    if (!translator->load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace vqx
