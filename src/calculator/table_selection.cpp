#include "table_selection.h"

#include "platform/numtext.h"
#include "platform/vbmath.h"

namespace {

qint16 chosenTable(float directBuried, float singleConductor)
{
    if (directBuried == 1 && singleConductor == 1)
        return 8;
    if (directBuried == 1 && singleConductor == 0)
        return 10;
    if (directBuried == 0 && singleConductor == 0)
        return 11;
    return 9;
}

void setPair(CalculatorState &s, qint16 runs, float detail)
{
    s.RunCount = runs;
    s.DetailNumber = detail;
}

// The text always holds one of "8" ... "11"; anything else is the language's type error.
double tableNumberValue(const QString &text)
{
    const auto value = platform::wholeNumber(text);
    if (!value)
        platform::runtimeError(13, "Type mismatch");
    return *value;
}

} // namespace

bool selectTable(CalculatorState &s)
{
    const qint16 table = chosenTable(s.DirectBuried, s.SingleConductor);
    s.TableNumberText = platform::decimalText(table);

    bool showDetail4OfD9 = false;
    const qint16 runs = s.RunCount;
    switch (table) {
    case 8:
        if (runs >= 8 || runs == 6)
            setPair(s, 6, 6);
        else if (runs == 5 || runs == 4)
            setPair(s, 4, 4);
        else if (runs == 3 || runs == 2)
            setPair(s, 2, 2);
        break;
    case 10:
        if (runs >= 8)
            setPair(s, 6, 6);
        else if (runs >= 2 && runs <= 6)
            s.DetailNumber = runs;
        break;
    case 11:
        s.DetailNumber = runs;
        break;
    default:
        if (runs >= 8) {
            setPair(s, 6, 4);
            showDetail4OfD9 = true;
        } else if (runs == 6) {
            setPair(s, 6, 4);
        } else if (runs == 5 || runs == 4) {
            setPair(s, 4, 3);
        } else if (runs == 3 || runs == 2) {
            setPair(s, 2, 2);
        }
        break;
    }
    s.RunsSuffix.clear();
    return showDetail4OfD9;
}

void deriveTableNumber(CalculatorState &s)
{
    if (tableNumberValue(s.TableNumberText) == 8)
        s.TableNumber = 8;
    else if (tableNumberValue(s.TableNumberText) == 9)
        s.TableNumber = 9;
    else if (tableNumberValue(s.TableNumberText) == 10)
        s.TableNumber = 10;
    else
        s.TableNumber = 11;
}

void stepRuns(CalculatorState &s)
{
    const double table = tableNumberValue(s.TableNumberText);
    const qint16 runs = s.RunCount;
    if (table == 11) {
        if (runs >= 1 && runs <= 5)
            setPair(s, runs + 1, runs + 1);
        else if (runs == 6)
            setPair(s, 8, 8);
        else
            setPair(s, 1, 1);
    } else if (table == 10) {
        if (runs >= 1 && runs <= 5)
            setPair(s, runs + 1, runs + 1);
        else
            setPair(s, 1, 1);
    } else if (table == 9) {
        if (runs == 1)
            setPair(s, 2, 2);
        else if (runs == 2)
            setPair(s, 4, 3);
        else if (runs == 4)
            setPair(s, 6, 4);
        else
            setPair(s, 1, 1);
    } else if (table == 8) {
        // Each even run count has its normal detail followed by its wide-spacing detail.
        const QString wide = QStringLiteral(" Wide Spacing");
        if (runs == 1) {
            setPair(s, 2, 2);
        } else if (runs == 2 && s.DetailNumber == 2) {
            setPair(s, 2, 3);
            s.RunsSuffix = wide;
        } else if (runs == 2) {
            setPair(s, 4, 4);
            s.RunsSuffix.clear();
        } else if (runs == 4 && s.DetailNumber == 4) {
            setPair(s, 4, 5);
            s.RunsSuffix = wide;
        } else if (runs == 4) {
            setPair(s, 6, 6);
            s.RunsSuffix.clear();
        } else if (runs == 6 && s.DetailNumber == 6) {
            setPair(s, 6, 7);
            s.RunsSuffix = wide;
        } else if (runs == 6) {
            setPair(s, 1, 1);
            s.RunsSuffix.clear();
        }
    }
}

QString runsCaption(const CalculatorState &s)
{
    return platform::decimalText(s.RunCount) + s.RunsSuffix;
}
