#pragma once

#include "metafile.h"

#include <QBrush>
#include <QPainterPath>
#include <QPen>

#include <optional>
#include <variant>
#include <vector>

// What a metafile draws, already mapped into bounding-box units, so painting needs only one
// transformation onto the target.
namespace platform::wmf {

struct ShapeOp
{
    QPainterPath path;
    QPen pen;
    QBrush brush;
    bool openLine = false; // a run of line-to segments that the next one may continue
};

struct TextOp
{
    Metafile::TextItem item;
    double height; // the recorded height in bounding-box units, same sign convention
    quint8 pitchAndFamily;
    bool underline;
    bool strikeOut;
    quint16 align;
    std::optional<QRgb> background;
    std::optional<QRectF> clip;
};

using Op = std::variant<ShapeOp, TextOp>;

struct DisplayList
{
    QRect frame;
    int unitsPerInch = 0;
    int objectTableSize = 0;
    std::vector<Op> ops;
    QList<QRgb> colours;
};

} // namespace platform::wmf
