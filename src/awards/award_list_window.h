#pragma once

#include "awards/award_levels.h"
#include "platform/services.h"

#include <QStringList>
#include <QWidget>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace vqx {

// The award list window "Liste_VQX": every confirmed contact, one line each,
// in reference order; saved or printed for the group and level chosen last.
class AwardListWindow : public QWidget
{
    Q_OBJECT
public:
    AwardListWindow(const Services &services, const QString &indicatifStation,
                    const AwardChoice &choice, QWidget *parent = nullptr);

    // A new choice in the menu or the levels window, for the next save or print.
    void setChoice(const AwardChoice &choice) { m_choice = choice; }

    // The lines of the list, in list order.
    QStringList items() const;

    QFrame *Frame1 = nullptr;
    QFrame *Frame2 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label2 = nullptr;
    QListWidget *Liste_VQX_Contacte = nullptr;
    QPushButton *Enregistrer = nullptr;
    QPushButton *Imprimer = nullptr;
    QPushButton *Command1 = nullptr;

private:
    void buildControls();
    void fill();
    void save();
    void print();

    Services m_services;
    QString m_callsign;
    AwardChoice m_choice;
};

} // namespace vqx
