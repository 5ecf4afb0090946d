#include "platform/metafile.h"
#include "platform/metafile_writer.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtEndian>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;
using platform::Metafile;
using platform::MetafileWriter;

namespace {

// The format's numbers, written out here on their own so that a wrong constant in the code
// shows up as a failure.
constexpr quint16 FnEof = 0x0000;
constexpr quint16 FnSetBkMode = 0x0102;
constexpr quint16 FnSetMapMode = 0x0103;
constexpr quint16 FnSaveDc = 0x001E;
constexpr quint16 FnRestoreDc = 0x0127;
constexpr quint16 FnSelectObject = 0x012D;
constexpr quint16 FnSetTextAlign = 0x012E;
constexpr quint16 FnDeleteObject = 0x01F0;
constexpr quint16 FnSetTextColor = 0x0209;
constexpr quint16 FnSetWindowOrg = 0x020B;
constexpr quint16 FnSetWindowExt = 0x020C;
constexpr quint16 FnLineTo = 0x0213;
constexpr quint16 FnMoveTo = 0x0214;
constexpr quint16 FnSelectPalette = 0x0234;
constexpr quint16 FnRealizePalette = 0x0035;
constexpr quint16 FnCreatePalette = 0x00F7;
constexpr quint16 FnCreatePen = 0x02FA;
constexpr quint16 FnCreateFont = 0x02FB;
constexpr quint16 FnCreateBrush = 0x02FC;
constexpr quint16 FnPolyline = 0x0325;
constexpr quint16 FnPolyPolygon = 0x0538;
constexpr quint16 FnRectangle = 0x041B;
constexpr quint16 FnTextOut = 0x0521;
constexpr quint16 FnExtTextOut = 0x0A32;

constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;

constexpr int ReuseRounds = 20;

quint16 word(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 dword(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

void putWord(QByteArray &bytes, qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void putDword(QByteArray &bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

QByteArray words(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int value : values) {
        out.append(char(value & 0xFF));
        out.append(char((value >> 8) & 0xFF));
    }
    return out;
}

QByteArray colourRef(int red, int green, int blue, int flags = 0)
{
    const char bytes[] = {char(red), char(green), char(blue), char(flags)};
    return QByteArray(bytes, sizeof bytes);
}

QByteArray record(quint16 function, QByteArray params = {})
{
    if (params.size() % 2 != 0)
        params.append('\0');
    QByteArray out(6, '\0');
    putDword(out, 0, quint32(3 + params.size() / 2));
    putWord(out, 4, function);
    return out + params;
}

QByteArray whitePen(int width)
{
    return record(FnCreatePen, words({0, width, 0}) + colourRef(255, 255, 255));
}

QByteArray textOut(int x, int y, const QByteArray &text)
{
    QByteArray params = words({int(text.size())}) + text;
    if (params.size() % 2 != 0)
        params.append('\0');
    return record(FnTextOut, params + words({y, x}));
}

void fixChecksum(QByteArray &bytes)
{
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= word(bytes, 2 * i);
    putWord(bytes, 20, checksum);
}

// A hand-made file with a 1000 x 1000 unit box at 1000 units per inch, for records the writer
// never emits and for damage the writer cannot produce.
struct RawFile
{
    QList<QByteArray> records;
    int objects = 4;
    quint16 type = 1;
    bool endRecord = true;

    QByteArray bytes() const
    {
        QByteArray out(22 + 18, '\0');
        putDword(out, 0, 0x9AC6CDD7);
        putWord(out, 10, 1000);
        putWord(out, 12, 1000);
        putWord(out, 14, 1000);
        fixChecksum(out);
        putWord(out, 22, type);
        putWord(out, 24, 9);
        putWord(out, 26, 0x0300);
        putWord(out, 32, quint16(objects));
        QByteArray body = records.join();
        if (endRecord)
            body += record(FnEof);
        out += body;
        putDword(out, 28, quint32((out.size() - 22) / 2));
        return out;
    }
};

struct RawRecord
{
    quint32 words;
    quint16 function;
    QByteArray params;
};

// Walks the records independently of the reader; the end-of-file record is included.
QList<RawRecord> walk(const QByteArray &bytes)
{
    QList<RawRecord> records;
    qsizetype pos = 22 + 18;
    while (pos + 6 <= bytes.size()) {
        const quint32 size = dword(bytes, pos);
        if (size < 3 || pos + qsizetype(size) * 2 > bytes.size())
            break;
        records.append({size, word(bytes, pos + 4), bytes.mid(pos + 6, size * 2 - 6)});
        if (records.last().function == FnEof)
            break;
        pos += size * 2;
    }
    return records;
}

// The sample uses each kind of drawing the writer offers, away from each other so that paint
// probes see one kind at a time.
QByteArray sampleDrawing()
{
    MetafileWriter writer;
    writer.line({2000, 12000}, {30000, 12000}, 600);
    writer.polyline(QPolygon({{2000, 20000}, {8000, 20000}, {8000, 23000}}), 300);
    writer.polygon(QPolygon({{20000, 2000}, {26000, 2000}, {23000, 7000}}));
    writer.circle({5000, 5000}, 2000, 200);
    writer.disc({12000, 5000}, 1500);
    writer.text({16365, 10000}, u"Diagram D9  Detail 1", {1327, 400, 0});
    writer.text({2000, 16000}, u"915mm (36\")", {1323, 400, 0});
    writer.text({20000, 16000}, u"OR", {1470, 700, 0});
    writer.text({30000, 23000}, u"=", {1323, 400, 900});
    return writer.bytes();
}

bool isWhite(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200;
}

bool isBlack(QRgb pixel)
{
    return qRed(pixel) < 50 && qGreen(pixel) < 50 && qBlue(pixel) < 50;
}

QImage painted(const Metafile &picture, QSize size, QRectF target, QColor fill = Qt::black)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    QPainter painter(&image);
    picture.paint(painter, target);
    painter.end();
    return image;
}

QPoint toPixel(QPointF units, QSizeF frame, QRectF target)
{
    return QPoint(int(target.left() + units.x() * target.width() / frame.width()),
                  int(target.top() + units.y() * target.height() / frame.height()));
}

// The smallest rectangle holding every white pixel.
QRect whiteBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isWhite(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

} // namespace

class TestMetafile : public QObject
{
    Q_OBJECT

private slots:
    void writesStoredFormat();
    void readsBackWhatWasWritten();
    void reusesObjects_data();
    void reusesObjects();
    void encodesText_data();
    void encodesText();
    void paintsWhiteOnBlack_data();
    void paintsWhiteOnBlack();
    void placesTextOnBaseline_data();
    void placesTextOnBaseline();
    void readsOtherRecords_data();
    void readsOtherRecords();
    void rejectsBrokenInput_data();
    void rejectsBrokenInput();
    void survivesRandomDamage();
};

void TestMetafile::writesStoredFormat()
{
    const QByteArray bytes = sampleDrawing();

    // Placeable header.
    QCOMPARE(dword(bytes, 0), 0x9AC6CDD7u);
    QCOMPARE(word(bytes, 4), 0);
    QCOMPARE(qint16(word(bytes, 6)), 0);
    QCOMPARE(qint16(word(bytes, 8)), 0);
    QCOMPARE(qint16(word(bytes, 10)), 32730);
    QCOMPARE(qint16(word(bytes, 12)), 24780);
    QCOMPARE(word(bytes, 14), 3600);
    QCOMPARE(dword(bytes, 16), 0u);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= word(bytes, 2 * i);
    QCOMPARE(word(bytes, 20), checksum);

    // Metafile header, its counts checked against the records actually present.
    const QList<RawRecord> records = walk(bytes);
    QVERIFY(!records.isEmpty());
    QCOMPARE(word(bytes, 22), 1);
    QCOMPARE(word(bytes, 24), 9);
    QCOMPARE(word(bytes, 26), 0x0300);
    QCOMPARE(qsizetype(dword(bytes, 28)), (bytes.size() - 22) / 2);
    quint32 largest = 0;
    for (const RawRecord &r : records)
        largest = std::max(largest, r.words);
    QCOMPARE(dword(bytes, 34), largest);
    QCOMPARE(word(bytes, 38), 0);

    // Object slots: each creation takes the lowest free one.
    QList<bool> used;
    int tableSize = 0;
    int paletteSlot = -1;
    for (const RawRecord &r : records) {
        if (r.function == FnCreatePen || r.function == FnCreateBrush || r.function == FnCreateFont
            || r.function == FnCreatePalette) {
            const qsizetype slot = used.indexOf(false) >= 0 ? used.indexOf(false) : used.size();
            if (slot == used.size())
                used.append(true);
            used[slot] = true;
            tableSize = std::max(tableSize, int(slot) + 1);
            if (r.function == FnCreatePalette)
                paletteSlot = int(slot);
        } else if (r.function == FnDeleteObject) {
            const quint16 slot = word(r.params, 0);
            QVERIFY(slot < used.size() && used[slot]);
            used[slot] = false;
        } else if (r.function == FnSelectObject) {
            const quint16 slot = word(r.params, 0);
            QVERIFY(slot < used.size() && used[slot]);
        }
    }
    QCOMPARE(word(bytes, 32), tableSize);

    // The preamble, in order.
    QVERIFY(records.size() > 11);
    const QList<QPair<quint16, QByteArray>> preamble = {
        {FnSetMapMode, words({8})},
        {FnSetWindowOrg, words({0, 0})},
        {FnSetWindowExt, words({24780, 32730})},
        {FnCreatePen, words({0, 0, 0}) + colourRef(0, 0, 0)},
        {FnSelectObject, words({0})},
        {FnCreateBrush, words({0}) + colourRef(0, 0, 0) + words({0})},
        {FnSelectObject, words({1})},
        {FnRectangle, words({24781, 32731, 0, 0})},
    };
    for (int i = 0; i < preamble.size(); ++i) {
        QCOMPARE(records[i].function, preamble[i].first);
        QCOMPARE(records[i].params, preamble[i].second);
    }
    const RawRecord &palette = records[8];
    QCOMPARE(palette.function, FnCreatePalette);
    QCOMPARE(word(palette.params, 0), 0x0300);
    QCOMPARE(word(palette.params, 2), 256);
    QCOMPARE(palette.params.size(), 4 + 256 * 4);
    QCOMPARE(records[9].function, FnSelectPalette);
    QCOMPARE(records[9].params, words({paletteSlot}));
    QCOMPARE(records[10].function, FnRealizePalette);
    QVERIFY(records[10].params.isEmpty());

    // Everything after the preamble is white, text transparent and on its baseline.
    bool textPrepared = false;
    for (qsizetype i = 11; i < records.size(); ++i) {
        const RawRecord &r = records[i];
        if (r.function == FnCreatePen)
            QCOMPARE(r.params.mid(6, 3), colourRef(255, 255, 255).first(3));
        if (r.function == FnCreateBrush)
            QCOMPARE(r.params.mid(2, 3), colourRef(255, 255, 255).first(3));
        if (r.function == FnSetTextColor)
            QCOMPARE(r.params.first(3), colourRef(255, 255, 255).first(3));
        if (r.function == FnSetBkMode)
            QCOMPARE(r.params, words({1}));
        if (r.function == FnSetTextAlign)
            QCOMPARE(r.params, words({0x0018}));
        if (r.function == FnCreateFont)
            QVERIFY(r.params.mid(18, 32).startsWith(QByteArray("Arial", 6)));
        if (r.function == FnExtTextOut && !textPrepared) {
            const QList<quint16> before = [&] {
                QList<quint16> functions;
                for (qsizetype j = 11; j < i; ++j)
                    functions.append(records[j].function);
                return functions;
            }();
            QVERIFY(before.contains(FnSetBkMode));
            QVERIFY(before.contains(FnSetTextAlign));
            QVERIFY(before.contains(FnSetTextColor));
            QVERIFY(before.contains(FnCreateFont));
            textPrepared = true;
        }
    }
    QVERIFY(textPrepared);

    // The file ends with the end-of-file record.
    QCOMPARE(records.last().function, FnEof);
    QCOMPARE(records.last().words, 3u);
    QCOMPARE(dword(bytes, bytes.size() - 6), 3u);
    QCOMPARE(word(bytes, bytes.size() - 2), FnEof);
}

void TestMetafile::readsBackWhatWasWritten()
{
    const QByteArray bytes = sampleDrawing();
    QString error;
    const auto picture = Metafile::fromBytes(bytes, &error);
    QVERIFY2(picture, qPrintable(error));

    QCOMPARE(picture->bytes(), bytes);
    QCOMPARE(picture->frame(), QRect(0, 0, 32730, 24780));
    QCOMPARE(picture->unitsPerInch(), 3600);
    QCOMPARE(qRound(picture->sizeInInches().width() * 100), 909);
    QCOMPARE(qRound(picture->sizeInInches().height() * 100), 688);
    QCOMPARE(picture->objectTableSize(), int(word(bytes, 32)));
    QCOMPARE(picture->colours(), QList<QRgb>({Black, White}));

    const QList<RawRecord> raw = walk(bytes);
    const QList<Metafile::Record> records = picture->records();
    QCOMPARE(records.size(), raw.size() - 1);
    for (qsizetype i = 0; i < records.size(); ++i) {
        QCOMPARE(records[i].function, raw[i].function);
        QCOMPARE(records[i].params, raw[i].params);
    }

    QCOMPARE(picture->texts(),
             QStringList({u"Diagram D9  Detail 1"_s, u"915mm (36\")"_s, u"OR"_s, u"="_s}));
    struct Expected
    {
        QPointF position;
        int height;
        int weight;
        int escapement;
    };
    const QList<Expected> expected = {
        {{16365, 10000}, -1327, 400, 0},
        {{2000, 16000}, -1323, 400, 0},
        {{20000, 16000}, -1470, 700, 0},
        {{30000, 23000}, -1323, 400, 900},
    };
    const QList<Metafile::TextItem> items = picture->textItems();
    QCOMPARE(items.size(), expected.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i].position, expected[i].position);
        QCOMPARE(items[i].height, expected[i].height);
        QCOMPARE(items[i].weight, expected[i].weight);
        QCOMPARE(items[i].escapement, expected[i].escapement);
        QCOMPARE(items[i].face, u"Arial"_s);
        QCOMPARE(items[i].colour, White);
        QVERIFY(!items[i].italic);
    }
}

void TestMetafile::reusesObjects_data()
{
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<int>("maxPensCreated");

    // Besides the background's black pen there is the hairline of the filled polygons; used
    // between every two lines, it stays live even when the line pens have to be recreated.
    QTest::newRow("two widths") << QList<int>{100, 300} << 1 + 1 + 2;
    QTest::newRow("more widths than are kept")
        << QList<int>{10, 20, 30, 40, 50, 60} << 1 + 1 + 6 * ReuseRounds;
}

// Drawing alternately with a few pens selects the live ones again instead of creating them anew;
// with more pens than are kept, old ones are deleted and the table stays consistent.
void TestMetafile::reusesObjects()
{
    QFETCH(QList<int>, widths);
    QFETCH(int, maxPensCreated);

    MetafileWriter writer;
    for (int round = 0; round < ReuseRounds; ++round) {
        for (const int width : widths) {
            writer.line({1000, 1000 + round * 100}, {5000, 1000 + round * 100}, width);
            writer.polygon(QPolygon({{6000, 1000}, {7000, 1000}, {6500, 2000}}));
        }
    }
    const QByteArray bytes = writer.bytes();
    QString error;
    const auto picture = Metafile::fromBytes(bytes, &error);
    QVERIFY2(picture, qPrintable(error));

    qsizetype created = 0;
    for (const Metafile::Record &r : picture->records())
        created += r.function == FnCreatePen ? 1 : 0;
    QVERIFY2(created <= maxPensCreated, qPrintable(QString::number(created)));
    QVERIFY2(picture->objectTableSize() <= 8,
             qPrintable(QString::number(picture->objectTableSize())));
}

void TestMetafile::encodesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("ascii") << u"190mm (7.5\")"_s << QByteArray("190mm (7.5\")")
                           << u"190mm (7.5\")"_s;
    QTest::newRow("degree and middle dot") << u"30\u00B0C \u00B7"_s
                                           << QByteArray("30\xB0"
                                                         "C \xB7")
                                           << u"30\u00B0C \u00B7"_s;
    QTest::newRow("code page only")
        << u"\u20AC\u2013"_s << QByteArray("\x80\x96") << u"\u20AC\u2013"_s;
    QTest::newRow("not in the code page") << u"\u0416"_s << QByteArray("?") << u"?"_s;
}

