#include "bank_dimensions.h"

#include "dimensions.h"
#include "text_metrics.h"

namespace diagrams {

namespace {

constexpr QStringView Note = u"190mm (7.5\")";
constexpr int NoteMargin = 350;

} // namespace

bool spacingNoteFitsUnder(int envelopeWidth)
{
    return textWidth(Note, LabelHeight) + 2 * NoteMargin <= envelopeWidth;
}

int spacingNoteRoomBeside()
{
    return textWidth(Note, LabelHeight) + 2 * NoteMargin;
}

int dimensionsBelow(bool chain, bool noteUnder)
{
    int below = ChainBelow;
    if (chain) {
        below += NextBelow;
        if (noteUnder)
            below += labelLinesBelow(1);
    }
    return below + labelLinesBelow(1);
}

int heightWithDimensions(QSize outline, bool chain, SpacingNote note)
{
    return outline.height() + dimensionsBelow(chain, note == SpacingNote::Under);
}

SpacingNote spacingNoteFor(int envelopeWidth)
{
    return spacingNoteFitsUnder(envelopeWidth) ? SpacingNote::Under : SpacingNote::Beside;
}

int columnSpacings(Sketch &sketch, const DuctBank &bank, QStringView marks, SpacingNote note)
{
    const QRect &outline = bank.outline();
    const int lineY = outline.bottom() + ChainBelow;
    spacingsBelow(sketch, bank.columns(), bank.lowestDuct(), lineY, marks);
    switch (note) {
    case SpacingNote::None:
        return lineY + NextBelow;
    case SpacingNote::Under:
        sketch.labelUnder(Note, (bank.columns().front() + bank.columns().back()) / 2, lineY);
        return lineY + labelLinesBelow(1) + NextBelow;
    case SpacingNote::Beside:
        break;
    }
    const int end = outline.left() - NoteMargin;
    sketch.leader({bank.columns().front(), lineY}, {end, lineY});
    sketch.labelBeside(Note, end, lineY, Side::Left);
    return lineY + NextBelow;
}

int rowSpacings(Sketch &sketch, const DuctBank &bank, Side side, QStringView marks, bool turned)
{
    const bool right = side == Side::Right;
    const int edge = right ? bank.outline().right() : bank.outline().left();
    const int lineX = right ? edge + FirstBeside : edge - FirstBeside;
    spacingsBeside(sketch,
                   bank.rows(),
                   right ? bank.rightmostDuct() : bank.leftmostDuct(),
                   lineX,
                   marks,
                   turned);
    return lineX;
}

void envelopeWidth(Sketch &sketch,
                   const DuctBank &bank,
                   int y,
                   std::initializer_list<QStringView> label)
{
    widthBelow(sketch, bank.outline(), y, label);
}

void envelopeHeight(Sketch &sketch,
                    const DuctBank &bank,
                    int x,
                    std::initializer_list<QStringView> label,
                    bool turned)
{
    heightBeside(sketch, bank.outline(), x, label, turned);
}

} // namespace diagrams
