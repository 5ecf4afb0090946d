#include "center_edge.h"

#include "platform/vbmath.h"

namespace Module1 {

double centredEdge(float mainEdge, float mainSize, float ownSize, float screenSize)
{
    // Single-precision operands give a single-precision difference, as the original did.
    const float difference = mainSize - ownSize;
    double edge = double(mainEdge) + double(platform::integerDivide(difference, 2));
    if (edge <= 0) {
        edge = 0;
    } else {
        const double farthest = screenSize - ownSize;
        if (edge >= farthest)
            edge = farthest;
    }
    return edge;
}

} // namespace Module1