void TestMetafile::encodesText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, stored);
    QFETCH(QString, readBack);

    MetafileWriter writer;
    writer.text({100, 1000}, text, {});
    const auto picture = Metafile::fromBytes(writer.bytes());
    QVERIFY(picture);
    QCOMPARE(picture->texts(), QStringList({readBack}));

    const Metafile::Record textRecord = picture->records().last();
    QCOMPARE(textRecord.function, FnExtTextOut);
    QCOMPARE(word(textRecord.params, 4), stored.size());
    QCOMPARE(textRecord.params.mid(8, stored.size()), stored);
}

void TestMetafile::paintsWhiteOnBlack_data()
{
    QTest::addColumn<QSize>("imageSize");
    QTest::addColumn<QRectF>("target");

    QTest::newRow("whole image") << QSize(655, 496) << QRectF(0, 0, 655, 496);
    QTest::newRow("inside a larger image") << QSize(900, 700) << QRectF(120.5, 80, 655, 496);
    QTest::newRow("stretched") << QSize(500, 800) << QRectF(0, 0, 500, 800);
}

void TestMetafile::paintsWhiteOnBlack()
{
    QFETCH(QSize, imageSize);
    QFETCH(QRectF, target);

    const auto picture = Metafile::fromBytes(sampleDrawing());
    QVERIFY(picture);
    const QColor outside(Qt::red);
    const QImage image = painted(*picture, imageSize, target, outside);
    const QSizeF frame = picture->frame().size();
    const auto at = [&](double x, double y) { return image.pixel(toPixel({x, y}, frame, target)); };

    // Background, up to the corners of the target and no further.
    QVERIFY(isBlack(at(100, 100)));
    QVERIFY(isBlack(at(32600, 24650)));
    const QRect inside = target.toAlignedRect();
    if (inside.left() > 2)
        QCOMPARE(image.pixelColor(inside.left() - 2, inside.center().y()), outside);
    if (inside.bottom() < imageSize.height() - 3)
        QCOMPARE(image.pixelColor(inside.center().x(), inside.bottom() + 3), outside);

    // The 600 unit line is white across its width and black beside it.
    for (const double y : {11800.0, 12000.0, 12200.0})
        QVERIFY2(isWhite(at(16000, y)), qPrintable(QString::number(y)));
    QVERIFY(isBlack(at(16000, 11000)));
    QVERIFY(isBlack(at(16000, 13000)));
    QVERIFY(isWhite(at(8000, 21500)));
    // Filled shapes are filled; the circle is only a ring.
    QVERIFY(isWhite(at(23000, 3500)));
    QVERIFY(isWhite(at(12000, 5000)));
    QVERIFY(isBlack(at(5000, 5000)));
    QVERIFY(isWhite(at(7000, 5000)));
    QVERIFY(isWhite(at(3000, 5000)));
}

