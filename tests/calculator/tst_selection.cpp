#include "calculator/choices.h"
#include "calculator/refresh_keys.h"
#include "calculator/table_selection.h"

#include <QTest>

namespace {

CalculatorState startState()
{
    CalculatorState s;
    loadStartState(s, {25, 1, 7});
    return s;
}

// Applies what one handler does to the state: an option, or the runs button. Returns whether
// the table selection asked for detail 4 of Table D9 to go on show at once.
bool apply(CalculatorState &s, const QString &action)
{
    bool pic94 = false;
    auto selectWith = [&](float &flag, float value) {
        flag = value;
        pic94 = selectTable(s);
        deriveTableNumber(s);
    };
    if (action == u"DB")
        selectWith(s.DirectBuried, 1);
    else if (action == u"ENC")
        selectWith(s.DirectBuried, 0);
    else if (action == u"SC")
        selectWith(s.SingleConductor, 1);
    else if (action == u"TRI")
        selectWith(s.SingleConductor, 0);
    else if (action == u"NOR") {
        stepRuns(s);
        deriveTableNumber(s);
    } else
        qFatal("unknown action %s", qPrintable(action));
    return pic94;
}

} // namespace

class tst_Selection : public QObject
{
    Q_OBJECT
private slots:
    void tableChoice_data();
    void tableChoice();
    void fixUp_data();
    void fixUp();
    void runsCycle_data();
    void runsCycle();
    void runsOffCycle_data();
    void runsOffCycle();
    void paths_data();
    void paths();
    void earthTemperature();
    void earthTemperatureWrap_data();
    void earthTemperatureWrap();
    void insulation();
    void insulationOtherValue();
    void material();
};

void tst_Selection::tableChoice_data()
{
    QTest::addColumn<float>("directBuried");
    QTest::addColumn<float>("singleConductor");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("single, buried") << 1.0f << 1.0f << "8" << 8;
    QTest::newRow("three, buried") << 1.0f << 0.0f << "10" << 10;
    QTest::newRow("three, conduit") << 0.0f << 0.0f << "11" << 11;
    QTest::newRow("single, conduit") << 0.0f << 1.0f << "9" << 9;
    QTest::newRow("any other flags") << 0.5f << 2.0f << "9" << 9;
}

void tst_Selection::tableChoice()
{
    QFETCH(float, directBuried);
    QFETCH(float, singleConductor);
    QFETCH(QString, text);
    QFETCH(int, number);
    CalculatorState s = startState();
    s.DirectBuried = directBuried;
    s.SingleConductor = singleConductor;
    selectTable(s);
    QCOMPARE(s.TableNumberText, text);
    deriveTableNumber(s);
    QCOMPARE(s.TableNumber, qint16(number));
}

