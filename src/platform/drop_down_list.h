#pragma once

#include <QComboBox>
#include <QList>
#include <QPalette>

namespace platform {

// A drop-down list whose dropped list shows its entries in the box's own text and face
// colours, and whose colour changes do not pile up in the style's pixmap cache.
class DropDownList : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override;

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void colourPopup();
    const QPalette &knownPalette(const QPalette &palette);

    // Every palette this box has been painted with, so that one colour is one cache key.
    QList<QPalette> painted;
};

} // namespace platform
