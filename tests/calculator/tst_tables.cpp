#include "calculator/ampacity_tables.h"

#include <QTest>

#include <algorithm>
#include <utility>

// The tables are safety data: a wrong digit under-sizes a feeder. Beyond the quoted entries,
// every list is held to the properties the published tables have.

namespace {

struct Named
{
    const char *name;
    AmpacityTable (*table)();
};

constexpr Named Tables[] = {
    {"D8", tableD8},
    {"D9", tableD9},
    {"D10", tableD10},
    {"D11", tableD11},
};

const AmpacityList &list(AmpacityTable table, const char *code)
{
    const AmpacityList &found = findList(table, QString::fromLatin1(code));
    if (qstrcmp(found.code, code) != 0)
        qFatal("no list %s", code);
    return found;
}

AmpacityTable tableByName(const QString &name)
{
    for (const Named &t : Tables) {
        if (name == QLatin1StringView(t.name))
            return t.table();
    }
    qFatal("no table %s", qPrintable(name));
}

// Smallest and largest margin by which upper lies above lower at the same wire size.
std::pair<int, int> margins(const AmpacityList &upper, const AmpacityList &lower)
{
    int least = INT_MAX, most = INT_MIN;
    for (std::size_t i = 0; i < 17; ++i) {
        least = std::min(least, upper.amps[i] - lower.amps[i]);
        most = std::max(most, upper.amps[i] - lower.amps[i]);
    }
    return {least, most};
}

} // namespace

class tst_Tables : public QObject
{
    Q_OBJECT
private slots:
    void item_data();
    void item();
    void compareOrder_data();
    void compareOrder();
    void quotedEntries_data();
    void quotedEntries();
    void rowsRise_data();
    void rowsRise();
    void allListsDiffer_data();
    void allListsDiffer();
    void copperAboveAluminum_data();
    void copperAboveAluminum();
    void fewerRunsAbove_data();
    void fewerRunsAbove();
    void wideSpacingMargins_data();
    void wideSpacingMargins();
    void range_data();
    void range();
    void fallback_data();
    void fallback();
};

void tst_Tables::item_data()
{
    QTest::addColumn<int>("amps");
    QTest::addColumn<QString>("text");
    QTest::newRow("three digits") << 262 << "    262 A";
    QTest::newRow("four digits, not padded") << 1060 << "    1060 A";
}

void tst_Tables::item()
{
    QFETCH(int, amps);
    QFETCH(QString, text);
    QCOMPARE(ampacityItem(amps), text);
}

void tst_Tables::compareOrder_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("D8") << "D8"
                        << QStringList{"D8A11",
                                       "D8A22",
                                       "D8A23",
                                       "D8A44",
                                       "D8A45",
                                       "D8A66",
                                       "D8A67",
                                       "D8B11",
                                       "D8B22",
                                       "D8B23",
                                       "D8B44",
                                       "D8B45",
                                       "D8B66",
                                       "D8B67"};
    QTest::newRow("D9") << "D9"
                        << QStringList{"D9A11",
                                       "D9A22",
                                       "D9A43",
                                       "D9A64",
                                       "D9B11",
                                       "D9B22",
                                       "D9B43",
                                       "D9B64"};
    QTest::newRow("D10") << "D10"
                         << QStringList{"D10A11",
                                        "D10A22",
                                        "D10A33",
                                        "D10A44",
                                        "D10A55",
                                        "D10A66",
                                        "D10B11",
                                        "D10B22",
                                        "D10B33",
                                        "D10B44",
                                        "D10B55",
                                        "D10B66"};
    QTest::newRow("D11") << "D11"
                         << QStringList{"D11A11",
                                        "D11A22",
                                        "D11A33",
                                        "D11A44",
                                        "D11A55",
                                        "D11A66",
                                        "D11A88",
                                        "D11B11",
                                        "D11B22",
                                        "D11B33",
                                        "D11B44",
                                        "D11B55",
                                        "D11B66",
                                        "D11B88"};
}

