#pragma once

#include <array>

// The diagram details that have a drawing, in the order the refresh compares them. Table D11
// has no detail 7: its eight runs are detail 8.
inline constexpr std::array<int, 24> DiagramNumbers = {
    81,  82,  83,  84,  85,  86,  87,  91,  92,  93,  94,  101,
    102, 103, 104, 105, 106, 111, 112, 113, 114, 115, 116, 118,
};

// Position of the first number equal to value, or -1 when none is.
constexpr int diagramIndex(double value)
{
    for (int i = 0; i < int(DiagramNumbers.size()); ++i) {
        if (DiagramNumbers[i] == value)
            return i;
    }
    return -1;
}
