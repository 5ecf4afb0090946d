#include "sketch.h"

#include <QLineF>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace diagrams {

namespace {

// The stipple lies on a jittered grid, so that it looks scattered but is the same every build.
constexpr int Cell = 700;
constexpr int Inset = 240;
constexpr int TriangleRadius = 170;
constexpr int DotRadius = 55;
constexpr int Clearance = 130;

quint32 scramble(quint32 value)
{
    value ^= value >> 16;
    value *= 0x7FEB352Du;
    value ^= value >> 15;
    value *= 0x846CA68Bu;
    value ^= value >> 16;
    return value;
}

double distanceToSegment(QPointF point, const QLineF &segment)
{
    const QPointF along = segment.p2() - segment.p1();
    const double lengthSquared = QPointF::dotProduct(along, along);
    const double t = lengthSquared > 0 ? std::clamp(QPointF::dotProduct(point - segment.p1(), along)
                                                        / lengthSquared,
                                                    0.0,
                                                    1.0)
                                       : 0.0;
    return QLineF(point, segment.p1() + along * t).length();
}

} // namespace

bool Sketch::clearOf(QPoint point, int radius) const
{
    const int reach = radius + Clearance;
    for (const Ring &ring : m_rings) {
        if (QLineF(point, ring.centre).length() < ring.radius + reach)
            return false;
    }
    for (const QLine &segment : m_lines) {
        if (distanceToSegment(point, QLineF(segment)) < reach)
            return false;
    }
    return std::none_of(m_textBoxes.begin(), m_textBoxes.end(), [&](const QRect &box) {
        return box.adjusted(-reach, -reach, reach, reach).contains(point);
    });
}

void Sketch::stipple(const QRect &outline)
{
    const QRect inner = outline.adjusted(Inset, Inset, -Inset, -Inset);
    const int columns = std::max(1, inner.width() / Cell);
    const int rows = std::max(1, inner.height() / Cell);
    const double cellWidth = double(inner.width()) / columns;
    const double cellHeight = double(inner.height()) / rows;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const quint32 noise = scramble(quint32(row * 7919 + column * 104729 + outline.x()));
            const double u = 0.2 + 0.6 * (noise & 0xFF) / 255.0;
            const double v = 0.2 + 0.6 * ((noise >> 8) & 0xFF) / 255.0;
            const QPoint centre(int(inner.left() + (column + u) * cellWidth),
                                int(inner.top() + (row + v) * cellHeight));
            const bool triangle = (noise >> 16) % 3 != 0;
            const int radius = triangle ? TriangleRadius : DotRadius;
            if (!inner.adjusted(radius, radius, -radius, -radius).contains(centre)
                || !clearOf(centre, radius))
                continue;
            if (!triangle) {
                m_writer.disc(centre, DotRadius);
                continue;
            }
            const double turn = ((noise >> 24) % 120) * std::numbers::pi / 180.0;
            QPolygon corners;
            for (int k = 0; k < 3; ++k) {
                const double angle = turn + k * 2 * std::numbers::pi / 3;
                corners << QPoint(int(std::lround(centre.x() + TriangleRadius * std::cos(angle))),
                                  int(std::lround(centre.y() + TriangleRadius * std::sin(angle))));
            }
            m_writer.polygon(corners);
        }
    }
}

} // namespace diagrams
