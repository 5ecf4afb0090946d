#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <span>

// One column of an ampacity table: the single-run ampacities in amperes of the 17 wire sizes,
// in wire-size order, for the table, material, runs and detail that its code names.
struct AmpacityList
{
    const char *code;
    std::array<short, 17> amps;
};

// A table is its lists in compare order; the first is the one a code it lacks receives.
using AmpacityTable = std::span<const AmpacityList>;

// The list whose code equals code exactly (same length, same characters, case counts), or the
// table's first list when none does.
const AmpacityList &findList(AmpacityTable table, QStringView code);

// The text of one list entry: four blanks, the amperes, a blank and "A".
QString ampacityItem(int amps);

AmpacityTable tableD8();
AmpacityTable tableD9();
AmpacityTable tableD10();
AmpacityTable tableD11();
