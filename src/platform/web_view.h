#pragma once

#include <QUrl>
#include <QWidget>

namespace vqx {

// An embedded web page that can be told to go to an address.
class WebView : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual void navigate(const QUrl &url) = 0;
};

class WebViewFactory
{
public:
    virtual ~WebViewFactory() = default;
    virtual WebView *create(QWidget *parent) = 0;
};

// The real view, Qt WebEngine.
class WebEngineViewFactory : public WebViewFactory
{
public:
    WebView *create(QWidget *parent) override;
};

} // namespace vqx
