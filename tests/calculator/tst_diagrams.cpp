#include "calculator/diagrams/diagram_lookup.h"
#include "calculator/diagrams/diagram_store.h"
#include "platform/metafile.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

using namespace Qt::StringLiterals;
using platform::Metafile;

namespace {

// The format's numbers, written out here on their own so that a wrong constant in the code
// shows up as a failure.
constexpr quint16 FnSetMapMode = 0x0103;
constexpr quint16 FnSetWindowOrg = 0x020B;
constexpr quint16 FnSetWindowExt = 0x020C;
constexpr quint16 FnCreatePen = 0x02FA;
constexpr quint16 FnCreateBrush = 0x02FC;
constexpr quint16 FnCreateFont = 0x02FB;
constexpr quint16 FnCreatePalette = 0x00F7;
constexpr quint16 FnSelectObject = 0x012D;
constexpr quint16 FnSelectPalette = 0x0234;
constexpr quint16 FnRealizePalette = 0x0035;
constexpr quint16 FnDeleteObject = 0x01F0;
constexpr quint16 FnRectangle = 0x041B;
constexpr quint16 FnEllipse = 0x0418;
constexpr quint16 FnPolyline = 0x0325;
constexpr quint16 FnPolygon = 0x0324;

constexpr int Width = 32730;
constexpr int Height = 24780;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;

const Metafile &drawing(int number)
{
    static const DiagramStore store = DiagramStore::embedded();
    const int index = diagramIndex(number);
    if (index < 0 || !store.at(index))
        qFatal("drawing %d is not embedded", number);
    return *store.at(index);
}

void addDrawingRows()
{
    QTest::addColumn<int>("number");
    for (const int number : DiagramNumbers)
        QTest::addRow("Pic%d", number) << number;
}

// Little-endian fields, read a byte at a time so that a short record reads as zeros.
quint16 unsignedWord(const QByteArray &bytes, qsizetype offset)
{
    if (offset < 0 || offset + 2 > bytes.size())
        return 0;
    return quint16(quint8(bytes[offset]) | quint8(bytes[offset + 1]) << 8);
}

int word(const QByteArray &bytes, qsizetype offset)
{
    return qint16(unsignedWord(bytes, offset));
}

quint32 doubleWord(const QByteArray &bytes, qsizetype offset)
{
    return unsignedWord(bytes, offset) | quint32(unsignedWord(bytes, offset + 2)) << 16;
}

// What a drawing draws, read from its records with the objects each one is drawn with.
struct Circle
{
    QPointF centre;
    double radius;
    int pen;
};

struct Stroke
{
    QPolygonF points;
    int pen;
};

struct Shapes
{
    QList<Circle> circles; // outlines
    QList<Circle> discs;   // filled
    QList<Stroke> strokes;
    QList<QPolygonF> polygons;
    QList<int> pens;
};

Shapes shapesOf(const Metafile &metafile)
{
    struct Object
    {
        quint16 function;
        QByteArray params;
    };
    std::vector<std::optional<Object>> table;
    std::optional<Object> pen, brush;
    Shapes shapes;
    const auto points = [](const QByteArray &params) {
        QPolygonF out;
        for (int i = 0; i < word(params, 0); ++i)
            out << QPointF(word(params, 2 + 4 * i), word(params, 4 + 4 * i));
        return out;
    };
    for (const Metafile::Record &record : metafile.records()) {
        const QByteArray &p = record.params;
        switch (record.function) {
        case FnCreatePen:
        case FnCreateBrush:
        case FnCreateFont:
        case FnCreatePalette: {
            auto slot = std::find(table.begin(), table.end(), std::nullopt);
            if (slot == table.end())
                slot = table.insert(table.end(), std::nullopt);
            *slot = Object{record.function, p};
            break;
        }
        case FnDeleteObject:
            table[std::size_t(word(p, 0))].reset();
            break;
        case FnSelectObject: {
            const Object &object = *table[std::size_t(word(p, 0))];
            if (object.function == FnCreatePen)
                pen = object;
            else if (object.function == FnCreateBrush)
                brush = object;
            break;
        }
        case FnEllipse: {
            const QRectF box(QPointF(word(p, 6), word(p, 4)), QPointF(word(p, 2), word(p, 0)));
            const Circle circle{box.center(), box.width() / 2, word(pen->params, 2)};
            if (word(brush->params, 0) == 1) {
                shapes.circles << circle;
                shapes.pens << circle.pen;
            } else {
                shapes.discs << circle;
            }
            break;
        }
        case FnPolyline:
            shapes.strokes << Stroke{points(p), word(pen->params, 2)};
            shapes.pens << word(pen->params, 2);
            break;
        case FnPolygon:
            shapes.polygons << points(p);
            break;
        default:
            break;
        }
    }
    return shapes;
}

bool inside(QPointF point, const Circle &circle, double margin = 0)
{
    return QLineF(point, circle.centre).length() <= circle.radius - margin;
}

// A phase letter told apart by where its strokes reach the corners of their own box: A stands
// on both feet, B has a straight back, C touches no corner on the left.
QChar letterIn(const Circle &circle, const QList<Stroke> &strokes)
{
    QPolygonF ink;
    for (const Stroke &stroke : strokes) {
        if (std::all_of(stroke.points.begin(), stroke.points.end(), [&](QPointF point) {
                return inside(point, circle, 1);
            }))
            ink << stroke.points;
    }
    if (ink.isEmpty())
        return QChar();
    const QRectF box = ink.boundingRect();
    const auto reaches = [&](double u, double v) {
        return std::any_of(ink.begin(), ink.end(), [&](QPointF point) {
            return std::abs((point.x() - box.left()) / box.width() - u) < 0.1
                   && std::abs((point.y() - box.top()) / box.height() - v) < 0.1;
        });
    };
    const bool topLeft = reaches(0, 0);
    const bool bottomLeft = reaches(0, 1);
    if (topLeft && bottomLeft)
        return u'B';
    if (!topLeft && bottomLeft && reaches(1, 1))
        return u'A';
    if (!topLeft && !bottomLeft)
        return u'C';
    return u'?';
}

// Touching, or as good as: filled conductors may be drawn a hair apart so that they read as
// three.
bool touching(const Circle &a, const Circle &b)
{
    return std::abs(QLineF(a.centre, b.centre).length() - a.radius - b.radius)
           <= 0.2 * std::min(a.radius, b.radius);
}

// One thing in the ground as the arrangement string writes it, and where it lies.
struct Item
{
    QChar code;
    QPointF at;
};

struct Arrangement
{
    QList<Item> items;
    int ducts = 0;
    int emptyDucts = 0;
};

// Ducts are circles with something in them or the size of those that have; a lone lettered
// circle is a single conductor, three touching ones a triplexed cable with A on top.
Arrangement arrangementOf(const Shapes &shapes)
{
    Arrangement out;
    QList<Circle> conductors;
    QList<Circle> ducts;
    for (const Circle &circle : shapes.circles) {
        const bool holdsCircle = std::any_of(shapes.circles.begin(),
                                             shapes.circles.end(),
                                             [&](const Circle &other) {
                                                 return other.radius < circle.radius
                                                        && inside(other.centre, circle);
                                             });
        const bool holdsDisc = std::any_of(shapes.discs.begin(),
                                           shapes.discs.end(),
                                           [&](const Circle &disc) {
                                               return disc.radius > 0.2 * circle.radius
                                                      && inside(disc.centre, circle);
                                           });
        const bool nested = std::any_of(shapes.circles.begin(),
                                        shapes.circles.end(),
                                        [&](const Circle &other) {
                                            return other.radius > circle.radius
                                                   && inside(circle.centre, other);
                                        });
        if (holdsCircle || holdsDisc)
            ducts << circle;
        else if (!letterIn(circle, shapes.strokes).isNull() || nested)
            conductors << circle;
        else
            ducts << circle; // empty, as long as it is duct-sized: checked below
    }

    const auto lettered = [&](const Circle &conductor) {
        return letterIn(conductor, shapes.strokes);
    };
    for (const Circle &duct : ducts) {
        ++out.ducts;
        QList<Circle> cables;
        for (const Circle &disc : shapes.discs) {
            if (disc.radius > 0.2 * duct.radius && inside(disc.centre, duct))
                cables << disc;
        }
        const auto conductor = std::find_if(conductors.begin(),
                                            conductors.end(),
                                            [&](const Circle &c) { return inside(c.centre, duct); });
        if (conductor != conductors.end()) {
            out.items << Item{lettered(*conductor), duct.centre};
        } else if (cables.size() == 3 && touching(cables[0], cables[1])
                   && touching(cables[1], cables[2]) && touching(cables[0], cables[2])) {
            out.items << Item{u't', duct.centre};
        } else if (cables.isEmpty() && std::any_of(ducts.begin(), ducts.end(), [&](const Circle &d) {
                       return &d != &duct && std::abs(d.radius - duct.radius) < 2;
                   })) {
            ++out.emptyDucts;
            out.items << Item{u'o', duct.centre};
        } else {
            out.items << Item{u'?', duct.centre};
        }
    }

    QList<Circle> free;
    for (const Circle &conductor : conductors) {
        if (std::none_of(ducts.begin(), ducts.end(), [&](const Circle &d) {
                return inside(conductor.centre, d);
            }))
            free << conductor;
    }
    QList<bool> used(free.size(), false);
    for (qsizetype i = 0; i < free.size(); ++i) {
        if (used[i])
            continue;
        QList<qsizetype> group{i};
        for (qsizetype j = i + 1; j < free.size(); ++j) {
            if (!used[j] && std::any_of(group.begin(), group.end(), [&](qsizetype k) {
                    return touching(free[k], free[j]);
                }))
                group << j;
        }
        for (const qsizetype k : group)
            used[k] = true;
        if (group.size() == 1) {
            out.items << Item{lettered(free[i]), free[i].centre};
            continue;
        }
        std::sort(group.begin(), group.end(), [&](qsizetype a, qsizetype b) {
            return free[a].centre.y() < free[b].centre.y();
        });
        const Circle &top = free[group[0]];
        QPointF middle;
        for (const qsizetype k : group)
            middle += free[k].centre / double(group.size());
        const bool trefoil = group.size() == 3 && lettered(top) == u'A'
                             && lettered(free[group[1]]) != lettered(free[group[2]]);
        const auto lowerLeft = free[group[1]].centre.x() < free[group[2]].centre.x() ? group[1]
                                                                                     : group[2];
        const auto lowerRight = lowerLeft == group[1] ? group[2] : group[1];
        const bool phased = trefoil && lettered(free[lowerLeft]) == u'B'
                            && lettered(free[lowerRight]) == u'C';
        out.items << Item{phased ? u'T' : u'?', middle};
    }
    return out;
}

// Rows top to bottom joined by "/", a blank where a row's gap is far wider than its others.
QString rowsOf(QList<Item> items)
{
    std::sort(items.begin(), items.end(), [](const Item &a, const Item &b) {
        return a.at.y() < b.at.y();
    });
    QList<QList<Item>> rows;
    for (const Item &item : items) {
        if (rows.isEmpty() || item.at.y() - rows.last().first().at.y() > 300)
            rows.append(QList<Item>());
        rows.last() << item;
    }
    QStringList out;
    for (QList<Item> &row : rows) {
        std::sort(row.begin(), row.end(), [](const Item &a, const Item &b) {
            return a.at.x() < b.at.x();
        });
        double narrowest = 1e9;
        for (qsizetype i = 1; i < row.size(); ++i)
            narrowest = std::min(narrowest, row[i].at.x() - row[i - 1].at.x());
        QString text;
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0 && row[i].at.x() - row[i - 1].at.x() > 1.6 * narrowest)
                text += u' ';
            text += row[i].code;
        }
        out << text;
    }
    return out.join(u'/');
}

