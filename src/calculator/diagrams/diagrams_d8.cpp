#include "diagrams.h"

#include "dimensions.h"
#include "sketch.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace diagrams {

namespace {

// Drawn as large as the sheet allows, up to a size at which a single circuit still looks like
// cables rather than pipes.
constexpr double MaxPitch = 5000; // 190 mm
constexpr double RadiusToPitch = 0.26;
constexpr double WideGap = 610.0 / 190.0; // in pitches
constexpr int ChainBelow = 1300;
constexpr int RowChainBeside = 1300;
constexpr int RowMarks = 1000; // room for the turned "=" beyond the row chain
// Room for the cables: right of the depth arrow, below the depth label.
constexpr int RoomLeft = 4000;
constexpr int RoomRight = SheetWidth - 500;

struct Detail
{
    int rows;
    std::string_view row; // '|' is the wide gap between the two circuits of a row
};

constexpr Detail Details[] = {
    {1, "ABC"},
    {1, "ABCCBA"},
    {1, "ABC|CBA"},
    {2, "ABCCBA"},
    {2, "ABC|CBA"},
    {3, "ABCCBA"},
    {3, "ABC|CBA"},
};

} // namespace

QByteArray directBuriedSingles(int detail)
{
    if (detail < 1 || detail > int(std::size(Details)))
        return {};
    const Detail &d = Details[detail - 1];

    // Cable centres in pitches from the first, and the marks of the spacings between them.
    std::vector<double> at;
    QString marks;
    double x = 0;
    for (const char c : d.row) {
        if (c == '|') {
            x += WideGap - 1;
            marks.back() = u' ';
            continue;
        }
        at.push_back(x);
        marks += u'=';
        x += 1;
    }
    marks.chop(1);

    const int rowDimensions = d.rows > 1 ? RowChainBeside + RowMarks : 0;
    const int belowRows = ChainBelow + labelLinesBelow(2);
    const double widthFit = (RoomRight - RoomLeft - rowDimensions)
                            / (at.back() + 2 * RadiusToPitch);
    const double heightFit = (SheetHeight - BottomMargin - InstallationTop - belowRows)
                             / (d.rows - 1 + 2 * RadiusToPitch);
    const double pitch = std::min({MaxPitch, widthFit, heightFit});
    const int radius = int(std::lround(pitch * RadiusToPitch));

    const int groupWidth = int(at.back() * pitch) + 2 * radius + rowDimensions;
    const int firstX = (RoomLeft + RoomRight - groupWidth) / 2 + radius;
    std::vector<int> xs;
    for (const double pitches : at)
        xs.push_back(firstX + int(std::lround(pitches * pitch)));

    Sketch sketch;
    sketch.title(QStringLiteral("Diagram D8   Detail %1").arg(detail));
    const int top = installationTop(int((d.rows - 1) * pitch) + 2 * radius + belowRows);
    sketch.groundAndDepth(u"915mm (36\")", top, xs.front() - radius);

    std::vector<int> ys;
    for (int row = 0; row < d.rows; ++row) {
        const int y = top + radius + int(std::lround(row * pitch));
        ys.push_back(y);
        std::size_t i = 0;
        for (const char c : d.row) {
            if (c != '|')
                sketch.conductor({xs[i++], y}, radius, Phase(c - 'A'));
        }
    }

    const int lineY = ys.back() + radius + ChainBelow;
    spacingsBelow(sketch, xs, ys.back() + radius, lineY, marks);
    sketch.labelUnder(u"190mm", (xs[0] + xs[1]) / 2, lineY);
    sketch.labelUnder(u"(7.5\")", (xs[0] + xs[1]) / 2, lineY, 1);
    if (const qsizetype gap = marks.indexOf(u' '); gap >= 0) {
        const int middle = (xs[std::size_t(gap)] + xs[std::size_t(gap) + 1]) / 2;
        sketch.labelUnder(u"610mm", middle, lineY);
        sketch.labelUnder(u"(24\")", middle, lineY, 1);
    }
    if (d.rows > 1) {
        const int side = xs.back() + radius;
        spacingsBeside(sketch, ys, side, side + RowChainBeside, QString(d.rows - 1, u'='), true);
    }
    return sketch.finish();
}

} // namespace diagrams
