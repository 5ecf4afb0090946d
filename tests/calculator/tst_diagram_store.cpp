#include "calculator/diagrams/diagram_lookup.h"
#include "calculator/diagrams/diagram_store.h"
#include "platform/metafile.h"

#include <QFile>
#include <QTest>

// Reading the drawings the program cannot do without, from good and from damaged bytes.
class tst_DiagramStore : public QObject
{
    Q_OBJECT
private slots:
    void allDrawingsRead();
    void unreadableDrawingIsNamed_data();
    void unreadableDrawingIsNamed();
};

namespace {

QByteArray embeddedBytes(int number)
{
    QFile file(QStringLiteral(":/diagrams/Pic%1.wmf").arg(number));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("drawing %d is not embedded", number);
    return file.readAll();
}

} // namespace

void tst_DiagramStore::allDrawingsRead()
{
    const DiagramReading reading = DiagramStore::read(embeddedBytes);
    QVERIFY(reading.complete());
    QCOMPARE(reading.reason, QString());
    for (const int number : DiagramNumbers) {
        const DiagramStore::Drawing drawing = reading.store.find(QString::number(number));
        QVERIFY2(drawing, qPrintable(QString::number(number)));
        QCOMPARE(drawing->bytes(), embeddedBytes(number));
    }
    QVERIFY(DiagramStore::readEmbedded().complete());
}

void tst_DiagramStore::unreadableDrawingIsNamed_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    // Spread over the list, so that the name cannot come from a fixed place in it.
    QByteArray badChecksum = embeddedBytes(118);
    badChecksum[20] = char(badChecksum[20] ^ 1);
    QTest::newRow("missing") << 81 << QByteArray() << "too short";
    QTest::newRow("empty") << 94 << QByteArray("") << "too short";
    QTest::newRow("truncated") << 101 << embeddedBytes(101).chopped(2) << "truncated";
    QTest::newRow("wrong checksum") << 118 << badChecksum << "checksum does not match";
}

void tst_DiagramStore::unreadableDrawingIsNamed()
{
    QFETCH(int, number);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const DiagramReading reading = DiagramStore::read(
        [&](int n) { return n == number ? bytes : embeddedBytes(n); });
    QVERIFY(!reading.complete());
    QCOMPARE(reading.failedNumber, number);
    QVERIFY2(reading.reason.contains(reason), qPrintable(reading.reason));
    const QString message = reading.failureMessage();
    const QString name = QStringLiteral("Pic%1").arg(number);
    QVERIFY2(message.contains(name) && message.contains(reading.reason), qPrintable(message));
    // The others are all there: a store like this is what a window without one drawing gets.
    for (const int other : DiagramNumbers)
        QCOMPARE(bool(reading.store.find(QString::number(other))), other != number);
}

QTEST_MAIN(tst_DiagramStore)
#include "tst_diagram_store.moc"