// Axis-aligned closed rectangles drawn as lines: the concrete envelopes.
QList<QRectF> envelopesOf(const Shapes &shapes)
{
    QList<QRectF> out;
    for (const Stroke &stroke : shapes.strokes) {
        const QPolygonF &p = stroke.points;
        if (p.size() != 5 || p.first() != p.last())
            continue;
        const QRectF box = p.boundingRect();
        if (box.width() > 2000 && box.height() > 2000)
            out << box;
    }
    return out;
}

// The area a text's ink covers on the sheet, from the font's own metrics.
QRectF inkOf(const Metafile::TextItem &item)
{
    QFont font(item.face);
    font.setPixelSize(-item.height);
    font.setWeight(QFont::Weight(item.weight));
    const QRectF local = QFontMetricsF(font).tightBoundingRect(item.text);
    if (item.escapement == 900) // turned: along the text is up the sheet
        return QRectF(QPointF(item.position.x() + local.top(), item.position.y() - local.right()),
                      QPointF(item.position.x() + local.bottom(), item.position.y() - local.left()));
    return local.translated(item.position);
}

QPainterPath outlineOf(const QPainterPath &path, int pen)
{
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(pen, 1));
    return stroker.createStroke(path);
}

// Every piece of ink other than text, with a name for failure messages.
QList<std::pair<QString, QPainterPath>> inkShapes(const Shapes &shapes)
{
    QList<std::pair<QString, QPainterPath>> out;
    for (const Stroke &stroke : shapes.strokes) {
        QPainterPath path;
        path.addPolygon(stroke.points);
        out.append({QStringLiteral("line from (%1, %2)")
                        .arg(stroke.points.first().x())
                        .arg(stroke.points.first().y()),
                    outlineOf(path, stroke.pen)});
    }
    for (const Circle &circle : shapes.circles) {
        QPainterPath path;
        path.addEllipse(circle.centre, circle.radius, circle.radius);
        out.append(
            {QStringLiteral("circle at (%1, %2)").arg(circle.centre.x()).arg(circle.centre.y()),
             outlineOf(path, circle.pen)});
    }
    for (const Circle &disc : shapes.discs) {
        QPainterPath path;
        path.addEllipse(disc.centre, disc.radius, disc.radius);
        out.append(
            {QStringLiteral("disc at (%1, %2)").arg(disc.centre.x()).arg(disc.centre.y()), path});
    }
    for (const QPolygonF &polygon : shapes.polygons) {
        QPainterPath path;
        path.addPolygon(polygon);
        path.closeSubpath();
        out.append(
            {QStringLiteral("polygon at (%1, %2)").arg(polygon.first().x()).arg(polygon.first().y()),
             path});
    }
    return out;
}

