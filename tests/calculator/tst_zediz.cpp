#include "calculator/choices.h"
#include "calculator/diagram_view.h"
#include "calculator/diagrams/diagram_store.h"
#include "calculator/refresh_keys.h"
#include "calculator/zediz.h"
#include "platform/metafile.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <memory>

// Drives the real main window; the friend declaration gives the test its state and procedures.
class tst_Zediz : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void designBeforeFirstTick();
    void geometry_data();
    void geometry();
    void fixedSize();
    void wireSizes();
    void firstTick();
    void wireSizeLeads_data();
    void wireSizeLeads();
    void ampacityListLeadsWhileFocused();
    void popupKeepsAmpacityListLeading();
    void lostFocusHandsBackToWireSizeList();
    void fillReplacesAndSelectsNothing();
    void unknownTableReportsOncePerCode();
    void conduitPicksD11AtNextTick();
    void eightRunsIntoD9();
    void runsButtonMovesFocusToWireSizes();
    void selectedOptionAgainChangesNothing();
    void materialColours_data();
    void materialColours();
    void totalFollowsTemperature();
    void typedTotalStaysWhileTotalUnchanged();
    void everyCodeFillsItsOwnList();
    void diagramChangeSharesStoredPicture();
    void materialChangeKeepsDrawing();
    void numberWithoutDrawingShowsNothing();
    void unreadableDrawingShowsNothing();
    void eightRunsIntoD9ShowsDetail4AtOnce();
    void copyQuestion();
    void copyAnsweredNoKeepsClipboard();
    void copyAnsweredYesReplacesClipboard();
    void copyBeforeFirstTickCopiesNothing();
    void singleClickCopiesNothing();

