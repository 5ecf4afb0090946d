#pragma once

#include "calculator_state.h"

#include <QStringView>

#include <optional>

// The corrected total ampacity: the whole part of runs × single-run ampacity × insulation
// factor × earth temperature factor, with every multiplier other than 1 shown in brackets.

struct TotalDisplay
{
    QString text;    // the total display
    QString caption; // the caption of the frame around it
};

// Computes the total from the selected list entry's text and the state. Returns what to show
// only when the floored total differs from the one shown last; otherwise nothing is written,
// the multiplier texts included.
std::optional<TotalDisplay> computeTotal(CalculatorState &state, QStringView ampacityText);

// √((90 − T)/70), formed in double precision and kept as a single.
float earthTemperatureFactor(qint16 earthTemperature);