double distanceToSegment(QPointF point, QPointF a, QPointF b)
{
    const QPointF along = b - a;
    const double length = QPointF::dotProduct(along, along);
    const double t = length > 0
                         ? std::clamp(QPointF::dotProduct(point - a, along) / length, 0.0, 1.0)
                         : 0.0;
    return QLineF(point, a + along * t).length();
}

} // namespace

// Reads every embedded drawing back and checks it against its diagram detail: the stored
// format, the texts, what lies in the ground, and that it is drawn cleanly.
class tst_Diagrams : public QObject
{
    Q_OBJECT
private slots:
    void storedFormat_data() { addDrawingRows(); }
    void storedFormat();
    void texts_data();
    void texts();
    void arrangement_data();
    void arrangement();
    void depthReachesTheInstallation_data() { addDrawingRows(); }
    void depthReachesTheInstallation();
    void cleanDrafting_data() { addDrawingRows(); }
    void cleanDrafting();
    void painting_data() { addDrawingRows(); }
    void painting();
};

void tst_Diagrams::storedFormat()
{
    QFETCH(int, number);
    const Metafile &metafile = drawing(number);
    const QByteArray &bytes = metafile.bytes();

    QCOMPARE(doubleWord(bytes, 0), 0x9AC6CDD7u);
    QCOMPARE(word(bytes, 4), 0); // handle
    QCOMPARE(word(bytes, 6), 0);
    QCOMPARE(word(bytes, 8), 0);
    QCOMPARE(word(bytes, 10), Width);
    QCOMPARE(word(bytes, 12), Height);
    QCOMPARE(word(bytes, 14), 3600);
    QCOMPARE(doubleWord(bytes, 16), 0u);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= unsignedWord(bytes, 2 * i);
    QCOMPARE(unsignedWord(bytes, 20), checksum);

    QCOMPARE(word(bytes, 22), 1); // in memory
    QCOMPARE(word(bytes, 24), 9);
    QCOMPARE(word(bytes, 26), 0x0300);
    QCOMPARE(doubleWord(bytes, 28), quint32(bytes.size() - 22) / 2);
    QCOMPARE(bytes.right(6), QByteArray::fromHex("030000000000"));

    const QList<Metafile::Record> records = metafile.records();
    QVERIFY(records.size() > 12);
    const auto params = [](std::initializer_list<int> words) {
        QByteArray out;
        for (const int w : words) {
            out.append(char(w & 0xFF));
            out.append(char((w >> 8) & 0xFF));
        }
        return out;
    };
    QCOMPARE(records[0].function, FnSetMapMode);
    QCOMPARE(records[0].params, params({8})); // anisotropic
    QCOMPARE(records[1].function, FnSetWindowOrg);
    QCOMPARE(records[1].params, params({0, 0}));
    QCOMPARE(records[2].function, FnSetWindowExt);
    QCOMPARE(records[2].params, params({Height, Width}));
    QCOMPARE(records[3].function, FnCreatePen);
    QCOMPARE(records[3].params.mid(6, 3), QByteArray(3, '\0')); // black
    QCOMPARE(records[4].function, FnSelectObject);
    QCOMPARE(records[5].function, FnCreateBrush);
    QCOMPARE(records[5].params.left(5), params({0}) + QByteArray(3, '\0')); // solid black
    QCOMPARE(records[6].function, FnSelectObject);
    QCOMPARE(records[7].function, FnRectangle);
    QCOMPARE(records[7].params, params({Height + 1, Width + 1, 0, 0}));
    QCOMPARE(records[8].function, FnCreatePalette);
    QCOMPARE(word(records[8].params, 2), 256);
    QCOMPARE(records[8].params.size(), 4 + 256 * 4);
    QCOMPARE(records[9].function, FnSelectPalette);
    QCOMPARE(records[10].function, FnRealizePalette);

    QCOMPARE(metafile.colours(), QList<QRgb>({Black, White}));
}

