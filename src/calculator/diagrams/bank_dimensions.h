#pragma once

#include "duct_bank.h"
#include "sketch.h"

#include <QSize>
#include <QStringView>

#include <initializer_list>

namespace diagrams {

// Room the dimensions of a duct bank take, measured from the envelope outward.
inline constexpr int ChainBelow = 1200;       // envelope bottom to its spacing chain
inline constexpr int FirstBeside = 1100;      // envelope side to the first line beside it
inline constexpr int NextBesideTurned = 1300; // past a line whose "=" marks are turned
inline constexpr int NextBesideUpright = 1400;
inline constexpr int NextBelow = 1000; // from the lowest ink above to the next line below

// Where the 190 mm note of a spacing chain stands: under the line, which needs an envelope wide
// enough to keep it clear of the width's extension lines, or left of the envelope.
enum class SpacingNote { None, Under, Beside };

// Spacings of the bottom row's ducts on a line under the envelope, with the note. Returns the
// y below which the next dimension line may go.
int columnSpacings(Sketch &sketch, const DuctBank &bank, QStringView marks, SpacingNote note);
// Spacings of the rows of the duct column nearest that side. Returns the x of the line.
int rowSpacings(Sketch &sketch, const DuctBank &bank, Side side, QStringView marks, bool turned);

// The envelope's outer width on a line at y, its outer height on a line at x.
void envelopeWidth(Sketch &sketch,
                   const DuctBank &bank,
                   int y,
                   std::initializer_list<QStringView> label);
void envelopeHeight(Sketch &sketch,
                    const DuctBank &bank,
                    int x,
                    std::initializer_list<QStringView> label,
                    bool turned = false);

// Whether the 190 mm note fits under a chain within an envelope that wide, and the room it
// takes left of an envelope instead.
bool spacingNoteFitsUnder(int envelopeWidth);
int spacingNoteRoomBeside();
// How far below an envelope its dimensions reach: a spacing chain (with the note under it or
// not) or none, then the width.
int dimensionsBelow(bool chain, bool noteUnder);
// How tall an envelope of that size is drawn with the dimensions under it.
int heightWithDimensions(QSize outline, bool chain, SpacingNote note);
// The note's place for an envelope that wide.
SpacingNote spacingNoteFor(int envelopeWidth);

} // namespace diagrams
