#include "webviews/reglement_window.h"

#include "platform/web_view.h"
#include "webviews/web_addresses.h"

#include <QVBoxLayout>

namespace vqx {

ReglementWindow::ReglementWindow(const Services &services, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Reglement"));
    setWindowTitle(QStringLiteral("VQX Règlement"));

    WebBrowser1 = services.webViews->create(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1);

    WebBrowser1->navigate(reglementUrl());
}

QSize ReglementWindow::sizeHint() const
{
    return {1000, 700};
}

} // namespace vqx
