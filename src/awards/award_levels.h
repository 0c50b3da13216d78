#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace vqx {

// The five award levels, lowest first.
enum class AwardLevel
{
    Base,
    Performant,
    Expert,
    Honneur,
    Maitre
};
inline constexpr int kAwardLevelCount = 5;
inline constexpr std::array<AwardLevel, kAwardLevelCount> kAwardLevels = {
    AwardLevel::Base, AwardLevel::Performant, AwardLevel::Expert, AwardLevel::Honneur,
    AwardLevel::Maitre};

// The level's name as Niveau_Liste holds it: "Base", "Performant", ...
QString awardLevelName(AwardLevel level);

// Band groups of the Diplomes menu.
inline const QString kGroupHf = QStringLiteral("HF");
inline const QString kGroupVhf = QStringLiteral("VHF");

// The bands each group counts, spelled as the band list; "10 Mhz" is in
// neither group.
const QStringList &hfAwardBands();
const QString &vhfAwardBand();

// A line is confirmed when its QSL column holds "*"; a short line never is.
bool isConfirmed(const QString &qsoLine);

// Confirmed contacts of each group, one per line (the same fountain worked
// twice counts twice).
struct ConfirmedCounts
{
    int hf = 0;
    int vhf = 0;
};
ConfirmedCounts countConfirmed(const QStringList &logLines);

// The band group chosen in the Diplomes menu and the level whose list is
// saved or printed; the latest choice counts, even for a list already open.
struct AwardChoice
{
    QString Groupe_Bandes = kGroupHf;
    QString Niveau_Liste;
};

// "HF" exactly selects the HF group; anything else the VHF group.
bool isHfGroup(const QString &groupeBandes);

// Confirmed contacts needed for each level, in level order.
std::array<int, kAwardLevelCount> awardThresholds(const QString &groupeBandes);

// Captions of a level's status line, before and once it is reached.
QString notReachedCaption(AwardLevel level);
QString reachedCaption(AwardLevel level);

struct LevelResult
{
    AwardLevel level = AwardLevel::Base;
    int threshold = 0;
    bool reached = false;
    int missing = 0; // 0 once reached
    QString status;  // the status caption
    QString detail;  // "avec les QSL des n ..." or "il vous manque n ..."
};

struct AwardEvaluation
{
    int count = 0; // confirmed contacts of the chosen group
    std::array<LevelResult, kAwardLevelCount> levels;
};

// Compares the chosen group's count with its five thresholds.
AwardEvaluation evaluateAwards(const ConfirmedCounts &counts, const QString &groupeBandes);

} // namespace vqx