private:
    template<typename T>
    T *control(const char *name)
    {
        T *widget = window->findChild<T *>(QLatin1StringView(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    CalculatorState &state() { return window->s; }
    QTimer *timer(int n) { return n == 1 ? window->Timer1 : window->Timer2; }
    void showActive();
    void click(const char *name);
    void waitForRefresh();
    void selectD11EightRuns();
    // Answers the next message box with button, from inside its own loop; returns the box's
    // texts, buttons and icon as seen while it was open.
    struct Question
    {
        QString title, text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool seen = false;
        int width = 0;
    };
    Question doubleClickDiagram(QMessageBox::StandardButton answer);

    const DiagramStore store = DiagramStore::embedded();
    std::unique_ptr<Zediz> window;
};

void tst_Zediz::init()
{
    window = std::make_unique<Zediz>(store);
}

void tst_Zediz::cleanup()
{
    window.reset();
}

void tst_Zediz::showActive()
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

// A real mouse click: on the indicator of an option, in the middle of a button.
void tst_Zediz::click(const char *name)
{
    auto *button = control<QAbstractButton>(name);
    const QPoint at = qobject_cast<QRadioButton *>(button) ? QPoint(6, button->height() / 2)
                                                           : button->rect().center();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
}

// "Encased in Conduit" from the start, then the runs button round to eight runs.
void tst_Zediz::selectD11EightRuns()
{
    click("OpENC");
    for (int i = 0; i < 6; ++i)
        click("NORcmnd");
}

// Waits until a tick has turned the state into the list on show.
void tst_Zediz::waitForRefresh()
{
    QTRY_COMPARE(state().ListedTableCode, composeTableCode(state()));
    QTRY_COMPARE(state().ShownDiagramNumber, composeDiagramNumber(state()));
    QTRY_COMPARE(control<QComboBox>("ComAM")->currentIndex(), int(state().WireSizeIndex));
}

void tst_Zediz::designBeforeFirstTick()
{
    // No event has run yet, so no tick either: the design shows.
    QCOMPARE(window->windowTitle(), QStringLiteral("Loamvane"));
    QCOMPARE(control<QLabel>("Label4")->text(),
             QStringLiteral("For 90\u00B0C Conductors Based on table 12A"));
    QCOMPARE(control<QLineEdit>("ComTotalAmp")->text(), QStringLiteral("="));
    QCOMPARE(control<QGroupBox>("FrameTA")->title(), QStringLiteral("Total Ampacity "));
    QCOMPARE(control<QComboBox>("ComAM")->count(), 0);
    QCOMPARE(control<QPushButton>("CTcmnd")->text(),
             QStringLiteral("Insulation Rating   90\u00B0C "));
    QCOMPARE(control<QPushButton>("AETcmnd")->text(),
             QStringLiteral("Ambient Earth Temperature 20\u00B0C"));
    QCOMPARE(control<QPushButton>("NORcmnd")->text(), QStringLiteral("1"));
    for (const char *name : {"OpCU", "OpDB", "OpTri"})
        QVERIFY2(control<QRadioButton>(name)->isChecked(), name);
    for (const char *name : {"OpAL", "OpENC", "OpSC"})
        QVERIFY2(!control<QRadioButton>(name)->isChecked(), name);
    QCOMPARE(control<QLineEdit>("ComTotalAmp")->cursor().shape(), Qt::ForbiddenCursor);
    QCOMPARE(control<QComboBox>("ComWS")->palette().color(QPalette::ButtonText), QColor(0x800000));
    QCOMPARE(control<QRadioButton>("OpAL")->palette().color(QPalette::WindowText), QColor(0x0000C0));
    QCOMPARE(window->palette().color(QPalette::Window), QColor(0xE0E0E0));
    QVERIFY(timer(1)->isActive());
    QVERIFY(!timer(2)->isActive());
    QCOMPARE(timer(1)->interval(), 10);
    QCOMPARE(timer(2)->interval(), 100);
}

void tst_Zediz::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    struct Row
    {
        const char *name;
        const char *container;
        int left, top, width, height;
    };
    constexpr Row rows[] = {
        {"FrameCM", "Zediz", 84, 96, 2200, 1000},
        {"OpCU", "FrameCM", 84, 352, 1440, 192},
        {"OpAL", "FrameCM", 84, 654, 1440, 192},
        {"FrameIN", "Zediz", 84, 1196, 2200, 1000},
        {"OpDB", "FrameIN", 84, 352, 1724, 192},
        {"OpENC", "FrameIN", 84, 654, 2020, 225},
        {"FrameCC", "Zediz", 84, 2296, 2200, 1000},
        {"OpSC", "FrameCC", 120, 352, 2020, 225},
        {"OpTri", "FrameCC", 84, 654, 2020, 225},
        {"FrameNOR", "Zediz", 84, 3396, 2200, 800},
        {"NORcmnd", "FrameNOR", 140, 240, 1920, 460},
        {"FrameWS", "Zediz", 84, 4200, 1724, 800},
        {"ComWS", "FrameWS", 168, 280, 1440, 345},
        {"FrameAM", "Zediz", 1920, 4200, 2055, 1500},
        {"ComAM", "FrameAM", 120, 280, 1730, 345},
        {"Label4", "FrameAM", 165, 825, 1770, 480},
        {"FrameTA", "Zediz", 4080, 4200, 3945, 1500},
        {"ComTotalAmp", "FrameTA", 84, 280, 2535, 345},
        {"AETcmnd", "FrameTA", 84, 780, 2535, 640},
        {"CTcmnd", "FrameTA", 2760, 240, 1050, 1190},
        {"Pic1", "Zediz", 2400, 105, 5625, 4080},
        {"CmdAbout", "Zediz", 120, 5180, 1665, 480},
    };
    for (const Row &r : rows) {
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << QString::fromLatin1(r.container)
                              << QRect(r.left, r.top, r.width, r.height);
    }
}

void tst_Zediz::geometry()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    auto *widget = window->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    // Each edge within half a pixel of its twips position.
    const QRect g = widget->geometry();
    QVERIFY2(qAbs(g.x() * 15 - twips.x()) <= 8, qPrintable(QString::number(g.x())));
    QVERIFY2(qAbs(g.y() * 15 - twips.y()) <= 8, qPrintable(QString::number(g.y())));
    QVERIFY2(qAbs(g.width() * 15 - twips.width()) <= 8, qPrintable(QString::number(g.width())));
    QVERIFY2(qAbs(g.height() * 15 - twips.height()) <= 8, qPrintable(QString::number(g.height())));
}

