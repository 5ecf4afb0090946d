#pragma once

// Where a secondary window goes along one axis, in twips: centred over the main window, then
// pulled back onto the screen.
namespace Module1 {

// mainEdge + (mainSize - ownSize, rounded half to even) \ 2, then 0 when that is 0 or less,
// else screenSize - ownSize when it reaches that far. The lower bound wins for a window larger
// than the screen, and the upper bound uses ownSize as given, not rounded.
double centredEdge(float mainEdge, float mainSize, float ownSize, float screenSize);

} // namespace Module1
