#include "sketch.h"

#include "text_metrics.h"

namespace diagrams {

namespace {

constexpr int DepthX = 1200;
constexpr int GroundMargin = 300;
constexpr int HatchDepth = 450;
constexpr int HatchPitch = 600;
// The hatching stops short of the depth arrow so that the arrowhead on the surface reads.
constexpr int HatchClearOfArrow = 300;

} // namespace

void Sketch::groundAndDepth(QStringView depthLabel, int top, int installationLeft)
{
    line({GroundMargin, GroundY}, {SheetWidth - GroundMargin, GroundY}, HeavyPen);
    for (int x = GroundMargin + HatchDepth; x <= SheetWidth - GroundMargin; x += HatchPitch) {
        if (x + HatchClearOfArrow > DepthX && x - HatchDepth - HatchClearOfArrow < DepthX)
            continue;
        line({x, GroundY}, {x - HatchDepth, GroundY + HatchDepth}, LightPen);
    }

    dimension({DepthX, GroundY}, {DepthX, top});
    extension({installationLeft, top}, {DepthX, top});
    // Beside the arrow, just below the hatching.
    text({DepthX + 400, GroundY + HatchDepth + 300 + int(InkAscent * LabelHeight)},
         depthLabel,
         Style::Label);
}

} // namespace diagrams
