#include "duct_bank.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace diagrams {

namespace {

// A single conductor fills most of its duct so that its letter stays legible.
constexpr double ConductorToDuct = 0.68;
// A triplexed bundle's conductors, sized so that the bundle sits well inside the duct.
constexpr double BundleConductorToDuct = 0.37;

std::vector<int> centres(int start, int count, double pitch)
{
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(int(std::lround(start + i * pitch)));
    return out;
}

} // namespace

int DuctBank::units(double mm, double unitsPerMm)
{
    return int(std::lround(mm * unitsPerMm));
}

QSize DuctBank::outlineSize(QSize envelopeMm, double unitsPerMm)
{
    return QSize(units(envelopeMm.width(), unitsPerMm), units(envelopeMm.height(), unitsPerMm));
}

DuctBank::DuctBank(Sketch &sketch,
                   QPoint topLeft,
                   double unitsPerMm,
                   QSize envelopeMm,
                   std::initializer_list<std::string_view> rows)
    : m_outline(topLeft, outlineSize(envelopeMm, unitsPerMm))
    , m_ductRadius(units(DuctDiameterMm / 2, unitsPerMm))
{
    const int columnCount = int(
        std::max_element(rows.begin(), rows.end(), [](std::string_view a, std::string_view b) {
            return a.size() < b.size();
        })->size());
    const int rowCount = int(rows.size());
    const double pitch = SpacingMm * unitsPerMm;
    // The grid sits in the middle of the envelope.
    const double marginX = (envelopeMm.width() - (columnCount - 1) * SpacingMm) / 2.0;
    const double marginY = (envelopeMm.height() - (rowCount - 1) * SpacingMm) / 2.0;
    m_columns = centres(topLeft.x() + units(marginX, unitsPerMm), columnCount, pitch);
    m_rows = centres(topLeft.y() + units(marginY, unitsPerMm), rowCount, pitch);

    sketch.envelope(m_outline);
    int row = 0;
    for (const std::string_view ducts : rows) {
        for (std::size_t column = 0; column < ducts.size(); ++column) {
            const QPoint centre(m_columns[column], m_rows[std::size_t(row)]);
            sketch.duct(centre, m_ductRadius);
            switch (ducts[column]) {
            case 'A':
            case 'B':
            case 'C':
                sketch.conductor(centre,
                                 int(std::lround(m_ductRadius * ConductorToDuct)),
                                 Phase(ducts[column] - 'A'));
                break;
            case 't': {
                // Centred on the bundle's own middle, not on its outline.
                const int radius = int(std::lround(m_ductRadius * BundleConductorToDuct));
                const int lift = int(
                    std::lround(radius * (std::numbers::sqrt3 / 2 - 1 / std::numbers::sqrt3)));
                sketch.triplexed({centre.x(), centre.y() - lift}, radius, false);
                break;
            }
            default:
                break; // an empty duct
            }
        }
        ++row;
    }
}

} // namespace diagrams