void tst_Diagrams::texts_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("labels"); // a leading "|" marks a label written vertically

    const QString d8Depth = u"915mm (36\")"_s;
    const QString duct = u"Duct 129 mm (5\")"_s;
    const QString d9Depth = u"760mm (30\")"_s;
    const QString spacing = u"190mm (7.5\")"_s;
    const auto times = [](int n, const QString &label) { return QStringList(n, label); };
    const QStringList d8 = {d8Depth, u"190mm"_s, u"(7.5\")"_s};
    const QStringList wide = {u"610mm"_s, u"(24\")"_s};

    QTest::newRow("Pic81") << 81 << "Diagram D8   Detail 1" << d8 + times(2, "=");
    QTest::newRow("Pic82") << 82 << "Diagram D8   Detail 2" << d8 + times(5, "=");
    QTest::newRow("Pic83") << 83 << "Diagram D8   Detail 3" << d8 + wide + times(4, "=");
    QTest::newRow("Pic84") << 84 << "Diagram D8   Detail 4" << d8 + times(5, "=") + times(1, "|=");
    QTest::newRow("Pic85") << 85 << "Diagram D8   Detail 5"
                           << d8 + wide + times(4, "=") + times(1, "|=");
    QTest::newRow("Pic86") << 86 << "Diagram D8   Detail 6" << d8 + times(5, "=") + times(2, "|=");
    QTest::newRow("Pic87") << 87 << "Diagram D8   Detail 7"
                           << d8 + wide + times(4, "=") + times(2, "|=");

    const QStringList d9 = {duct, d9Depth, spacing};
    QTest::newRow("Pic91") << 91 << "Diagram D9  Detail 1"
                           << d9
                                  + QStringList{u"290mm (12\")"_s,
                                                u"640mm (25\")"_s,
                                                u"480mm (19\")"_s,
                                                u"480"_s,
                                                u"OR"_s}
                                  + times(3, "=") + times(1, "|=");
    QTest::newRow("Pic92") << 92 << "Diagram D9  Detail 2"
                           << d9
                                  + QStringList{u"640mm (25\")"_s,
                                                u"|640mm (25\")"_s,
                                                u"450mm (18\")"_s,
                                                u"|450mm"_s,
                                                u"OR"_s}
                                  + times(3, "=") + times(2, "|=");
    QTest::newRow("Pic93") << 93 << "Diagram D9  Detail 3"
                           << d9
                                  + QStringList{u"830mm (33\")"_s,
                                                u"|830mm (33\")"_s,
                                                u"640mm (25\")"_s,
                                                u"OR"_s}
                                  + times(4, "=") + times(3, "|=");
    QTest::newRow("Pic94") << 94 << "Diagram D9  Detail 4"
                           << d9 + QStringList{u"1200mm (48\")"_s, u"640"_s, u"(25\")"_s}
                                  + times(5, "=") + times(2, "|=");

    QTest::newRow("Pic101") << 101 << "Diagram D10   Detail 1" << QStringList{d8Depth};
    for (int detail = 2; detail <= 6; ++detail)
        QTest::addRow("Pic10%d", detail)
            << 100 + detail << QStringLiteral("Diagram D10   Detail %1").arg(detail)
            << d8 + times(detail - 1, "=");

    const QStringList d11 = {duct, d9Depth};
    QTest::newRow("Pic111") << 111 << "Diagram D11   Detail 1"
                            << d11 + QStringList{u"290mm (12\")"_s, u"290"_s};
    QTest::newRow("Pic112") << 112 << "Diagram D11   Detail 2"
                            << d11 + QStringList{spacing, u"450mm (18\")"_s, u"290mm (12\")"_s};
    QTest::newRow("Pic113") << 113 << "Diagram D11   Detail 3"
                            << d11 + QStringList{spacing, u"640mm (25\")"_s, u"290mm (12\")"_s}
                                   + times(2, "=");
    QTest::newRow("Pic114") << 114 << "Diagram D11   Detail 4"
                            << d11 + QStringList{spacing} + times(2, u"450mm (18\")"_s)
                                   + times(2, "=");
    for (int detail = 5; detail <= 6; ++detail)
        QTest::addRow("Pic11%d", detail)
            << 110 + detail << QStringLiteral("Diagram D11   Detail %1").arg(detail)
            << d11 + QStringList{spacing, u"450mm (18\")"_s, u"640mm (25\")"_s} + times(3, "=");
    QTest::newRow("Pic118") << 118 << "Diagram D11   Detail 8"
                            << d11 + QStringList{spacing, u"450mm (18\")"_s, u"850mm (33.5\")"_s}
                                   + times(4, "=");
}

