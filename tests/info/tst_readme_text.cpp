#include "info/readme_text.h"

#include <QStringConverter>
#include <QTest>

// The READ ME text is laid out by hand; these are the rules its layout must keep.
class tst_ReadMeText : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void shape();
    void conditionsList();
    void deratingList();

private:
    QString text;
    QStringList lines;
};

namespace {
const auto Bullet = QStringLiteral("\t\u2022 ");

// Start indices of the runs of bullet lines, with their lengths.
QList<std::pair<qsizetype, qsizetype>> bulletBlocks(const QStringList &lines)
{
    QList<std::pair<qsizetype, qsizetype>> blocks;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith(Bullet))
            continue;
        if (blocks.isEmpty() || blocks.last().first + blocks.last().second != i)
            blocks.append({i, 0});
        ++blocks.last().second;
    }
    return blocks;
}
} // namespace

void tst_ReadMeText::initTestCase()
{
    text = readMeText();
    QVERIFY(text.endsWith(QLatin1String("\r\n")));
    lines = text.split(QLatin1String("\r\n"));
    lines.removeLast(); // after the last line end
}

void tst_ReadMeText::shape()
{
    // Every character must exist in Windows-1252, and counts one there.
    auto encoder = QStringEncoder("windows-1252");
    QVERIFY(encoder.isValid());
    const QByteArray encoded = encoder.encode(text);
    QVERIFY(!encoder.hasError());
    QCOMPARE(encoded.size(), 2306);

    QCOMPARE(lines.size(), 38);
    for (const QString &line : std::as_const(lines)) {
        QVERIFY2(line.size() <= 110, qPrintable(line));
        QVERIFY2(!line.contains(u'\r') && !line.contains(u'\n'), qPrintable(line));
    }
    // Seven points: five gaps, one of them the tab line after the second list.
    QCOMPARE(lines.count(QString()), 4);
    QCOMPARE(lines.count(QStringLiteral("\t")), 1);
    QVERIFY(!text.contains(QLatin1String("\u00b0 C")));
}

void tst_ReadMeText::conditionsList()
{
    const QStringList expected{
        Bullet + QStringLiteral("100%\t\t-  load factor"),
        Bullet
            + QStringLiteral("90\u00b0C\u00b7cm/W\t-  earth (backfill) thermal resistivity (RHo)"),
        Bullet + QStringLiteral("60\u00b0C\u00b7cm/W\t-  concrete RHo"),
        Bullet + QStringLiteral("20\u00b0C\t\t-  ambient earth temperature"),
        Bullet + QStringLiteral("40\u00b0C\t\t-  ambient air temperature"),
    };
    const auto blocks = bulletBlocks(lines);
    QCOMPARE(blocks.size(), 2);
    QCOMPARE(lines.mid(blocks[0].first, blocks[0].second), expected);
    QVERIFY(!lines[blocks[0].first - 1].isEmpty());
    QCOMPARE(lines[blocks[0].first + blocks[0].second], QString());
}

void tst_ReadMeText::deratingList()
{
    const auto blocks = bulletBlocks(lines);
    QCOMPARE(blocks.size(), 2);
    const auto [first, count] = blocks[1];
    QCOMPARE(count, 4);
    for (qsizetype i = first; i < first + count; ++i)
        QVERIFY2(lines[i].count(u'\t') == 1, qPrintable(lines[i])); // only the leading one
    QCOMPARE(lines[first + count], QStringLiteral("\t"));

    // Point 5 follows point 4 without a gap: no empty line between the two lists.
    QVERIFY(!lines
                 .mid(blocks[0].first + blocks[0].second + 1,
                      first - blocks[0].first - blocks[0].second - 1)
                 .contains(QString()));
}

QTEST_MAIN(tst_ReadMeText)
#include "tst_readme_text.moc"
