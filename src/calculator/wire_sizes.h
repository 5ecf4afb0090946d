#pragma once

#include <array>

// The wire sizes in list order; a size's position is the index into every ampacity list.
// Blanks pad the sizes so that the unit words line up in the list.
inline constexpr std::array<const char *, 17> WireSizeTexts = {
    "   1/0 AWG",
    "   2/0 AWG",
    "   3/0 AWG",
    "   4/0 AWG",
    "   250 MCM",
    "   300 MCM",
    "   350 MCM",
    "   400 MCM",
    "   500 MCM",
    "   600 MCM",
    "   750 MCM",
    "   900 MCM",
    " 1000 MCM",
    " 1250 MCM",
    " 1500 MCM",
    " 1750 MCM",
    " 2000 MCM",
};