void tst_Zediz::fixedSize()
{
    QCOMPARE(window->size(), QSize(542, 387));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowSystemMenuHint);
}

void tst_Zediz::wireSizes()
{
    const QStringList expected = {"   1/0 AWG",
                                  "   2/0 AWG",
                                  "   3/0 AWG",
                                  "   4/0 AWG",
                                  "   250 MCM",
                                  "   300 MCM",
                                  "   350 MCM",
                                  "   400 MCM",
                                  "   500 MCM",
                                  "   600 MCM",
                                  "   750 MCM",
                                  "   900 MCM",
                                  " 1000 MCM",
                                  " 1250 MCM",
                                  " 1500 MCM",
                                  " 1750 MCM",
                                  " 2000 MCM"};
    auto *list = control<QComboBox>("ComWS");
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    QCOMPARE(texts, expected);
    QCOMPARE(list->currentText(), QStringLiteral("   1/0 AWG"));
    QCOMPARE(state().WireSizeIndex, qint16(0));
    QVERIFY(!list->isEditable());
}

void tst_Zediz::firstTick()
{
    auto *list = control<QComboBox>("ComAM");
    QTRY_COMPARE(list->count(), 17);
    QCOMPARE(list->currentText(), QStringLiteral("    262 A"));
    QCOMPARE(list->itemText(16), QStringLiteral("    1060 A"));
    QCOMPARE(control<QLabel>("Label4")->text(),
             QStringLiteral("For 90\u00B0C Conductors Based on table D10A"));
    QCOMPARE(state().TableCode, QStringLiteral("D10A11"));
    QCOMPARE(state().DiagramNumber, QStringLiteral("101"));
    QCOMPARE(state().ShownDiagramNumber, QStringLiteral("101"));
    QCOMPARE(state().ListedTableCode, QStringLiteral("D10A11"));
    QVERIFY(!list->isEditable());
}

void tst_Zediz::wireSizeLeads_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("entry");
    QTest::newRow("4/0 AWG") << 3 << "    382 A";
    QTest::newRow("250 MCM") << 4 << "    418 A";
    QTest::newRow("1750 MCM") << 15 << "    1017 A";
    QTest::newRow("2000 MCM") << 16 << "    1060 A";
}

void tst_Zediz::wireSizeLeads()
{
    QFETCH(int, index);
    QFETCH(QString, entry);
    auto *list = control<QComboBox>("ComAM");
    QTRY_COMPARE(list->count(), 17);
    control<QComboBox>("ComWS")->setCurrentIndex(index);
    QTRY_COMPARE(list->currentIndex(), index);
    QCOMPARE(list->currentText(), entry);
    QCOMPARE(state().WireSizeIndex, qint16(index));
}

void tst_Zediz::ampacityListLeadsWhileFocused()
{
    showActive();
    auto *list = control<QComboBox>("ComAM");
    QTRY_COMPARE(list->count(), 17);
    list->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(timer(2)->isActive());
    QVERIFY(!timer(1)->isActive());
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex(), 2);
    QTRY_COMPARE(control<QComboBox>("ComWS")->currentIndex(), 2);
    QCOMPARE(state().WireSizeIndex, qint16(2));
}

void tst_Zediz::popupKeepsAmpacityListLeading()
{
    showActive();
    auto *list = control<QComboBox>("ComAM");
    QTRY_COMPARE(list->count(), 17);
    list->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(timer(2)->isActive());
    list->showPopup();
    QTRY_VERIFY(list->view()->isVisible());
    QVERIFY(timer(2)->isActive());
    QVERIFY(!timer(1)->isActive());
    list->hidePopup();
    QTRY_VERIFY(!list->view()->isVisible());
    QVERIFY(timer(2)->isActive());
}

