#pragma once

#include "phase_letters.h"

#include "platform/metafile_writer.h"

#include <QByteArray>
#include <QLine>
#include <QPoint>
#include <QRect>
#include <QStringView>

#include <vector>

namespace diagrams {

// The sheet every diagram is drawn on, in metafile units (3600 per inch, y downwards).
inline constexpr int SheetWidth = 32730;
inline constexpr int SheetHeight = 24780;
inline constexpr int GroundY = 4800;
// The highest an installation may start: low enough that the depth label fits between the
// hatching and the installation.
inline constexpr int InstallationTop = 7400;
inline constexpr int BottomMargin = 600;

// Line weights: outlines of what is buried, then the conductors, then everything that only
// annotates.
inline constexpr int HeavyPen = 60;
inline constexpr int MediumPen = 50;
inline constexpr int LightPen = 40;

inline constexpr int TitleHeight = 1327;
inline constexpr int LabelHeight = 1323;
inline constexpr int OrHeight = 1470;
inline constexpr int LineSpacing = 1550; // baseline to baseline of two label lines

enum class Side { Left, Right };

// From a horizontal dimension line to the lowest ink of the given number of label lines under
// it.
int labelLinesBelow(int lines);
// The top for an installation whose drawing, dimensions included, is that tall: as high as
// allowed when it is tall, otherwise centred in the room below the depth label.
int installationTop(int height);

// A cross-section drawing in the words of the trade: ground, cables, ducts, concrete and
// dimensions. Remembers what it has drawn so that the concrete stipple keeps clear of it.
class Sketch
{
public:
    Sketch();

    // Page furniture.
    void title(QStringView text);
    void ductNote();
    // The surface across the top and the depth arrow down to the installation's top, whose
    // left end is given so that the arrow's extension line stops short of it.
    void groundAndDepth(QStringView depthLabel, int top, int installationLeft);

    // What is buried.
    void conductor(QPoint centre, int radius, Phase phase);
    // Three touching conductors, A on top, B lower left, C lower right; centre is the middle of
    // the bundle. Lettered or as filled circles.
    void triplexed(QPoint centre, int radius, bool lettered);
    static int triplexedHalfHeight(int radius); // from the centre to the top or bottom
    void duct(QPoint centre, int radius);
    // A concrete envelope; its stipple is laid when the drawing is finished.
    void envelope(const QRect &outline);

    // Dimensions. Extension lines leave a gap at the feature and run just past the dimension
    // line; dimension lines carry arrowheads whose tips sit exactly on their ends.
    void extension(QPoint feature, QPoint dimensionPoint);
    void dimension(QPoint from, QPoint to);
    // A dimension line carried on past its arrows to a label that has no room between them.
    void leader(QPoint from, QPoint to);
    // "=" over the middle of a horizontal dimension, or beside a vertical one (turned to read
    // along it, or upright).
    void equalsOver(QPoint middle);
    void equalsBeside(QPoint middle, Side side, bool turned);
    // A label under a horizontal dimension line at y; line 0 is the first line below it.
    void labelUnder(QStringView text, int centreX, int lineY, int line = 0);
    // Labels beside a vertical dimension line at x, centred on y.
    void labelBeside(QStringView text, int lineX, int centreY, Side side);
    void turnedLabelBeside(QStringView text, int lineX, int centreY, Side side);
    void orBetween(int leftX, int rightX, int centreY);

    // The finished metafile.
    QByteArray finish();

private:
    enum class Style { Title, Label, Or };

    void line(QPoint from, QPoint to, int pen);
    void text(QPoint origin, QStringView text, Style style, bool turned = false);
    void arrowhead(QPoint tip, QPoint from);
    void stipple(const QRect &outline);
    bool clearOf(QPoint point, int radius) const;

    platform::MetafileWriter m_writer;
    std::vector<QLine> m_lines;
    struct Ring
    {
        QPoint centre;
        int radius;
    };
    std::vector<Ring> m_rings;
    std::vector<QRect> m_textBoxes;
    std::vector<QRect> m_envelopes;
};

} // namespace diagrams
