#pragma once

#include "sketch.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <initializer_list>
#include <string_view>
#include <vector>

namespace diagrams {

// Ducts on a 190 mm grid in a concrete envelope, drawn to scale. Each row is written as the
// ducts read from left to right: 'A', 'B' or 'C' for a single conductor of that phase, 't' for a
// triplexed cable, 'o' for an empty duct.
class DuctBank
{
public:
    static constexpr int SpacingMm = 190;
    static constexpr double DuctDiameterMm = 129;

    DuctBank(Sketch &sketch,
             QPoint topLeft,
             double unitsPerMm,
             QSize envelopeMm,
             std::initializer_list<std::string_view> rows);

    const QRect &outline() const { return m_outline; }
    int ductRadius() const { return m_ductRadius; }
    // Centres of the columns, left to right, and of the rows, top to bottom.
    const std::vector<int> &columns() const { return m_columns; }
    const std::vector<int> &rows() const { return m_rows; }
    // Outermost edges of the ducts themselves.
    int lowestDuct() const { return m_rows.back() + m_ductRadius; }
    int rightmostDuct() const { return m_columns.back() + m_ductRadius; }
    int leftmostDuct() const { return m_columns.front() - m_ductRadius; }

    // A length of that many millimetres, and an envelope's outline, at the scale given.
    static int units(double mm, double unitsPerMm);
    static QSize outlineSize(QSize envelopeMm, double unitsPerMm);

private:
    QRect m_outline;
    int m_ductRadius;
    std::vector<int> m_columns;
    std::vector<int> m_rows;
};

} // namespace diagrams
