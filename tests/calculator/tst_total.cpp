#include "calculator/total.h"

#include <QTest>

namespace {

const QString Dot = QStringLiteral(" \u00B7 ");
const QString Bracketed = QStringLiteral("Total  ( multiplier(s) are shown in brackets )");

CalculatorState selection(int runs, int earthTemperature, float insulation)
{
    CalculatorState s;
    loadStartState(s, {25, 1, 7});
    s.RunCount = qint16(runs);
    s.EarthTemperature = qint16(earthTemperature);
    s.InsulationFactor = insulation;
    return s;
}

} // namespace

class tst_Total : public QObject
{
    Q_OBJECT
private slots:
    void display_data();
    void display();
    void temperatureFactor_data();
    void temperatureFactor();
    void unchangedTotalWritesNothing();
    void emptyEntryAtStartWritesNothing();
};

void tst_Total::display_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("runs");
    QTest::addColumn<int>("earthTemperature");
    QTest::addColumn<float>("insulation");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::newRow("start") << "    262 A" << 1 << 20 << 1.0f << "262 A"
                           << "Total Ampacity";
    QTest::newRow("22 degrees") << "    262 A" << 1 << 22 << 1.0f << "258 A (" + Dot + "0.986)"
                                << Bracketed;
    QTest::newRow("D10A22 30 degrees 60 insulation")
        << "    221 A" << 2 << 30 << 0.75f << "306 A (" + Dot + "2" + Dot + "0.926" + Dot + "0.75)"
        << Bracketed;
    QTest::newRow("D8A22 500 MCM 75 insulation")
        << "    605 A" << 2 << 20 << 0.886f << "1072 A (" + Dot + "2" + Dot + "0.886)" << Bracketed;
    QTest::newRow("D11A88 2000 MCM 16 degrees 75 insulation")
        << "    476 A" << 8 << 16 << 0.886f
        << "3468 A (" + Dot + "8" + Dot + "1.028" + Dot + "0.886)" << Bracketed;
    // The total uses the unrounded factor: 357 × 1.028 is just under 367, 357 × 0.986 just
    // over 352.
    QTest::newRow("357 A at 16 degrees")
        << "    357 A" << 1 << 16 << 1.0f << "367 A (" + Dot + "1.028)" << Bracketed;
    QTest::newRow("357 A at 22 degrees")
        << "    357 A" << 1 << 22 << 1.0f << "351 A (" + Dot + "0.986)" << Bracketed;
    QTest::newRow("runs only") << "    1060 A" << 6 << 20 << 1.0f << "6360 A (" + Dot + "6)"
                               << Bracketed;
    QTest::newRow("not a number counts as 0 A")
        << "=" << 2 << 20 << 1.0f << "0 A (" + Dot + "2)" << Bracketed;
}

void tst_Total::display()
{
    QFETCH(QString, entry);
    QFETCH(int, runs);
    QFETCH(int, earthTemperature);
    QFETCH(float, insulation);
    QFETCH(QString, text);
    QFETCH(QString, caption);
    CalculatorState s = selection(runs, earthTemperature, insulation);
    s.ShownTotal = -1; // so that even a total of 0 counts as new
    const auto shown = computeTotal(s, entry);
    QVERIFY(shown);
    QCOMPARE(shown->text, text);
    QCOMPARE(shown->caption, caption);
}

void tst_Total::temperatureFactor_data()
{
    QTest::addColumn<int>("earthTemperature");
    QTest::addColumn<float>("factor");
    QTest::addColumn<QString>("shown");
    QTest::newRow("16") << 16 << 1.028175f << "1.028";
    QTest::newRow("18") << 18 << 1.014185f << "1.014";
    QTest::newRow("20") << 20 << 1.0f << "";
    QTest::newRow("22") << 22 << 0.9856108f << "0.986";
    QTest::newRow("24") << 24 << 0.9710083f << "0.971";
    QTest::newRow("26") << 26 << 0.9561829f << "0.956";
    QTest::newRow("28") << 28 << 0.941124f << "0.941";
    QTest::newRow("30") << 30 << 0.9258201f << "0.926";
}

void tst_Total::temperatureFactor()
{
    QFETCH(int, earthTemperature);
    QFETCH(float, factor);
    QFETCH(QString, shown);
    QCOMPARE(earthTemperatureFactor(qint16(earthTemperature)), factor);
    CalculatorState s = selection(1, earthTemperature, 1.0f);
    QVERIFY(computeTotal(s, u"    500 A"));
    QCOMPARE(s.TemperatureFactorText, shown.isEmpty() ? QString() : Dot + shown);
}

void tst_Total::unchangedTotalWritesNothing()
{
    CalculatorState s = selection(1, 20, 1.0f);
    QVERIFY(computeTotal(s, u"    262 A"));
    QCOMPARE(s.ShownTotal, 262.0f);
    QVERIFY(!computeTotal(s, u"    262 A"));
    // A change of multiplier whose floored total is still 262 keeps the old texts.
    s.InsulationFactor = 1.0001f;
    QVERIFY(!computeTotal(s, u"    262 A"));
    QVERIFY(s.InsulationFactorText.isEmpty());
    QCOMPARE(s.TotalUnitText, QStringLiteral(" A"));
}

void tst_Total::emptyEntryAtStartWritesNothing()
{
    CalculatorState s = selection(1, 20, 1.0f);
    QVERIFY(!computeTotal(s, u""));
    QCOMPARE(s.TotalAmpacity, 0.0f);
}

QTEST_GUILESS_MAIN(tst_Total)
#include "tst_total.moc"
