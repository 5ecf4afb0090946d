#pragma once

#include "diagram_lookup.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <functional>
#include <memory>

namespace platform {
class Metafile;
}

struct DiagramReading;

// The diagram drawings, each read once and then shared by whoever shows it.
class DiagramStore
{
public:
    using Drawing = std::shared_ptr<const platform::Metafile>;
    // The bytes of the drawing of a diagram number (81 ... 118); empty when there are none.
    using Source = std::function<QByteArray(int diagramNumber)>;

    DiagramStore() = default; // holds no drawing
    // Reads the drawing of every diagram number from source.
    static DiagramReading read(const Source &source);
    // Reads every drawing embedded in the program.
    static DiagramReading readEmbedded();
    // The embedded drawings that could be read, without saying whether any could not.
    static DiagramStore embedded();

    // The drawing of a diagram number given as its text ("101"), or null when there is none.
    Drawing find(QStringView diagramNumber) const;
    const Drawing &at(int index) const { return drawings[std::size_t(index)]; }

private:
    std::array<Drawing, DiagramNumbers.size()> drawings;
};

// The store holds every drawing that could be read; the program needs them all, so the first
// one that could not be read is named with the reader's reason.
struct DiagramReading
{
    DiagramStore store;
    int failedNumber = 0; // none failed
    QString reason;

    bool complete() const { return failedNumber == 0; }
    // One line for the user: which drawing, and why it is unusable.
    QString failureMessage() const;
};