void tst_Tables::compareOrder()
{
    QFETCH(QString, table);
    QFETCH(QStringList, codes);
    QStringList actual;
    for (const AmpacityList &l : tableByName(table))
        actual << QLatin1StringView(l.code);
    QCOMPARE(actual, codes);
}

void tst_Tables::quotedEntries_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    struct Row
    {
        const char *table, *code;
        int index;
        const char *text;
    };
    constexpr Row rows[] = {
        {"D8", "D8A11", 0, "    315 A"},     {"D8", "D8A11", 1, "    357 A"},
        {"D8", "D8A11", 12, "    1020 A"},   {"D8", "D8A11", 16, "    1376 A"},
        {"D8", "D8A22", 8, "    605 A"},     {"D8", "D8B23", 16, "    1018 A"},
        {"D8", "D8B67", 0, "    144 A"},     {"D8", "D8B67", 16, "    622 A"},
        {"D9", "D9A11", 0, "    258 A"},     {"D9", "D9A11", 14, "    1065 A"},
        {"D9", "D9A11", 16, "    1203 A"},   {"D9", "D9A43", 0, "    181 A"},
        {"D9", "D9B64", 0, "    128 A"},     {"D9", "D9B64", 16, "    567 A"},
        {"D10", "D10A11", 0, "    262 A"},   {"D10", "D10A11", 3, "    382 A"},
        {"D10", "D10A11", 4, "    418 A"},   {"D10", "D10A11", 15, "    1017 A"},
        {"D10", "D10A11", 16, "    1060 A"}, {"D10", "D10A22", 0, "    221 A"},
        {"D10", "D10B66", 0, "    127 A"},   {"D10", "D10B66", 16, "    512 A"},
        {"D11", "D11A11", 0, "    205 A"},   {"D11", "D11A11", 16, "    901 A"},
        {"D11", "D11A66", 0, "    139 A"},   {"D11", "D11A88", 0, "    130 A"},
        {"D11", "D11A88", 16, "    476 A"},  {"D11", "D11B88", 0, "    101 A"},
        {"D11", "D11B88", 16, "    413 A"},
    };
    for (const Row &r : rows) {
        QTest::addRow("%s[%d]", r.code, r.index)
            << QString::fromLatin1(r.table) << QString::fromLatin1(r.code) << r.index
            << QString::fromLatin1(r.text);
    }
}

void tst_Tables::quotedEntries()
{
    QFETCH(QString, table);
    QFETCH(QString, code);
    QFETCH(int, index);
    QFETCH(QString, text);
    const AmpacityList &l = list(tableByName(table), qPrintable(code));
    QCOMPARE(ampacityItem(l.amps[std::size_t(index)]), text);
}

void tst_Tables::rowsRise_data()
{
    QTest::addColumn<QString>("table");
    for (const Named &t : Tables)
        QTest::newRow(t.name) << QString::fromLatin1(t.name);
}

void tst_Tables::rowsRise()
{
    QFETCH(QString, table);
    for (const AmpacityList &l : tableByName(table)) {
        for (std::size_t i = 1; i < 17; ++i)
            QVERIFY2(l.amps[i] > l.amps[i - 1], l.code);
    }
}

void tst_Tables::allListsDiffer_data()
{
    rowsRise_data();
}

void tst_Tables::allListsDiffer()
{
    QFETCH(QString, table);
    const AmpacityTable t = tableByName(table);
    for (std::size_t a = 0; a < t.size(); ++a) {
        for (std::size_t b = a + 1; b < t.size(); ++b) {
            QVERIFY2(t[a].amps != t[b].amps, t[a].code);
            QVERIFY2(qstrcmp(t[a].code, t[b].code) != 0, t[a].code);
        }
    }
}

