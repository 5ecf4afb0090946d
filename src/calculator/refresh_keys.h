#pragma once

#include "calculator_state.h"

// The texts the refresh composes from the state at every tick.

// "D", the table, the material letter, the runs and the detail: "D10A11", "D8A23".
QString composeTableCode(const CalculatorState &state);

// The table followed by the detail: "101", "87".
QString composeDiagramNumber(const CalculatorState &state);

// The caption under the ampacity list: the table and material, not the runs or detail.
QString tableCaption(const CalculatorState &state);