void TestMetafile::placesTextOnBaseline_data()
{
    QTest::addColumn<int>("escapement");
    QTest::newRow("horizontal") << 0;
    QTest::newRow("vertical, bottom to top") << 900;
}

// The origin is the left end of the baseline; turned text runs upwards from it with its glyphs
// standing to the left of the turned baseline.
void TestMetafile::placesTextOnBaseline()
{
    QFETCH(int, escapement);

    MetafileWriter writer;
    writer.text({10000, 12000}, u"EEEE", {1323, 400, escapement});
    const auto picture = Metafile::fromBytes(writer.bytes());
    QVERIFY(picture);
    const QSize size(655, 496);
    const QRect ink = whiteBounds(painted(*picture, size, QRectF(QPointF(), size)));
    QVERIFY(!ink.isEmpty());
    const QPoint origin(200, 240);
    const int textLength = 2 * 1323 / 50; // four capitals are more than two ems long, in pixels

    if (escapement == 0) {
        QVERIFY2(qAbs(ink.bottom() - origin.y()) <= 1, qPrintable(QString::number(ink.bottom())));
        QVERIFY(ink.left() >= origin.x() - 1 && ink.left() <= origin.x() + 4);
        QVERIFY(ink.width() >= textLength);
        QVERIFY(ink.height() < ink.width() / 2);
    } else {
        QVERIFY2(qAbs(ink.right() - origin.x()) <= 1, qPrintable(QString::number(ink.right())));
        QVERIFY(ink.bottom() <= origin.y() + 1 && ink.bottom() >= origin.y() - 4);
        QVERIFY(ink.height() >= textLength);
        QVERIFY(ink.width() < ink.height() / 2);
    }
}

