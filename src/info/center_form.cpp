#include "center_form.h"

#include "center_edge.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Module1 {

namespace {
// The edges of the latest call, in twips.
double CenterLeft = 0;
double CenterTop = 0;

QSize frameExtra(const QWidget &window)
{
    return window.frameGeometry().size() - window.size();
}
} // namespace

void CenterForm(QWidget &window, const QWidget &main, float width, float height)
{
    using platform::toPixels;
    using platform::toTwips;

    const QScreen *screen = main.screen() ? main.screen() : QGuiApplication::primaryScreen();
    // Measured from the screen's own corner, so that clamping keeps the window on the screen
    // the main window is on, wherever that screen lies on the desktop.
    const QRect desk = screen->geometry();
    const QRect outer = main.frameGeometry().translated(-desk.topLeft());

    CenterLeft = centredEdge(float(toTwips(outer.left())),
                             float(toTwips(outer.width())),
                             width,
                             float(toTwips(desk.width())));
    CenterTop = centredEdge(float(toTwips(outer.top())),
                            float(toTwips(outer.height())),
                            height,
                            float(toTwips(desk.height())));
    window.move(desk.topLeft() + QPoint(toPixels(float(CenterLeft)), toPixels(float(CenterTop))));
}

QSizeF outerSizeTwips(const QWidget &window, const QWidget &main)
{
    // Until a window has been mapped the window system has not told Qt its frame; the main
    // window's frame, already known, is the best guess for a title bar and border of ours.
    QSize extra = frameExtra(window);
    if (extra.isNull())
        extra = frameExtra(main);
    const QSize outer = window.size() + extra;
    return {platform::toTwips(outer.width()), platform::toTwips(outer.height())};
}

} // namespace Module1