void tst_Diagrams::texts()
{
    QFETCH(int, number);
    QFETCH(QString, title);
    QFETCH(QStringList, labels);
    const QList<Metafile::TextItem> items = drawing(number).textItems();
    QVERIFY(!items.isEmpty());

    const Metafile::TextItem &first = items.first();
    QCOMPARE(first.text, title);
    QCOMPARE(first.height, -1327);
    QVERIFY2(std::abs(first.position.x() - Width / 2) < 0.1 * Width, "title starts mid-sheet");
    QVERIFY(first.position.y() < 0.15 * Height);

    QStringList found;
    for (qsizetype i = 1; i < items.size(); ++i) {
        const Metafile::TextItem &item = items[i];
        QCOMPARE(item.face, u"Arial"_s);
        QCOMPARE(item.colour, White);
        QVERIFY(!item.italic);
        QVERIFY2(item.escapement == 0 || item.escapement == 900, qPrintable(item.text));
        const bool duct = item.text == u"Duct 129 mm (5\")";
        const bool bold = item.text == u"OR";
        QCOMPARE(item.height, duct ? -1327 : bold ? -1470 : -1323);
        QCOMPARE(item.weight, bold ? 700 : 400);
        if (duct) {
            // Under the title, starting where it starts.
            QCOMPARE(item.position.x(), first.position.x());
            QVERIFY(item.position.y() > first.position.y() + 1327);
        }
        if (item.text.startsWith(u"915mm") || item.text.startsWith(u"760mm"))
            QVERIFY2(item.position.x() < 0.15 * Width && item.position.y() < 0.35 * Height,
                     "depth label near the top left");
        found << (item.escapement == 900 ? u"|"_s : QString()) + item.text;
    }
    found.sort();
    labels.sort();
    QCOMPARE(found, labels);
}