void tst_Zediz::lostFocusHandsBackToWireSizeList()
{
    showActive();
    auto *list = control<QComboBox>("ComAM");
    auto *sizes = control<QComboBox>("ComWS");
    QTRY_COMPARE(list->count(), 17);
    list->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(timer(2)->isActive());
    // An entry picked just before the focus leaves is not taken over: Timer2 has not ticked.
    timer(2)->stop();
    list->setCurrentIndex(9);
    sizes->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(timer(1)->isActive());
    QVERIFY(!timer(2)->isActive());
    QTRY_COMPARE(list->currentIndex(), 0);
    QCOMPARE(sizes->currentIndex(), 0);
}

void tst_Zediz::fillReplacesAndSelectsNothing()
{
    auto *list = control<QComboBox>("ComAM");
    QTRY_COMPARE(list->count(), 17);
    window->Timer1->stop();
    state().TableCode = QStringLiteral("D10B66");
    window->TiAmp10_Click();
    window->TiAmp10_Click();
    QCOMPARE(list->count(), 17);
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->currentText(), QString());
    QCOMPARE(list->itemText(0), QStringLiteral("    127 A"));
    QCOMPARE(list->itemText(16), QStringLiteral("    512 A"));
}

void tst_Zediz::unknownTableReportsOncePerCode()
{
    auto *list = control<QComboBox>("ComAM");
    auto *caption = control<QLabel>("Label4");
    QTRY_COMPARE(list->count(), 17);
    int ticks = 0;
    connect(timer(1), &QTimer::timeout, this, [&] { ++ticks; });
    state().TableNumber = 12;
    state().TableNumberText = QStringLiteral("12");
    int boxes = 0;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::Critical;
    // Every box is counted and closed from inside its own loop.
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->property("seen").toBool())
            return;
        box->setProperty("seen", true);
        ++boxes;
        text = box->text();
        buttons = box->standardButtons();
        icon = box->icon();
        box->accept();
    });
    watcher.start(5);
    QTRY_COMPARE(boxes, 1);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    const int closedAt = ticks;
    QTRY_VERIFY(ticks >= closedAt + 10);
    QCOMPARE(boxes, 1);
    QCOMPARE(text, QStringLiteral("ERROR"));
    QCOMPARE(buttons, QMessageBox::Ok);
    QCOMPARE(icon, QMessageBox::NoIcon);
    // The tick went on after the box.
    QCOMPARE(caption->text(), QStringLiteral("For 90\u00B0C Conductors Based on table D12A"));
    QCOMPARE(state().ListedTableCode, QStringLiteral("D12A11"));
    QCOMPARE(list->count(), 17);
    QCOMPARE(list->itemText(0), QStringLiteral("    262 A"));
}

void tst_Zediz::conduitPicksD11AtNextTick()
{
    showActive();
    waitForRefresh();
    click("OpENC");
    QVERIFY(control<QRadioButton>("OpENC")->isChecked());
    QCOMPARE(state().TableNumber, qint16(11));
    QTRY_COMPARE(state().TableCode, QStringLiteral("D11A11"));
    QCOMPARE(state().DiagramNumber, QStringLiteral("111"));
    QCOMPARE(control<QPushButton>("NORcmnd")->text(), QStringLiteral("1"));
    QTRY_COMPARE(control<QLabel>("Label4")->text(),
                 QStringLiteral("For 90\u00B0C Conductors Based on table D11A"));
    QTRY_COMPARE(control<QComboBox>("ComAM")->itemText(0), QStringLiteral("    205 A"));
}

void tst_Zediz::eightRunsIntoD9()
{
    showActive();
    selectD11EightRuns();
    QCOMPARE(control<QPushButton>("NORcmnd")->text(), QStringLiteral("8"));
    waitForRefresh();
    QCOMPARE(state().TableCode, QStringLiteral("D11A88"));
    click("OpSC");
    QCOMPARE(state().TableNumber, qint16(9));
    QCOMPARE(state().RunCount, qint16(6));
    QCOMPARE(state().DetailNumber, 4.0f);
    QCOMPARE(control<QPushButton>("NORcmnd")->text(), QStringLiteral("6"));
    QTRY_COMPARE(state().TableCode, QStringLiteral("D9A64"));
    QCOMPARE(state().DiagramNumber, QStringLiteral("94"));
}

