#pragma once

#include <QString>

// Everything the main window knows about the user's selection and what it shows, in plain
// members so that the rules can be run and tested without a window. The names are those the
// handlers use; members the start-up does not set begin at zero or empty.
struct CalculatorState
{
    // Read by the About window.
    QString Program;
    QString Version;
    QString Copyrt;

    qint16 MsgAnswer = 0;
    qint16 TableNumber = 0;
    qint16 RunCount = 0;
    qint16 WireSizeIndex = 0;
    qint16 EarthTemperature = 0;
    float SingleConductor = 0;
    float DirectBuried = 0;
    float DetailNumber = 0;
    float InsulationFactor = 0;
    float TotalAmpacity = 0;
    float ShownTotal = 0;
    float TemperatureFactor = 0;
    QString MaterialLetter;
    QString TablePrefix;
    QString TableNumberText;
    QString DiagramNumber;
    QString ShownDiagramNumber;
    QString RunsSuffix;
    QString TableCode;
    QString ListedTableCode;
    QString TotalUnitText;
    QString TotalCloseText;
    QString RunsFactorText;
    QString TemperatureFactorText;
    QString InsulationFactorText;
};

struct VersionNumbers
{
    qint16 major = 0;
    qint16 minor = 0;
    qint16 revision = 0;
};

// The start-up's texts and start values, in the start-up's order (placing the window and
// filling the wire-size list are the window's part).
void loadStartState(CalculatorState &state, VersionNumbers version);

// The start-up's placement of a window on the screen, all in twips: centred across, its free
// height split one third above and two thirds below.
struct TwipsPoint
{
    qint64 left = 0;
    qint64 top = 0;
};
TwipsPoint startPosition(double screenWidth,
                         double windowWidth,
                         double screenHeight,
                         double windowHeight);