void tst_Selection::fixUp_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("runsBefore");
    QTest::addColumn<float>("detailBefore");
    QTest::addColumn<int>("runs");
    QTest::addColumn<float>("detail");
    QTest::addColumn<bool>("pic94");
    // Every row of the fix-up, and the run counts no row matches.
    QTest::newRow("D8 8") << 8 << 8 << 8.0f << 6 << 6.0f << false;
    QTest::newRow("D8 9") << 8 << 9 << 9.0f << 6 << 6.0f << false;
    QTest::newRow("D8 6 wide") << 8 << 6 << 7.0f << 6 << 6.0f << false;
    QTest::newRow("D8 5") << 8 << 5 << 5.0f << 4 << 4.0f << false;
    QTest::newRow("D8 4 wide") << 8 << 4 << 5.0f << 4 << 4.0f << false;
    QTest::newRow("D8 3") << 8 << 3 << 3.0f << 2 << 2.0f << false;
    QTest::newRow("D8 2 wide") << 8 << 2 << 3.0f << 2 << 2.0f << false;
    QTest::newRow("D8 1 untouched") << 8 << 1 << 1.0f << 1 << 1.0f << false;
    QTest::newRow("D8 7 untouched") << 8 << 7 << 5.0f << 7 << 5.0f << false;
    QTest::newRow("D8 0 untouched") << 8 << 0 << 2.0f << 0 << 2.0f << false;
    QTest::newRow("D10 8") << 10 << 8 << 8.0f << 6 << 6.0f << false;
    QTest::newRow("D10 6 from D9") << 10 << 6 << 4.0f << 6 << 6.0f << false;
    QTest::newRow("D10 4 from D9") << 10 << 4 << 3.0f << 4 << 4.0f << false;
    QTest::newRow("D10 2 wide") << 10 << 2 << 3.0f << 2 << 2.0f << false;
    QTest::newRow("D10 1 untouched") << 10 << 1 << 1.0f << 1 << 1.0f << false;
    QTest::newRow("D10 7 untouched") << 10 << 7 << 7.0f << 7 << 7.0f << false;
    QTest::newRow("D11 8") << 11 << 8 << 8.0f << 8 << 8.0f << false;
    QTest::newRow("D11 6 from D9") << 11 << 6 << 4.0f << 6 << 6.0f << false;
    QTest::newRow("D11 4 from D9") << 11 << 4 << 3.0f << 4 << 4.0f << false;
    QTest::newRow("D11 1") << 11 << 1 << 1.0f << 1 << 1.0f << false;
    QTest::newRow("D9 8 shows detail 4") << 9 << 8 << 8.0f << 6 << 4.0f << true;
    QTest::newRow("D9 6") << 9 << 6 << 6.0f << 6 << 4.0f << false;
    QTest::newRow("D9 5") << 9 << 5 << 5.0f << 4 << 3.0f << false;
    QTest::newRow("D9 4") << 9 << 4 << 5.0f << 4 << 3.0f << false;
    QTest::newRow("D9 3") << 9 << 3 << 3.0f << 2 << 2.0f << false;
    QTest::newRow("D9 2 wide") << 9 << 2 << 3.0f << 2 << 2.0f << false;
    QTest::newRow("D9 1 untouched") << 9 << 1 << 1.0f << 1 << 1.0f << false;
    QTest::newRow("D9 7 untouched") << 9 << 7 << 7.0f << 7 << 7.0f << false;
}

void tst_Selection::fixUp()
{
    QFETCH(int, table);
    QFETCH(int, runsBefore);
    QFETCH(float, detailBefore);
    QFETCH(int, runs);
    QFETCH(float, detail);
    QFETCH(bool, pic94);
    CalculatorState s = startState();
    s.DirectBuried = (table == 8 || table == 10) ? 1 : 0;
    s.SingleConductor = (table == 8 || table == 9) ? 1 : 0;
    s.RunCount = qint16(runsBefore);
    s.DetailNumber = detailBefore;
    s.RunsSuffix = QStringLiteral(" Wide Spacing");
    QCOMPARE(selectTable(s), pic94);
    QCOMPARE(s.RunCount, qint16(runs));
    QCOMPARE(s.DetailNumber, detail);
    QVERIFY(s.RunsSuffix.isEmpty());
    QCOMPARE(runsCaption(s), QString::number(runs));
}

void tst_Selection::runsCycle_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("D8")
        << QStringList{"SC"}
        << QStringList{"2", "2 Wide Spacing", "4", "4 Wide Spacing", "6", "6 Wide Spacing", "1", "2"}
        << QStringList{"D8A22", "D8A23", "D8A44", "D8A45", "D8A66", "D8A67", "D8A11", "D8A22"};
    QTest::newRow("D9") << QStringList{"ENC", "SC"} << QStringList{"2", "4", "6", "1", "2"}
                        << QStringList{"D9A22", "D9A43", "D9A64", "D9A11", "D9A22"};
    QTest::newRow("D10") << QStringList{} << QStringList{"2", "3", "4", "5", "6", "1", "2"}
                         << QStringList{"D10A22",
                                        "D10A33",
                                        "D10A44",
                                        "D10A55",
                                        "D10A66",
                                        "D10A11",
                                        "D10A22"};
    QTest::newRow("D11") << QStringList{"ENC"} << QStringList{"2", "3", "4", "5", "6", "8", "1"}
                         << QStringList{"D11A22",
                                        "D11A33",
                                        "D11A44",
                                        "D11A55",
                                        "D11A66",
                                        "D11A88",
                                        "D11A11"};
}

