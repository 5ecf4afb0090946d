#pragma once

#include "diagram_lookup.h"

#include <QStringView>

#include <array>
#include <memory>

namespace platform {
class Metafile;
}

// The diagram drawings, each read once and then shared by whoever shows it.
class DiagramStore
{
public:
    using Drawing = std::shared_ptr<const platform::Metafile>;

    DiagramStore() = default; // holds no drawing
    // Reads every drawing embedded in the program.
    static DiagramStore embedded();

    // The drawing of a diagram number given as its text ("101"), or null when there is none.
    Drawing find(QStringView diagramNumber) const;
    const Drawing &at(int index) const { return drawings[std::size_t(index)]; }

private:
    std::array<Drawing, DiagramNumbers.size()> drawings;
};