void tst_Zediz::runsButtonMovesFocusToWireSizes()
{
    showActive();
    click("OpSC");
    for (int i = 0; i < 4; ++i) {
        click("NORcmnd");
        QTRY_COMPARE(QApplication::focusWidget(), control<QWidget>("ComWS"));
    }
    QCOMPARE(control<QPushButton>("NORcmnd")->text(), QStringLiteral("4 Wide Spacing"));
}

void tst_Zediz::selectedOptionAgainChangesNothing()
{
    showActive();
    click("OpSC");
    click("NORcmnd");
    click("NORcmnd");
    QCOMPARE(control<QPushButton>("NORcmnd")->text(), QStringLiteral("2 Wide Spacing"));
    click("OpSC");
    click("OpDB");
    QVERIFY(control<QRadioButton>("OpSC")->isChecked());
    QCOMPARE(control<QPushButton>("NORcmnd")->text(), QStringLiteral("2 Wide Spacing"));
    QCOMPARE(state().DetailNumber, 3.0f);
    QTRY_COMPARE(state().TableCode, QStringLiteral("D8A23"));
}

void tst_Zediz::materialColours_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QString>("code");
    QTest::newRow("aluminum") << QStringList{"OpAL"} << uint(AluminumColour) << "D10B11";
    QTest::newRow("back to copper")
        << QStringList{"OpAL", "OpCU"} << uint(CopperColour) << "D10A11";
}

// The dropped list as the user sees it: the darkest ink of its entries, and the colour behind
// them, read off an entry that is not the selected one.
struct DroppedColours
{
    QRgb ink = 0xFFFFFF;
    QRgb background = 0;
};

// The list must not change while it is dropped: the view lays out new entries only later, and
// paints none until then.
DroppedColours droppedColours(QComboBox *list)
{
    list->showPopup();
    const auto closeUp = qScopeGuard([list] { list->hidePopup(); });
    QAbstractItemView *view = list->view();
    if (!QTest::qWaitForWindowExposed(view->window()))
        return {};
    // Asking for the entry's place lays the entries out if they are not yet.
    const QRect entry = view->visualRect(list->model()->index(list->currentIndex() + 1, 0))
                        & view->viewport()->rect();
    if (entry.isEmpty())
        return {};
    const QImage shown = view->viewport()->grab().toImage();
    const qreal scale = shown.devicePixelRatio();
    DroppedColours seen;
    seen.background = shown.pixel(QPoint(entry.right() - 2, entry.center().y()) * scale) & 0xFFFFFF;
    for (int y = int(entry.top() * scale); y < int(entry.bottom() * scale); ++y) {
        for (int x = int(entry.left() * scale); x < int(entry.right() * scale); ++x) {
            const QRgb pixel = shown.pixel(x, y) & 0xFFFFFF;
            if (qRed(pixel) + qGreen(pixel) + qBlue(pixel)
                < qRed(seen.ink) + qGreen(seen.ink) + qBlue(seen.ink))
                seen.ink = pixel;
        }
    }
    return seen;
}

