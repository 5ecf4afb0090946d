#include "refresh_keys.h"

#include "platform/numtext.h"

using platform::decimalText;

QString composeTableCode(const CalculatorState &s)
{
    return s.TablePrefix + s.TableNumberText + s.MaterialLetter + decimalText(s.RunCount)
           + decimalText(s.DetailNumber);
}

QString composeDiagramNumber(const CalculatorState &s)
{
    return s.TableNumberText + decimalText(s.DetailNumber);
}

QString tableCaption(const CalculatorState &s)
{
    return QStringLiteral("For 90\u00B0C Conductors Based on table D") + decimalText(s.TableNumber)
           + s.MaterialLetter;
}
