#include "calculator/calculator_state.h"
#include "calculator/refresh_keys.h"

#include <QTest>

class tst_StartState : public QObject
{
    Q_OBJECT
private slots:
    void texts();
    void startSelection();
    void placement_data();
    void placement();
};

void tst_StartState::texts()
{
    CalculatorState s;
    loadStartState(s, {25, 1, 7});
    QCOMPARE(s.Program, QStringLiteral("Loamvane"));
    QCOMPARE(s.Version, QStringLiteral("Version: 25.1.7"));
    QCOMPARE(s.Copyrt, QStringLiteral("Copyright \u00A9 2001-2025 Tessaly Inc."));

    loadStartState(s, {3, 10, 100});
    QCOMPARE(s.Version, QStringLiteral("Version: 3.10.100"));
    QCOMPARE(s.Copyrt, QStringLiteral("Copyright \u00A9 2001-203 Tessaly Inc."));
}

void tst_StartState::startSelection()
{
    CalculatorState s;
    loadStartState(s, {25, 1, 7});
    QCOMPARE(composeTableCode(s), QStringLiteral("D10A11"));
    QCOMPARE(composeDiagramNumber(s), QStringLiteral("101"));
    QCOMPARE(tableCaption(s), QStringLiteral("For 90\u00B0C Conductors Based on table D10A"));
    QCOMPARE(s.EarthTemperature, qint16(20));
    QCOMPARE(s.InsulationFactor, 1.0f);
    QCOMPARE(s.DirectBuried, 1.0f);
    QCOMPARE(s.SingleConductor, 0.0f);
    // Keys start empty so that the first tick does all the work.
    QVERIFY(s.ShownDiagramNumber.isEmpty());
    QVERIFY(s.ListedTableCode.isEmpty());
    QCOMPARE(s.ShownTotal, 0.0f);
}

void tst_StartState::placement_data()
{
    QTest::addColumn<double>("screenWidth");
    QTest::addColumn<double>("windowWidth");
    QTest::addColumn<double>("screenHeight");
    QTest::addColumn<double>("windowHeight");
    QTest::addColumn<qint64>("left");
    QTest::addColumn<qint64>("top");
    QTest::newRow("odd free width, free height 301")
        << 8681.0 << 8130.0 << 6106.0 << 5805.0 << qint64(275) << qint64(100);
    QTest::newRow("free height 1000")
        << 8130.0 << 8130.0 << 6805.0 << 5805.0 << qint64(0) << qint64(333);
    QTest::newRow("wider than the screen")
        << 7829.0 << 8130.0 << 5805.0 << 5805.0 << qint64(-150) << qint64(0);
    QTest::newRow("taller than the screen")
        << 8130.0 << 8130.0 << 5504.0 << 5805.0 << qint64(0) << qint64(-100);
    QTest::newRow("half twip rounds to even")
        << 8130.5 << 8130.0 << 5806.5 << 5805.0 << qint64(0) << qint64(0);
    QTest::newRow("1920 x 1080 screen")
        << 28800.0 << 8130.0 << 16200.0 << 5805.0 << qint64(10335) << qint64(3465);
}

void tst_StartState::placement()
{
    QFETCH(double, screenWidth);
    QFETCH(double, windowWidth);
    QFETCH(double, screenHeight);
    QFETCH(double, windowHeight);
    QFETCH(qint64, left);
    QFETCH(qint64, top);
    const TwipsPoint p = startPosition(screenWidth, windowWidth, screenHeight, windowHeight);
    QCOMPARE(p.left, left);
    QCOMPARE(p.top, top);
}

QTEST_GUILESS_MAIN(tst_StartState)
#include "tst_start_state.moc"