void tst_Diagrams::arrangement_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("rows"); // alternatives apart by " OR ", rows top down by "/"
    QTest::addColumn<int>("circuits"); // in each alternative
    QTest::addColumn<int>("ducts");
    QTest::addColumn<int>("envelopes");

    QTest::newRow("Pic81") << 81 << "ABC" << 1 << 0 << 0;
    QTest::newRow("Pic82") << 82 << "ABCCBA" << 2 << 0 << 0;
    QTest::newRow("Pic83") << 83 << "ABC CBA" << 2 << 0 << 0;
    QTest::newRow("Pic84") << 84 << "ABCCBA/ABCCBA" << 4 << 0 << 0;
    QTest::newRow("Pic85") << 85 << "ABC CBA/ABC CBA" << 4 << 0 << 0;
    QTest::newRow("Pic86") << 86 << "ABCCBA/ABCCBA/ABCCBA" << 6 << 0 << 0;
    QTest::newRow("Pic87") << 87 << "ABC CBA/ABC CBA/ABC CBA" << 6 << 0 << 0;
    QTest::newRow("Pic91") << 91 << "ABC OR BA/Co" << 1 << 7 << 2;
    QTest::newRow("Pic92") << 92 << "ABC/ABC OR AA/BB/CC" << 2 << 12 << 2;
    QTest::newRow("Pic93") << 93 << "ABC/ABC/ABC/ABC OR AAAA/BBBB/CCCC" << 4 << 24 << 2;
    QTest::newRow("Pic94") << 94 << "ABCCBA/ABCCBA/ABCCBA" << 6 << 18 << 1;
    for (int cables = 1; cables <= 6; ++cables)
        QTest::addRow("Pic10%d", cables)
            << 100 + cables << QString(cables, u'T') << cables << 0 << 0;
    QTest::newRow("Pic111") << 111 << "t" << 1 << 1 << 1;
    QTest::newRow("Pic112") << 112 << "tt" << 2 << 2 << 1;
    QTest::newRow("Pic113") << 113 << "ttt" << 3 << 3 << 1;
    QTest::newRow("Pic114") << 114 << "tt/tt" << 4 << 4 << 1;
    QTest::newRow("Pic115") << 115 << "ot/tt/tt" << 5 << 6 << 1;
    QTest::newRow("Pic116") << 116 << "tt/tt/tt" << 6 << 6 << 1;
    QTest::newRow("Pic118") << 118 << "tttt/tttt" << 8 << 8 << 1;
}

