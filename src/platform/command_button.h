#pragma once

#include <QPushButton>

namespace platform {

// A push button whose caption wraps at word boundaries when it is wider than the button, so
// that a tall, narrow button shows its caption on several lines.
class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace platform
