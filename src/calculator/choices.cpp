#include "choices.h"

#include "platform/numtext.h"
#include "platform/vbmath.h"

QRgb selectMaterial(CalculatorState &s, Material material)
{
    const bool copper = material == Material::Copper;
    s.MaterialLetter = copper ? QStringLiteral("A") : QStringLiteral("B");
    return copper ? CopperColour : AluminumColour;
}

QString stepEarthTemperature(CalculatorState &s)
{
    if (s.EarthTemperature >= 29)
        s.EarthTemperature = 16;
    else
        s.EarthTemperature = platform::checkedInt16(s.EarthTemperature + 2);
    return QStringLiteral("Ambient Earth Temperature ") + platform::decimalText(s.EarthTemperature)
           + QStringLiteral("\u00B0C");
}

QString stepInsulation(CalculatorState &s)
{
    // Compared as singles: the stored 0.886 never equals the double 0.886.
    if (s.InsulationFactor == 1.0f) {
        s.InsulationFactor = 0.886f;
        return QStringLiteral("Insulation Rating  75\u00B0C ");
    }
    if (s.InsulationFactor == 0.886f) {
        s.InsulationFactor = 0.75f;
        return QStringLiteral("Insulation Rating  60\u00B0C ");
    }
    s.InsulationFactor = 1.0f;
    return QStringLiteral("Insulation Rating  90\u00B0C ");
}
