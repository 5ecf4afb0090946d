#include "metafile_writer.h"

#include "codepage1252.h"
#include "metafile_records.h"

#include <QtEndian>

#include <algorithm>

namespace platform {

namespace {

using namespace wmf;

constexpr quint32 Black = 0x000000;
constexpr quint32 White = 0xFFFFFF;
constexpr char FaceName[] = "Arial";
constexpr quint8 VariablePitchSwiss = 0x22;
constexpr int PaletteEntries = 256;
constexpr int MaxPoints = 32767;

// Enough live objects of one kind for a drawing that alternates between a few pens and brushes
// without recreating them, while the object table stays small.
constexpr int CachedPerKind = 4;

void put16(QByteArray &out, int value)
{
    const auto word = quint16(value);
    out.append(char(word & 0xFF));
    out.append(char(word >> 8));
}

void put32(QByteArray &out, quint32 value)
{
    put16(out, int(value & 0xFFFF));
    put16(out, int(value >> 16));
}

// Colour references are stored as red, green, blue, flags.
void putColour(QByteArray &out, quint32 rgb)
{
    out.append(char((rgb >> 16) & 0xFF));
    out.append(char((rgb >> 8) & 0xFF));
    out.append(char(rgb & 0xFF));
    out.append('\0');
}

qint16 coordinate(int value)
{
    Q_ASSERT(value >= -32768 && value <= 32767);
    return qint16(std::clamp(value, -32768, 32767));
}

void putPoints(QByteArray &out, const QPolygon &points, qsizetype first, qsizetype count)
{
    for (qsizetype i = first; i < first + count; ++i) {
        put16(out, coordinate(points[i].x()));
        put16(out, coordinate(points[i].y()));
    }
}

QByteArray wordsOf(std::initializer_list<int> words)
{
    QByteArray out;
    for (const int word : words)
        put16(out, word);
    return out;
}

// Ellipse records take their bounding box bottom first.
QByteArray circleBox(QPoint centre, int radius)
{
    return wordsOf({coordinate(centre.y() + radius),
                    coordinate(centre.x() + radius),
                    coordinate(centre.y() - radius),
                    coordinate(centre.x() - radius)});
}

} // namespace

MetafileWriter::MetafileWriter(QSize extent, int unitsPerInch)
    : m_extent(std::clamp(extent.width(), 1, 32766), std::clamp(extent.height(), 1, 32766))
    , m_unitsPerInch(std::clamp(unitsPerInch, 1, 65535))
{
    record(SetMapMode, wordsOf({MapModeAnisotropic}));
    record(SetWindowOrg, wordsOf({0, 0}));
    record(SetWindowExt, wordsOf({m_extent.height(), m_extent.width()}));
    usePen(0, Black);
    useBrush(BrushSolid, Black);
    // One unit beyond the extent because the right and bottom edges are not filled.
    record(Rectangle, wordsOf({m_extent.height() + 1, m_extent.width() + 1, 0, 0}));

    QByteArray palette = wordsOf({PaletteStart, PaletteEntries});
    for (int level = 0; level < PaletteEntries; ++level) {
        palette.append(char(level));
        palette.append(char(level));
        palette.append(char(level));
        palette.append('\0');
    }
    const int paletteSlot = create(Kind::Palette, CreatePalette, palette);
    record(SelectPalette, wordsOf({paletteSlot}));
    record(RealizePalette, {});
}

void MetafileWriter::line(QPoint from, QPoint to, int penWidth)
{
    polyline(QPolygon({from, to}), penWidth);
}

void MetafileWriter::polyline(const QPolygon &points, int penWidth)
{
    if (points.size() < 2)
        return;
    usePen(penWidth, White);
    // Longer runs than one record can count continue from the last point of the previous one.
    for (qsizetype first = 0; first + 1 < points.size(); first += MaxPoints - 1) {
        const qsizetype count = std::min<qsizetype>(MaxPoints, points.size() - first);
        QByteArray out = wordsOf({int(count)});
        putPoints(out, points, first, count);
        record(Polyline, out);
    }
}

void MetafileWriter::polygon(const QPolygon &points)
{
    if (points.size() < 3)
        return;
    usePen(0, White);
    useBrush(BrushSolid, White);
    Q_ASSERT(points.size() <= MaxPoints);
    const qsizetype count = std::min<qsizetype>(points.size(), MaxPoints);
    QByteArray out = wordsOf({int(count)});
    putPoints(out, points, 0, count);
    record(Polygon, out);
}

void MetafileWriter::circle(QPoint centre, int radius, int penWidth)
{
    usePen(penWidth, White);
    useBrush(BrushNull, White);
    record(Ellipse, circleBox(centre, radius));
}

void MetafileWriter::disc(QPoint centre, int radius)
{
    usePen(0, White);
    useBrush(BrushSolid, White);
    record(Ellipse, circleBox(centre, radius));
}

void MetafileWriter::text(QPoint origin, QStringView text, const Font &font)
{
    prepareText();

    QByteArray logFont = wordsOf({-std::clamp(font.height, 1, 32767),
                                  0,
                                  std::clamp(font.escapement, -3600, 3600),
                                  std::clamp(font.escapement, -3600, 3600),
                                  std::clamp(font.weight, 0, 1000)});
    // Italic, underline, strike-out, ANSI character set, default precisions and quality.
    logFont.append(7, '\0');
    logFont.append(char(VariablePitchSwiss));
    QByteArray face(FaceName);
    face.resize(FaceNameBytes, '\0');
    logFont.append(face);
    use(Kind::Font, CreateFontIndirect, logFont);

    QByteArray encoded = toCodePage1252(text);
    Q_ASSERT(encoded.size() <= 32767);
    encoded.truncate(32767);
    QByteArray out = wordsOf(
        {coordinate(origin.y()), coordinate(origin.x()), int(encoded.size()), 0});
    out.append(encoded);
    if (out.size() % 2 != 0)
        out.append('\0');
    record(ExtTextOut, out);
}

QByteArray MetafileWriter::bytes() const
{
    QByteArray out;
    put32(out, PlaceableKey);
    put16(out, 0);
    put16(out, 0);
    put16(out, 0);
    put16(out, m_extent.width());
    put16(out, m_extent.height());
    put16(out, m_unitsPerInch);
    put32(out, 0);
    quint16 checksum = 0;
    for (int i = 0; i < PlaceableChecksumWords; ++i)
        checksum ^= qFromLittleEndian<quint16>(out.constData() + 2 * i);
    put16(out, checksum);

    const auto eofWords = quint32(RecordHeaderWords);
    put16(out, MemoryMetafile);
    put16(out, HeaderWords);
    put16(out, Version300);
    put32(out, quint32(HeaderWords + m_records.size() / 2 + eofWords));
    put16(out, m_tableSize);
    put32(out, std::max(m_largestRecordWords, eofWords));
    put16(out, 0);

    out.append(m_records);
    put32(out, eofWords);
    put16(out, Eof);
    return out;
}

void MetafileWriter::record(quint16 function, const QByteArray &params)
{
    Q_ASSERT(params.size() % 2 == 0);
    const auto words = quint32(RecordHeaderWords + params.size() / 2);
    put32(m_records, words);
    put16(m_records, function);
    m_records.append(params);
    m_largestRecordWords = std::max(m_largestRecordWords, words);
}

// Selects an object with these parameters, reusing a live one where it can.
void MetafileWriter::use(Kind kind, quint16 createFunction, const QByteArray &params)
{
    int &selected = m_selected[size_t(kind)];
    ++m_useClock;
    if (selected >= 0 && m_slots[selected]->params == params) {
        m_slots[selected]->lastUse = m_useClock;
        return;
    }

    int slot = -1;
    int live = 0;
    int oldest = -1;
    for (int i = 0; i < int(m_slots.size()); ++i) {
        const auto &object = m_slots[i];
        if (!object || object->kind != kind)
            continue;
        ++live;
        if (object->params == params)
            slot = i;
        else if (i != selected && (oldest < 0 || object->lastUse < m_slots[oldest]->lastUse))
            oldest = i;
    }
    if (slot < 0) {
        // Deleting first lets the new object take the freed slot.
        if (live >= CachedPerKind && oldest >= 0)
            deleteObject(oldest);
        slot = create(kind, createFunction, params);
    }
    record(SelectObject, wordsOf({slot}));
    selected = slot;
    m_slots[slot]->lastUse = m_useClock;
}

// Takes the lowest free slot of the object table, as a player does.
int MetafileWriter::create(Kind kind, quint16 createFunction, const QByteArray &params)
{
    const auto free = std::find_if(m_slots.begin(), m_slots.end(), [](const auto &object) {
        return !object.has_value();
    });
    const int slot = int(free - m_slots.begin());
    if (free == m_slots.end())
        m_slots.emplace_back();
    m_slots[slot] = Object{kind, params, m_useClock};
    m_tableSize = std::max(m_tableSize, slot + 1);
    record(createFunction, params);
    return slot;
}

void MetafileWriter::deleteObject(int slot)
{
    record(DeleteObject, wordsOf({slot}));
    m_slots[slot].reset();
}

void MetafileWriter::usePen(int width, quint32 colour)
{
    QByteArray pen = wordsOf({PenSolid, std::clamp(width, 0, 32767), 0});
    putColour(pen, colour);
    use(Kind::Pen, CreatePenIndirect, pen);
}

void MetafileWriter::useBrush(quint16 style, quint32 colour)
{
    QByteArray brush = wordsOf({style});
    putColour(brush, colour);
    put16(brush, 0);
    use(Kind::Brush, CreateBrushIndirect, brush);
}

// The text settings never change within a drawing, so they are written once.
void MetafileWriter::prepareText()
{
    if (m_textPrepared)
        return;
    m_textPrepared = true;
    record(SetBkMode, wordsOf({BkTransparent}));
    record(SetTextAlign, wordsOf({AlignLeft | AlignBaseline}));
    QByteArray colour;
    putColour(colour, White);
    record(SetTextColor, colour);
}

} // namespace platform