void tst_Diagrams::arrangement()
{
    QFETCH(int, number);
    QFETCH(QString, rows);
    QFETCH(int, circuits);
    QFETCH(int, ducts);
    QFETCH(int, envelopes);
    const Metafile &metafile = drawing(number);
    const Shapes shapes = shapesOf(metafile);
    const Arrangement found = arrangementOf(shapes);

    // Two alternatives stand either side of the "OR".
    std::optional<double> orX;
    for (const Metafile::TextItem &item : metafile.textItems()) {
        if (item.text == u"OR")
            orX = item.position.x();
    }
    QList<Item> left, right;
    for (const Item &item : found.items)
        (orX && item.at.x() > *orX ? right : left) << item;
    QString text = rowsOf(left);
    if (!right.isEmpty())
        text += u" OR "_s + rowsOf(right);
    QCOMPARE(text, rows);

    for (const QString &alternative : rows.split(u" OR "_s)) {
        const auto count = [&](QChar c) { return int(alternative.count(c)); };
        const int perPhase = count(u'A');
        QCOMPARE(count(u'B'), perPhase);
        QCOMPARE(count(u'C'), perPhase);
        QCOMPARE(perPhase + count(u'T') + count(u't'), circuits);
    }
    QCOMPARE(found.ducts, ducts);
    QCOMPARE(found.emptyDucts, int(rows.count(u'o')));

    const QList<QRectF> outlines = envelopesOf(shapes);
    QCOMPARE(outlines.size(), envelopes);
    for (const Item &item : found.items) {
        if (ducts > 0)
            QVERIFY2(std::any_of(outlines.begin(),
                                 outlines.end(),
                                 [&](const QRectF &outline) { return outline.contains(item.at); }),
                     "every duct lies in concrete");
    }
}

void tst_Diagrams::depthReachesTheInstallation()
{
    QFETCH(int, number);
    const Shapes shapes = shapesOf(drawing(number));

    // The surface is the longest level line; the depth arrow hangs from it at the left.
    const Stroke *surface = nullptr;
    for (const Stroke &stroke : shapes.strokes) {
        const QPolygonF &p = stroke.points;
        if (p.size() == 2 && p[0].y() == p[1].y()
            && (!surface
                || std::abs(p[1].x() - p[0].x())
                       > std::abs(surface->points[1].x() - surface->points[0].x())))
            surface = &stroke;
    }
    QVERIFY(surface);
    const double groundY = surface->points[0].y();
    QVERIFY(groundY < 0.25 * Height);
    QVERIFY(std::abs(surface->points[1].x() - surface->points[0].x()) > 0.9 * Width);

    std::optional<double> depthBottom;
    for (const Stroke &stroke : shapes.strokes) {
        const QPolygonF &p = stroke.points;
        if (p.size() == 2 && p[0].x() == p[1].x() && p[0].x() < 0.1 * Width
            && std::min(p[0].y(), p[1].y()) == groundY)
            depthBottom = std::max(p[0].y(), p[1].y());
    }
    QVERIFY2(depthBottom, "a depth line from the surface at the left");

    double top = Height;
    for (const Circle &circle : shapes.circles)
        top = std::min(top, circle.centre.y() - circle.radius);
    for (const QRectF &outline : envelopesOf(shapes))
        top = std::min(top, outline.top());
    QVERIFY(std::abs(*depthBottom - top) <= 2);
    QVERIFY2(top > 0.25 * Height, "cables and ducts below the upper quarter");
}

