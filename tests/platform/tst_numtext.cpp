#include "platform/numtext.h"
#include "platform/vbmath.h"

#include <QTest>

#include <cmath>

using namespace platform;

class tst_NumText : public QObject
{
    Q_OBJECT
private slots:
    void integerText_data();
    void integerText();
    void singleText_data();
    void singleText();
    void singleTextIgnoresLocale();
    void leading_data();
    void leading();
    void whole_data();
    void whole();
    void halfEven_data();
    void halfEven();
    void division_data();
    void division();
};

void tst_NumText::integerText_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("one") << 1 << "1";
    QTest::newRow("two digits") << 10 << "10";
    QTest::newRow("negative") << -150 << "-150";
    QTest::newRow("zero") << 0 << "0";
    QTest::newRow("smallest") << -32768 << "-32768";
}

void tst_NumText::integerText()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(decimalText(qint16(value)), text);
}

void tst_NumText::singleText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 1.0f << "1";
    QTest::newRow("detail") << 8.0f << "8";
    QTest::newRow("insulation 75") << 0.886f << "0.886";
    QTest::newRow("insulation 60") << 0.75f << "0.75";
    QTest::newRow("16 degrees shown") << 1028.0f / 1000.0f << "1.028";
    QTest::newRow("22 degrees shown") << 986.0f / 1000.0f << "0.986";
    QTest::newRow("22 degrees unrounded") << 0.9856108f << "0.9856108";
    QTest::newRow("seven digits at most") << 1.0f / 3.0f << "0.3333333";
    QTest::newRow("total") << 3468.0f << "3468";
    QTest::newRow("negative") << -2.5f << "-2.5";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("negative zero") << -0.0f << "0";
    QTest::newRow("whole with zeros") << 6360.0f << "6360";
    QTest::newRow("largest fixed") << 9999999.0f << "9999999";
    QTest::newRow("large") << 12345680.0f << "1.234568E+07";
    QTest::newRow("small fixed") << 0.00001f << "0.00001";
    QTest::newRow("small") << 0.000001f << "1E-06";
}

void tst_NumText::singleText()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(decimalText(value), text);
}

void tst_NumText::singleTextIgnoresLocale()
{
    const char *before = setlocale(LC_ALL, "de_DE.UTF-8");
    const QString text = decimalText(0.886f);
    if (before)
        setlocale(LC_ALL, "C");
    QCOMPARE(text, QStringLiteral("0.886"));
}

void tst_NumText::leading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("list entry") << "    262 A" << 262.0;
    QTest::newRow("four digits") << "    1020 A" << 1020.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("only blanks") << "     " << 0.0;
    QTest::newRow("not a number") << "A 262" << 0.0;
    QTest::newRow("equals sign") << "=" << 0.0;
    QTest::newRow("blanks inside are passed over") << "1 0 2 0" << 1020.0;
    QTest::newRow("tab and line feed") << "\t\n 42" << 42.0;
    QTest::newRow("fraction") << "  0.886 x" << 0.886;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("sign") << "-12A" << -12.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("exponent") << "1.5E2 A" << 150.0;
    QTest::newRow("exponent without digits") << "7E" << 7.0;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
    QTest::newRow("comma ends") << "1,5" << 1.0;
    QTest::newRow("too small") << "1e-400" << 0.0;
    QTest::newRow("too small, negative") << "-1e-400" << 0.0;
    QTest::newRow("too small from many digits") << "100000e-330" << 0.0;
    QTest::newRow("too small without exponent") << "0." + QString(400, u'0') + "1" << 0.0;
    QTest::newRow("smallest held") << "1e-310" << 1e-310;
    QTest::newRow("too large") << "1e400" << HUGE_VAL;
    QTest::newRow("too large, negative") << "-1e400" << -HUGE_VAL;
    QTest::newRow("too large from many digits") << "0.00001e320" << HUGE_VAL;
    QTest::newRow("too large, small exponent") << "1" + QString(400, u'0') + "e-5" << HUGE_VAL;
}

void tst_NumText::leading()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(leadingNumber(text), value);
}

void tst_NumText::whole_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("table") << "10" << true << 10.0;
    QTest::newRow("blanks around") << " 8 " << true << 8.0;
    QTest::newRow("trailing letter") << "8A" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("letters") << "ten" << false << 0.0;
}

void tst_NumText::whole()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    const auto result = wholeNumber(text);
    QCOMPARE(result.has_value(), ok);
    if (ok)
        QCOMPARE(*result, value);
}

void tst_NumText::halfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("half down to even") << 344.5 << 344.0;
    QTest::newRow("half up to even") << 345.5 << 346.0;
    QTest::newRow("negative half") << -2.5 << -2.0;
    QTest::newRow("below half") << 2.4999 << 2.0;
    QTest::newRow("above half") << 2.5001 << 3.0;
    QTest::newRow("whole") << 551.0 << 551.0;
}

void tst_NumText::halfEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(roundHalfEven(value), rounded);
}

void tst_NumText::division_data()
{
    QTest::addColumn<double>("dividend");
    QTest::addColumn<double>("divisor");
    QTest::addColumn<qint64>("quotient");
    QTest::newRow("odd remainder dropped") << 551.0 << 2.0 << qint64(275);
    QTest::newRow("negative truncates toward zero") << -301.0 << 2.0 << qint64(-150);
    QTest::newRow("thirds") << 1000.0 << 3.0 << qint64(333);
    QTest::newRow("dividend rounded first") << 344.5 << 2.0 << qint64(172);
    QTest::newRow("dividend rounded up first") << 345.5 << 2.0 << qint64(173);
}

void tst_NumText::division()
{
    QFETCH(double, dividend);
    QFETCH(double, divisor);
    QFETCH(qint64, quotient);
    QCOMPARE(integerDivide(dividend, divisor), quotient);
}

QTEST_GUILESS_MAIN(tst_NumText)
#include "tst_numtext.moc"
