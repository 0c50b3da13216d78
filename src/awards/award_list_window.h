#pragma once

#include "platform/services.h"

#include <QStringList>
#include <QWidget>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;

namespace vqx {

struct SharedValues;

// The award list window "Liste_VQX": every confirmed contact, one line each,
// in reference order; saved or printed for the level in Niveau_Liste.
class AwardListWindow : public QWidget
{
    Q_OBJECT
public:
    AwardListWindow(const Services &services, const SharedValues *shared,
                    QWidget *parent = nullptr);

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
    const SharedValues *m_shared;
};

} // namespace vqx
