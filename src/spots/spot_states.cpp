#include "spots/spot_states.h"

#include "logstore/log_record.h"

#include <QRegularExpression>

namespace vqx {

namespace {

int bandIndex(const Band *band)
{
    return band ? int(band - entryBands()) : -1;
}

// Where telephony starts on each band of the entry list (kHz, in the order of
// the list); CW and data lie below. 10 MHz has no telephony.
constexpr qint64 kPhoneStartKhz[kBandCount] = {1840,  3600,  7050,  0,     14100, 18111,
                                               21151, 24931, 28300, 50100, 144150};

} // namespace

void WorkedIndex::rebuild(const QStringList &fileLines)
{
    m_refs.clear();
    m_refs.reserve(fileLines.size() / 4 + 16);
    for (const QString &line : fileLines) {
        const QString ref = QsoLine::Ref.cutTrimmed(line).toUpper();
        if (ref.isEmpty())
            continue;
        Worked &w = m_refs[ref];
        const int i = bandIndex(bandOfEntry(QsoLine::QRG.view(line).trimmed()));
        if (i >= 0)
            w.bands |= 1u << i;
        if (QsoLine::QSL.view(line) == u"*")
            w.confirmed = true;
    }
}

SpotState WorkedIndex::stateOf(const QString &ref, const Band *band) const
{
    if (!band)
        return SpotState::HorsBande;
    const auto it = m_refs.constFind(ref.toUpper());
    if (it == m_refs.cend())
        return SpotState::Nouvelle;
    return it->bands & (1u << bandIndex(band)) ? SpotState::DejaContactee
                                               : SpotState::NouvelleBande;
}

bool WorkedIndex::confirmed(const QString &ref) const
{
    const auto it = m_refs.constFind(ref.toUpper());
    return it != m_refs.cend() && it->confirmed;
}

QString stateText(SpotState state)
{
    switch (state) {
    case SpotState::Nouvelle:
        return QStringLiteral("Nouvelle");
    case SpotState::NouvelleBande:
        return QStringLiteral("Nouvelle bande");
    case SpotState::DejaContactee:
        return QStringLiteral("Déjà contactée");
    case SpotState::HorsBande:
        return QStringLiteral("Hors des bandes du log");
    }
    return {};
}

QString SpotRow::stateColumn() const
{
    QString s = stateText(state);
    if (confirmed)
        s += QStringLiteral(", confirmée");
    if (band && band->group == AwardGroup::None)
        s += QStringLiteral(" (") + QString(band->entry) +
             QStringLiteral(" ne compte pour aucun diplôme)");
    return s;
}

QString SpotRow::bandText() const
{
    return band ? QString(band->entry) : QString();
}

void classify(SpotRow &row, const WorkedIndex &index)
{
    row.state = index.stateOf(row.ref, row.band);
    row.confirmed = index.confirmed(row.ref);
}

QList<SpotRow> rowsOfSpot(const ClusterLine &spot, const WorkedIndex &index,
                          const QDateTime &receivedUtc)
{
    QList<SpotRow> rows;
    const Band *band = bandOfFrequency(spot.hz);
    for (const QString &ref : spot.references) {
        SpotRow row;
        row.received = receivedUtc;
        row.spot = spot;
        row.ref = ref;
        row.band = band;
        classify(row, index);
        rows << row;
    }
    return rows;
}

QString modeOfSpot(const QString &comment, qint64 hz)
{
    static const QRegularExpression said(
        QStringLiteral("(?<![A-Z0-9])(CW|SSB|USB|LSB|FM)(?![A-Z0-9])"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = said.match(comment);
    if (m.hasMatch()) {
        const QString mode = m.captured(1).toUpper();
        return mode == u"CW" || mode == u"FM" ? mode : QStringLiteral("SSB");
    }
    const Band *band = bandOfFrequency(hz);
    if (!band)
        return QStringLiteral("SSB");
    const qint64 phone = kPhoneStartKhz[bandIndex(band)] * 1000;
    if (phone == 0 || hz < phone)
        return QStringLiteral("CW");
    const bool fm = (band->adif == QLatin1String("10m") && hz >= 29'510'000) ||
                    (band->adif == QLatin1String("6m") && hz >= 51'410'000) ||
                    (band->adif == QLatin1String("2m") && hz >= 145'000'000);
    return fm ? QStringLiteral("FM") : QStringLiteral("SSB");
}

QString hamlibModeFor(const QString &entryMode, qint64 hz)
{
    if (entryMode == u"CW" || entryMode == u"FM")
        return entryMode;
    return hz < 10'000'000 ? QStringLiteral("LSB") : QStringLiteral("USB");
}

bool AlertLimiter::shouldAlert(const QString &ref, const Band *band, const QDateTime &nowUtc)
{
    const QString key = ref + u'|' + (band ? QString(band->entry) : QString());
    const auto it = m_last.constFind(key);
    if (it != m_last.cend() && it->secsTo(nowUtc) < 3600)
        return false;
    m_last.insert(key, nowUtc);
    return true;
}

} // namespace vqx
