#pragma once

#include "platform/services.h"

#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace vqx {

// "VQX contactés": every fountain contacted, confirmed or not, sorted by
// reference; saved as a text file or printed.
class ContactedWindow : public QWidget
{
    Q_OBJECT
public:
    ContactedWindow(const Services &services, const QString &indicatifStation,
                    QWidget *parent = nullptr);

    // The lines shown, in list order.
    const QStringList &lines() const { return m_lines; }

    void saveList();
    void printList();

    QGroupBox *Frame1 = nullptr;
    QLabel *Label3 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *Label2 = nullptr;
    QListWidget *Liste_VQX_Contacte = nullptr;
    QPushButton *Quitter = nullptr;
    QPushButton *Imprimer = nullptr;
    QPushButton *Enregistrer = nullptr;

private:
    void load();
    void message(const QString &text);

    Services m_services;
    QString m_callsign; // the station whose log is shown
    QStringList m_lines;
};

inline const QString kContactedColumnCaption = QStringLiteral(
    "              Ref       Indicatif               Dpt   Prénom                     Date       "
    "    QTR    Mode    QRG     RstR  RstE       Nom de la Fontaine                            "
    "QSL");

} // namespace vqx
