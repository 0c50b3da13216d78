#pragma once

#include "platform/services.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace vqx {

struct SharedValues;
class WebView;

// The window "Cluster": the DX-cluster page of the band chosen in Bande_CL.
// The band is remembered per station callsign each time a page is shown.
class ClusterWindow : public QWidget
{
    Q_OBJECT
public:
    ClusterWindow(const Services &services, const SharedValues *shared, QWidget *parent = nullptr);

    QSize sizeHint() const override;

    // Stores the selected band, then asks the view for its page.
    void showPage();

    WebView *WebBrowser1 = nullptr;
    QComboBox *Bande_CL = nullptr;
    QPushButton *Afficher = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;

private:
    QString section() const;

    Services m_services;
    const SharedValues *m_shared;
};

} // namespace vqx
