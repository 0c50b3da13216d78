#include "map/map_colouring.h"

#include "logstore/log_record.h"

#include <algorithm>

namespace vqx {

unsigned boxRgb(BoxState state)
{
    switch (state) {
    case BoxState::Initial:
        return 0xFFFFFF;
    case BoxState::NotContacted:
        return 0xFFFF80;
    case BoxState::ContactedNotConfirmed:
        return 0xFFC0C0;
    case BoxState::Confirmed:
        return 0x80FF80;
    }
    return 0xFFFFFF;
}

bool boxVisible(int index)
{
    return index >= 1 && index <= kBoxHauteCorse && index != 20;
}

QString boxText(int index)
{
    if (index == kBoxCorseDuSud)
        return QStringLiteral("2a");
    if (index == kBoxHauteCorse)
        return QStringLiteral("2b");
    if (index == 20 || index < 0 || index > kBoxHauteCorse)
        return QStringLiteral("X");
    return QStringLiteral("%1").arg(index, 2, 10, QLatin1Char('0'));
}

QString mapElementId(int index)
{
    if (!boxVisible(index))
        return {};
    if (index == kBoxCorseDuSud)
        return QStringLiteral("2A");
    if (index == kBoxHauteCorse)
        return QStringLiteral("2B");
    return boxText(index);
}

bool boxInParisInset(int index)
{
    return index == 75 || index == 92 || index == 93 || index == 94;
}

QString insetElementId(int index)
{
    return boxInParisInset(index) ? QStringLiteral("encart-") + mapElementId(index) : QString();
}

QString boxElementId(int index)
{
    return boxInParisInset(index) ? insetElementId(index) : mapElementId(index);
}

int boxIndexForCode(const QString &code)
{
    if (code.compare(QLatin1String("2a"), Qt::CaseInsensitive) == 0)
        return kBoxCorseDuSud;
    if (code.compare(QLatin1String("2b"), Qt::CaseInsensitive) == 0)
        return kBoxHauteCorse;
    if (code.isEmpty())
        return -1;
    int value = 0;
    for (QChar c : code) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
        if (value >= kMapBoxCount)
            return -1;
    }
    return value;
}

MapColouring colourMap(const QStringList &logLines)
{
    MapColouring c;
    c.boxes.fill(BoxState::NotContacted);
    for (const QString &line : logLines) {
        const int box = boxIndexForCode(QsoLine::Dpt.cutTrimmed(line));
        if (box < 0)
            continue;
        const bool confirmed = QsoLine::QSL.cutTrimmed(line) == QLatin1String("*");
        BoxState &state = c.boxes[size_t(box)];
        if (confirmed)
            state = BoxState::Confirmed;
        else if (state != BoxState::Confirmed)
            state = BoxState::ContactedNotConfirmed;
    }
    for (int i = 1; i < kMapBoxCount; ++i) {
        if (c.boxes[size_t(i)] == BoxState::Confirmed)
            ++c.confirmed;
        else if (c.boxes[size_t(i)] == BoxState::ContactedNotConfirmed)
            ++c.notConfirmed;
    }
    c.contacted = c.confirmed + c.notConfirmed;
    return c;
}

QString nbDepText(const MapColouring &c)
{
    return QString::number(c.contacted);
}

QString nbNconfText(const MapColouring &c)
{
    return QLatin1Char(' ') + QString::number(c.confirmed) + QStringLiteral(" Dpt confirmés");
}

QString nbNcontText(const MapColouring &c)
{
    // The hidden boxes 20, 98 and 99 count as contacted; never show fewer
    // than no department left.
    const int left = std::max(0, kMapDepartmentCount - (c.confirmed + c.notConfirmed));
    return QLatin1Char(' ') + QString::number(left) + QStringLiteral(" Dpt non contactés");
}

} // namespace vqx
