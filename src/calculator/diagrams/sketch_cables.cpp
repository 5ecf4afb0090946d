#include "sketch.h"

#include <cmath>
#include <numbers>

namespace diagrams {

namespace {

// Filled conductors of a bundle are drawn a little smaller so that the three stay apart.
constexpr double FilledShrink = 0.93;

} // namespace

void Sketch::conductor(QPoint centre, int radius, Phase phase)
{
    m_writer.circle(centre, radius, MediumPen);
    m_rings.push_back({centre, radius});
    for (const QPolygon &stroke : phaseLetter(phase, centre, radius))
        m_writer.polyline(stroke, MediumPen);
}

int Sketch::triplexedHalfHeight(int radius)
{
    // Two rows of touching circles: one diameter plus the height of their centres' triangle.
    return int(std::lround(radius * (1 + std::numbers::sqrt3 / 2)));
}

void Sketch::triplexed(QPoint centre, int radius, bool lettered)
{
    const int rise = int(std::lround(radius * std::numbers::sqrt3 / 2));
    const QPoint a(centre.x(), centre.y() - rise);
    const QPoint b(centre.x() - radius, centre.y() + rise);
    const QPoint c(centre.x() + radius, centre.y() + rise);
    if (lettered) {
        conductor(a, radius, Phase::A);
        conductor(b, radius, Phase::B);
        conductor(c, radius, Phase::C);
        return;
    }
    const int filled = int(std::lround(radius * FilledShrink));
    for (const QPoint &middle : {a, b, c}) {
        m_writer.disc(middle, filled);
        m_rings.push_back({middle, filled});
    }
}

void Sketch::duct(QPoint centre, int radius)
{
    m_writer.circle(centre, radius, HeavyPen);
    m_rings.push_back({centre, radius});
}

void Sketch::envelope(const QRect &outline)
{
    const QPolygon edge({outline.topLeft(),
                         outline.topRight(),
                         outline.bottomRight(),
                         outline.bottomLeft(),
                         outline.topLeft()});
    m_writer.polyline(edge, HeavyPen);
    m_envelopes.push_back(outline);
}

} // namespace diagrams