void tst_Diagrams::cleanDrafting()
{
    QFETCH(int, number);
    const Metafile &metafile = drawing(number);
    const Shapes shapes = shapesOf(metafile);
    const QRectF sheet(0, 0, Width, Height);

    // Even weights: heavy enough to survive the shrunken display, none thin or bold.
    for (const int pen : shapes.pens)
        QVERIFY2(pen >= 40 && pen <= 60, qPrintable(QString::number(pen)));

    const auto shapesInk = inkShapes(shapes);
    for (const auto &[name, path] : shapesInk)
        QVERIFY2(sheet.contains(path.boundingRect()), qPrintable(name));

    QFont arial(u"Arial"_s);
    const QString family = QFontInfo(arial).family();
    if (family != u"Arial" && family != u"Liberation Sans")
        QSKIP("no font with Arial's metrics to measure the labels with");
    const QList<Metafile::TextItem> items = metafile.textItems();
    QList<QRectF> inks;
    for (const Metafile::TextItem &item : items)
        inks << inkOf(item);
    for (qsizetype i = 0; i < items.size(); ++i) {
        QVERIFY2(sheet.contains(inks[i]), qPrintable(items[i].text));
        // A little slack for antialiasing at the edge of the glyphs.
        const QRectF core = inks[i].adjusted(20, 20, -20, -20);
        for (qsizetype j = i + 1; j < items.size(); ++j)
            QVERIFY2(!core.intersects(inks[j]),
                     qPrintable(items[i].text + u" / "_s + items[j].text));
        for (const auto &[name, path] : shapesInk)
            QVERIFY2(!path.intersects(core), qPrintable(items[i].text + u" crosses "_s + name));
    }

    // Arrowheads are long narrow triangles; each tip must rest on a line across its arrow.
    int arrows = 0;
    for (const QPolygonF &polygon : shapes.polygons) {
        if (polygon.size() != 3)
            continue;
        const double sides[3] = {QLineF(polygon[1], polygon[2]).length(),
                                 QLineF(polygon[2], polygon[0]).length(),
                                 QLineF(polygon[0], polygon[1]).length()};
        const int shortest = int(std::min_element(sides, sides + 3) - sides);
        if (sides[(shortest + 1) % 3] < 1.3 * sides[shortest])
            continue; // stipple
        ++arrows;
        const QPointF tip = polygon[shortest];
        const QPointF base = (polygon[(shortest + 1) % 3] + polygon[(shortest + 2) % 3]) / 2;
        const QLineF axis(base, tip);
        const bool rests
            = std::any_of(shapes.strokes.begin(), shapes.strokes.end(), [&](const Stroke &s) {
                  for (qsizetype k = 1; k < s.points.size(); ++k) {
                      const QLineF segment(s.points[k - 1], s.points[k]);
                      const double cosine = std::abs(
                          QPointF::dotProduct(axis.unitVector().p2() - axis.p1(),
                                              segment.unitVector().p2() - segment.p1()));
                      if (cosine < 0.2
                          && distanceToSegment(tip, segment.p1(), segment.p2()) <= s.pen / 2.0 + 2)
                          return true;
                  }
                  return false;
              });
        QVERIFY2(rests, qPrintable(QStringLiteral("arrow at (%1, %2)").arg(tip.x()).arg(tip.y())));
    }
    QVERIFY(arrows >= 2);
}

void tst_Diagrams::painting()
{
    QFETCH(int, number);
    // A sentinel colour shows any pixel that the drawing leaves unpainted.
    QImage image(1309, 991, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter painter(&image);
    drawing(number).paint(painter, QRectF(image.rect()));
    painter.end();

    int white = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            QVERIFY2(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel),
                     qPrintable(QStringLiteral("colour at %1, %2").arg(x).arg(y)));
            const bool edge = x < 2 || y < 2 || x >= image.width() - 2 || y >= image.height() - 2;
            if (edge)
                QVERIFY2(qRed(pixel) < 32,
                         qPrintable(QStringLiteral("ink at the edge, %1, %2").arg(x).arg(y)));
            white += qRed(pixel) > 128;
        }
    }
    QVERIFY(white > image.width() * image.height() / 100);
}

QTEST_MAIN(tst_Diagrams)
#include "tst_diagrams.moc"
