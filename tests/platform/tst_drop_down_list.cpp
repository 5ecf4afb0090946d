#include "platform/drop_down_list.h"

#include <QApplication>
#include <QProxyStyle>
#include <QSet>
#include <QStyleOptionComplex>
#include <QTest>

namespace {

// Notes the palette identity each box is drawn with: the key the style caches its pixmaps by.
class KeyRecorder : public QProxyStyle
{
public:
    QSet<qint64> keys;
    void drawComplexControl(ComplexControl control,
                            const QStyleOptionComplex *option,
                            QPainter *painter,
                            const QWidget *widget) const override
    {
        if (control == CC_ComboBox)
            const_cast<KeyRecorder *>(this)->keys.insert(option->palette.cacheKey());
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

} // namespace

class tst_DropDownList : public QObject
{
    Q_OBJECT
private slots:
    void twoColoursAreTwoCacheKeys();
};

// Going back and forth between two text colours must not give the style a new key each time,
// or its pixmap cache keeps growing with every change.
void tst_DropDownList::twoColoursAreTwoCacheKeys()
{
    platform::DropDownList list;
    auto *recorder = new KeyRecorder;
    list.setStyle(recorder);
    list.addItem(QStringLiteral("1/0 AWG"));
    list.resize(96, 23);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    for (int change = 0; change < 40; ++change) {
        QPalette palette = list.palette();
        palette.setColor(QPalette::ButtonText, change % 2 ? QColor(0x0000C0) : QColor(0x800000));
        list.setPalette(palette);
        list.repaint();
    }
    QVERIFY2(recorder->keys.size() <= 3, qPrintable(QString::number(recorder->keys.size())));
}

QTEST_MAIN(tst_DropDownList)
#include "tst_drop_down_list.moc"
