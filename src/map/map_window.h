#pragma once

#include "map/map_colouring.h"
#include "platform/services.h"

#include <QList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QSvgRenderer;

namespace vqx {

class MapPicture;

// "Carte des départements contactés": the map of France with one box per
// department, coloured by what the log holds for it, and three counters.
class MapWindow : public QWidget
{
    Q_OBJECT
public:
    MapWindow(const Services &services, const QString &indicatifStation, QWidget *parent = nullptr);

    // The colours shown, for the tests that check them.
    const MapColouring &colouring() const { return m_colouring; }

    QLabel *NB_Dep = nullptr;
    QLabel *Label5 = nullptr;
    MapPicture *Carte = nullptr;
    QList<QLabel *> Dep; // indexes 0-99
    QLineEdit *Nb_Nconf = nullptr;
    QLineEdit *Nb_Ncont = nullptr;
    QLabel *Credit_Carte = nullptr;

private:
    // The map with Paris and its neighbours drawn again, enlarged, in an
    // empty corner; the map unchanged when that cannot be done.
    QByteArray withParisInset(const QByteArray &map);
    void buildBoxes(const QByteArray &map);
    // The element of the map the box of a department sits on; "" for a
    // hidden box or a map without it.
    static QString placedOn(const QSvgRenderer &map, int index);
    void paint(const QByteArray &map);
    void setBox(int index, BoxState state);
    void message(const QString &text);

    Services m_services;
    QString m_callsign;
    MapColouring m_colouring;
    double m_insetScale = 1.0;
};

// The map inside the program.
inline const QString kMapResource = QStringLiteral(":/map/france.departments.svg");

} // namespace vqx
