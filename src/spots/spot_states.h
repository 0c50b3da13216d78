#pragma once

#include "logstore/bands.h"
#include "spots/spot_line.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

namespace vqx {

// What the log says of a fountain on a band.
enum class SpotState
{
    Nouvelle,      // never contacted
    NouvelleBande, // contacted, never on this band
    DejaContactee, // contacted on this band: the entry would refuse it
    HorsBande      // the frequency is in no band of the entry list
};

// The references of the log, with the bands each was contacted on and
// whether one of its contacts is confirmed. Built from the log's lines in
// one pass; spots are classified against it without reading the file.
class WorkedIndex
{
public:
    void rebuild(const QStringList &fileLines);
    SpotState stateOf(const QString &ref, const Band *band) const;
    bool confirmed(const QString &ref) const;
    int size() const { return int(m_refs.size()); }

private:
    struct Worked
    {
        quint32 bands = 0; // bit i: band i of the entry list
        bool confirmed = false;
    };
    QHash<QString, Worked> m_refs;
};

// The words the spots window shows for a state.
QString stateText(SpotState state);
// A reference still needed: the spot is worth an alert.
inline bool isNeeded(SpotState s)
{
    return s == SpotState::Nouvelle || s == SpotState::NouvelleBande;
}

// One row of the spots window: one reference of one spot.
struct SpotRow
{
    QDateTime received; // UTC, when it arrived
    ClusterLine spot;
    QString ref;
    const Band *band = nullptr;
    SpotState state = SpotState::HorsBande;
    bool confirmed = false;
    // The State column: the state, "confirmée" when the reference is
    // confirmed on some band, and the 10 Mhz warning.
    QString stateColumn() const;
    QString bandText() const;
    // As the entry keeps it: 2a and 2b in lower case.
    QString dpt() const { return ref.left(2).toLower(); }
};

// The rows of a spot, one per reference of its comment, classified.
QList<SpotRow> rowsOfSpot(const ClusterLine &spot, const WorkedIndex &index,
                          const QDateTime &receivedUtc);
void classify(SpotRow &row, const WorkedIndex &index);

// The mode of a spot for the entry list ("CW", "SSB", "FM"): said in the
// comment, else taken from the band plan (CW below the band's telephony
// segment, FM in the FM segments of 10 m, 6 m and 2 m).
QString modeOfSpot(const QString &comment, qint64 hz);
// The mode a radio is tuned to for an entry mode at a frequency: lower
// sideband below 10 MHz.
QString hamlibModeFor(const QString &entryMode, qint64 hz);

// Says once per reference and band per hour that a needed fountain is spotted.
class AlertLimiter
{
public:
    // True when this reference on this band has not been announced within
    // the hour before `nowUtc`; it is then counted as announced.
    bool shouldAlert(const QString &ref, const Band *band, const QDateTime &nowUtc);

private:
    QHash<QString, QDateTime> m_last;
};

} // namespace vqx
