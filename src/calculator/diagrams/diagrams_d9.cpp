#include "diagrams.h"

#include "bank_dimensions.h"
#include "duct_bank.h"
#include "sketch.h"
#include "text_metrics.h"

#include <QString>

#include <algorithm>

namespace diagrams {

namespace {

constexpr QStringView Depth = u"760mm (30\")";
constexpr int SheetMargin = 500;
// Between the two alternatives: room for the bold "OR" with clear space either side.
constexpr int OrGap = 4000;
// Beside a dimension line, a label written along it and its clearance.
constexpr int TurnedLabelRoom = 2600;

struct Page
{
    Sketch sketch;
    int top;
};

Page start(int detail, int tallest)
{
    Page page{Sketch(), installationTop(tallest)};
    page.sketch.title(QStringLiteral("Diagram D9  Detail %1").arg(detail));
    page.sketch.ductNote();
    return page;
}

int labelWidth(QStringView text)
{
    return textWidth(text, LabelHeight);
}

// 1 circuit: three ducts in a row, or four in a square with one spare.
QByteArray detail1()
{
    constexpr double scale = 12;
    const QSize row = DuctBank::outlineSize({640, 290}, scale);
    const QSize square = DuctBank::outlineSize({480, 480}, scale);
    Page page = start(1,
                      std::max(heightWithDimensions(row, true, SpacingNote::Beside),
                               heightWithDimensions(square, true, SpacingNote::None)));
    Sketch &sketch = page.sketch;

    // The row's height is labelled on its left, where the depth label leaves room.
    const int left = SheetMargin + labelWidth(u"290mm (12\")") + 350 + FirstBeside;
    sketch.groundAndDepth(Depth, page.top, left);
    const DuctBank first(sketch, {left, page.top}, scale, {640, 290}, {"ABC"});
    envelopeHeight(sketch, first, left - FirstBeside, {u"290mm (12\")"});
    envelopeWidth(sketch,
                  first,
                  columnSpacings(sketch, first, u"==", SpacingNote::Beside),
                  {u"640mm (25\")"});

    const int secondLeft = first.outline().right() + OrGap;
    const DuctBank second(sketch, {secondLeft, page.top}, scale, {480, 480}, {"BA", "Co"});
    envelopeWidth(sketch,
                  second,
                  columnSpacings(sketch, second, u"=", SpacingNote::None),
                  {u"480mm (19\")"});
    const int rowsX = rowSpacings(sketch, second, Side::Right, u"=", true);
    envelopeHeight(sketch, second, rowsX + NextBesideTurned, {u"480"});

    sketch.orBetween(first.outline().right(), secondLeft, page.top + row.height() / 2);
    return sketch.finish();
}

// 2 circuits: two rows of three, or three rows of two.
QByteArray detail2()
{
    constexpr double scale = 18;
    const QSize wide = DuctBank::outlineSize({640, 450}, scale);
    const QSize tall = DuctBank::outlineSize({450, 640}, scale);
    Page page = start(2,
                      std::max(heightWithDimensions(wide, true, SpacingNote::Under),
                               heightWithDimensions(tall, true, SpacingNote::None)));
    Sketch &sketch = page.sketch;

    const int left = SheetMargin + TurnedLabelRoom + FirstBeside;
    sketch.groundAndDepth(Depth, page.top, left);
    const DuctBank first(sketch, {left, page.top}, scale, {640, 450}, {"ABC", "ABC"});
    envelopeHeight(sketch, first, left - FirstBeside, {u"450mm"}, true);
    envelopeWidth(sketch,
                  first,
                  columnSpacings(sketch, first, u"==", SpacingNote::Under),
                  {u"640mm (25\")"});

    const int secondLeft = first.outline().right() + OrGap;
    const DuctBank second(sketch, {secondLeft, page.top}, scale, {450, 640}, {"AA", "BB", "CC"});
    envelopeWidth(sketch,
                  second,
                  columnSpacings(sketch, second, u"=", SpacingNote::None),
                  {u"450mm (18\")"});
    const int rowsX = rowSpacings(sketch, second, Side::Right, u"==", true);
    envelopeHeight(sketch, second, rowsX + NextBesideTurned, {u"640mm (25\")"}, true);

    sketch.orBetween(first.outline().right(), secondLeft, page.top + wide.height() / 2);
    return sketch.finish();
}

// 4 circuits: four rows of three, or three rows of four.
QByteArray detail3()
{
    constexpr double scale = 15;
    const QSize tall = DuctBank::outlineSize({640, 830}, scale);
    const QSize wide = DuctBank::outlineSize({830, 640}, scale);
    Page page = start(3,
                      std::max(heightWithDimensions(tall, true, SpacingNote::None),
                               heightWithDimensions(wide, true, SpacingNote::Under)));
    Sketch &sketch = page.sketch;

    // Row spacings and height stand on the left of the tall bank.
    const int left = SheetMargin + TurnedLabelRoom + NextBesideTurned + FirstBeside;
    sketch.groundAndDepth(Depth, page.top, left);
    const DuctBank first(sketch, {left, page.top}, scale, {640, 830}, {"ABC", "ABC", "ABC", "ABC"});
    const int rowsX = rowSpacings(sketch, first, Side::Left, u"===", true);
    envelopeHeight(sketch, first, rowsX - NextBesideTurned, {u"830mm (33\")"}, true);
    envelopeWidth(sketch,
                  first,
                  columnSpacings(sketch, first, u"==", SpacingNote::None),
                  {u"640mm (25\")"});

    const int secondLeft = first.outline().right() + OrGap;
    const DuctBank second(sketch,
                          {secondLeft, page.top},
                          scale,
                          {830, 640},
                          {"AAAA", "BBBB", "CCCC"});
    envelopeWidth(sketch,
                  second,
                  columnSpacings(sketch, second, u"= =", SpacingNote::Under),
                  {u"830mm (33\")"});

    sketch.orBetween(first.outline().right(), secondLeft, page.top + wide.height() / 2);
    return sketch.finish();
}

// 6 circuits: three rows of two mirrored circuits.
QByteArray detail4()
{
    constexpr double scale = 17;
    const QSize outline = DuctBank::outlineSize({1200, 640}, scale);
    Page page = start(4, heightWithDimensions(outline, true, SpacingNote::Under));
    Sketch &sketch = page.sketch;

    const int rightDimensions = FirstBeside + NextBesideTurned + 350 + labelWidth(u"(25\")");
    const int left = (4000 + SheetWidth - SheetMargin - outline.width() - rightDimensions) / 2;
    sketch.groundAndDepth(Depth, page.top, left);
    const DuctBank bank(sketch, {left, page.top}, scale, {1200, 640}, {"ABCCBA", "ABCCBA", "ABCCBA"});
    envelopeWidth(sketch,
                  bank,
                  columnSpacings(sketch, bank, u"=====", SpacingNote::Under),
                  {u"1200mm (48\")"});
    const int rowsX = rowSpacings(sketch, bank, Side::Right, u"==", true);
    envelopeHeight(sketch, bank, rowsX + NextBesideTurned, {u"640", u"(25\")"});
    return sketch.finish();
}

} // namespace

QByteArray ductedSingles(int detail)
{
    switch (detail) {
    case 1:
        return detail1();
    case 2:
        return detail2();
    case 3:
        return detail3();
    case 4:
        return detail4();
    default:
        return {};
    }
}

} // namespace diagrams
