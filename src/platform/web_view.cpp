#include "platform/web_view.h"

#include <QVBoxLayout>
#include <QWebEngineView>

namespace vqx {

namespace {
class WebEngineView : public WebView
{
public:
    explicit WebEngineView(QWidget *parent) : WebView(parent), m_view(new QWebEngineView(this))
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_view);
    }
    void navigate(const QUrl &url) override { m_view->setUrl(url); }

private:
    QWebEngineView *m_view;
};
} // namespace

WebView *WebEngineViewFactory::create(QWidget *parent)
{
    return new WebEngineView(parent);
}

} // namespace vqx
