#pragma once

class QWidget;

namespace platform {

// Brings a top-level window back whole: restored if it was minimised, shown, in front and
// active. Some window managers minimise windows that ask for no minimise button, and a window
// without a task bar entry has no other way back.
void bringToFront(QWidget &window);

} // namespace platform
