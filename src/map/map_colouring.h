#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace vqx {

// The map has one box per index 0-99; the Corsican departments use 96 (2a)
// and 97 (2b), and the boxes 0, 20, 98 and 99 are hidden.
inline constexpr int kMapBoxCount = 100;
// Departments shown on the map: 01-95 without 20, plus 2a and 2b.
inline constexpr int kMapDepartmentCount = 96;
inline constexpr int kBoxCorseDuSud = 96;
inline constexpr int kBoxHauteCorse = 97;

enum class BoxState
{
    Initial,               // white, before loading
    NotContacted,          // light yellow
    ContactedNotConfirmed, // light red
    Confirmed              // light green
};

// The background of a box, as 0xRRGGBB.
unsigned boxRgb(BoxState state);

// Text shown in a box ("01", "2a", "X" for the hidden ones).
QString boxText(int index);
bool boxVisible(int index);
// The map's own name of the department of a box ("01", "2A"); "" for a
// hidden box.
QString mapElementId(int index);

// Paris and its three neighbours (75, 92, 93, 94) are too small for their
// boxes at the map's scale: the map shows them again, enlarged, in an inset,
// and their boxes go there.
bool boxInParisInset(int index);
// The id of a department's enlarged copy in the inset ("encart-75"); "" for
// a box that is not in the inset.
QString insetElementId(int index);
// The element the box of a department sits on: its copy in the inset for
// the four of Paris, its own shape for every other.
QString boxElementId(int index);

// Box of a trimmed department code: 2a/2A and 2b/2B are Corsica; other
// codes must be a whole number 0-99. -1 when the line is to be skipped
// (a code that starts with a letter, "2C", an empty code).
int boxIndexForCode(const QString &code);

struct MapColouring
{
    std::array<BoxState, kMapBoxCount> boxes;
    int contacted = 0;    // boxes 1-99 contacted, confirmed or not
    int notConfirmed = 0; // boxes 1-99 contacted, none confirmed
    int confirmed = 0;    // boxes 1-99 with a confirmed contact
    MapColouring() { boxes.fill(BoxState::Initial); }
};

// Colours the boxes from the lines of the log: every box light yellow,
// then each contact marks its department; a confirmed contact is never
// undone by an unconfirmed one. Box 0 is not counted.
MapColouring colourMap(const QStringList &logLines);

// Texts of the counters.
QString nbDepText(const MapColouring &c);   // "12"
QString nbNconfText(const MapColouring &c); // " 7 Dpt confirmés"
QString nbNcontText(const MapColouring &c); // " 84 Dpt non contactés"

} // namespace vqx