void tst_Selection::runsCycle()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, codes);
    CalculatorState s = startState();
    for (const QString &o : options)
        apply(s, o);
    QStringList seenCaptions, seenCodes;
    for (int i = 0; i < captions.size(); ++i) {
        apply(s, QStringLiteral("NOR"));
        seenCaptions << runsCaption(s);
        seenCodes << composeTableCode(s);
    }
    QCOMPARE(seenCaptions, captions);
    QCOMPARE(seenCodes, codes);
}

void tst_Selection::runsOffCycle_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("runsBefore");
    QTest::addColumn<float>("detailBefore");
    QTest::addColumn<int>("runs");
    QTest::addColumn<float>("detail");
    QTest::newRow("D8 3 stays") << "8" << 3 << 3.0f << 3 << 3.0f;
    QTest::newRow("D8 5 stays") << "8" << 5 << 5.0f << 5 << 5.0f;
    QTest::newRow("D8 2 at detail 3") << "8" << 2 << 3.0f << 4 << 4.0f;
    QTest::newRow("D8 1 at any detail") << "8" << 1 << 4.0f << 2 << 2.0f;
    QTest::newRow("D9 3 restarts") << "9" << 3 << 3.0f << 1 << 1.0f;
    QTest::newRow("D10 7 restarts") << "10" << 7 << 7.0f << 1 << 1.0f;
    QTest::newRow("D10 0 restarts") << "10" << 0 << 0.0f << 1 << 1.0f;
    QTest::newRow("D11 7 restarts") << "11" << 7 << 7.0f << 1 << 1.0f;
    QTest::newRow("no table") << "12" << 3 << 2.0f << 3 << 2.0f;
}

void tst_Selection::runsOffCycle()
{
    QFETCH(QString, table);
    QFETCH(int, runsBefore);
    QFETCH(float, detailBefore);
    QFETCH(int, runs);
    QFETCH(float, detail);
    CalculatorState s = startState();
    s.TableNumberText = table;
    s.RunCount = qint16(runsBefore);
    s.DetailNumber = detailBefore;
    s.RunsSuffix = QStringLiteral("kept");
    stepRuns(s);
    QCOMPARE(s.RunCount, qint16(runs));
    QCOMPARE(s.DetailNumber, detail);
    // Only a D8 step from an even run count decides the suffix.
    const bool decided = table == u"8" && (runsBefore == 2 || runsBefore == 4 || runsBefore == 6);
    QCOMPARE(s.RunsSuffix, decided ? QString() : QStringLiteral("kept"));
}

void tst_Selection::paths_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("pic94");
    QTest::newRow("start, conduit") << QStringList{"ENC"} << "D11A11"
                                    << "111"
                                    << "1" << false;
    QTest::newRow("D10 5 runs, single") << QStringList{"NOR", "NOR", "NOR", "NOR", "SC"} << "D8A44"
                                        << "84"
                                        << "4" << false;
    QTest::newRow("D10 3 runs, single") << QStringList{"NOR", "NOR", "SC"} << "D8A22"
                                        << "82"
                                        << "2" << false;
    QTest::newRow("D9 4 runs, buried") << QStringList{"ENC", "SC", "NOR", "NOR", "DB"} << "D8A44"
                                       << "84"
                                       << "4" << false;
    QTest::newRow("D11 8 runs, single")
        << QStringList{"ENC", "NOR", "NOR", "NOR", "NOR", "NOR", "NOR", "SC"} << "D9A64"
        << "94"
        << "6" << true;
    QTest::newRow("D11 8 runs, buried")
        << QStringList{"ENC", "NOR", "NOR", "NOR", "NOR", "NOR", "NOR", "DB"} << "D10A66"
        << "106"
        << "6" << false;
    QTest::newRow("D8 4 wide, three")
        << QStringList{"SC", "NOR", "NOR", "NOR", "NOR", "TRI"} << "D10A44"
        << "104"
        << "4" << false;
    QTest::newRow("D8 2 wide, D8 again") << QStringList{"SC", "NOR", "NOR", "SC"} << "D8A22"
                                         << "82"
                                         << "2" << false;
    QTest::newRow("D8 6 wide, D8 again")
        << QStringList{"SC", "NOR", "NOR", "NOR", "NOR", "NOR", "NOR", "SC"} << "D8A66"
        << "86"
        << "6" << false;
    QTest::newRow("D11 8 runs, runs button")
        << QStringList{"ENC", "NOR", "NOR", "NOR", "NOR", "NOR", "NOR", "NOR"} << "D11A11"
        << "111"
        << "1" << false;
}

