#pragma once

class QMessageBox;

namespace platform {

// Widens a message box so that the window manager can show its whole title: the box sizes
// itself by its text and buttons, and a title longer than those is cut in the title bar.
void makeRoomForTitle(QMessageBox &box);

} // namespace platform
