#pragma once

#include "calculator_state.h"

// Installation type and cable configuration pick the table; each table offers its own pairs
// of runs and diagram detail, which the runs button steps through.

// Picks the table from the two flags and brings the runs and detail to a pair that table has;
// clears the wide-spacing suffix. True when the pair was pulled down from eight runs into
// Table D9, whose drawing then goes on show at once.
bool selectTable(CalculatorState &state);

// The numeric table number that follows from its text.
void deriveTableNumber(CalculatorState &state);

// One step of the runs button's cycle for the table in use.
void stepRuns(CalculatorState &state);

// The runs button's caption: the runs and, on a wide-spacing detail, its suffix.
QString runsCaption(const CalculatorState &state);
