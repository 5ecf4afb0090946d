#include "total.h"

#include "platform/numtext.h"
#include "platform/vbmath.h"

#include <cfloat>
#include <cmath>

namespace {

const char16_t Separator[] = u" \u00B7 ";

float toSingle(double value)
{
    if (!(std::abs(value) <= FLT_MAX))
        platform::runtimeError(6, "Overflow");
    return float(value);
}

} // namespace

float earthTemperatureFactor(qint16 earthTemperature)
{
    const qint16 d = platform::checkedInt16(90 - int(earthTemperature));
    const double q = d / 70.0;
    if (q < 0)
        platform::runtimeError(5, "Invalid procedure call or argument");
    return toSingle(std::sqrt(q));
}

std::optional<TotalDisplay> computeTotal(CalculatorState &s, QStringView ampacityText)
{
    s.TotalAmpacity = toSingle(platform::leadingNumber(ampacityText));
    s.TemperatureFactor = earthTemperatureFactor(s.EarthTemperature);

    // Left to right in double precision from single operands; the factors are the unrounded
    // ones, so the shown product may differ from the total in its last whole number.
    double product = double(float(s.RunCount)) * double(s.TotalAmpacity);
    product *= double(s.InsulationFactor);
    product *= double(s.TemperatureFactor);
    s.TotalAmpacity = std::floor(toSingle(product));

    const qint16 thousandths = platform::checkedInt16(double(s.TemperatureFactor) * 1000.0);
    s.TemperatureFactor = float(thousandths) / 1000.0f;

    if (s.TotalAmpacity == s.ShownTotal)
        return std::nullopt;
    s.ShownTotal = s.TotalAmpacity;

    using platform::decimalText;
    const QString separator = QString::fromUtf16(Separator);
    s.RunsFactorText = s.RunCount == 1 ? QString() : separator + decimalText(s.RunCount);
    s.TemperatureFactorText = s.TemperatureFactor == 1.0f
                                  ? QString()
                                  : separator + decimalText(s.TemperatureFactor);
    s.InsulationFactorText = s.InsulationFactor == 1.0f
                                 ? QString()
                                 : separator + decimalText(s.InsulationFactor);

    const float multiplier = toSingle(double(s.RunCount) * double(s.InsulationFactor)
                                      * double(s.TemperatureFactor));
    TotalDisplay display;
    if (multiplier == 1.0f) {
        s.TotalUnitText = QStringLiteral(" A");
        s.TotalCloseText.clear();
        display.caption = QStringLiteral("Total Ampacity");
    } else {
        s.TotalUnitText = QStringLiteral(" A (");
        s.TotalCloseText = QStringLiteral(")");
        display.caption = QStringLiteral("Total  ( multiplier(s) are shown in brackets )");
    }
    display.text = decimalText(s.TotalAmpacity) + s.TotalUnitText + s.RunsFactorText
                   + s.TemperatureFactorText + s.InsulationFactorText + s.TotalCloseText;
    return display;
}