void tst_Tables::copperAboveAluminum_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("least");
    QTest::addColumn<int>("most");
    QTest::newRow("D8") << "D8" << 0 << 0;
    QTest::newRow("D10") << "D10" << 0 << 0;
    QTest::newRow("D11") << "D11" << 0 << 0;
    QTest::newRow("D9 1 run") << "D9/11" << 59 << 212;
    QTest::newRow("D9 2 runs") << "D9/22" << 50 << 172;
    QTest::newRow("D9 4 runs") << "D9/43" << 40 << 135;
    QTest::newRow("D9 6 runs") << "D9/64" << 37 << 122;
}

void tst_Tables::copperAboveAluminum()
{
    QFETCH(QString, table);
    QFETCH(int, least);
    QFETCH(int, most);
    const QStringList parts = table.split(u'/');
    const AmpacityTable t = tableByName(parts.front());
    for (const AmpacityList &copper : t) {
        QString code = QLatin1StringView(copper.code);
        if (!code.contains(u'A') || (parts.size() > 1 && !code.endsWith(parts.back())))
            continue;
        code.replace(u'A', u'B');
        const AmpacityList &aluminum = list(t, qPrintable(code));
        const auto [low, high] = margins(copper, aluminum);
        QVERIFY2(low > 0, copper.code);
        if (parts.size() > 1) {
            QCOMPARE(low, least);
            QCOMPARE(high, most);
        }
    }
}

void tst_Tables::fewerRunsAbove_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("chain");
    for (const char *m : {"A", "B"}) {
        QTest::addRow("D8 normal %s", m) << "D8" << QStringList{"11", "22", "44", "66"};
        QTest::addRow("D8 wide %s", m) << "D8" << QStringList{"11", "23", "45", "67"};
        QTest::addRow("D9 %s", m) << "D9" << QStringList{"11", "22", "43", "64"};
        QTest::addRow("D10 %s", m) << "D10" << QStringList{"11", "22", "33", "44", "55", "66"};
        QTest::addRow("D11 %s", m)
            << "D11" << QStringList{"11", "22", "33", "44", "55", "66", "88"};
    }
}

void tst_Tables::fewerRunsAbove()
{
    QFETCH(QString, table);
    QFETCH(QStringList, chain);
    const QString material = QString::fromLatin1(QTest::currentDataTag()).right(1);
    const AmpacityTable t = tableByName(table);
    for (int i = 1; i < chain.size(); ++i) {
        const QString more = table + material + chain[i];
        const QString fewer = table + material + chain[i - 1];
        const int low = margins(list(t, qPrintable(fewer)), list(t, qPrintable(more))).first;
        QVERIFY2(low > 0, qPrintable(fewer + QStringLiteral(" over ") + more));
    }
}

void tst_Tables::wideSpacingMargins_data()
{
    QTest::addColumn<QString>("wide");
    QTest::addColumn<QString>("normal");
    QTest::addColumn<int>("least");
    QTest::addColumn<int>("most");
    QTest::newRow("copper 2") << "D8A23"
                              << "D8A22" << 19 << 98;
    QTest::newRow("copper 4") << "D8A45"
                              << "D8A44" << 17 << 76;
    QTest::newRow("copper 6") << "D8A67"
                              << "D8A66" << 15 << 64;
    QTest::newRow("aluminum 2") << "D8B23"
                                << "D8B22" << 15 << 81;
    QTest::newRow("aluminum 4") << "D8B45"
                                << "D8B44" << 14 << 64;
    QTest::newRow("aluminum 6") << "D8B67"
                                << "D8B66" << 11 << 53;
}

void tst_Tables::wideSpacingMargins()
{
    QFETCH(QString, wide);
    QFETCH(QString, normal);
    QFETCH(int, least);
    QFETCH(int, most);
    const auto [low, high] = margins(list(tableD8(), qPrintable(wide)),
                                     list(tableD8(), qPrintable(normal)));
    QCOMPARE(low, least);
    QCOMPARE(high, most);
}

