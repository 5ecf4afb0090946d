#pragma once

#include <QList>
#include <QPoint>
#include <QPolygon>

namespace diagrams {

enum class Phase { A, B, C };

// The strokes of a phase letter centred on a point, capital height as given. Drawn as lines
// rather than text so that the letters scale with the circles they sit in.
QList<QPolygon> phaseLetter(Phase phase, QPoint centre, int height);

} // namespace diagrams
