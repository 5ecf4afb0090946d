#include "diagrams.h"

#include "bank_dimensions.h"
#include "duct_bank.h"
#include "sketch.h"
#include "text_metrics.h"

#include <QString>

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace diagrams {

namespace {

// Units per millimetre for the smallest banks; larger ones are shrunk to fit the sheet.
constexpr double LargestScale = 30;
constexpr int SheetMargin = 800;
constexpr int RoomLeft = 4000;
constexpr int RoomBelow = SheetHeight - BottomMargin - InstallationTop;
// Worth a slightly smaller bank to keep the spacing note under its chain.
constexpr double PreferUnder = 0.9;

struct Detail
{
    QSize envelopeMm;
    std::initializer_list<std::string_view> rows;
    std::u16string_view columnMarks; // empty: no spacing chain under the bank
    std::u16string_view rowMarks;    // empty: no spacing chain beside it
    std::u16string_view width;
    std::u16string_view height;
};

struct Fit
{
    double scale;
    SpacingNote note;
    int roomLeft; // where the drawing may begin, the spacing note included
};

// The largest scale at which the bank and its dimensions fit. The spacing note reads best
// under its chain, but that needs a wide bank and room below; beside the bank it takes room
// from the left instead.
Fit fit(const Detail &d, bool chain, int rightDimensions)
{
    const double mmWide = d.envelopeMm.width();
    const double mmHigh = d.envelopeMm.height();
    const auto scaleFor = [&](bool noteUnder, int roomLeft) {
        const double byWidth = (SheetWidth - SheetMargin - roomLeft - rightDimensions) / mmWide;
        const double byHeight = (RoomBelow - dimensionsBelow(chain, noteUnder)) / mmHigh;
        return std::min({LargestScale, byWidth, byHeight});
    };
    if (!chain)
        return {scaleFor(false, RoomLeft), SpacingNote::None, RoomLeft};
    const int besideLeft = SheetMargin + spacingNoteRoomBeside();
    const Fit beside{scaleFor(false, besideLeft), SpacingNote::Beside, besideLeft};
    const Fit under{scaleFor(true, RoomLeft), SpacingNote::Under, RoomLeft};
    const bool underFits = spacingNoteFitsUnder(int(mmWide * under.scale));
    return underFits && under.scale >= PreferUnder * beside.scale ? under : beside;
}

QByteArray draw(int detail, const Detail &d)
{
    const bool chain = d.rows.begin()->size() > 1;
    const int heightX = FirstBeside + (d.rowMarks.empty() ? 0 : NextBesideUpright);
    const int rightDimensions = heightX + 350 + textWidth(d.height, LabelHeight);
    const Fit scale = fit(d, chain, rightDimensions);
    const QSize outline = DuctBank::outlineSize(d.envelopeMm, scale.scale);

    Sketch sketch;
    sketch.title(QStringLiteral("Diagram D11   Detail %1").arg(detail));
    sketch.ductNote();
    const int left = (scale.roomLeft + SheetWidth - SheetMargin - outline.width() - rightDimensions)
                     / 2;
    const int top = installationTop(heightWithDimensions(outline, chain, scale.note));
    sketch.groundAndDepth(u"760mm (30\")", top, left);

    const DuctBank bank(sketch, {left, top}, scale.scale, d.envelopeMm, d.rows);
    const int widthY = chain ? columnSpacings(sketch, bank, d.columnMarks, scale.note)
                             : bank.outline().bottom() + ChainBelow;
    envelopeWidth(sketch, bank, widthY, {d.width});
    if (!d.rowMarks.empty())
        rowSpacings(sketch, bank, Side::Right, d.rowMarks, false);
    envelopeHeight(sketch, bank, bank.outline().right() + heightX, {d.height});
    return sketch.finish();
}

} // namespace

QByteArray ductedTriplexed(int detail)
{
    switch (detail) {
    case 1:
        return draw(1, {{290, 290}, {"t"}, u"", u"", u"290mm (12\")", u"290"});
    case 2:
        return draw(2, {{450, 290}, {"tt"}, u" ", u"", u"450mm (18\")", u"290mm (12\")"});
    case 3:
        return draw(3, {{640, 290}, {"ttt"}, u"==", u"", u"640mm (25\")", u"290mm (12\")"});
    case 4:
        return draw(4, {{450, 450}, {"tt", "tt"}, u"=", u"=", u"450mm (18\")", u"450mm (18\")"});
    case 5:
        return draw(5,
                    {{450, 640}, {"ot", "tt", "tt"}, u"=", u"==", u"450mm (18\")", u"640mm (25\")"});
    case 6:
        return draw(6,
                    {{450, 640}, {"tt", "tt", "tt"}, u"=", u"==", u"450mm (18\")", u"640mm (25\")"});
    case 8:
        return draw(8,
                    {{850, 450}, {"tttt", "tttt"}, u"===", u"=", u"850mm (33.5\")", u"450mm (18\")"});
    default:
        return {};
    }
}

} // namespace diagrams
