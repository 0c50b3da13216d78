#pragma once

#include "platform/services.h"

#include <QWidget>

namespace vqx {

class WebView;

// The window "Reglement": the award's web site, loaded afresh at each opening.
class ReglementWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ReglementWindow(const Services &services, QWidget *parent = nullptr);

    QSize sizeHint() const override;

    WebView *WebBrowser1 = nullptr;
};

} // namespace vqx
