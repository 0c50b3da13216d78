#include "webviews/cluster_window.h"

#include "platform/settings_store.h"
#include "platform/web_view.h"
#include "session/shared_values.h"
#include "webviews/web_addresses.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vqx {

ClusterWindow::ClusterWindow(const Services &services, const SharedValues *shared, QWidget *parent)
    : QWidget(parent), m_services(services), m_shared(shared)
{
    setObjectName(QStringLiteral("Cluster"));
    setWindowTitle(QStringLiteral("Cluster"));

    WebBrowser1 = m_services.webViews->create(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));

    Bande_CL = new QComboBox(this);
    Bande_CL->setObjectName(QStringLiteral("Bande_CL"));
    Bande_CL->addItems(clusterBandEntries());

    Afficher = new QPushButton(QStringLiteral("Afficher"), this);
    Afficher->setObjectName(QStringLiteral("Afficher"));

    Label3 = new QLabel(QStringLiteral("Bande"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setBuddy(Bande_CL);

    Label2 = new QLabel(kClusterServiceName, this);
    Label2->setObjectName(QStringLiteral("Label2"));

    Label1 = new QLabel(QStringLiteral("Cluster remis a jour toutes les minutes"), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    auto *bar = new QHBoxLayout;
    bar->addWidget(Label3);
    bar->addWidget(Bande_CL);
    bar->addWidget(Afficher);
    bar->addSpacing(24);
    bar->addWidget(Label2);
    bar->addStretch(1);
    bar->addWidget(Label1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(WebBrowser1, 1);

    // Only Afficher (or opening) loads a page; a new selection alone does not.
    connect(Afficher, &QPushButton::clicked, this, &ClusterWindow::showPage);

    const QString stored = m_services.settings->Lire_Reglage(kAppBrenox, section(),
                                                             kKeyBandeCluster, QStringLiteral("0"));
    Bande_CL->setCurrentIndex(clusterIndexFromSetting(stored));
    showPage();
}

QSize ClusterWindow::sizeHint() const
{
    return {1000, 700};
}

QString ClusterWindow::section() const
{
    return stationSection(m_shared->Indicatif_Station);
}

void ClusterWindow::showPage()
{
    const int index = Bande_CL->currentIndex();
    // Remembered before the page is asked for; a store that cannot be
    // written only costs the band at the next opening.
    m_services.settings->Ecrire_Reglage(kAppBrenox, section(), kKeyBandeCluster,
                                        QString::number(index));
    WebBrowser1->navigate(clusterPageUrl(index));
}

} // namespace vqx
