#include "diagrams.h"

#include "dimensions.h"
#include "sketch.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

namespace diagrams {

namespace {

// As large as the sheet allows, up to a size that keeps a single cable in proportion.
constexpr double MaxPitch = 7500; // 190 mm
constexpr double RadiusToPitch = 0.18;
constexpr int ChainBelow = 1300;
constexpr int RoomLeft = 4000;
constexpr int RoomRight = SheetWidth - 500;

} // namespace

QByteArray directBuriedTriplexed(int detail)
{
    if (detail < 1 || detail > 6)
        return {};
    const int cables = detail;
    const double widthFit = (RoomRight - RoomLeft) / (cables - 1 + 4 * RadiusToPitch);
    const double pitch = std::min(MaxPitch, widthFit);
    const int radius = int(std::lround(pitch * RadiusToPitch));
    const int halfHeight = Sketch::triplexedHalfHeight(radius);
    std::vector<int> xs;
    for (int i = 0; i < cables; ++i)
        xs.push_back((RoomLeft + RoomRight) / 2
                     + int(std::lround((i - (cables - 1) / 2.0) * pitch)));

    Sketch sketch;
    sketch.title(QStringLiteral("Diagram D10   Detail %1").arg(detail));
    const int top = installationTop(2 * halfHeight
                                    + (cables > 1 ? ChainBelow + labelLinesBelow(2) : 0));
    // The top conductor of the first cable is its highest point.
    sketch.groundAndDepth(u"915mm (36\")", top, xs.front() - radius);
    const int y = top + halfHeight;
    for (const int x : xs)
        sketch.triplexed({x, y}, radius, true);

    if (cables > 1) {
        const int lineY = y + halfHeight + ChainBelow;
        spacingsBelow(sketch, xs, y + halfHeight, lineY, QString(cables - 1, u'='));
        sketch.labelUnder(u"190mm", (xs[0] + xs[1]) / 2, lineY);
        sketch.labelUnder(u"(7.5\")", (xs[0] + xs[1]) / 2, lineY, 1);
    }
    return sketch.finish();
}

} // namespace diagrams
