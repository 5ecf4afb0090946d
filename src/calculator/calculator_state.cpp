#include "calculator_state.h"

#include "platform/numtext.h"
#include "platform/vbmath.h"

void loadStartState(CalculatorState &s, VersionNumbers version)
{
    using platform::decimalText;
    s.Program = QStringLiteral("Loamvane");
    s.Version = QStringLiteral("Version: ") + decimalText(version.major) + u'.'
                + decimalText(version.minor) + u'.' + decimalText(version.revision);
    s.Copyrt = QStringLiteral("Copyright \u00A9 2001-20") + decimalText(version.major)
               + QStringLiteral(" Tessaly Inc.");
    s.MaterialLetter = QStringLiteral("A");
    s.TablePrefix = QStringLiteral("D");
    s.DirectBuried = 1;
    s.SingleConductor = 0;
    s.RunCount = 1;
    s.DetailNumber = 1;
    s.TableNumber = 10;
    s.TableNumberText = decimalText(qint16(10));
    s.InsulationFactor = 1;
    s.EarthTemperature = 20;
}

TwipsPoint startPosition(double screenWidth,
                         double windowWidth,
                         double screenHeight,
                         double windowHeight)
{
    TwipsPoint p;
    p.top = platform::integerDivide(platform::roundHalfEven(screenHeight - windowHeight), 3);
    p.left = platform::integerDivide(platform::roundHalfEven(screenWidth - windowWidth), 2);
    return p;
}
