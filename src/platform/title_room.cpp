#include "title_room.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>

namespace platform {

void makeRoomForTitle(QMessageBox &box)
{
    // Title bars set their caption in bold, beside an icon and up to three buttons, each
    // about as wide as the bar is high.
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int decoration = 4 * (metrics.height() + 8);
    const int width = metrics.horizontalAdvance(box.windowTitle()) + decoration;
    // The box takes the width its layout needs, so the room goes into the layout.
    if (auto *grid = qobject_cast<QGridLayout *>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed),
                      grid->rowCount(),
                      0,
                      1,
                      grid->columnCount());
    }
}

} // namespace platform
