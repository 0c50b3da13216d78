#pragma once

#include "awards/award_levels.h"
#include "platform/services.h"

#include <QWidget>
#include <array>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace vqx {

// Red while a level is out of reach, dark green once reached.
inline const QColor kLevelMissing(255, 0, 0);
inline const QColor kLevelReached(0, 128, 0);

// The window "Diplomes_VQX": the five award levels of a band group, counted
// from the station's log once, when the window opens.
class AwardLevelsWindow : public QWidget
{
    Q_OBJECT
public:
    // openList shows the award list of the level chosen (its Niveau_Liste).
    AwardLevelsWindow(const Services &services, const QString &indicatifStation,
                      const QString &groupeBandes,
                      std::function<void(const QString &niveauListe)> openList,
                      QWidget *parent = nullptr);

    // Status label, detail label and button of one level.
    QLabel *statusLabel(AwardLevel level) const;
    QLabel *detailLabel(AwardLevel level) const;
    QPushButton *listButton(AwardLevel level) const;

    QFrame *Frame1 = nullptr;
    QFrame *Frame2 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label18 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label19 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *Label20 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label21 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label22 = nullptr;
    QPushButton *Base = nullptr;
    QPushButton *Performant = nullptr;
    QPushButton *Expert = nullptr;
    QPushButton *Honneur = nullptr;
    QPushButton *Maitre = nullptr;
    std::array<QFrame *, 4> lines{}; // Line1..Line4

private:
    struct Section
    {
        QLabel *status = nullptr;
        QLabel *detail = nullptr;
        QPushButton *button = nullptr;
    };
    void buildControls();
    void evaluate();
    void showLevel(const LevelResult &result);
    void chooseLevel(AwardLevel level);

    Services m_services;
    QString m_callsign;
    QString m_groupeBandes;
    std::function<void(const QString &)> m_openList;
    std::array<Section, kAwardLevelCount> m_sections;
};

} // namespace vqx
