#include "calculator/diagrams/diagram_store.h"
#include "calculator/zediz.h"
#include "platform/group_frame.h"

#include <QGroupBox>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr QRgb WindowGrey = 0xE0E0E0;
// Each edge of the outline is a shadow line with a light line beside it.
constexpr int EdgeWidth = 2;

// Reads a grab at the centre of each logical pixel, so that the checks read the same at any
// scale.
class Pixels
{
public:
    explicit Pixels(const QPixmap &grab)
        : image(grab.toImage())
        , ratio(grab.devicePixelRatio())
    {}

    QRgb at(QPoint p) const
    {
        const QPoint device(int((p.x() + 0.5) * ratio), int((p.y() + 0.5) * ratio));
        return image.pixel(device) & RGB_MASK;
    }

    // The first pixel of area that is not colour, described, or an empty text.
    QString firstOther(const QRegion &area, QRgb colour) const
    {
        for (const QRect &r : area) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    if (at({x, y}) != colour)
                        return u"(%1, %2) is #%3, not #%4"_s.arg(x)
                            .arg(y)
                            .arg(at({x, y}), 6, 16, QChar(u'0'))
                            .arg(colour, 6, 16, QChar(u'0'));
                }
            }
        }
        return {};
    }

    // Pixels of area, in device pixels, dark enough to be the strokes of black text.
    int darkPixels(const QRect &area) const
    {
        const QRect device(QPoint(int(area.left() * ratio), int(area.top() * ratio)),
                           QPoint(int((area.right() + 1) * ratio) - 1,
                                  int((area.bottom() + 1) * ratio) - 1));
        int count = 0;
        for (int y = device.top(); y <= device.bottom(); ++y) {
            for (int x = device.left(); x <= device.right(); ++x)
                count += qGray(image.pixel(x, y)) < 96;
        }
        return count;
    }

private:
    QImage image;
    qreal ratio;
};

} // namespace

// The main window's group frames as drawn: outline, caption and the controls within.
class tst_GroupFrame : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void controlsInsideOutline_data() { frames(); }
    void controlsInsideOutline();
    void classicEtchedLook_data() { frames(); }
    void classicEtchedLook();

private:
    static void frames();
    // The frame of the current row, with the row's caption if it gives one.
    QGroupBox *currentFrame();

    const DiagramStore store;
    std::unique_ptr<Zediz> window;
};

void tst_GroupFrame::init()
{
    window = std::make_unique<Zediz>(store);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void tst_GroupFrame::cleanup()
{
    window.reset();
}

void tst_GroupFrame::frames()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("caption"); // empty: as the window sets it
    for (const char *name :
         {"FrameCM", "FrameIN", "FrameCC", "FrameNOR", "FrameWS", "FrameAM", "FrameTA"})
        QTest::newRow(name) << QByteArray(name) << QString();
    // The longest caption the total's frame takes, once a multiplier applies.
    QTest::newRow("FrameTA with multipliers")
        << QByteArray("FrameTA") << u"Total  ( multiplier(s) are shown in brackets )"_s;
}

QGroupBox *tst_GroupFrame::currentFrame()
{
    QFETCH(QByteArray, name);
    QFETCH(QString, caption);
    auto *frame = window->findChild<QGroupBox *>(QLatin1StringView(name));
    if (frame && !caption.isEmpty())
        frame->setTitle(caption);
    return frame;
}

void tst_GroupFrame::controlsInsideOutline()
{
    const auto *frame = qobject_cast<platform::GroupFrame *>(currentFrame());
    QVERIFY2(frame, "not drawn as a classic group frame");
    const QRect outline = frame->outlineRect();
    const QRect caption = frame->captionRect();

    QVERIFY(frame->rect().contains(outline));
    QVERIFY(frame->rect().contains(caption));
    // The caption stands on the top edge, both its lines running through the caption's height.
    QVERIFY(caption.top() < outline.top());
    QVERIFY(outline.top() + EdgeWidth - 1 < caption.bottom());

    // Clear of both lines of every edge, with a pixel to spare.
    const int margin = EdgeWidth + 1;
    const QRect room = outline.adjusted(margin, margin, -margin, -margin);
    const auto controls = frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QVERIFY(!controls.isEmpty());
    for (const QWidget *control : controls) {
        const QByteArray where = control->objectName().toLatin1() + " at "
                                 + QTest::toString(control->geometry()) + " in "
                                 + QTest::toString(room) + ", caption " + QTest::toString(caption);
        QVERIFY2(room.contains(control->geometry()), where.constData());
        QVERIFY2(!control->geometry().intersects(caption), where.constData());
    }
}

void tst_GroupFrame::classicEtchedLook()
{
    auto *frame = qobject_cast<platform::GroupFrame *>(currentFrame());
    QVERIFY2(frame, "not drawn as a classic group frame");
    const QRect outline = frame->outlineRect();
    const QRect caption = frame->captionRect();
    const QRgb shadow = frame->palette().color(QPalette::Dark).rgb() & RGB_MASK;
    const QRgb light = frame->palette().color(QPalette::Light).rgb() & RGB_MASK;
    QVERIFY(shadow != WindowGrey && light != WindowGrey);
    const Pixels pixels(frame->grab());

    // The shadow rectangle, and the light one a pixel down and right of it; the top lines are
    // broken by the caption.
    const QRect shadowLines = outline.adjusted(0, 0, -1, -1);
    const QRect lightLines = outline.adjusted(1, 1, 0, 0);
    const auto edges = [&](const QRect &r) {
        return QRegion(r.left(), r.top(), r.width(), 1)
            .united(QRect(r.left(), r.top(), 1, r.height()))
            .united(QRect(r.right(), r.top(), 1, r.height()))
            .united(QRect(r.left(), r.bottom(), r.width(), 1))
            .subtracted(caption);
    };
    // Where the two cross, the shadow lies on top.
    const QRegion shadowEdges = edges(shadowLines);
    const QRegion lightEdges = edges(lightLines).subtracted(shadowEdges);
    QCOMPARE(pixels.firstOther(shadowEdges, shadow), QString());
    QCOMPARE(pixels.firstOther(lightEdges, light), QString());
    // The top line goes on right of the caption.
    QVERIFY(caption.right() + 1 < shadowLines.right());
    QCOMPARE(pixels.at({shadowLines.right() - 1, outline.top()}), shadow);

    // The caption breaks the top line with a gap on either side, and its text is there.
    const QRegion gaps = QRegion(caption.left(), caption.top(), 1, caption.height())
                             .united(QRect(caption.right(), caption.top(), 1, caption.height()));
    QCOMPARE(pixels.firstOther(gaps, WindowGrey), QString());
    QVERIFY(pixels.darkPixels(caption) > 20);

    // No panel: within the lines and above the top one, what is neither caption nor control is
    // the window's own grey.
    QRegion bare = QRegion(outline.adjusted(EdgeWidth, EdgeWidth, -EdgeWidth, -EdgeWidth))
                       .united(QRect(0, 0, frame->width(), outline.top()))
                       .subtracted(caption);
    for (const QWidget *control : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        bare -= control->geometry();
    QCOMPARE(pixels.firstOther(bare, WindowGrey), QString());
}

QTEST_MAIN(tst_GroupFrame)
#include "tst_group_frame.moc"
