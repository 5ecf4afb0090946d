#include "metafile_parser.h"

#include "codepage1252.h"
#include "metafile_records.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <set>

namespace platform::wmf {

namespace {

constexpr int MetafileHeaderBytes = HeaderWords * 2;
constexpr int MinimumFileBytes = PlaceableHeaderBytes + MetafileHeaderBytes;
constexpr int MaxSavedStates = 1024;
constexpr int TypographicPointsPerInch = 72;
constexpr int DefaultFontPoints = 12;
constexpr quint32 DefaultBrushColour = 0xFFFFFF;
// Pattern brushes carry bitmaps this reader does not decode; they fill with a middle gray.
constexpr quint32 PatternStandInColour = 0x808080;

// Reads the parameters of one record; reading past their end yields zeros and is remembered,
// so each record is checked once after it has been played.
class Params
{
public:
    explicit Params(QByteArrayView data)
        : m_data(data)
    {}

    qsizetype remaining() const { return m_data.size() - m_pos; }
    bool has(qint64 bytes) const { return bytes >= 0 && bytes <= remaining(); }
    bool overrun() const { return m_overrun; }

    quint8 u8()
    {
        if (!claim(1))
            return 0;
        return quint8(m_data[m_pos - 1]);
    }
    quint16 u16()
    {
        if (!claim(2))
            return 0;
        return qFromLittleEndian<quint16>(m_data.data() + m_pos - 2);
    }
    qint16 s16() { return qint16(u16()); }
    quint32 u32()
    {
        if (!claim(4))
            return 0;
        return qFromLittleEndian<quint32>(m_data.data() + m_pos - 4);
    }
    QByteArrayView take(qsizetype bytes)
    {
        if (!claim(bytes))
            return {};
        return m_data.sliced(m_pos - bytes, bytes);
    }
    void skip(qsizetype bytes) { claim(bytes); }

private:
    bool claim(qint64 bytes)
    {
        if (!has(bytes)) {
            m_overrun = true;
            m_pos = m_data.size();
            return false;
        }
        m_pos += bytes;
        return true;
    }

