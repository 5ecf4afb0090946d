#include "window_front.h"

#include <QWidget>

namespace platform {

void bringToFront(QWidget &window)
{
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace platform
