#include "phase_letters.h"

#include <QPointF>

#include <cmath>
#include <numbers>

namespace diagrams {

namespace {

constexpr double WidthToHeight = 0.72;
constexpr int ArcSteps = 12;

// Letter coordinates run 0..1 across and down the letter box.
struct Box
{
    QPoint centre;
    int height;

    QPoint at(double u, double v) const
    {
        const double width = height * WidthToHeight;
        return QPoint(int(std::lround(centre.x() + (u - 0.5) * width)),
                      int(std::lround(centre.y() + (v - 0.5) * height)));
    }
};

// Angles in degrees, counter-clockwise as seen, 0 pointing right.
void appendArc(
    QPolygon &stroke, const Box &box, QPointF middle, QPointF radius, double from, double to)
{
    for (int i = 0; i <= ArcSteps; ++i) {
        const double angle = (from + (to - from) * i / ArcSteps) * std::numbers::pi / 180.0;
        stroke << box.at(middle.x() + radius.x() * std::cos(angle),
                         middle.y() - radius.y() * std::sin(angle));
    }
}

QList<QPolygon> letterA(const Box &box)
{
    constexpr double bar = 0.64;
    return {QPolygon({box.at(0, 1), box.at(0.5, 0), box.at(1, 1)}),
            QPolygon({box.at(0.5 * (1 - bar), bar), box.at(1 - 0.5 * (1 - bar), bar)})};
}

// Stem and both bowls in one stroke, the lower bowl a little fuller as in the printed letter.
QList<QPolygon> letterB(const Box &box)
{
    QPolygon stroke({box.at(0, 0.47), box.at(0, 0), box.at(0.62, 0)});
    appendArc(stroke, box, {0.62, 0.235}, {0.33, 0.235}, 90, -90);
    stroke << box.at(0, 0.47) << box.at(0.64, 0.47);
    appendArc(stroke, box, {0.64, 0.735}, {0.36, 0.265}, 90, -90);
    stroke << box.at(0, 1) << box.at(0, 0.47);
    return {stroke};
}

QList<QPolygon> letterC(const Box &box)
{
    QPolygon stroke;
    appendArc(stroke, box, {0.5, 0.5}, {0.5, 0.5}, 48, 312);
    return {stroke};
}

} // namespace

QList<QPolygon> phaseLetter(Phase phase, QPoint centre, int height)
{
    const Box box{centre, height};
    switch (phase) {
    case Phase::A:
        return letterA(box);
    case Phase::B:
        return letterB(box);
    case Phase::C:
        break;
    }
    return letterC(box);
}

} // namespace diagrams
