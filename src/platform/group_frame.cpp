#include "group_frame.h"

#include <QPainter>

namespace platform {

namespace {

// Where the caption's text starts from the frame's left edge, and the space kept clear of the
// line on either side of it.
constexpr int CaptionIndent = 8;
constexpr int CaptionGap = 2;
// Each edge is a shadow line and a light line.
constexpr int EdgeWidth = 2;

// The four one-pixel lines on the edges of r, the top one left open across gap. Filled rather
// than stroked, so that a line stays one logical pixel thick at any scale.
void drawEdges(QPainter &painter, const QRect &r, const QColor &colour, const QRect &gap)
{
    const auto fill = [&](const QRect &line) {
        if (line.isValid())
            painter.fillRect(line, colour);
    };
    if (gap.isEmpty()) {
        fill(QRect(r.left(), r.top(), r.width(), 1));
    } else {
        fill(QRect(QPoint(r.left(), r.top()), QPoint(gap.left() - 1, r.top())));
        fill(QRect(QPoint(gap.right() + 1, r.top()), QPoint(r.right(), r.top())));
    }
    fill(QRect(r.left(), r.top(), 1, r.height()));
    fill(QRect(r.right(), r.top(), 1, r.height()));
    fill(QRect(r.left(), r.bottom(), r.width(), 1));
}

} // namespace

QRect GroupFrame::outlineRect() const
{
    const int top = fontMetrics().height() / 2;
    return QRect(0, top, width(), height() - top);
}

QRect GroupFrame::captionRect() const
{
    if (title().isEmpty())
        return {};
    const QFontMetrics metrics = fontMetrics();
    const int textWidth = metrics.size(Qt::TextShowMnemonic, title()).width();
    const QRect caption(CaptionIndent - CaptionGap, 0, textWidth + 2 * CaptionGap, metrics.height());
    // A caption too long for the frame is cut short of the right-hand edge.
    return caption.intersected(rect().adjusted(0, 0, -EdgeWidth, 0));
}

void GroupFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect outline = outlineRect();
    const QRect caption = captionRect();
    // Etched: the light rectangle one pixel down and right of the shadow one, the shadow on top
    // where they cross.
    drawEdges(painter, outline.adjusted(1, 1, 0, 0), palette().color(QPalette::Light), caption);
    drawEdges(painter, outline.adjusted(0, 0, -1, -1), palette().color(QPalette::Dark), caption);
    if (caption.isEmpty())
        return;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption.adjusted(CaptionGap, 0, -CaptionGap, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     title());
}

} // namespace platform
