#pragma once

#include <QGroupBox>

namespace platform {

// A group box drawn as a classic group frame: an etched outline whose top line runs through
// the middle of the caption and is broken by it near the left, and no panel of its own, so the
// inside shows the window's background. Not meant to be checkable or flat.
class GroupFrame : public QGroupBox
{
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

    // The etched outline, its shadow and light lines included, in widget coordinates.
    QRect outlineRect() const;
    // The stretch the caption takes out of the top line, with a small gap on either side of the
    // text; empty without a caption.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace platform