void TestMetafile::readsOtherRecords_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<QPoint>>("white");
    QTest::addColumn<QList<QPoint>>("black");

    const QByteArray selectFirst = record(FnSelectObject, words({0}));
    {
        RawFile file;
        file.records = {whitePen(40),
                        selectFirst,
                        record(FnMoveTo, words({500, 100})),
                        record(FnLineTo, words({500, 900})),
                        record(FnLineTo, words({900, 900}))};
        QTest::newRow("move and line")
            << file.bytes() << QStringList() << QList<QPoint>{{500, 500}, {900, 700}}
            << QList<QPoint>{{500, 300}, {300, 700}};
    }
    {
        RawFile file;
        file.records = {record(FnSetTextColor, colourRef(255, 255, 255)),
                        record(0x0999, words({1, 2, 3, 4, 5})),
                        textOut(100, 500, "Hi!"),
                        record(FnExtTextOut, words({800, 100, 2, 4, 0, 0, 1000, 1000}) + "ok")};
        QTest::newRow("text, unknown record skipped")
            << file.bytes() << QStringList({u"Hi!"_s, u"ok"_s}) << QList<QPoint>()
            << QList<QPoint>();
    }
    {
        RawFile file;
        file.records = {record(FnCreateBrush, words({0}) + colourRef(255, 255, 255) + words({0})),
                        selectFirst,
                        record(FnPolyPolygon,
                               words({2,
                                      4,
                                      4,
                                      100,
                                      100,
                                      400,
                                      100,
                                      400,
                                      400,
                                      100,
                                      400, //
                                      600,
                                      600,
                                      900,
                                      600,
                                      900,
                                      900,
                                      600,
                                      900}))};
        QTest::newRow("poly-polygon")
            << file.bytes() << QStringList() << QList<QPoint>{{250, 250}, {750, 750}}
            << QList<QPoint>{{750, 250}, {250, 750}};
    }
    {
        QByteArray palette = words({0x0300, 2}) + colourRef(0, 0, 0) + colourRef(255, 255, 255);
        RawFile file;
        file.records = {record(FnCreatePalette, palette),
                        record(FnSelectPalette, words({0})),
                        record(FnCreatePen, words({0, 60, 0}) + colourRef(1, 0, 0, 1)),
                        record(FnSelectObject, words({1})),
                        record(FnPolyline, words({2, 100, 500, 900, 500}))};
        QTest::newRow("palette index colour")
            << file.bytes() << QStringList() << QList<QPoint>{{500, 500}} << QList<QPoint>();
    }
    {
        // The line after the restore uses the default black pen again.
        RawFile file;
        file.records = {record(FnSaveDc),
                        whitePen(60),
                        selectFirst,
                        record(FnPolyline, words({2, 100, 200, 900, 200})),
                        record(FnRestoreDc, words({-1})),
                        record(FnPolyline, words({2, 100, 700, 900, 700}))};
        QTest::newRow("saved state restored")
            << file.bytes() << QStringList() << QList<QPoint>{{500, 200}}
            << QList<QPoint>{{500, 700}};
    }
    {
        // A window twice the box, shifted: logical (-500, -500) is the box's top left corner.
        RawFile file;
        file.records = {record(FnSetWindowOrg, words({-500, -500})),
                        record(FnSetWindowExt, words({2000, 2000})),
                        whitePen(60),
                        selectFirst,
                        record(FnPolyline, words({2, -500, 1000, 1500, 1000}))};
        QTest::newRow("window mapping")
            << file.bytes() << QStringList() << QList<QPoint>{{100, 750}, {900, 750}}
            << QList<QPoint>{{500, 500}, {500, 1000 - 20}};
    }
    {
        RawFile file;
        file.type = 2;
        file.records = {textOut(100, 500, "disk")};
        QTest::newRow("disk metafile")
            << file.bytes() << QStringList({u"disk"_s}) << QList<QPoint>() << QList<QPoint>();
    }
}

