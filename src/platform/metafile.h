#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QRgb>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;

namespace platform {

namespace wmf {
struct DisplayList;
}

// A placeable metafile picture: kept as the bytes it came from, and read once into a
// list of shapes and texts that paints quickly at any scale on any paint device.
class Metafile
{
public:
    struct Record
    {
        quint16 function;
        QByteArray params; // everything after the size and function fields
    };

    struct TextItem
    {
        QString text;
        QPointF position; // reference point, in bounding-box units
        int height;       // as recorded: negative is the character height, positive the cell
        int weight;
        int escapement; // tenths of a degree counter-clockwise
        bool italic;
        QString face;
        QRgb colour;
    };

    // nullptr (and a one-line reason in *error when given) when the bytes are not a readable
    // placeable metafile.
    static std::shared_ptr<const Metafile> fromBytes(const QByteArray &bytes,
                                                     QString *error = nullptr);

    ~Metafile();
    Metafile(const Metafile &) = delete;
    Metafile &operator=(const Metafile &) = delete;

    // Exactly the bytes it was read from.
    const QByteArray &bytes() const { return m_bytes; }
    // The placeable bounding box, in metafile units; width() and height() are right - left and
    // bottom - top as recorded.
    QRect frame() const { return m_frame; }
    int unitsPerInch() const { return m_unitsPerInch; }
    QSizeF sizeInInches() const;

    // Paints the whole drawing stretched onto target, clipped to it; callers keep the aspect
    // ratio themselves. Antialiased vector painting; lines never get thinner than one device
    // pixel, as on the platform the format comes from.
    void paint(QPainter &painter, const QRectF &target) const;

    // For inspection: the size of the object table the header asks for, every record between
    // the header and the end-of-file record, every text drawn in order, and every colour
    // anything is painted with, in order of first use.
    int objectTableSize() const { return m_objectTableSize; }
    QList<Record> records() const;
    QList<TextItem> textItems() const;
    QStringList texts() const;
    QList<QRgb> colours() const;

private:
    Metafile(const QByteArray &bytes, std::unique_ptr<const wmf::DisplayList> content);

    QByteArray m_bytes;
    QRect m_frame;
    int m_unitsPerInch = 0;
    int m_objectTableSize = 0;
    std::unique_ptr<const wmf::DisplayList> m_content;
};

} // namespace platform
