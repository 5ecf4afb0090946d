#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window geometry is designed in twips: 1440 to the inch, 15 to a device-independent pixel.
namespace platform {

inline constexpr int TwipsPerPixel = 15;

constexpr int toPixels(double twips)
{
    const double pixels = twips / TwipsPerPixel;
    return int(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}

constexpr double toTwips(int pixels)
{
    return double(pixels) * TwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

constexpr QSize twipsSize(int width, int height)
{
    return QSize(toPixels(width), toPixels(height));
}

} // namespace platform
