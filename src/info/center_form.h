#pragma once

#include <QSizeF>

class QWidget;

namespace Module1 {

// Moves window (the frame's top-left corner) so that it stands centred over main, kept on
// main's screen; width and height are the window's outer size in twips. Its size is left alone.
void CenterForm(QWidget &window, const QWidget &main, float width, float height);

// The outer size of window in twips, frame included, for CenterForm.
QSizeF outerSizeTwips(const QWidget &window, const QWidget &main);

} // namespace Module1
