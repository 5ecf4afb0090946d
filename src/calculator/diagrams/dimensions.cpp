#include "dimensions.h"

namespace diagrams {

namespace {

Side farSide(int objectSide, int lineX)
{
    return lineX > objectSide ? Side::Right : Side::Left;
}

} // namespace

void spacingsBelow(
    Sketch &sketch, std::span<const int> centresX, int objectBottom, int lineY, QStringView marks)
{
    for (const int x : centresX)
        sketch.extension({x, objectBottom}, {x, lineY});
    for (std::size_t i = 0; i + 1 < centresX.size(); ++i) {
        sketch.dimension({centresX[i], lineY}, {centresX[i + 1], lineY});
        if (i < std::size_t(marks.size()) && marks[i] == u'=')
            sketch.equalsOver({(centresX[i] + centresX[i + 1]) / 2, lineY});
    }
}

void spacingsBeside(Sketch &sketch,
                    std::span<const int> centresY,
                    int objectSide,
                    int lineX,
                    QStringView marks,
                    bool turned)
{
    for (const int y : centresY)
        sketch.extension({objectSide, y}, {lineX, y});
    for (std::size_t i = 0; i + 1 < centresY.size(); ++i) {
        sketch.dimension({lineX, centresY[i]}, {lineX, centresY[i + 1]});
        if (i < std::size_t(marks.size()) && marks[i] == u'=')
            sketch.equalsBeside({lineX, (centresY[i] + centresY[i + 1]) / 2},
                                farSide(objectSide, lineX),
                                turned);
    }
}

void widthBelow(Sketch &sketch,
                const QRect &outline,
                int lineY,
                std::initializer_list<QStringView> label)
{
    const int left = outline.left();
    const int right = outline.right();
    sketch.extension({left, outline.bottom()}, {left, lineY});
    sketch.extension({right, outline.bottom()}, {right, lineY});
    sketch.dimension({left, lineY}, {right, lineY});
    int line = 0;
    for (const QStringView text : label)
        sketch.labelUnder(text, (left + right) / 2, lineY, line++);
}

void heightBeside(Sketch &sketch,
                  const QRect &outline,
                  int lineX,
                  std::initializer_list<QStringView> label,
                  bool turned)
{
    const int side = lineX > outline.center().x() ? outline.right() : outline.left();
    const int top = outline.top();
    const int bottom = outline.bottom();
    sketch.extension({side, top}, {lineX, top});
    sketch.extension({side, bottom}, {lineX, bottom});
    sketch.dimension({lineX, top}, {lineX, bottom});

    const Side away = farSide(side, lineX);
    const int middle = (top + bottom) / 2;
    int centre = middle - (int(label.size()) - 1) * LineSpacing / 2;
    for (const QStringView text : label) {
        if (turned)
            sketch.turnedLabelBeside(text, lineX, middle, away);
        else
            sketch.labelBeside(text, lineX, centre, away);
        centre += LineSpacing;
    }
}

} // namespace diagrams