void tst_Selection::paths()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, code);
    QFETCH(QString, diagram);
    QFETCH(QString, caption);
    QFETCH(bool, pic94);
    CalculatorState s = startState();
    bool last = false;
    for (const QString &a : actions)
        last = apply(s, a);
    QCOMPARE(composeTableCode(s), code);
    QCOMPARE(composeDiagramNumber(s), diagram);
    QCOMPARE(runsCaption(s), caption);
    QCOMPARE(last, pic94);
    QCOMPARE(QString::number(s.TableNumber), s.TableNumberText);
}

void tst_Selection::earthTemperature()
{
    CalculatorState s = startState();
    QStringList captions;
    for (int i = 0; i < 8; ++i)
        captions << stepEarthTemperature(s);
    const QString prefix = QStringLiteral("Ambient Earth Temperature ");
    QStringList expected;
    for (const char *t : {"22", "24", "26", "28", "30", "16", "18", "20"})
        expected << prefix + QLatin1StringView(t) + QStringLiteral("\u00B0C");
    QCOMPARE(captions, expected);
    QCOMPARE(s.EarthTemperature, qint16(20));
}

void tst_Selection::earthTemperatureWrap_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("28 steps up") << 28 << 30;
    QTest::newRow("29 wraps") << 29 << 16;
    QTest::newRow("30 wraps") << 30 << 16;
    QTest::newRow("31 wraps") << 31 << 16;
    QTest::newRow("odd below") << 17 << 19;
}

void tst_Selection::earthTemperatureWrap()
{
    QFETCH(int, before);
    QFETCH(int, after);
    CalculatorState s = startState();
    s.EarthTemperature = qint16(before);
    stepEarthTemperature(s);
    QCOMPARE(s.EarthTemperature, qint16(after));
}

void tst_Selection::insulation()
{
    CalculatorState s = startState();
    const QString c75 = stepInsulation(s);
    QCOMPARE(s.InsulationFactor, 0.886f);
    const QString c60 = stepInsulation(s);
    QCOMPARE(s.InsulationFactor, 0.75f);
    const QString c90 = stepInsulation(s);
    QCOMPARE(s.InsulationFactor, 1.0f);
    QCOMPARE(c75, QStringLiteral("Insulation Rating  75\u00B0C "));
    QCOMPARE(c60, QStringLiteral("Insulation Rating  60\u00B0C "));
    QCOMPARE(c90, QStringLiteral("Insulation Rating  90\u00B0C "));
}

void tst_Selection::insulationOtherValue()
{
    CalculatorState s = startState();
    s.InsulationFactor = 0.5f;
    QCOMPARE(stepInsulation(s), QStringLiteral("Insulation Rating  90\u00B0C "));
    QCOMPARE(s.InsulationFactor, 1.0f);
}

void tst_Selection::material()
{
    CalculatorState s = startState();
    s.RunCount = 3;
    s.DetailNumber = 3;
    s.EarthTemperature = 24;
    QCOMPARE(selectMaterial(s, Material::Aluminum), QRgb(0x0000C0));
    QCOMPARE(composeTableCode(s), QStringLiteral("D10B33"));
    QCOMPARE(tableCaption(s), QStringLiteral("For 90\u00B0C Conductors Based on table D10B"));
    QCOMPARE(selectMaterial(s, Material::Copper), QRgb(0x800000));
    QCOMPARE(composeTableCode(s), QStringLiteral("D10A33"));
    QCOMPARE(s.EarthTemperature, qint16(24));
}

QTEST_GUILESS_MAIN(tst_Selection)
#include "tst_selection.moc"
