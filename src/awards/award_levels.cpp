#include "awards/award_levels.h"

#include "logstore/bands.h"
#include "logstore/log_record.h"

#include <algorithm>

namespace vqx {

namespace {

std::size_t indexOf(AwardLevel level)
{
    return static_cast<std::size_t>(level);
}

} // namespace

QString awardLevelName(AwardLevel level)
{
    static const QString names[kAwardLevelCount] = {
        QStringLiteral("Base"), QStringLiteral("Performant"), QStringLiteral("Expert"),
        QStringLiteral("Honneur"), QStringLiteral("Maitre")};
    return names[indexOf(level)];
}

const QStringList &hfAwardBands()
{
    static const QStringList bands = [] {
        QStringList list;
        for (const Band &b : entryBands()) {
            if (b.group == AwardGroup::Hf)
                list << QString(b.entry);
        }
        return list;
    }();
    return bands;
}

const QString &vhfAwardBand()
{
    static const QString band = [] {
        for (const Band &b : entryBands()) {
            if (b.group == AwardGroup::Vhf)
                return QString(b.entry);
        }
        return QString();
    }();
    return band;
}

bool isConfirmed(const QString &qsoLine)
{
    return QStringView(qsoLine).mid(QsoLine::QSL.start - 1, QsoLine::QSL.width) == u"*";
}

ConfirmedCounts countConfirmed(const QStringList &logLines)
{
    const QStringList &hf = hfAwardBands();
    ConfirmedCounts c;
    for (const QString &line : logLines) {
        if (!isConfirmed(line))
            continue;
        // Band names are compared exactly, case included.
        const QStringView band =
            QStringView(line).mid(QsoLine::QRG.start - 1, QsoLine::QRG.width).trimmed();
        if (std::any_of(hf.cbegin(), hf.cend(), [band](const QString &b) { return b == band; }))
            ++c.hf;
        else if (band == vhfAwardBand())
            ++c.vhf;
    }
    return c;
}

bool isHfGroup(const QString &groupeBandes)
{
    return groupeBandes == kGroupHf;
}

std::array<int, kAwardLevelCount> awardThresholds(const QString &groupeBandes)
{
    if (isHfGroup(groupeBandes))
        return {30, 50, 150, 300, 500};
    return {10, 30, 50, 100, 200};
}

QString notReachedCaption(AwardLevel level)
{
    static const QString captions[kAwardLevelCount] = {
        QStringLiteral("Vous ne pouvez pas encore obtenir le diplome VQX de Base"),
        QStringLiteral("Vous ne pouvez pas encore obtenir le diplome VQX Performant"),
        QStringLiteral("Vous ne pouvez pas encore obtenir le diplome VQX Expert"),
        QStringLiteral("Vous ne pouvez pas encore obtenir le diplome VQX Honneur"),
        QStringLiteral("Vous ne pouvez pas encore obtenir le diplome VQX Maitre")};
    return captions[indexOf(level)];
}

QString reachedCaption(AwardLevel level)
{
    // "dipome" is how the operator's award window has always spelled it.
    static const QString captions[kAwardLevelCount] = {
        QStringLiteral("Bravo vous pouvez obtenir le diplome VQX de Base"),
        QStringLiteral("Bravo vous pouvez obtenir le diplome VQX Performant"),
        QStringLiteral("Bravo vous pouvez obtenir le diplome VQX Expert"),
        QStringLiteral("Bravo vous pouvez obtenir le dipome VQX Honneur"),
        QStringLiteral("Bravo vous pouvez obtenir le dipome VQX Maitre")};
    return captions[indexOf(level)];
}

AwardEvaluation evaluateAwards(const ConfirmedCounts &counts, const QString &groupeBandes)
{
    AwardEvaluation e;
    e.count = isHfGroup(groupeBandes) ? counts.hf : counts.vhf;
    const std::array<int, kAwardLevelCount> thresholds = awardThresholds(groupeBandes);
    for (AwardLevel level : kAwardLevels) {
        LevelResult &r = e.levels[indexOf(level)];
        r.level = level;
        r.threshold = thresholds[indexOf(level)];
        r.reached = e.count >= r.threshold;
        if (r.reached) {
            r.missing = 0;
            r.status = reachedCaption(level);
            r.detail = QStringLiteral("avec les QSL des %1 Fontaines confirmées").arg(e.count);
        } else {
            r.missing = r.threshold - e.count;
            r.status = notReachedCaption(level);
            r.detail = QStringLiteral("il vous manque %1 Fontaines confirmées").arg(r.missing);
        }
    }
    return e;
}

} // namespace vqx
