#include "drop_down_list.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace platform {

void DropDownList::showPopup()
{
    // The popup is made on first use, after the box has its colours.
    colourPopup();
    QComboBox::showPopup();
}

void DropDownList::changeEvent(QEvent *event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        colourPopup();
}

void DropDownList::colourPopup()
{
    QAbstractItemView *list = view();
    QPalette colours = list->palette();
    const QColor text = palette().color(QPalette::ButtonText);
    const QColor face = palette().color(QPalette::Button);
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            colours.setColor(group, role, text);
        for (const auto role : {QPalette::Base, QPalette::Window, QPalette::Button})
            colours.setColor(group, role, face);
    }
    list->setPalette(colours);
}

// The style keys its cached pixmaps by the palette's identity, and every palette a widget is
// given is a new one, even with the same colours: switching between two colours would add
// keys for ever.
const QPalette &DropDownList::knownPalette(const QPalette &palette)
{
    for (const QPalette &known : std::as_const(painted)) {
        if (known == palette && known.resolveMask() == palette.resolveMask())
            return known;
    }
    painted.append(palette);
    return painted.constLast();
}

void DropDownList::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QPalette::ColorGroup group = option.palette.currentColorGroup();
    option.palette = knownPalette(option.palette);
    option.palette.setCurrentColorGroup(group);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace platform
