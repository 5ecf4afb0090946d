#include "command_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace platform {

void CommandButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const int shift = isDown()
                          ? style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this)
                          : 0;
    const int shiftDown = isDown()
                              ? style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this)
                              : 0;
    painter.drawItemText(area.translated(shift, shiftDown),
                         Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                         palette(),
                         isEnabled(),
                         caption,
                         QPalette::ButtonText);
}

} // namespace platform