void tst_Zediz::materialColours()
{
    QFETCH(QStringList, clicks);
    QFETCH(uint, colour);
    QFETCH(QString, code);
    showActive();
    waitForRefresh();
    // Dropped once before the change, so that the change has to reach lists that exist.
    for (const char *name : {"ComWS", "ComAM"})
        droppedColours(control<QComboBox>(name));
    click("AETcmnd");
    click("NORcmnd");
    for (const QString &name : clicks)
        click(qPrintable(name));
    for (const char *name : {"ComWS", "ComAM", "ComTotalAmp"}) {
        const QPalette p = control<QWidget>(name)->palette();
        QCOMPARE(p.color(QPalette::Text), QColor(QRgb(colour)));
        QCOMPARE(p.color(QPalette::ButtonText), QColor(QRgb(colour)));
    }
    // The clicks change the table, so a tick refills the ampacity list; drop it only after that.
    waitForRefresh();
    code.replace(QStringLiteral("11"), QStringLiteral("22"));
    QCOMPARE(state().ListedTableCode, code);
    QCOMPARE(state().EarthTemperature, qint16(22));
    QCOMPARE(state().RunCount, qint16(2));
    QCOMPARE(control<QComboBox>("ComAM")->count(), 17);
    const DroppedColours wireSizes = droppedColours(control<QComboBox>("ComWS"));
    QCOMPARE(wireSizes.ink, QRgb(colour));
    QCOMPARE(wireSizes.background, QRgb(0xFFFFFF));
    QCOMPARE(droppedColours(control<QComboBox>("ComAM")).ink, QRgb(colour));
}

void tst_Zediz::totalFollowsTemperature()
{
    showActive();
    auto *total = control<QLineEdit>("ComTotalAmp");
    auto *frame = control<QGroupBox>("FrameTA");
    QTRY_COMPARE(total->text(), QStringLiteral("262 A"));
    QCOMPARE(frame->title(), QStringLiteral("Total Ampacity"));
    click("AETcmnd");
    QCOMPARE(control<QPushButton>("AETcmnd")->text(),
             QStringLiteral("Ambient Earth Temperature 22\u00B0C"));
    QTRY_COMPARE(total->text(), QStringLiteral("258 A ( \u00B7 0.986)"));
    QCOMPARE(frame->title(), QStringLiteral("Total  ( multiplier(s) are shown in brackets )"));
    for (int i = 0; i < 3; ++i)
        click("CTcmnd");
    QCOMPARE(control<QPushButton>("CTcmnd")->text(),
             QStringLiteral("Insulation Rating  90\u00B0C "));
}

void tst_Zediz::typedTotalStaysWhileTotalUnchanged()
{
    showActive();
    auto *total = control<QLineEdit>("ComTotalAmp");
    QTRY_COMPARE(total->text(), QStringLiteral("262 A"));
    int ticks = 0;
    connect(timer(1), &QTimer::timeout, this, [&] { ++ticks; });
    total->setFocus();
    total->selectAll();
    QTest::keyClicks(total, QStringLiteral("999 A"));
    QTRY_VERIFY(ticks >= 10);
    QCOMPARE(total->text(), QStringLiteral("999 A"));
    // A new total overwrites what was typed.
    control<QComboBox>("ComWS")->setCurrentIndex(1);
    QTRY_COMPARE(total->text(), QStringLiteral("298 A"));
}

void tst_Zediz::everyCodeFillsItsOwnList()
{
    showActive();
    struct Arrangement
    {
        const char *installation, *configuration;
        AmpacityTable (*table)();
        int steps;
    };
    constexpr Arrangement arrangements[] = {
        {"OpDB", "OpSC", tableD8, 7},
        {"OpENC", "OpSC", tableD9, 4},
        {"OpDB", "OpTri", tableD10, 6},
        {"OpENC", "OpTri", tableD11, 7},
    };
    QSet<QString> seen;
    auto *list = control<QComboBox>("ComAM");
    for (const Arrangement &a : arrangements) {
        for (const char *material : {"OpCU", "OpAL"}) {
            // Each runs step on each table and material shows its own column.
            click(a.installation);
            click(a.configuration);
            click(material);
            for (int step = 0; step < a.steps; ++step) {
                waitForRefresh();
                const QString code = state().TableCode;
                const AmpacityList &own = findList(a.table(), code);
                QCOMPARE(QLatin1StringView(own.code), code);
                QCOMPARE(list->count(), 17);
                for (int i = 0; i < 17; ++i)
                    QCOMPARE(list->itemText(i), ampacityItem(own.amps[std::size_t(i)]));
                seen.insert(code);
                click("NORcmnd");
            }
        }
    }
    QCOMPARE(seen.size(), 48);
}