    QByteArrayView m_data;
    qsizetype m_pos = 0;
    bool m_overrun = false;
};

struct LogPen
{
    quint16 style = PenSolid;
    int width = 0;
    quint32 colour = 0;
};

struct LogBrush
{
    quint16 style = BrushSolid;
    quint32 colour = DefaultBrushColour;
    quint16 hatch = 0;
};

struct LogFont
{
    int height = 0;
    int escapement = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    quint8 pitchAndFamily = 0;
    QString face;
};

struct Palette
{
    QList<QRgb> entries;
};

// Regions take an object slot but draw nothing here.
struct Region
{};

using DrawingObject = std::variant<std::monostate, LogPen, LogBrush, LogFont, Palette, Region>;

struct DcState
{
    LogPen pen;
    LogBrush brush;
    LogFont font;
    QList<QRgb> palette;
    quint32 textColour = 0;
    quint32 bkColour = 0xFFFFFF;
    quint16 bkMode = BkOpaque;
    quint16 textAlign = AlignLeft | AlignTop;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPointF windowOrg;
    QPointF windowExt;
    QPoint position;
};

// Callers check sizes first; the check here keeps each read safe on its own.
quint16 word(QByteArrayView bytes, qsizetype at)
{
    if (at < 0 || at > bytes.size() - 2)
        return 0;
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

quint32 dword(QByteArrayView bytes, qsizetype at)
{
    if (at < 0 || at > bytes.size() - 4)
        return 0;
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

QString hex(quint16 function)
{
    return QStringLiteral("0x%1").arg(function, 4, 16, QLatin1Char('0'));
}

Qt::BrushStyle hatchPattern(quint16 hatch)
{
    switch (hatch) {
    case HatchHorizontal:
        return Qt::HorPattern;
    case HatchVertical:
        return Qt::VerPattern;
    case HatchForwardDiagonal:
        return Qt::FDiagPattern;
    case HatchBackwardDiagonal:
        return Qt::BDiagPattern;
    case HatchCross:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

Qt::PenStyle penStyle(quint16 style)
{
    switch (style & PenStyleMask) {
    case PenDash:
        return Qt::DashLine;
    case PenDot:
        return Qt::DotLine;
    case PenDashDot:
        return Qt::DashDotLine;
    case PenDashDotDot:
        return Qt::DashDotDotLine;
    case PenNull:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

class Parser
{
public:
    explicit Parser(const QByteArray &bytes)
        : m_bytes(bytes)
    {}

    std::unique_ptr<DisplayList> run(QString *error)
    {
        if (readHeaders() && playRecords())
            return std::move(m_list);
        if (error)
            *error = m_error;
        return nullptr;
    }

private:
    bool fail(const QString &reason)
    {
        m_error = reason;
        return false;
    }

    bool readHeaders();
    bool playRecords();
    bool play(quint16 function, Params &params);

    bool createObject(DrawingObject object);
    bool checkedSlot(quint16 index, const char *what);
    bool selectObject(quint16 index);
    bool selectPalette(quint16 index);
    bool deleteObject(quint16 index);
    bool restoreState(qint16 which);

    bool readPoints(Params &params, qint64 count, QPolygonF &points);
    bool polyline(Params &params);
    bool polygon(Params &params);
    bool polyPolygon(Params &params);
    void lineTo(QPoint to);
    void box(Params &params, quint16 function);
    bool textOut(Params &params);
    bool extTextOut(Params &params);
    void addText(QPoint at, QByteArrayView encoded, std::optional<QRectF> clip);
    bool createFont(Params &params);
    bool createPalette(Params &params);

    QPointF toFrame(double x, double y) const
    {
        return {m_frame.left() + (x - m_dc.windowOrg.x()) * m_scaleX,
                m_frame.top() + (y - m_dc.windowOrg.y()) * m_scaleY};
    }
    QPointF toFrame(QPoint point) const { return toFrame(point.x(), point.y()); }
    void updateScale()
    {
        m_scaleX = m_frame.width() / m_dc.windowExt.x();
        m_scaleY = m_frame.height() / m_dc.windowExt.y();
    }

    QRgb resolve(quint32 colour) const;
    void noteColour(QRgb colour);
    QPen currentPen();
    QBrush currentBrush();
    void addShape(QPainterPath path, bool filled, bool openLine = false);

    const QByteArray &m_bytes;
    std::unique_ptr<DisplayList> m_list = std::make_unique<DisplayList>();
    QString m_error;
    QRect m_frame;
    qsizetype m_end = 0;

    std::vector<DrawingObject> m_objects;
    std::set<int> m_freeSlots;
    DcState m_dc;
    std::vector<DcState> m_saved;
    double m_scaleX = 1;
    double m_scaleY = 1;
};

bool Parser::readHeaders()
{
    if (m_bytes.size() < MinimumFileBytes)
        return fail(
            QStringLiteral("too short for a placeable metafile (%1 bytes)").arg(m_bytes.size()));
    if (dword(m_bytes, 0) != PlaceableKey)
        return fail(QStringLiteral("no placeable metafile key"));
    quint16 checksum = 0;
    for (int i = 0; i < PlaceableChecksumWords; ++i)
        checksum ^= word(m_bytes, 2 * i);
    if (checksum != word(m_bytes, 20))
        return fail(QStringLiteral("placeable header checksum does not match"));

    const int left = qint16(word(m_bytes, 6));
    const int top = qint16(word(m_bytes, 8));
    const int right = qint16(word(m_bytes, 10));
    const int bottom = qint16(word(m_bytes, 12));
    if (right <= left || bottom <= top)
        return fail(QStringLiteral("empty bounding box"));
    m_frame = QRect(QPoint(left, top), QSize(right - left, bottom - top));
    const int unitsPerInch = word(m_bytes, 14);
    if (unitsPerInch == 0)
        return fail(QStringLiteral("zero units per inch"));

    constexpr int h = PlaceableHeaderBytes;
    const quint16 type = word(m_bytes, h);
    if (type != MemoryMetafile && type != DiskMetafile)
        return fail(QStringLiteral("unknown metafile type %1").arg(type));
    if (word(m_bytes, h + 2) != HeaderWords)
        return fail(QStringLiteral("metafile header size is not %1 words").arg(HeaderWords));
    const quint16 version = word(m_bytes, h + 4);
    if (version != Version300 && version != Version100)
        return fail(QStringLiteral("unknown metafile version %1").arg(hex(version)));
    const quint32 sizeWords = dword(m_bytes, h + 6);
    if (sizeWords < quint32(HeaderWords + RecordHeaderWords))
        return fail(QStringLiteral("declared size of %1 words is too small").arg(sizeWords));
    m_end = h + qint64(sizeWords) * 2;
    if (m_end > m_bytes.size())
        return fail(QStringLiteral("truncated: %1 words declared, %2 bytes present")
                        .arg(sizeWords)
                        .arg(m_bytes.size() - h));

    const int tableSize = word(m_bytes, h + 10);
    m_objects.resize(tableSize);
    for (int slot = 0; slot < tableSize; ++slot)
        m_freeSlots.insert(m_freeSlots.end(), slot);

    m_list->frame = m_frame;
    m_list->unitsPerInch = unitsPerInch;
    m_list->objectTableSize = tableSize;
    // A placeable picture maps its window onto the bounding box; until the file sets a window
    // of its own, the window is the bounding box.
    m_dc.windowOrg = m_frame.topLeft();
    m_dc.windowExt = QPointF(m_frame.width(), m_frame.height());
    updateScale();
    return true;
}

bool Parser::playRecords()
{
    qsizetype pos = MinimumFileBytes;
    for (;;) {
        const qsizetype left = m_end - pos;
        if (left == 0)
            return fail(QStringLiteral("no end-of-file record"));
        if (left < RecordHeaderBytes)
            return fail(QStringLiteral("record header cut off at byte %1").arg(pos));
        const quint32 words = dword(m_bytes, pos);
        const quint16 function = word(m_bytes, pos + 4);
        if (words < quint32(RecordHeaderWords))
            return fail(QStringLiteral("record at byte %1 has size %2 words").arg(pos).arg(words));
        if (qint64(words) * 2 > left)
            return fail(
                QStringLiteral("record %1 at byte %2 runs past the end").arg(hex(function)).arg(pos));
        if (function == Eof)
            return true;
        Params params(QByteArrayView(m_bytes).sliced(pos + RecordHeaderBytes,
                                                     qsizetype(words) * 2 - RecordHeaderBytes));
        if (!play(function, params))
            return false;
        if (params.overrun())
            return fail(QStringLiteral("record %1 at byte %2 is shorter than its contents")
                            .arg(hex(function))
                            .arg(pos));
        pos += qsizetype(words) * 2;
    }
}

// Plays one record; false only for a fault, with the reason set. Records that draw or
// change nothing this reader shows are skipped.
bool Parser::play(quint16 function, Params &params)
{
    switch (function) {
    case SetBkMode:
        if (const quint16 mode = params.u16(); mode == BkTransparent || mode == BkOpaque)
            m_dc.bkMode = mode;
        return true;
    case SetPolyFillMode:
        if (const quint16 mode = params.u16(); mode == FillAlternate || mode == FillWinding)
            m_dc.fillRule = mode == FillWinding ? Qt::WindingFill : Qt::OddEvenFill;
        return true;
    case SetTextAlign:
        m_dc.textAlign = params.u16();
        return true;
    case SetTextColor:
        m_dc.textColour = params.u32();
        return true;
    case SetBkColor:
        m_dc.bkColour = params.u32();
        return true;
    case SetWindowOrg: {
        const int y = params.s16();
        m_dc.windowOrg = QPointF(params.s16(), y);
        return true;
    }
    case SetWindowExt: {
        const int y = params.s16();
        const int x = params.s16();
        // A zero extent would map everything to infinity; the call fails on the original
        // platform too, leaving the previous window.
        if (x != 0 && y != 0) {
            m_dc.windowExt = QPointF(x, y);
            updateScale();
        }
        return true;
    }
    case MoveTo: {
        const int y = params.s16();
        m_dc.position = QPoint(params.s16(), y);
        return true;
    }
    case LineTo: {
        const int y = params.s16();
        lineTo(QPoint(params.s16(), y));
        return true;
    }
    case Polyline:
        return polyline(params);
    case Polygon:
        return polygon(params);
    case PolyPolygon:
        return polyPolygon(params);
    case Rectangle:
    case Ellipse:
    case RoundRect:
        box(params, function);
        return true;
    case TextOut:
        return textOut(params);
    case ExtTextOut:
        return extTextOut(params);
    case CreatePenIndirect: {
        LogPen pen;
        pen.style = params.u16();
        pen.width = std::abs(int(params.s16()));
        params.skip(2);
        pen.colour = params.u32();
        return createObject(pen);
    }
    case CreateBrushIndirect: {
        LogBrush brush;
        brush.style = params.u16();
        brush.colour = params.u32();
        brush.hatch = params.u16();
        return createObject(brush);
    }
    case CreatePatternBrush:
    case DibCreatePatternBrush:
        return createObject(LogBrush{BrushSolid, PatternStandInColour, 0});
    case CreateRegion:
        return createObject(Region{});
    case CreateFontIndirect:
        return createFont(params);
    case CreatePalette:
        return createPalette(params);
    case SelectObject:
        return selectObject(params.u16());
    case SelectPalette:
        return selectPalette(params.u16());
    case DeleteObject:
        return deleteObject(params.u16());
    case SaveDc:
        if (m_saved.size() >= MaxSavedStates)
            return fail(QStringLiteral("more than %1 nested saved states").arg(MaxSavedStates));
        m_saved.push_back(m_dc);
        return true;
    case RestoreDc:
        return restoreState(params.s16());
    default:
        return true;
    }
}

bool Parser::createObject(DrawingObject object)
{
    if (m_freeSlots.empty())
        return fail(QStringLiteral("object table of %1 slots is full").arg(m_objects.size()));
    const int slot = *m_freeSlots.begin();
    m_freeSlots.erase(m_freeSlots.begin());
    m_objects[slot] = std::move(object);
    return true;
}

bool Parser::checkedSlot(quint16 index, const char *what)
{
    if (index >= m_objects.size())
        return fail(QStringLiteral("%1 of object %2 outside a table of %3")
                        .arg(QLatin1String(what))
                        .arg(index)
                        .arg(m_objects.size()));
    if (std::holds_alternative<std::monostate>(m_objects[index]))
        return fail(
            QStringLiteral("%1 of empty object slot %2").arg(QLatin1String(what)).arg(index));
    return true;
}

bool Parser::selectObject(quint16 index)
{
    if (!checkedSlot(index, "selection"))
        return false;
    const DrawingObject &object = m_objects[index];
    if (const auto *pen = std::get_if<LogPen>(&object))
        m_dc.pen = *pen;
    else if (const auto *brush = std::get_if<LogBrush>(&object))
        m_dc.brush = *brush;
    else if (const auto *font = std::get_if<LogFont>(&object))
        m_dc.font = *font;
    else if (const auto *palette = std::get_if<Palette>(&object))
        m_dc.palette = palette->entries;
    return true;
}

bool Parser::selectPalette(quint16 index)
{
    if (!checkedSlot(index, "palette selection"))
        return false;
    const auto *palette = std::get_if<Palette>(&m_objects[index]);
    if (!palette)
        return fail(
            QStringLiteral("palette selection of object %1, which is no palette").arg(index));
    m_dc.palette = palette->entries;
    return true;
}

// What is selected stays in use after its object is deleted: the state holds copies.
bool Parser::deleteObject(quint16 index)
{
    if (!checkedSlot(index, "deletion"))
        return false;
    m_objects[index] = std::monostate{};
    m_freeSlots.insert(index);
    return true;
}

// Negative counts back from the newest saved state, positive numbers them from the oldest;
// one that does not exist is ignored, as the original call fails.
bool Parser::restoreState(qint16 which)
{
    const auto depth = qint64(m_saved.size());
    const qint64 target = which < 0 ? depth + which : qint64(which) - 1;
    if (which != 0 && target >= 0 && target < depth) {
        m_dc = m_saved[size_t(target)];
        m_saved.resize(size_t(target));
        updateScale();
    }
    return true;
}

QRgb Parser::resolve(quint32 colour) const
{
    if ((colour >> 24) == ColourIsPaletteIndex) {
        const qsizetype index = colour & 0xFFFF;
        return index < m_dc.palette.size() ? m_dc.palette[index] : qRgb(0, 0, 0);
    }
    return qRgb(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

void Parser::noteColour(QRgb colour)
{
    if (!m_list->colours.contains(colour))
        m_list->colours.append(colour);
}

QPen Parser::currentPen()
{
    const Qt::PenStyle style = penStyle(m_dc.pen.style);
    if (style == Qt::NoPen)
        return QPen(Qt::NoPen);
    const QRgb colour = resolve(m_dc.pen.colour);
    noteColour(colour);
    // Geometric pens have round ends and joins unless they ask otherwise.
    const quint16 cap = m_dc.pen.style & PenEndCapMask;
    const quint16 join = m_dc.pen.style & PenJoinMask;
    // A pen this wide already covers the whole picture from anywhere near it; wider ones only
    // cost painting time.
    const double widest = 2.0 * (m_frame.width() + m_frame.height());
    const double width = std::min(m_dc.pen.width * (std::abs(m_scaleX) + std::abs(m_scaleY)) / 2,
                                  widest);
    return QPen(QColor(colour),
                width,
                style,
                cap == PenEndCapSquare ? Qt::SquareCap
                : cap == PenEndCapFlat ? Qt::FlatCap
                                       : Qt::RoundCap,
                join == PenJoinBevel   ? Qt::BevelJoin
                : join == PenJoinMiter ? Qt::MiterJoin
                                       : Qt::RoundJoin);
}

QBrush Parser::currentBrush()
{
    if (m_dc.brush.style == BrushNull)
        return Qt::NoBrush;
    const QRgb colour = resolve(m_dc.brush.colour);
    noteColour(colour);
    if (m_dc.brush.style == BrushHatched)
        return QBrush(QColor(colour), hatchPattern(m_dc.brush.hatch));
    return QBrush(QColor(colour));
}

void Parser::addShape(QPainterPath path, bool filled, bool openLine)
{
    QPen pen = currentPen();
    QBrush brush = filled ? currentBrush() : QBrush(Qt::NoBrush);
    if (pen.style() == Qt::NoPen && brush.style() == Qt::NoBrush)
        return;
    path.setFillRule(m_dc.fillRule);
    m_list->ops.emplace_back(ShapeOp{std::move(path), std::move(pen), std::move(brush), openLine});
}

void Parser::lineTo(QPoint to)
{
    const QPointF from = toFrame(m_dc.position);
    const QPointF end = toFrame(to);
    m_dc.position = to;
    // Consecutive segments in one pen become one path, which paints faster than many.
    if (!m_list->ops.empty()) {
        if (auto *last = std::get_if<ShapeOp>(&m_list->ops.back());
            last && last->openLine && last->path.currentPosition() == from
            && last->pen == currentPen()) {
            last->path.lineTo(end);
            return;
        }
    }
    QPainterPath path(from);
    path.lineTo(end);
    addShape(std::move(path), false, true);
}

bool Parser::readPoints(Params &params, qint64 count, QPolygonF &points)
{
    if (count < 0 || !params.has(count * 4))
        return fail(QStringLiteral("point count %1 does not fit its record").arg(count));
    points.reserve(points.size() + count);
    for (qint64 i = 0; i < count; ++i) {
        const int x = params.s16();
        points.append(toFrame(x, params.s16()));
    }
    return true;
}

bool Parser::polyline(Params &params)
{
    QPolygonF points;
    if (!readPoints(params, params.s16(), points))
        return false;
    if (points.size() >= 2) {
        QPainterPath path;
        path.addPolygon(points);
        addShape(std::move(path), false);
    }
    return true;
}

bool Parser::polygon(Params &params)
{
    QPolygonF points;
    if (!readPoints(params, params.s16(), points))
        return false;
    if (!points.isEmpty()) {
        QPainterPath path;
        path.addPolygon(points);
        path.closeSubpath();
        addShape(std::move(path), true);
    }
    return true;
}

bool Parser::polyPolygon(Params &params)
{
    const int polygons = params.u16();
    if (!params.has(qint64(polygons) * 2))
        return fail(QStringLiteral("polygon count %1 does not fit its record").arg(polygons));
    std::vector<int> counts(size_t(polygons), 0);
    qint64 total = 0;
    for (int &count : counts) {
        count = params.u16();
        total += count;
    }
    if (!params.has(total * 4))
        return fail(QStringLiteral("point count %1 does not fit its record").arg(total));
    QPainterPath path;
    for (const int count : counts) {
        QPolygonF points;
        if (!readPoints(params, count, points))
            return false;
        if (!points.isEmpty()) {
            path.addPolygon(points);
            path.closeSubpath();
        }
    }
    if (!path.isEmpty())
        addShape(std::move(path), true);
    return true;
}

// Rectangles, rounded rectangles and ellipses share their bounding box, stored bottom first.
void Parser::box(Params &params, quint16 function)
{
    QPointF corner;
    if (function == RoundRect) {
        const int height = params.s16();
        corner = QPointF(std::abs(params.s16() * m_scaleX) / 2, std::abs(height * m_scaleY) / 2);
    }
    const int bottom = params.s16();
    const int right = params.s16();
    const int top = params.s16();
    const int left = params.s16();
    const QRectF rect = QRectF(toFrame(left, top), toFrame(right, bottom)).normalized();
    QPainterPath path;
    if (function == Ellipse)
        path.addEllipse(rect);
    else if (function == RoundRect)
        path.addRoundedRect(rect, corner.x(), corner.y());
    else
        path.addRect(rect);
    addShape(std::move(path), true);
}

bool Parser::textOut(Params &params)
{
    const int length = params.s16();
    if (length < 0 || !params.has(length))
        return fail(QStringLiteral("text length %1 does not fit its record").arg(length));
    const QByteArrayView text = params.take(length);
    // The text is padded to a whole word; a writer that left the pad out still leaves exactly
    // the two coordinates.
    if (length % 2 != 0 && params.remaining() > 4)
        params.skip(1);
    const int y = params.s16();
    addText(QPoint(params.s16(), y), text, std::nullopt);
    return true;
}

bool Parser::extTextOut(Params &params)
{
    const int y = params.s16();
    const int x = params.s16();
    const int length = params.s16();
    const quint16 options = params.u16();
    std::optional<QRectF> rect;
    if (options & (TextOptionOpaque | TextOptionClipped)) {
        const int left = params.s16();
        const int top = params.s16();
        const int right = params.s16();
        const int bottom = params.s16();
        rect = QRectF(toFrame(left, top), toFrame(right, bottom)).normalized();
    }
    if (length < 0 || !params.has(length))
        return fail(QStringLiteral("text length %1 does not fit its record").arg(length));
    const QByteArrayView text = params.take(length);
    // Per-character advances may follow; the text is laid out with the font's own.

    if (rect && (options & TextOptionOpaque)) {
        const QRgb background = resolve(m_dc.bkColour);
        noteColour(background);
        QPainterPath path;
        path.addRect(*rect);
        m_list->ops.emplace_back(ShapeOp{std::move(path), QPen(Qt::NoPen), QBrush(background)});
    }
    addText(QPoint(x, y), text, options & TextOptionClipped ? rect : std::nullopt);
    return true;
}

void Parser::addText(QPoint at, QByteArrayView encoded, std::optional<QRectF> clip)
{
    if (encoded.isEmpty())
        return;
    const QPoint origin = (m_dc.textAlign & AlignUpdateCp) ? m_dc.position : at;
    const LogFont &font = m_dc.font;
    const double scale = std::abs(m_scaleY);
    // Height 0 asks for the default size, taken as 12 points.
    const double height = font.height != 0 ? font.height * scale
                                           : -double(m_list->unitsPerInch) * DefaultFontPoints
                                                 / TypographicPointsPerInch;

    TextOp op{Metafile::TextItem{fromCodePage1252(encoded),
                                 toFrame(origin),
                                 font.height,
                                 font.weight,
                                 font.escapement,
                                 font.italic,
                                 font.face,
                                 resolve(m_dc.textColour)},
              height,
              font.pitchAndFamily,
              font.underline,
              font.strikeOut,
              m_dc.textAlign,
              std::nullopt,
              clip};
    noteColour(op.item.colour);
    if (m_dc.bkMode == BkOpaque) {
        op.background = resolve(m_dc.bkColour);
        noteColour(*op.background);
    }
    m_list->ops.emplace_back(std::move(op));
}

bool Parser::createFont(Params &params)
{
    if (!params.has(FontFixedBytes))
        return fail(QStringLiteral("font record of %1 bytes is too short").arg(params.remaining()));
    LogFont font;
    font.height = params.s16();
    params.skip(2); // width: the face's own proportions are kept
    font.escapement = params.s16();
    params.skip(2); // orientation of each glyph: drawn along the escapement
    font.weight = params.s16();
    font.italic = params.u8() != 0;
    font.underline = params.u8() != 0;
    font.strikeOut = params.u8() != 0;
    params.skip(4); // character set, precisions and quality
    font.pitchAndFamily = params.u8();
    // The face name ends at its first zero, or after 32 bytes, or at the end of the record.
    const QByteArrayView face = params.take(std::min<qsizetype>(params.remaining(), FaceNameBytes));
    const qsizetype zero = face.indexOf('\0');
    font.face = fromCodePage1252(zero < 0 ? face : face.first(zero));
    return createObject(std::move(font));
}

bool Parser::createPalette(Params &params)
{
    params.skip(2); // start, a version number
    const int count = params.u16();
    if (!params.has(qint64(count) * PaletteEntryBytes))
        return fail(QStringLiteral("palette entry count %1 does not fit its record").arg(count));
    Palette palette;
    palette.entries.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int red = params.u8();
        const int green = params.u8();
        const int blue = params.u8();
        params.skip(1); // flags: how the platform shares the entry
        palette.entries.append(qRgb(red, green, blue));
    }
    return createObject(std::move(palette));
}

} // namespace

std::unique_ptr<DisplayList> parseMetafile(const QByteArray &bytes, QString *error)
{
    return Parser(bytes).run(error);
}

QList<Metafile::Record> splitRecords(const QByteArray &bytes)
{
    QList<Metafile::Record> records;
    if (bytes.size() < MinimumFileBytes)
        return records;
    const qsizetype end = std::min<qint64>(bytes.size(),
                                           PlaceableHeaderBytes
                                               + qint64(dword(bytes, PlaceableHeaderBytes + 6)) * 2);
    qsizetype pos = MinimumFileBytes;
    while (end - pos >= RecordHeaderBytes) {
        const quint32 words = dword(bytes, pos);
        const quint16 function = word(bytes, pos + 4);
        if (words < quint32(RecordHeaderWords) || qint64(words) * 2 > end - pos || function == Eof)
            break;
        records.append(
            {function,
             bytes.sliced(pos + RecordHeaderBytes, qsizetype(words) * 2 - RecordHeaderBytes)});
        pos += qsizetype(words) * 2;
    }
    return records;
}

} // namespace platform::wmf
