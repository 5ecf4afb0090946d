#pragma once

#include <QByteArray>
#include <QPoint>
#include <QPolygon>
#include <QSize>
#include <QStringView>

#include <array>
#include <optional>
#include <vector>

namespace platform {

// Records a white-on-black line drawing as a placeable metafile. The file starts with
// the fixed preamble every diagram shares (mapping, black background, 256-entry palette); all
// later drawing is white. Coordinates and sizes are metafile units, y grows downwards.
class MetafileWriter
{
public:
    static constexpr QSize DefaultExtent{32730, 24780};
    static constexpr int DefaultUnitsPerInch = 3600;

    struct Font
    {
        int height = 1323;  // character height, without the internal leading
        int weight = 400;   // 400 normal, 700 bold
        int escapement = 0; // tenths of a degree counter-clockwise; 900 reads bottom to top
    };

    // The extent is the bounding box and the window; each side is kept within 1..32766 so that
    // the background rectangle one unit beyond it still fits a 16-bit coordinate.
    explicit MetafileWriter(QSize extent = DefaultExtent, int unitsPerInch = DefaultUnitsPerInch);

    // Lines with round ends; a pen width of 0 is the thinnest line the output device can show.
    void line(QPoint from, QPoint to, int penWidth);
    void polyline(const QPolygon &points, int penWidth);
    // Filled, with a hairline outline so that its edges match lines drawn beside it.
    void polygon(const QPolygon &points);
    void circle(QPoint centre, int radius, int penWidth);
    void disc(QPoint centre, int radius);
    // Arial on a transparent background; origin is the left end of the baseline.
    void text(QPoint origin, QStringView text, const Font &font);

    // The whole file: headers, everything drawn so far and the end-of-file record.
    QByteArray bytes() const;

private:
    enum class Kind { Pen, Brush, Font, Palette };
    static constexpr int SelectableKinds = 3;

    struct Object
    {
        Kind kind;
        QByteArray params;
        quint64 lastUse;
    };

    void record(quint16 function, const QByteArray &params);
    void use(Kind kind, quint16 createFunction, const QByteArray &params);
    int create(Kind kind, quint16 createFunction, const QByteArray &params);
    void deleteObject(int slot);
    void usePen(int width, quint32 colour);
    void useBrush(quint16 style, quint32 colour);
    void prepareText();

    QSize m_extent;
    int m_unitsPerInch;
    QByteArray m_records;
    quint32 m_largestRecordWords = 0;
    int m_tableSize = 0;
    std::vector<std::optional<Object>> m_slots;
    std::array<int, SelectableKinds> m_selected{-1, -1, -1};
    quint64 m_useClock = 0;
    bool m_textPrepared = false;
};

} // namespace platform