tst_Zediz::Question tst_Zediz::doubleClickDiagram(QMessageBox::StandardButton answer)
{
    Question seen;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || seen.seen)
            return;
        seen = {box->windowTitle(),
                box->text(),
                box->standardButtons(),
                box->standardButton(box->defaultButton()),
                box->icon(),
                true,
                box->width()};
        box->button(answer)->click();
    });
    watcher.start(5);
    auto *view = control<QWidget>("Pic1");
    QTest::mouseDClick(view, Qt::LeftButton, {}, view->rect().center());
    return seen;
}

void tst_Zediz::diagramChangeSharesStoredPicture()
{
    showActive();
    waitForRefresh();
    QVERIFY(store.find(u"101"));
    QCOMPARE(window->Pic1->picture(), store.find(u"101"));
    click("NORcmnd");
    waitForRefresh();
    QCOMPARE(window->Pic1->picture(), store.find(u"102"));
    click("OpENC");
    waitForRefresh();
    QCOMPARE(window->Pic1->picture(), store.find(u"112"));
}

void tst_Zediz::materialChangeKeepsDrawing()
{
    showActive();
    waitForRefresh();
    QTRY_VERIFY(!window->Pic1->visibleRegion().isEmpty());
    int paints = 0;
    struct PaintCounter : QObject
    {
        int &paints;
        explicit PaintCounter(int &p)
            : paints(p)
        {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    window->Pic1->installEventFilter(&counter);
    click("OpAL");
    waitForRefresh();
    QCOMPARE(state().TableCode, QStringLiteral("D10B11"));
    int ticks = 0;
    connect(timer(1), &QTimer::timeout, this, [&] { ++ticks; });
    QTRY_VERIFY(ticks >= 10);
    QCOMPARE(paints, 0);
}

void tst_Zediz::numberWithoutDrawingShowsNothing()
{
    showActive();
    click("OpENC");
    waitForRefresh();
    QCOMPARE(window->Pic1->picture(), store.find(u"111"));
    state().RunCount = 7;
    state().DetailNumber = 7;
    QTRY_COMPARE(state().ShownDiagramNumber, QStringLiteral("117"));
    QVERIFY(!window->Pic1->picture());
    QTRY_COMPARE(state().ListedTableCode, QStringLiteral("D11A77"));
    QCOMPARE(control<QComboBox>("ComAM")->itemText(0), QStringLiteral("    205 A"));
}

void tst_Zediz::unreadableDrawingShowsNothing()
{
    // Every drawing but that of the second runs step, whose bytes are cut short.
    const auto damaged = [this](int number) {
        const QByteArray bytes = store.at(diagramIndex(number))->bytes();
        return number == 102 ? bytes.chopped(2) : bytes;
    };
    const DiagramStore lacking = DiagramStore::read(damaged).store;
    window = std::make_unique<Zediz>(lacking);
    const auto closeBeforeStore = qScopeGuard([this] { window.reset(); });
    showActive();
    waitForRefresh();
    QVERIFY(window->Pic1->picture());
    QCOMPARE(window->Pic1->picture(), lacking.find(u"101"));
    click("NORcmnd");
    waitForRefresh();
    QCOMPARE(state().ShownDiagramNumber, QStringLiteral("102"));
    QVERIFY(!window->Pic1->picture());
    const QImage seen = window->Pic1->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage black(seen.size(), QImage::Format_RGB32);
    black.fill(Qt::black);
    QCOMPARE(seen, black);
}

void tst_Zediz::eightRunsIntoD9ShowsDetail4AtOnce()
{
    showActive();
    selectD11EightRuns();
    waitForRefresh();
    QCOMPARE(window->Pic1->picture(), store.find(u"118"));
    // With the refresh held, the drawing can only come from the table selection itself.
    timer(1)->stop();
    click("OpSC");
    QCOMPARE(window->Pic1->picture(), store.find(u"94"));
    QCOMPARE(state().ShownDiagramNumber, QStringLiteral("118"));
    timer(1)->start();
    QTRY_COMPARE(state().ShownDiagramNumber, QStringLiteral("94"));
    QCOMPARE(window->Pic1->picture(), store.find(u"94"));
}

void tst_Zediz::copyQuestion()
{
    showActive();
    waitForRefresh();
    const Question q = doubleClickDiagram(QMessageBox::No);
    QVERIFY(q.seen);
    QCOMPARE(q.title, QStringLiteral("Pasting Picture to Clipboard"));
    QCOMPARE(q.text, QStringLiteral("Is it OK to overwrite Clipboard?"));
    QCOMPARE(q.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(q.defaultButton, QMessageBox::Yes);
    QCOMPARE(q.icon, QMessageBox::Question);
    // Room for the whole title in a title bar: the caption in bold beside the window icon and
    // three buttons, about 24 pixels each.
    QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    titleFont.setBold(true);
    QVERIFY(q.width >= QFontMetrics(titleFont).horizontalAdvance(q.title) + 4 * 24);
}

void tst_Zediz::copyAnsweredNoKeepsClipboard()
{
    showActive();
    waitForRefresh();
    QGuiApplication::clipboard()->setText(QStringLiteral("another program's text"));
    QVERIFY(doubleClickDiagram(QMessageBox::No).seen);
    QCOMPARE(state().MsgAnswer, qint16(7));
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QStringLiteral("another program's text"));
    QVERIFY(!data->hasImage());
}

void tst_Zediz::copyAnsweredYesReplacesClipboard()
{
    showActive();
    selectD11EightRuns();
    waitForRefresh();
    QCOMPARE(state().ShownDiagramNumber, QStringLiteral("118"));
    QGuiApplication::clipboard()->setText(QStringLiteral("another program's text"));
    QVERIFY(doubleClickDiagram(QMessageBox::Yes).seen);
    QCOMPARE(state().MsgAnswer, qint16(6));

    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(!data->hasText());
    const QByteArray stored = store.find(u"118")->bytes();
    QCOMPARE(data->data(QStringLiteral("image/x-wmf")), stored);
    QCOMPARE(data->data(QStringLiteral("image/wmf")), stored);
    const auto copied = platform::Metafile::fromBytes(data->data(QStringLiteral("image/x-wmf")));
    QVERIFY(copied);
    QVERIFY(copied->texts().contains(QStringLiteral("Diagram D11   Detail 8")));
    // The same drawing as an image at its natural size, 9.09 x 6.88 inches at 96 dpi.
    const QImage image = qvariant_cast<QImage>(data->imageData());
    QCOMPARE(image.size(), QSize(873, 661));
    QCOMPARE(image.dotsPerMeterX(), 3780);
    QCOMPARE(image.dotsPerMeterY(), 3780);
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::black));
    bool white = false;
    for (int y = 0; y < image.height() && !white; y += 3) {
        for (int x = 0; x < image.width() && !white; x += 3)
            white = image.pixelColor(x, y) == QColor(Qt::white);
    }
    QVERIFY(white);
}

void tst_Zediz::copyBeforeFirstTickCopiesNothing()
{
    timer(1)->stop();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(!window->Pic1->picture());
    QGuiApplication::clipboard()->setText(QStringLiteral("another program's text"));
    QVERIFY(doubleClickDiagram(QMessageBox::Yes).seen);
    QCOMPARE(state().MsgAnswer, qint16(6));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("another program's text"));
}

void tst_Zediz::singleClickCopiesNothing()
{
    showActive();
    waitForRefresh();
    QGuiApplication::clipboard()->setText(QStringLiteral("another program's text"));
    auto *view = control<QWidget>("Pic1");
    QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
    QTest::mousePress(view, Qt::RightButton, {}, view->rect().center());
    QTest::mouseRelease(view, Qt::RightButton, {}, view->rect().center());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(state().MsgAnswer, qint16(0));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("another program's text"));
}

QTEST_MAIN(tst_Zediz)
#include "tst_zediz.moc"
