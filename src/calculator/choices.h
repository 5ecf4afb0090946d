#pragma once

#include "calculator_state.h"

#include <QRgb>

// Choices that leave the table as it is: the material picks the column, the earth temperature
// and the insulation rating only scale the total.

inline constexpr QRgb CopperColour = 0x800000;   // dark red
inline constexpr QRgb AluminumColour = 0x0000C0; // blue

enum class Material { Copper, Aluminum };

// Sets the material letter and tells the colour of the lists' text.
QRgb selectMaterial(CalculatorState &state, Material material);

// Next earth temperature, 16 to 30 °C in steps of 2; returns the temperature button's caption.
QString stepEarthTemperature(CalculatorState &state);

// Next insulation rating, 90, 75, 60 °C; returns the insulation button's caption.
QString stepInsulation(CalculatorState &state);