void tst_Tables::range_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("least");
    QTest::addColumn<int>("most");
    // Where the four-digit values stand, as code:index.
    QTest::addColumn<QStringList>("fourDigits");
    QTest::newRow("D8") << "D8" << 133 << 1376
                        << QStringList{"D8A11:12",
                                       "D8A11:13",
                                       "D8A11:14",
                                       "D8A11:15",
                                       "D8A11:16",
                                       "D8A22:14",
                                       "D8A22:15",
                                       "D8A22:16",
                                       "D8A23:13",
                                       "D8A23:14",
                                       "D8A23:15",
                                       "D8A23:16",
                                       "D8B11:15",
                                       "D8B11:16",
                                       "D8B23:16"};
    QTest::newRow("D9") << "D9" << 128 << 1203 << QStringList{"D9A11:14", "D9A11:15", "D9A11:16"};
    QTest::newRow("D10") << "D10" << 127 << 1060 << QStringList{"D10A11:15", "D10A11:16"};
    QTest::newRow("D11") << "D11" << 101 << 901 << QStringList{};
}

void tst_Tables::range()
{
    QFETCH(QString, table);
    QFETCH(int, least);
    QFETCH(int, most);
    QFETCH(QStringList, fourDigits);
    int low = INT_MAX, high = INT_MIN;
    QStringList found;
    for (const AmpacityList &l : tableByName(table)) {
        for (std::size_t i = 0; i < 17; ++i) {
            low = std::min<int>(low, l.amps[i]);
            high = std::max<int>(high, l.amps[i]);
            if (l.amps[i] >= 1000)
                found << QStringLiteral("%1:%2").arg(QLatin1StringView(l.code)).arg(i);
        }
    }
    QCOMPARE(low, least);
    QCOMPARE(high, most);
    QCOMPARE(found, fourDigits);
}

void tst_Tables::fallback_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("found");
    struct Row
    {
        const char *tag, *table, *code, *found;
    };
    constexpr Row rows[] = {
        {"D8 own first", "D8", "D8A11", "D8A11"},
        {"D8 last", "D8", "D8B67", "D8B67"},
        {"D8 pair it lacks", "D8", "D8A13", "D8A11"},
        {"D8 lower case", "D8", "d8b67", "D8A11"},
        {"D8 trailing blank", "D8", "D8B67 ", "D8A11"},
        {"D8 empty", "D8", "", "D8A11"},
        {"D9 own", "D9", "D9A43", "D9A43"},
        {"D9 3 runs detail 3", "D9", "D9A33", "D9A11"},
        {"D9 4 runs detail 4", "D9", "D9A44", "D9A11"},
        {"D9 lower case", "D9", "d9b64", "D9A11"},
        {"D9 trailing blank", "D9", "D9B64 ", "D9A11"},
        {"D9 empty", "D9", "", "D9A11"},
        {"D10 last", "D10", "D10B66", "D10B66"},
        {"D10 other table", "D10", "D11A88", "D10A11"},
        {"D10 lower case", "D10", "d10b66", "D10A11"},
        {"D10 trailing blank", "D10", "D10B66 ", "D10A11"},
        {"D10 leading blank", "D10", " D10B66", "D10A11"},
        {"D10 empty", "D10", "", "D10A11"},
        {"D11 last", "D11", "D11B88", "D11B88"},
        {"D11 7 runs", "D11", "D11A77", "D11A11"},
        {"D11 6 runs detail 4", "D11", "D11A64", "D11A11"},
        {"D11 other table", "D11", "D10A11", "D11A11"},
        {"D11 lower case", "D11", "d11b88", "D11A11"},
        {"D11 trailing blank", "D11", "D11B88 ", "D11A11"},
        {"D11 empty", "D11", "", "D11A11"},
    };
    for (const Row &r : rows) {
        QTest::newRow(r.tag) << QString::fromLatin1(r.table) << QString::fromLatin1(r.code)
                             << QString::fromLatin1(r.found);
    }
}

void tst_Tables::fallback()
{
    QFETCH(QString, table);
    QFETCH(QString, code);
    QFETCH(QString, found);
    QCOMPARE(QLatin1StringView(findList(tableByName(table), code).code), found);
}

QTEST_GUILESS_MAIN(tst_Tables)
#include "tst_tables.moc"
