#include "diagram_catalog.h"

#include "diagram_lookup.h"
#include "diagrams.h"

namespace diagrams {

QByteArray drawDiagram(int diagramNumber)
{
    if (diagramIndex(diagramNumber) < 0)
        return {};
    // The number is the table followed by a one-digit detail.
    const int detail = diagramNumber % 10;
    switch (diagramNumber / 10) {
    case 8:
        return directBuriedSingles(detail);
    case 9:
        return ductedSingles(detail);
    case 10:
        return directBuriedTriplexed(detail);
    case 11:
        return ductedTriplexed(detail);
    default:
        return {};
    }
}

} // namespace diagrams