void TestMetafile::readsOtherRecords()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, texts);
    QFETCH(QList<QPoint>, white);
    QFETCH(QList<QPoint>, black);

    QString error;
    const auto picture = Metafile::fromBytes(bytes, &error);
    QVERIFY2(picture, qPrintable(error));
    QCOMPARE(picture->texts(), texts);

    const QSize size(200, 200);
    const QRectF target(QPointF(), size);
    const QImage image = painted(*picture, size, target);
    for (const QPoint point : white)
        QVERIFY2(isWhite(image.pixel(toPixel(point, QSizeF(1000, 1000), target))),
                 qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
    for (const QPoint point : black)
        QVERIFY2(isBlack(image.pixel(toPixel(point, QSizeF(1000, 1000), target))),
                 qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
}

void TestMetafile::rejectsBrokenInput_data()
{
    QTest::addColumn<QByteArrayList>("inputs");

    const QByteArray sample = sampleDrawing();
    const auto patched = [&](qsizetype at, quint16 value, bool checksum = false) {
        QByteArray bytes = sample;
        putWord(bytes, at, value);
        if (checksum)
            fixChecksum(bytes);
        return bytes;
    };
    const auto patched32 = [&](qsizetype at, quint32 value) {
        QByteArray bytes = sample;
        putDword(bytes, at, value);
        return bytes;
    };
    const auto file = [](QList<QByteArray> records, int objects = 4, bool endRecord = true) {
        RawFile raw;
        raw.records = std::move(records);
        raw.objects = objects;
        raw.endRecord = endRecord;
        return raw.bytes();
    };
    const QByteArray pen = whitePen(10);
    const QByteArray select0 = record(FnSelectObject, words({0}));
    constexpr qsizetype firstRecord = 22 + 18;

    QTest::newRow("empty") << QByteArrayList{QByteArray()};
    QByteArrayList prefixes;
    for (qsizetype length = 0; length < sample.size(); ++length)
        prefixes.append(sample.first(length));
    QTest::newRow("every truncation") << prefixes;

    QTest::newRow("wrong key") << QByteArrayList{patched(0, 0xCDD8, true)};
    QTest::newRow("wrong checksum") << QByteArrayList{patched(20, word(sample, 20) ^ 1)};
    QTest::newRow("empty bounding box")
        << QByteArrayList{patched(10, 0, true), patched(12, quint16(-5), true)};
    QTest::newRow("zero units per inch") << QByteArrayList{patched(14, 0, true)};
    QTest::newRow("unknown type") << QByteArrayList{patched(22, 0), patched(22, 3)};
    QTest::newRow("header size not 9") << QByteArrayList{patched(24, 8), patched(24, 10)};
    QTest::newRow("unknown version") << QByteArrayList{patched(26, 0x0200)};
    QTest::newRow("declared size past the end")
        << QByteArrayList{patched32(28, dword(sample, 28) + 1), patched32(28, 0xFFFFFFFF)};
    QTest::newRow("declared size cuts off the end record")
        << QByteArrayList{patched32(28, dword(sample, 28) - 3), patched32(28, 9)};
    QTest::newRow("record size below 3") << QByteArrayList{patched32(firstRecord, 0),
                                                           patched32(firstRecord, 1),
                                                           patched32(firstRecord, 2)};
    QTest::newRow("record size past the end")
        << QByteArrayList{patched32(firstRecord, dword(sample, 28)),
                          patched32(firstRecord, 0x7FFFFFFF),
                          patched32(firstRecord, 0xFFFFFFFF)};
    QTest::newRow("no end record")
        << QByteArrayList{file({pen, select0}, 4, false), file({}, 4, false)};

    QTest::newRow("point count beyond record")
        << QByteArrayList{file({record(FnPolyline, words({32767, 0, 0, 10, 10}))}),
                          file({record(FnPolyline, words({-1, 0, 0}))}),
                          file({record(FnPolyline, words({3, 0, 0, 10, 10}))})};
    QTest::newRow("polygon counts beyond record")
        << QByteArrayList{file({record(FnPolyPolygon, words({2, 30000, 30000, 0, 0}))}),
                          file({record(FnPolyPolygon, words({65535}))}),
                          file({record(FnPolyPolygon, words({1, 1}))})};
    QTest::newRow("text length beyond record")
        << QByteArrayList{file({record(FnTextOut, words({32767, 0x4141, 0, 0}))}),
                          file({record(FnTextOut, words({-2, 0, 0}))}),
                          file({record(FnExtTextOut, words({0, 0, 32767, 0}) + "AB")}),
                          file({record(FnExtTextOut, words({0, 0, -1, 0}))})};
    QTest::newRow("text rectangle missing")
        << QByteArrayList{file({record(FnExtTextOut, words({0, 0, 0, 4}))})};
    QTest::newRow("palette count beyond record")
        << QByteArrayList{file({record(FnCreatePalette, words({0x0300, 256}) + colourRef(1, 2, 3))}),
                          file({record(FnCreatePalette, words({0x0300, 65535}))})};
    QTest::newRow("object records too short")
        << QByteArrayList{file({record(FnCreateFont, words({-100, 0, 0, 0}))}),
                          file({record(FnCreatePen, words({0, 1}))}),
                          file({record(FnCreateBrush, words({0}))})};
    QTest::newRow("selection of a bad slot")
        << QByteArrayList{file({pen, record(FnSelectObject, words({4}))}),
                          file({pen, record(FnSelectObject, words({1}))}),
                          file({pen, record(FnDeleteObject, words({0})), select0}),
                          file({record(FnDeleteObject, words({0}))}),
                          file({pen, record(FnSelectPalette, words({0}))})};
    QTest::newRow("more objects than the table holds")
        << QByteArrayList{file({pen}, 0), file({pen, pen}, 1)};
    QList<QByteArray> saves(1025, record(FnSaveDc));
    QTest::newRow("too many saved states") << QByteArrayList{file(saves)};
}

void TestMetafile::rejectsBrokenInput()
{
    QFETCH(QByteArrayList, inputs);

    for (qsizetype i = 0; i < inputs.size(); ++i) {
        QString error;
        const auto picture = Metafile::fromBytes(inputs[i], &error);
        QVERIFY2(!picture, qPrintable(QStringLiteral("input %1 was accepted").arg(i)));
        QVERIFY2(!error.isEmpty(), qPrintable(QStringLiteral("input %1 has no reason").arg(i)));
        QVERIFY(!Metafile::fromBytes(inputs[i]));
    }
}

// Damaged files either fail to read or read and paint; the sanitizer build makes any stray
// access fatal.
void TestMetafile::survivesRandomDamage()
{
    RawFile other;
    other.records = {record(FnSetWindowExt, words({100, 100})),
                     whitePen(3),
                     record(FnSelectObject, words({0})),
                     record(FnMoveTo, words({10, 10})),
                     record(FnLineTo, words({90, 90})),
                     record(FnPolyPolygon,
                            words({2, 3, 3, 0, 0, 50, 0, 0, 50, 60, 60, 90, 60, 60, 90})),
                     textOut(5, 50, "abc"),
                     record(FnDeleteObject, words({0}))};
    const QList<QByteArray> originals = {sampleDrawing(), other.bytes()};

    QRandomGenerator random(20240611);
    QImage image(64, 48, QImage::Format_RGB32);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = originals[round % originals.size()];
        // Mostly damage the records: the header's checksum turns away most header damage.
        const qsizetype from = round % 4 == 0 ? 0 : 22 + 18;
        const int hits = 1 + random.bounded(6);
        for (int hit = 0; hit < hits; ++hit)
            bytes[from + random.bounded(int(bytes.size() - from))] = char(random.bounded(256));
        const auto picture = Metafile::fromBytes(bytes);
        if (!picture)
            continue;
        ++accepted;
        image.fill(Qt::black);
        QPainter painter(&image);
        picture->paint(painter, QRectF(0, 0, 64, 48));
        painter.end();
        QCOMPARE(picture->bytes(), bytes);
        (void) picture->texts();
        (void) picture->records();
    }
    // Damage to drawing coordinates leaves a readable file, so some must have been painted.
    QVERIFY(accepted > 0);
}

QTEST_MAIN(TestMetafile)
#include "tst_metafile.moc"
