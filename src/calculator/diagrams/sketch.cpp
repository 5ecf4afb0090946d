#include "sketch.h"

#include "text_metrics.h"

#include <QLineF>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace diagrams {

namespace {

constexpr int TitleLeft = SheetWidth / 2 - 600;
constexpr int TitleBaseline = 1900;
constexpr int DuctNoteBaseline = TitleBaseline + 1700;

constexpr int ExtensionGap = 200;
constexpr int ExtensionOvershoot = 250;
constexpr int ArrowLength = 480;
constexpr int ArrowHalfWidth = 160;
// Clearance between a dimension line and the ink of its labels.
constexpr int LabelClearance = 250;
constexpr int FirstLineBelow = ExtensionOvershoot + 130 + int(InkAscent * LabelHeight);

QPoint rounded(QPointF point)
{
    return point.toPoint();
}

} // namespace

int labelLinesBelow(int lines)
{
    if (lines <= 0)
        return ExtensionOvershoot;
    return FirstLineBelow + (lines - 1) * LineSpacing + int(InkDescent * LabelHeight);
}

int installationTop(int height)
{
    const int room = SheetHeight - BottomMargin - InstallationTop;
    return InstallationTop + std::max(0, (room - height) / 2);
}

Sketch::Sketch() = default;

void Sketch::line(QPoint from, QPoint to, int pen)
{
    m_writer.line(from, to, pen);
    m_lines.emplace_back(from, to);
}

void Sketch::text(QPoint origin, QStringView text, Style style, bool turned)
{
    const int height = style == Style::Title ? TitleHeight
                       : style == Style::Or  ? OrHeight
                                             : LabelHeight;
    const bool bold = style == Style::Or;
    m_writer.text(origin,
                  text,
                  {.height = height, .weight = bold ? 700 : 400, .escapement = turned ? 900 : 0});

    const int width = textWidth(text, height, bold);
    const int ascent = int(InkAscent * height);
    const int descent = int(InkDescent * height);
    m_textBoxes.push_back(turned ? QRect(QPoint(origin.x() - ascent, origin.y() - width),
                                         QPoint(origin.x() + descent, origin.y()))
                                 : QRect(QPoint(origin.x(), origin.y() - ascent),
                                         QPoint(origin.x() + width, origin.y() + descent)));
}

void Sketch::title(QStringView text)
{
    this->text({TitleLeft, TitleBaseline}, text, Style::Title);
}

void Sketch::ductNote()
{
    text({TitleLeft, DuctNoteBaseline}, u"Duct 129 mm (5\")", Style::Title);
}

void Sketch::arrowhead(QPoint tip, QPoint from)
{
    const QLineF axis(tip, from);
    const QPointF along = axis.unitVector().p2() - axis.p1();
    const QPointF across(-along.y(), along.x());
    const QPointF base = QPointF(tip) + along * ArrowLength;
    m_writer.polygon(QPolygon(
        {tip, rounded(base + across * ArrowHalfWidth), rounded(base - across * ArrowHalfWidth)}));
}

void Sketch::extension(QPoint feature, QPoint dimensionPoint)
{
    const QLineF span(feature, dimensionPoint);
    const QPointF along = span.unitVector().p2() - span.p1();
    line(rounded(QPointF(feature) + along * ExtensionGap),
         rounded(QPointF(dimensionPoint) + along * ExtensionOvershoot),
         LightPen);
}

void Sketch::dimension(QPoint from, QPoint to)
{
    line(from, to, LightPen);
    arrowhead(from, to);
    arrowhead(to, from);
}

void Sketch::leader(QPoint from, QPoint to)
{
    line(from, to, LightPen);
}

void Sketch::equalsOver(QPoint middle)
{
    const int width = textWidth(u"=", LabelHeight);
    const int baseline = middle.y() - LabelClearance + int(EqualsBottom * LabelHeight);
    text({middle.x() - width / 2, baseline}, u"=", Style::Label);
}

void Sketch::equalsBeside(QPoint middle, Side side, bool turned)
{
    const int width = textWidth(u"=", LabelHeight);
    const int top = int(EqualsTop * LabelHeight);
    const int bottom = int(EqualsBottom * LabelHeight);
    if (turned) {
        // Turned, the bars lie left of the baseline.
        const int x = side == Side::Right ? middle.x() + LabelClearance + top
                                          : middle.x() - LabelClearance + bottom;
        text({x, middle.y() + width / 2}, u"=", Style::Label, true);
    } else {
        const int x = side == Side::Right ? middle.x() + LabelClearance
                                          : middle.x() - LabelClearance - width;
        text({x, middle.y() + (top + bottom) / 2}, u"=", Style::Label);
    }
}

void Sketch::labelUnder(QStringView label, int centreX, int lineY, int line)
{
    const int width = textWidth(label, LabelHeight);
    text({centreX - width / 2, lineY + FirstLineBelow + line * LineSpacing}, label, Style::Label);
}

void Sketch::labelBeside(QStringView label, int lineX, int centreY, Side side)
{
    const int width = textWidth(label, LabelHeight);
    const int x = side == Side::Right ? lineX + LabelClearance + 100
                                      : lineX - LabelClearance - 100 - width;
    const int baseline = centreY + int((InkAscent - InkDescent) / 2 * LabelHeight);
    text({x, baseline}, label, Style::Label);
}

void Sketch::turnedLabelBeside(QStringView label, int lineX, int centreY, Side side)
{
    const int width = textWidth(label, LabelHeight);
    const int x = side == Side::Right ? lineX + LabelClearance + int(InkAscent * LabelHeight)
                                      : lineX - LabelClearance - int(InkDescent * LabelHeight);
    text({x, centreY + width / 2}, label, Style::Label, true);
}

void Sketch::orBetween(int leftX, int rightX, int centreY)
{
    const int width = textWidth(u"OR", OrHeight, true);
    // Capitals stand 0.69 of the character height above the baseline.
    text({(leftX + rightX - width) / 2, centreY + int(0.345 * OrHeight)}, u"OR", Style::Or);
}

QByteArray Sketch::finish()
{
    for (const QRect &outline : m_envelopes)
        stipple(outline);
    m_envelopes.clear();
    return m_writer.bytes();
}

} // namespace diagrams
