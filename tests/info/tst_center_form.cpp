#include "info/center_edge.h"
#include "info/center_form.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

class tst_CenterForm : public QObject
{
    Q_OBJECT
private slots:
    void edge_data();
    void edge();
    void movesWithoutResizing_data();
    void movesWithoutResizing();
};

void tst_CenterForm::edge_data()
{
    QTest::addColumn<float>("mainEdge");
    QTest::addColumn<float>("mainSize");
    QTest::addColumn<float>("ownSize");
    QTest::addColumn<float>("screenSize");
    QTest::addColumn<double>("expected");

    // 825 - 480 = 345, and 345 \ 2 = 172: the half is dropped.
    QTest::newRow("odd difference") << 300.f << 825.f << 480.f << 9600.f << 472.0;
    QTest::newRow("344.5 rounds to 344") << 300.f << 824.5f << 480.f << 9600.f << 472.0;
    QTest::newRow("345.5 rounds to 346") << 300.f << 825.5f << 480.f << 9600.f << 473.0;
    // 480 - 795 = -315, and -315 \ 2 = -157, not -158.
    QTest::newRow("negative difference") << 300.f << 480.f << 795.f << 9600.f << 143.0;
    QTest::newRow("left of screen") << -283.f << 480.f << 480.f << 9600.f << 0.0;
    // A window wider than the screen puts the upper bound below 0; 0 must still win.
    QTest::newRow("exactly 0") << 0.f << 700.f << 700.f << 600.f << 0.0;
    QTest::newRow("beyond bound") << 500.f << 480.f << 480.f << 960.f << 480.0;
    QTest::newRow("at bound") << 480.f << 480.f << 480.f << 960.f << 480.0;
    QTest::newRow("just inside bound") << 479.f << 480.f << 480.f << 960.f << 479.0;
    QTest::newRow("wider than screen, right") << 50.f << 700.f << 700.f << 600.f << -100.0;
    QTest::newRow("wider than screen, left") << -50.f << 700.f << 700.f << 600.f << 0.0;
    // The bound keeps the fraction that the difference lost.
    QTest::newRow("bound unrounded")
        << 500.f << 480.4f << 480.4f << 960.f << double(960.f - 480.4f);
}

void tst_CenterForm::edge()
{
    QFETCH(float, mainEdge);
    QFETCH(float, mainSize);
    QFETCH(float, ownSize);
    QFETCH(float, screenSize);
    QFETCH(double, expected);

    QCOMPARE(Module1::centredEdge(mainEdge, mainSize, ownSize, screenSize), expected);
}

// Where the window's frame is to end up along one axis.
enum class Place { Centred, ScreenStart, ScreenEnd };

void tst_CenterForm::movesWithoutResizing_data()
{
    QTest::addColumn<QRect>("mainFrame");
    QTest::addColumn<Place>("across");
    QTest::addColumn<Place>("down");

    // The window is 100 x 50 pixels inside its frame; each axis is worked out on its own.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTest::newRow("centred") << QRect(100, 100, 300, 200) << Place::Centred << Place::Centred;
    QTest::newRow("left clamped, top centred")
        << QRect(-200, 100, 300, 200) << Place::ScreenStart << Place::Centred;
    QTest::newRow("bottom clamped, left centred")
        << QRect(100, screen.bottom() - 100, 300, 200) << Place::Centred << Place::ScreenEnd;
}

void tst_CenterForm::movesWithoutResizing()
{
    QFETCH(QRect, mainFrame);
    QFETCH(Place, across);
    QFETCH(Place, down);

    QWidget main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const QMargins frame(main.geometry().left() - main.frameGeometry().left(),
                         main.geometry().top() - main.frameGeometry().top(),
                         main.frameGeometry().right() - main.geometry().right(),
                         main.frameGeometry().bottom() - main.geometry().bottom());
    main.setGeometry(mainFrame.marginsRemoved(frame));
    QTRY_COMPARE(main.frameGeometry(), mainFrame);

    QWidget window;
    window.setFixedSize(100, 50);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QSizeF outer = Module1::outerSizeTwips(window, main);
    QCOMPARE(outer,
             QSizeF(platform::toTwips(window.frameGeometry().width()),
                    platform::toTwips(window.frameGeometry().height())));
    Module1::CenterForm(window, main, float(outer.width()), float(outer.height()));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // start, end and centre of the window's frame and of the main window's, and the screen's
    // end, along one axis
    auto placed = [](Place place, int start, int end, int centre, int mainCentre, int screenEnd) {
        switch (place) {
        case Place::Centred:
            return qAbs(centre - mainCentre) <= 1;
        case Place::ScreenStart:
            return start == 0;
        case Place::ScreenEnd:
            return end == screenEnd;
        }
        return false;
    };
    QTRY_VERIFY(placed(across,
                       window.frameGeometry().left(),
                       window.frameGeometry().right(),
                       window.frameGeometry().center().x(),
                       mainFrame.center().x(),
                       screen.right()));
    QTRY_VERIFY(placed(down,
                       window.frameGeometry().top(),
                       window.frameGeometry().bottom(),
                       window.frameGeometry().center().y(),
                       mainFrame.center().y(),
                       screen.bottom()));
    QCOMPARE(window.size(), QSize(100, 50));
}

QTEST_MAIN(tst_CenterForm)
#include "tst_center_form.moc"
