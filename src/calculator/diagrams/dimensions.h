#pragma once

#include "sketch.h"

#include <QRect>
#include <QStringView>

#include <initializer_list>
#include <span>

namespace diagrams {

// Chains of centre-to-centre spacings. Each character of marks belongs to one spacing: '='
// marks it equal to the others, a blank leaves it plain.

// A row's spacings on a horizontal line at lineY below the objects, whose lowest edge is
// objectBottom.
void spacingsBelow(
    Sketch &sketch, std::span<const int> centresX, int objectBottom, int lineY, QStringView marks);
// A column's spacings on a vertical line at lineX beside the objects, whose nearest edge is
// objectSide. The "=" marks stand on the far side of the line, turned to read along it or not.
void spacingsBeside(Sketch &sketch,
                    std::span<const int> centresY,
                    int objectSide,
                    int lineX,
                    QStringView marks,
                    bool turned);

// A rectangle's width on a line at lineY below it, labelled under the line.
void widthBelow(Sketch &sketch,
                const QRect &outline,
                int lineY,
                std::initializer_list<QStringView> label);
// A rectangle's height on a line at lineX beside it, labelled on the far side of the line.
void heightBeside(Sketch &sketch,
                  const QRect &outline,
                  int lineX,
                  std::initializer_list<QStringView> label,
                  bool turned = false);

} // namespace diagrams
