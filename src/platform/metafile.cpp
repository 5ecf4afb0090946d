#include "metafile.h"

#include "metafile_display_list.h"
#include "metafile_parser.h"
#include "metafile_records.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

using namespace wmf;

// Text is laid out at one fixed pixel size and scaled to its height, so layout does not
// depend on how large the picture is shown.
constexpr int LayoutPixelSize = 1024;
// Text much larger than the picture shows nothing useful and only strains the font engine.
constexpr double MaxTextToFrame = 8.0;

constexpr quint8 FamilyMask = 0xF0;
constexpr quint8 FamilyRoman = 0x10;
constexpr quint8 FamilySwiss = 0x20;
constexpr quint8 FamilyModern = 0x30;
constexpr quint8 FamilyScript = 0x40;
constexpr quint8 FamilyDecorative = 0x50;

QFont::StyleHint styleHint(quint8 pitchAndFamily)
{
    switch (pitchAndFamily & FamilyMask) {
    case FamilyRoman:
        return QFont::Serif;
    case FamilyModern:
        return QFont::TypeWriter;
    case FamilyScript:
        return QFont::Cursive;
    case FamilyDecorative:
        return QFont::Decorative;
    case FamilySwiss:
    default:
        return QFont::SansSerif;
    }
}

QFont layoutFont(const TextOp &op)
{
    QFont font;
    if (!op.item.face.isEmpty())
        font.setFamily(op.item.face);
    font.setStyleHint(styleHint(op.pitchAndFamily));
    font.setPixelSize(LayoutPixelSize);
    const int weight = op.item.weight > 0 ? op.item.weight : WeightNormal;
    font.setWeight(QFont::Weight(std::clamp(weight, 1, 1000)));
    font.setItalic(op.item.italic);
    font.setUnderline(op.underline);
    font.setStrikeOut(op.strikeOut);
    // The original platform does not kern unless asked to.
    font.setKerning(false);
    return font;
}

void paintText(QPainter &painter, const TextOp &op, double largestSide)
{
    const QFont font = layoutFont(op);
    const QFontMetricsF metrics(font);
    // A negative height is the em size; a positive one the whole cell, ascent plus descent.
    const double cell = metrics.ascent() + metrics.descent();
    const double em = op.height < 0 ? -op.height
                      : cell > 0    ? op.height * LayoutPixelSize / cell
                                    : op.height;
    if (!(em > 0) || em > largestSide * MaxTextToFrame)
        return;

    const double width = metrics.horizontalAdvance(op.item.text);
    const quint16 horizontal = op.align & AlignHorizontalMask;
    const quint16 vertical = op.align & AlignVerticalMask;
    const double x = horizontal == AlignCenter  ? -width / 2
                     : horizontal == AlignRight ? -width
                                                : 0.0;
    const double y = vertical == AlignBaseline ? 0.0
                     : vertical == AlignBottom ? -metrics.descent()
                                               : metrics.ascent();

    painter.save();
    if (op.clip)
        painter.setClipRect(*op.clip, Qt::IntersectClip);
    painter.translate(op.item.position);
    painter.rotate(-op.item.escapement / 10.0);
    painter.scale(em / LayoutPixelSize, em / LayoutPixelSize);
    if (op.background)
        painter.fillRect(QRectF(x, y - metrics.ascent(), width, cell), QColor(*op.background));
    painter.setFont(font);
    painter.setPen(QColor(op.item.colour));
    painter.drawText(QPointF(x, y), op.item.text);
    painter.restore();
}

void paintShape(QPainter &painter, const ShapeOp &op, double pixelsPerUnit)
{
    // Any line is at least one device pixel wide, however far the picture is shrunk.
    if (op.pen.style() != Qt::NoPen && op.pen.widthF() * pixelsPerUnit < 1.0) {
        QPen hairline = op.pen;
        hairline.setWidth(0);
        painter.setPen(hairline);
    } else {
        painter.setPen(op.pen);
    }
    painter.setBrush(op.brush);
    painter.drawPath(op.path);
}

} // namespace

std::shared_ptr<const Metafile> Metafile::fromBytes(const QByteArray &bytes, QString *error)
{
    std::unique_ptr<const DisplayList> content = parseMetafile(bytes, error);
    if (!content)
        return nullptr;
    return std::shared_ptr<const Metafile>(new Metafile(bytes, std::move(content)));
}

Metafile::Metafile(const QByteArray &bytes, std::unique_ptr<const DisplayList> content)
    : m_bytes(bytes)
    , m_frame(content->frame)
    , m_unitsPerInch(content->unitsPerInch)
    , m_objectTableSize(content->objectTableSize)
    , m_content(std::move(content))
{}

Metafile::~Metafile() = default;

QSizeF Metafile::sizeInInches() const
{
    return QSizeF(double(m_frame.width()) / m_unitsPerInch,
                  double(m_frame.height()) / m_unitsPerInch);
}

void Metafile::paint(QPainter &painter, const QRectF &target) const
{
    if (target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / m_frame.width(), target.height() / m_frame.height());
    painter.translate(-m_frame.left(), -m_frame.top());

    const double pixelsPerUnit = std::sqrt(std::abs(painter.combinedTransform().determinant()));
    const double largestSide = std::max(m_frame.width(), m_frame.height());
    for (const Op &op : m_content->ops) {
        if (const auto *shape = std::get_if<ShapeOp>(&op))
            paintShape(painter, *shape, pixelsPerUnit);
        else
            paintText(painter, std::get<TextOp>(op), largestSide);
    }
    painter.restore();
}

QList<Metafile::Record> Metafile::records() const
{
    return splitRecords(m_bytes);
}

QList<Metafile::TextItem> Metafile::textItems() const
{
    QList<TextItem> items;
    for (const Op &op : m_content->ops) {
        if (const auto *text = std::get_if<TextOp>(&op))
            items.append(text->item);
    }
    return items;
}

QStringList Metafile::texts() const
{
    QStringList texts;
    for (const TextItem &item : textItems())
        texts.append(item.text);
    return texts;
}

QList<QRgb> Metafile::colours() const
{
    return m_content->colours;
}

} // namespace platform
