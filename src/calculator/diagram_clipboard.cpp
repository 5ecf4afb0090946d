#include "diagram_clipboard.h"

#include "platform/metafile.h"

#include <QImage>
#include <QMimeData>
#include <QPainter>

#include <cmath>

namespace {

constexpr int ImageDotsPerInch = 96;

} // namespace

std::unique_ptr<QMimeData> clipboardData(const platform::Metafile &drawing)
{
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("image/x-wmf"), drawing.bytes());
    data->setData(QStringLiteral("image/wmf"), drawing.bytes());

    const QSizeF inches = drawing.sizeInInches();
    QImage image(int(std::lround(inches.width() * ImageDotsPerInch)),
                 int(std::lround(inches.height() * ImageDotsPerInch)),
                 QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(ImageDotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::black);
    QPainter painter(&image);
    drawing.paint(painter, QRectF(image.rect()));
    painter.end();
    data->setImageData(image);
    return data;
}
