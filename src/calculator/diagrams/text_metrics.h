#pragma once

#include <QStringView>

namespace diagrams {

// Arial's proportions, as fractions of the character height, so that labels can be centred
// and kept clear of lines without a font at hand when the drawings are built.
inline constexpr double InkAscent = 0.73;  // top of capitals, digits and brackets
inline constexpr double InkDescent = 0.21; // bottom of brackets and descenders
inline constexpr double EqualsTop = 0.49;  // the two bars of "=" above the baseline
inline constexpr double EqualsBottom = 0.17;

// Advance width of the text at the given character height, in the same units.
int textWidth(QStringView text, int height, bool bold = false);

} // namespace diagrams
