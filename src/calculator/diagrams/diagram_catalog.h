#pragma once

#include <QByteArray>

namespace diagrams {

// The placeable metafile of a diagram number (81 … 118, as DiagramNumbers lists them), or an
// empty array for a number that has no drawing.
QByteArray drawDiagram(int diagramNumber);

} // namespace diagrams
