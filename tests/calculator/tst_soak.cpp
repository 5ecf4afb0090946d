#include "calculator/ampacity_tables.h"
#include "calculator/choices.h"
#include "calculator/diagram_view.h"
#include "calculator/diagrams/diagram_store.h"
#include "calculator/refresh_keys.h"
#include "calculator/zediz.h"
#include "platform/command_button.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSet>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Pair
{
    qint16 runs;
    float detail;
};

// The runs button's cycle of each table, in the order the button steps through it.
std::vector<Pair> runsCycle(qint16 table)
{
    switch (table) {
    case 8:
        return {{1, 1}, {2, 2}, {2, 3}, {4, 4}, {4, 5}, {6, 6}, {6, 7}};
    case 9:
        return {{1, 1}, {2, 2}, {4, 3}, {6, 4}};
    case 10:
        return {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}};
    default:
        return {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {8, 8}};
    }
}

int positionInCycle(qint16 table, qint16 runs, float detail)
{
    const std::vector<Pair> cycle = runsCycle(table);
    for (std::size_t i = 0; i < cycle.size(); ++i) {
        if (cycle[i].runs == runs && cycle[i].detail == detail)
            return int(i);
    }
    return -1;
}

AmpacityTable tableOf(qint16 table)
{
    switch (table) {
    case 8:
        return tableD8();
    case 9:
        return tableD9();
    case 10:
        return tableD10();
    default:
        return tableD11();
    }
}

// The total worked out here from the table value, apart from the program's own arithmetic.
float expectedTotal(int amps, qint16 runs, qint16 earthTemperature, float insulation)
{
    const float temperatureFactor = float(std::sqrt(double(90 - earthTemperature) / 70.0));
    double product = double(float(runs));
    product *= double(float(amps));
    product *= double(insulation);
    product *= double(temperatureFactor);
    return std::floor(float(product));
}

QString shownTemperatureFactor(qint16 earthTemperature)
{
    switch (earthTemperature) {
    case 16:
        return QStringLiteral("1.028");
    case 18:
        return QStringLiteral("1.014");
    case 22:
        return QStringLiteral("0.986");
    case 24:
        return QStringLiteral("0.971");
    case 26:
        return QStringLiteral("0.956");
    case 28:
        return QStringLiteral("0.941");
    case 30:
        return QStringLiteral("0.926");
    default:
        return QStringLiteral("?");
    }
}

QString expectedTotalText(float total, qint16 runs, qint16 earthTemperature, float insulation)
{
    const QString separator = QStringLiteral(" \u00B7 ");
    const bool plain = runs == 1 && earthTemperature == 20 && insulation == 1.0f;
    QString text = QString::number(qint64(total)) + (plain ? u" A"_s : u" A ("_s);
    if (runs != 1)
        text += separator + QString::number(runs);
    if (earthTemperature != 20)
        text += separator + shownTemperatureFactor(earthTemperature);
    if (insulation != 1.0f)
        text += separator + (insulation == 0.75f ? u"0.75"_s : u"0.886"_s);
    if (!plain)
        text += u')';
    return text;
}

QString insulationCaption(float factor)
{
    if (factor == 1.0f)
        return QStringLiteral("Insulation Rating  90\u00B0C ");
    if (factor == 0.886f)
        return QStringLiteral("Insulation Rating  75\u00B0C ");
    return QStringLiteral("Insulation Rating  60\u00B0C ");
}

QString nameOf(const QObject *object)
{
    if (!object)
        return QStringLiteral("none");
    return object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                          : object->objectName();
}

QtMessageHandler passOn = nullptr;

// The offscreen platform notes every raise and keyboard grab it cannot do; thousands of
// those would bury what matters.
void dropPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(u"This plugin does not support"_s))
        return;
    passOn(type, context, message);
}

int envNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value >= 0 ? value : fallback;
}

// The seed of a run to replay: any 32-bit unsigned number, or the default when none is given.
// Anything else is refused, so that a run is never quietly another one than asked for.
std::optional<quint32> envSeed(const char *name, quint32 fallback)
{
    if (!qEnvironmentVariableIsSet(name))
        return fallback;
    const QByteArray text = qgetenv(name);
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 10);
    const bool digitsOnly = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    if (!ok || !digitsOnly || value > std::numeric_limits<quint32>::max())
        return std::nullopt;
    return quint32(value);
}

} // namespace

// Tens of thousands of seeded random user actions on the real main window, its About window
// and the READ ME window, with the program's invariants checked after each once the refresh
// has caught up. LOAMVANE_SOAK_SEED replays a run; LOAMVANE_SOAK_ACTIONS sets the number of
// actions with fast timers, a hundredth of it runs with the design timers.
class tst_Soak : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { passOn = qInstallMessageHandler(dropPlatformNotes); }
    void cleanupTestCase() { qInstallMessageHandler(passOn); }
    void randomActions_data();
    void randomActions();

private:
    enum class Act {
        Option,
        GroupArrow,
        Button,
        ButtonKey,
        ListKey,
        ListWheel,
        ListPick,
        ListPopupPick,
        PickThenLeave,
        Focus,
        Type,
        AboutOpen,
        AboutClose,
        ReadMe,
        SwitchWindow,
        CopyDiagram,
    };

    QString perform(Act act);
    QString clickOption();
    QString arrowInGroup();
    QString pressButton(bool byKey);
    QString listKey();
    QString listWheel();
    QString listPick();
    QString listPopupPick();
    QString pickThenLeave();
    QString moveFocus();
    QString typeTotal();
    QString openAbout();
    QString closeAbout();
    QString readMe();
    QString switchWindow();
    QString copyDiagram();

    void beforeOption();
    void afterOption();
    void beforeRunsStep();
    void beforeTemperatureStep();
    void beforeInsulationStep();
    bool activate(QWidget *window);
    bool focus(QWidget *widget, Qt::FocusReason reason);
    bool runModal(const std::function<void()> &open, const std::function<void(QWidget *)> &close);
    bool waitForLeadingTick();
    QString violation();
    QString report(const QString &problem) const;

    quint32 pick(quint32 n) { return rng() % n; }
    QComboBox *someList() { return pick(2) ? w->ComWS : w->ComAM; }

    Zediz *w = nullptr;
    const DiagramStore *store = nullptr;
    std::mt19937 rng;
    quint32 seed = 0;
    int index = 0;
    QString row;
    std::deque<QString> trace;
    QSet<QString> codes;
    bool storeEmpty = false;
    int ticks1 = 0;
    int ticks2 = 0;

    // What a single action promises beyond the standing invariants.
    QString actionProblem;
    std::optional<int> expectIndex;
    std::optional<Pair> expectPair;
    bool atEightRuns = false;
    // Steps of the temperature and insulation buttons, counted by the test.
    qint16 temperature = 20;
    float insulation = 1;
    bool insulationStepped = false;
    // What the user typed into the total display stays until the total changes.
    std::optional<QString> typed;
    float typedOver = 0;
};

void tst_Soak::randomActions_data()
{
    // The fast row compresses the timers so that thousands of actions fit into seconds; the
    // cycle's logic does not depend on the intervals. The design row keeps the real 10 ms
    // and 100 ms timers for a shorter run.
    QTest::addColumn<bool>("fastTimers");
    QTest::addColumn<int>("actions");
    const int actions = envNumber("LOAMVANE_SOAK_ACTIONS", 20000);
    QTest::newRow("fast timers") << true << actions;
    QTest::newRow("design timers") << false << actions / 100;
}

void tst_Soak::randomActions()
{
    QFETCH(bool, fastTimers);
    QFETCH(int, actions);
    row = QString::fromLatin1(QTest::currentDataTag());
    const std::optional<quint32> asked = envSeed("LOAMVANE_SOAK_SEED", 20250107);
    if (!asked) {
        QFAIL(qPrintable(u"LOAMVANE_SOAK_SEED must be a whole number from 0 to 4294967295, not \""_s
                         + qEnvironmentVariable("LOAMVANE_SOAK_SEED") + u"\""_s));
    }
    seed = *asked;
    rng.seed(seed);
    qInfo("soak %s: seed %u, %d actions", QTest::currentDataTag(), seed, actions);

    const DiagramStore drawings = DiagramStore::embedded();
    store = &drawings;
    int present = 0;
    for (int i = 0; i < int(DiagramNumbers.size()); ++i)
        present += drawings.at(i) ? 1 : 0;
    storeEmpty = present == 0;
    if (present != 0 && present != int(DiagramNumbers.size()))
        qWarning("only %d of the diagram drawings are present", present);

    codes.clear();
    for (qint16 table : {8, 9, 10, 11}) {
        for (const AmpacityList &list : tableOf(table))
            codes.insert(QString::fromLatin1(list.code));
    }
    QCOMPARE(codes.size(), 48);

    Zediz window(drawings);
    w = &window;
    // An About window left open by a failure would outlive the main window it reads.
    const auto aboutGone = qScopeGuard([&] { delete window.about.data(); });
    trace.clear();
    actionProblem.clear();
    expectIndex.reset();
    expectPair.reset();
    typed.reset();
    temperature = 20;
    insulation = 1;
    insulationStepped = false;
    ticks1 = ticks2 = 0;
    connect(w->Timer1, &QTimer::timeout, this, [this] { ++ticks1; });
    connect(w->Timer2, &QTimer::timeout, this, [this] { ++ticks2; });
    if (fastTimers) {
        w->Timer1->setInterval(0);
        w->Timer2->setInterval(0);
    }
    w->show();
    QVERIFY(activate(w));
    QVERIFY(waitForLeadingTick());
    index = -1;
    if (const QString problem = violation(); !problem.isEmpty())
        QFAIL(qPrintable(report(problem)));

    struct Weighted
    {
        Act act;
        quint32 weight;
    };
    constexpr Weighted weights[] = {
        {Act::Option, 36},
        {Act::GroupArrow, 14},
        {Act::Button, 28},
        {Act::ButtonKey, 8},
        {Act::ListKey, 30},
        {Act::ListWheel, 6},
        {Act::ListPick, 16},
        {Act::ListPopupPick, 3},
        {Act::PickThenLeave, 4},
        {Act::Focus, 20},
        {Act::Type, 2},
        {Act::AboutOpen, 3},
        {Act::AboutClose, 3},
        {Act::ReadMe, 1},
        {Act::SwitchWindow, 3},
        {Act::CopyDiagram, 1},
    };
    quint32 sum = 0;
    for (const Weighted &entry : weights)
        sum += entry.weight;

    for (index = 0; index < actions; ++index) {
        quint32 roll = pick(sum);
        Act act = Act::Option;
        for (const Weighted &entry : weights) {
            if (roll < entry.weight) {
                act = entry.act;
                break;
            }
            roll -= entry.weight;
        }
        trace.push_back(QString::number(index) + u' ' + perform(act));
        if (trace.size() > 24)
            trace.pop_front();
        QString problem = actionProblem;
        if (problem.isEmpty() && !waitForLeadingTick())
            problem = QStringLiteral("the leading timer did not tick");
        if (problem.isEmpty())
            problem = violation();
        if (!problem.isEmpty())
            QFAIL(qPrintable(report(problem)));
    }
}

QString tst_Soak::perform(Act act)
{
    actionProblem.clear();
    switch (act) {
    case Act::Option:
        return clickOption();
    case Act::GroupArrow:
        return arrowInGroup();
    case Act::Button:
        return pressButton(false);
    case Act::ButtonKey:
        return pressButton(true);
    case Act::ListKey:
        return listKey();
    case Act::ListWheel:
        return listWheel();
    case Act::ListPick:
        return listPick();
    case Act::ListPopupPick:
        return listPopupPick();
    case Act::PickThenLeave:
        return pickThenLeave();
    case Act::Focus:
        return moveFocus();
    case Act::Type:
        return typeTotal();
    case Act::AboutOpen:
        return openAbout();
    case Act::AboutClose:
        return closeAbout();
    case Act::ReadMe:
        return readMe();
    case Act::SwitchWindow:
        return switchWindow();
    case Act::CopyDiagram:
        return copyDiagram();
    }
    return {};
}

// The window system activates a window the user clicks into; offscreen, the test does.
bool tst_Soak::activate(QWidget *window)
{
    if (QApplication::activeWindow() == window)
        return true;
    window->activateWindow();
    if (QTest::qWaitFor([&] { return QApplication::activeWindow() == window; }))
        return true;
    actionProblem = QStringLiteral("window %1 did not become active").arg(nameOf(window));
    return false;
}

bool tst_Soak::focus(QWidget *widget, Qt::FocusReason reason)
{
    if (!activate(widget->window()))
        return false;
    if (QApplication::focusWidget() != widget)
        widget->setFocus(reason);
    if (QApplication::focusWidget() == widget)
        return true;
    actionProblem = QStringLiteral("%1 did not take the focus").arg(nameOf(widget));
    return false;
}

QString tst_Soak::clickOption()
{
    QRadioButton *options[] = {w->OpCU, w->OpAL, w->OpDB, w->OpENC, w->OpSC, w->OpTri};
    QRadioButton *option = options[pick(6)];
    if (!activate(w))
        return {};
    beforeOption();
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    afterOption();
    if (!option->isChecked())
        actionProblem = QStringLiteral("a click did not select %1").arg(nameOf(option));
    return u"click "_s + nameOf(option);
}

QString tst_Soak::arrowInGroup()
{
    QGroupBox *groups[] = {w->FrameCM, w->FrameIN, w->FrameCC};
    QGroupBox *group = groups[pick(3)];
    QRadioButton *checked = nullptr;
    for (QRadioButton *option : group->findChildren<QRadioButton *>()) {
        if (option->isChecked())
            checked = option;
    }
    if (!checked) {
        actionProblem = QStringLiteral("no option of %1 is selected").arg(nameOf(group));
        return {};
    }
    constexpr Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right};
    const Qt::Key key = keys[pick(4)];
    if (!focus(checked, Qt::TabFocusReason))
        return {};
    beforeOption();
    QTest::keyClick(QApplication::focusWidget(), key);
    afterOption();
    // Focus and selection move together within a group.
    auto *now = qobject_cast<QRadioButton *>(QApplication::focusWidget());
    if (!now || !now->isChecked() || now->parentWidget() != group)
        actionProblem = QStringLiteral("the focus left the selected option of %1").arg(nameOf(group));
    return QStringLiteral("key %1 on %2").arg(QKeySequence(key).toString(), nameOf(checked));
}

void tst_Soak::beforeOption()
{
    atEightRuns = w->s.RunCount >= 8;
}

// Eight runs pulled down into Table D9 put its detail 4 on show at once, before any tick.
void tst_Soak::afterOption()
{
    if (atEightRuns && w->s.TableNumber == 9 && w->Pic1->picture() != store->find(u"94"))
        actionProblem = QStringLiteral("eight runs into Table D9 did not show drawing 94 at once");
}

void tst_Soak::beforeRunsStep()
{
    const CalculatorState &s = w->s;
    const std::vector<Pair> cycle = runsCycle(s.TableNumber);
    const int at = positionInCycle(s.TableNumber, s.RunCount, s.DetailNumber);
    if (at >= 0)
        expectPair = cycle[std::size_t(at + 1) % cycle.size()];
}

void tst_Soak::beforeTemperatureStep()
{
    temperature = temperature >= 29 ? 16 : qint16(temperature + 2);
}

void tst_Soak::beforeInsulationStep()
{
    insulation = insulation == 1.0f ? 0.886f : insulation == 0.886f ? 0.75f : 1.0f;
    insulationStepped = true;
}

QString tst_Soak::pressButton(bool byKey)
{
    platform::CommandButton *buttons[] = {w->NORcmnd, w->AETcmnd, w->CTcmnd};
    platform::CommandButton *button = buttons[pick(3)];
    if (byKey ? !focus(button, Qt::TabFocusReason) : !activate(w))
        return {};
    if (button == w->NORcmnd)
        beforeRunsStep();
    else if (button == w->AETcmnd)
        beforeTemperatureStep();
    else
        beforeInsulationStep();
    if (byKey)
        QTest::keyClick(button, Qt::Key_Space);
    else
        QTest::mouseClick(button, Qt::LeftButton);
    if (button == w->NORcmnd && QApplication::focusWidget() != w->ComWS) {
        actionProblem = u"the runs button left the focus on "_s
                        + nameOf(QApplication::focusWidget());
    }
    return (byKey ? u"space on "_s : u"click "_s) + nameOf(button);
}

QString tst_Soak::listKey()
{
    QComboBox *list = someList();
    constexpr Qt::Key keys[]
        = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
    const Qt::Key key = keys[pick(6)];
    if (!focus(list, Qt::TabFocusReason))
        return {};
    // The focus move itself may let the other list lead for a tick first.
    if (!waitForLeadingTick()) {
        actionProblem = QStringLiteral("no tick after the focus moved");
        return {};
    }
    const int from = list->currentIndex();
    int to = from;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        to = qMax(0, from - 1);
        break;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        to = qMin(16, from + 1);
        break;
    case Qt::Key_Home:
        to = 0;
        break;
    default:
        to = 16;
        break;
    }
    QTest::keyClick(QApplication::focusWidget(), key);
    expectIndex = to;
    return QStringLiteral("key %1 on %2 from %3")
        .arg(QKeySequence(key).toString(), nameOf(list))
        .arg(from);
}

// The wheel gives the list under the mouse the focus and steps its index.
QString tst_Soak::listWheel()
{
    QComboBox *list = someList();
    const bool up = pick(2);
    if (!activate(w))
        return {};
    const int from = list->currentIndex();
    const QPointF at(list->width() / 2.0, list->height() / 2.0);
    QWheelEvent wheel(at,
                      list->mapToGlobal(at),
                      QPoint(),
                      QPoint(0, up ? 120 : -120),
                      Qt::NoButton,
                      Qt::NoModifier,
                      Qt::NoScrollPhase,
                      false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(list, &wheel);
    if (QApplication::focusWidget() != list)
        actionProblem = u"the wheel left the focus on "_s + nameOf(QApplication::focusWidget());
    expectIndex = qBound(0, from + (up ? -1 : 1), 16);
    return QStringLiteral("wheel %1 on %2 from %3")
        .arg(up ? u"up"_s : u"down"_s, nameOf(list))
        .arg(from);
}

// A pick from the drop-down: the click gives the list the focus, the pick sets its index.
QString tst_Soak::listPick()
{
    QComboBox *list = someList();
    const int to = int(pick(17));
    if (!focus(list, Qt::MouseFocusReason))
        return {};
    list->setCurrentIndex(to);
    expectIndex = to;
    return QStringLiteral("pick %1 in %2").arg(to).arg(nameOf(list));
}

QString tst_Soak::listPopupPick()
{
    QComboBox *list = someList();
    const int to = int(pick(17));
    if (!focus(list, Qt::MouseFocusReason))
        return {};
    list->showPopup();
    QAbstractItemView *view = list->view();
    if (!QTest::qWaitFor([&] { return view->isVisible(); })) {
        actionProblem = QStringLiteral("the list of %1 did not drop down").arg(nameOf(list));
        return {};
    }
    const QModelIndex item = view->model()->index(to, 0);
    view->scrollTo(item);
    const QPoint at = view->visualRect(item).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    if (!QTest::qWaitFor([&] { return !view->isVisible(); })) {
        list->hidePopup();
        actionProblem = QStringLiteral("the list of %1 did not close up").arg(nameOf(list));
    } else if (QApplication::focusWidget() != list) {
        actionProblem = u"the focus went to "_s + nameOf(QApplication::focusWidget());
    }
    expectIndex = to;
    return QStringLiteral("drop-down pick %1 in %2").arg(to).arg(nameOf(list));
}

// An entry picked in the ampacity list just before the focus leaves it is not taken over.
QString tst_Soak::pickThenLeave()
{
    if (!focus(w->ComAM, Qt::MouseFocusReason))
        return {};
    if (!waitForLeadingTick()) {
        actionProblem = QStringLiteral("no tick after the ampacity list took the focus");
        return {};
    }
    const int kept = w->ComWS->currentIndex();
    const int to = int(pick(17));
    w->ComAM->setCurrentIndex(to);
    QTest::keyClick(w->ComAM, Qt::Key_Tab);
    expectIndex = kept;
    return QStringLiteral("pick %1 in ComAM, then tab away").arg(to);
}

QString tst_Soak::moveFocus()
{
    if (!activate(w))
        return {};
    switch (pick(4)) {
    case 0:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QStringLiteral("tab");
    case 1:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        return QStringLiteral("shift+tab");
    case 2:
        QTest::mouseClick(w->Pic1, Qt::LeftButton);
        return QStringLiteral("click Pic1");
    default: {
        QWidget *targets[] = {w->ComWS, w->ComAM, w->ComTotalAmp, w->CmdAbout, w->Pic1};
        QWidget *target = targets[pick(5)];
        focus(target, Qt::MouseFocusReason);
        return u"focus "_s + nameOf(target);
    }
    }
}

QString tst_Soak::typeTotal()
{
    if (!activate(w))
        return {};
    QTest::mouseClick(w->ComTotalAmp, Qt::LeftButton);
    QTest::keyClick(w->ComTotalAmp, Qt::Key_A, Qt::ControlModifier);
    const QString text = QString::number(pick(5000)) + u" A"_s;
    QTest::keyClicks(w->ComTotalAmp, text);
    if (w->ComTotalAmp->text() != text) {
        actionProblem = u"typing gave "_s + w->ComTotalAmp->text();
        return {};
    }
    // The total shown before typing; the check after each action keeps it current.
    const CalculatorState &s = w->s;
    const AmpacityList &list = findList(tableOf(s.TableNumber), s.TableCode);
    typedOver = expectedTotal(list.amps[std::size_t(qBound(0, int(s.WireSizeIndex), 16))],
                              s.RunCount,
                              s.EarthTemperature,
                              s.InsulationFactor);
    typed = text;
    return u"type "_s + text;
}

QString tst_Soak::openAbout()
{
    const bool byKey = pick(4) == 0;
    if (byKey ? !focus(w->CmdAbout, Qt::TabFocusReason) : !activate(w))
        return {};
    if (byKey)
        QTest::keyClick(w->CmdAbout, Qt::Key_Space);
    else
        QTest::mouseClick(w->CmdAbout, Qt::LeftButton);
    if (!w->about || !QTest::qWaitFor([&] { return QApplication::activeWindow() == w->about; }))
        actionProblem = QStringLiteral("the About window did not open active");
    return byKey ? QStringLiteral("space on CmdAbout") : QStringLiteral("click CmdAbout");
}

QString tst_Soak::closeAbout()
{
    QWidget *about = w->about;
    if (!about)
        return openAbout();
    if (!activate(about))
        return {};
    QString how;
    switch (pick(4)) {
    case 0:
        QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("Command3")),
                          Qt::LeftButton);
        how = QStringLiteral("OK");
        break;
    case 1:
        // "OK" has the focus whenever the About window is active.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        how = u"space on "_s + nameOf(QApplication::focusWidget());
        break;
    case 2:
        QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(10, about->height() * 2 / 3));
        how = QStringLiteral("a click on its surface");
        break;
    default:
        about->close();
        how = QStringLiteral("close()");
        break;
    }
    if (!QTest::qWaitFor([&] { return !w->about; })) {
        actionProblem = u"the About window stayed open after "_s + how;
        return {};
    }
    activate(w);
    return u"close About by "_s + how;
}

// Opens a modal window and closes it from inside its own loop; a window that will not close
// is closed by force after a while, so that a fault cannot hang the run.
bool tst_Soak::runModal(const std::function<void()> &open,
                        const std::function<void(QWidget *)> &close)
{
    bool closed = false;
    bool forced = false;
    QPointer<QWidget> closing;
    QElapsedTimer since;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (closing) {
            if (closing->isVisible() && since.elapsed() > 3000) {
                forced = true;
                closing->close();
            }
            return;
        }
        if (!modal || !modal->isVisible() || QApplication::activeWindow() != modal)
            return;
        closing = modal;
        since.start();
        closed = true;
        close(modal);
    });
    watcher.start(1);
    open();
    watcher.stop();
    return closed && !forced;
}

QString tst_Soak::readMe()
{
    QWidget *about = w->about;
    if (!about)
        return openAbout();
    if (!activate(about))
        return {};
    const quint32 way = pick(4);
    const bool ok = runModal(
        [&] {
            QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("Command2")),
                              Qt::LeftButton);
        },
        [way](QWidget *readMe) {
            switch (way) {
            case 0:
                QTest::mouseClick(readMe->findChild<QPushButton *>(QStringLiteral("Command3")),
                                  Qt::LeftButton);
                break;
            case 1:
                QTest::mouseClick(readMe, Qt::LeftButton, {}, QPoint(5, 5));
                break;
            case 2:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                break;
            default:
                readMe->close();
                break;
            }
        });
    if (!ok)
        actionProblem = QStringLiteral("the READ ME window did not open, or not close");
    else if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == w->about; }))
        actionProblem = QStringLiteral("the About window was not active after the READ ME");
    constexpr const char *ways[] = {"OK", "a click on its surface", "Escape", "close()"};
    return QStringLiteral("READ ME, closed by %1").arg(QLatin1StringView(ways[way]));
}

QString tst_Soak::switchWindow()
{
    QWidget *target = w->about && pick(2) ? static_cast<QWidget *>(w->about) : w;
    activate(target);
    return u"activate "_s + nameOf(target);
}

QString tst_Soak::copyDiagram()
{
    if (!activate(w))
        return {};
    const bool yes = pick(2);
    const bool ok = runModal([&] { QTest::mouseDClick(w->Pic1, Qt::LeftButton); },
                             [yes](QWidget *modal) {
                                 auto *box = qobject_cast<QMessageBox *>(modal);
                                 if (!box) {
                                     modal->close();
                                     return;
                                 }
                                 QTest::mouseClick(box->button(yes ? QMessageBox::Yes
                                                                   : QMessageBox::No),
                                                   Qt::LeftButton);
                             });
    if (!ok)
        actionProblem = QStringLiteral("the clipboard question did not open, or not close");
    activate(w);
    return yes ? QStringLiteral("double click Pic1, Yes") : QStringLiteral("double click Pic1, No");
}

// Waits for a full tick of whichever timer leads now, begun after the last action.
bool tst_Soak::waitForLeadingTick()
{
    const int from1 = ticks1;
    const int from2 = ticks2;
    return QTest::qWaitFor([&] { return w->Timer1->isActive() ? ticks1 > from1 : ticks2 > from2; });
}

QString tst_Soak::violation()
{
    const CalculatorState &s = w->s;

    // The refresh has caught up with the state.
    if (s.TableCode != composeTableCode(s) || s.ListedTableCode != s.TableCode)
        return u"table code "_s + s.TableCode + u", listed "_s + s.ListedTableCode + u", state "_s
               + composeTableCode(s);
    if (s.DiagramNumber != composeDiagramNumber(s) || s.ShownDiagramNumber != s.DiagramNumber)
        return u"diagram "_s + s.DiagramNumber + u", shown "_s + s.ShownDiagramNumber
               + u", state "_s + composeDiagramNumber(s);

    // One timer leads: the ampacity list's while it has the focus, the wire sizes' otherwise.
    const bool t1 = w->Timer1->isActive();
    const bool t2 = w->Timer2->isActive();
    if (t1 == t2)
        return QStringLiteral("Timer1 %1, Timer2 %2").arg(t1).arg(t2);
    if (t2 != (w->focusWidget() == w->ComAM))
        return u"Timer2 runs "_s + QString::number(t2) + u" with the focus on "_s
               + nameOf(w->focusWidget());

    // The options, the state and the table agree.
    if (w->OpCU->isChecked() == w->OpAL->isChecked()
        || w->OpDB->isChecked() == w->OpENC->isChecked()
        || w->OpSC->isChecked() == w->OpTri->isChecked())
        return QStringLiteral("an option group has not exactly one option selected");
    if (s.DirectBuried != (w->OpDB->isChecked() ? 1.0f : 0.0f)
        || s.SingleConductor != (w->OpSC->isChecked() ? 1.0f : 0.0f))
        return QStringLiteral("flags %1, %2 against the options")
            .arg(s.DirectBuried)
            .arg(s.SingleConductor);
    if (s.MaterialLetter != (w->OpCU->isChecked() ? u"A"_s : u"B"_s))
        return u"material "_s + s.MaterialLetter + u" against the options"_s;
    const qint16 table = w->OpDB->isChecked() ? (w->OpSC->isChecked() ? 8 : 10)
                                              : (w->OpSC->isChecked() ? 9 : 11);
    if (s.TableNumber != table || s.TableNumberText != QString::number(table))
        return QStringLiteral("table %1 (text %2) where the options give %3")
            .arg(s.TableNumber)
            .arg(s.TableNumberText)
            .arg(table);

    // The code is one of the tables' own, and the list holds that code's own entries.
    if (!codes.contains(s.TableCode))
        return u"table code "_s + s.TableCode + u" is none of the 48"_s;
    if (positionInCycle(table, s.RunCount, s.DetailNumber) < 0)
        return QStringLiteral("pair (%1, %2) is not one of table %3")
            .arg(s.RunCount)
            .arg(s.DetailNumber)
            .arg(table);
    const AmpacityList &own = findList(tableOf(table), s.TableCode);
    if (QLatin1StringView(own.code) != s.TableCode)
        return u"table code "_s + s.TableCode + u" is not in its own table"_s;
    if (w->ComAM->count() != 17)
        return QStringLiteral("ComAM holds %1 entries").arg(w->ComAM->count());
    for (int i = 0; i < 17; ++i) {
        if (w->ComAM->itemText(i) != ampacityItem(own.amps[std::size_t(i)]))
            return QStringLiteral("ComAM entry %1 is '%2', the list of %3 has %4")
                .arg(i)
                .arg(w->ComAM->itemText(i), s.TableCode)
                .arg(own.amps[std::size_t(i)]);
    }

    // Both lists on one index.
    const int at = s.WireSizeIndex;
    if (at < 0 || at > 16 || w->ComWS->currentIndex() != at || w->ComAM->currentIndex() != at)
        return QStringLiteral("wire size index %1, ComWS %2, ComAM %3")
            .arg(at)
            .arg(w->ComWS->currentIndex())
            .arg(w->ComAM->currentIndex());
    if (expectIndex && at != *expectIndex)
        return QStringLiteral("wire size index %1, expected %2").arg(at).arg(*expectIndex);
    expectIndex.reset();

    // The total.
    if (s.EarthTemperature != temperature)
        return QStringLiteral("earth temperature %1, expected %2")
            .arg(s.EarthTemperature)
            .arg(temperature);
    if (s.InsulationFactor != insulation)
        return QStringLiteral("insulation factor %1, expected %2")
            .arg(s.InsulationFactor)
            .arg(insulation);
    const float total = expectedTotal(own.amps[std::size_t(at)],
                                      s.RunCount,
                                      s.EarthTemperature,
                                      s.InsulationFactor);
    if (typed && total != typedOver)
        typed.reset();
    const QString text = w->ComTotalAmp->text();
    if (typed) {
        if (text != *typed)
            return u"the typed total '"_s + *typed + u"' became '"_s + text + u"'"_s;
    } else {
        static const QRegularExpression leading(QStringLiteral("^(\\d+)"));
        const QRegularExpressionMatch number = leading.match(text);
        if (!number.hasMatch() || number.captured(1) != QString::number(qint64(total)))
            return QStringLiteral("total text '%1', expected the total %2").arg(text).arg(total);
        const QString expected = expectedTotalText(total,
                                                   s.RunCount,
                                                   s.EarthTemperature,
                                                   s.InsulationFactor);
        if (text != expected)
            return u"total text '"_s + text + u"', expected '"_s + expected + u"'"_s;
    }
    const bool plain = s.RunCount == 1 && s.EarthTemperature == 20 && s.InsulationFactor == 1.0f;
    const QString caption = plain
                                ? QStringLiteral("Total Ampacity")
                                : QStringLiteral("Total  ( multiplier(s) are shown in brackets )");
    if (w->FrameTA->title() != caption)
        return u"total caption '"_s + w->FrameTA->title() + u"'"_s;

    // Captions, colours, drawing.
    const bool wide = table == 8
                      && (s.DetailNumber == 3 || s.DetailNumber == 5 || s.DetailNumber == 7);
    const QString runs = QString::number(s.RunCount) + (wide ? u" Wide Spacing"_s : u""_s);
    if (w->NORcmnd->text() != runs || s.RunsSuffix != (wide ? u" Wide Spacing"_s : u""_s))
        return u"runs caption '"_s + w->NORcmnd->text() + u"', expected '"_s + runs + u"'"_s;
    if (expectPair && (s.RunCount != expectPair->runs || s.DetailNumber != expectPair->detail))
        return QStringLiteral("runs button gave (%1, %2), expected (%3, %4)")
            .arg(s.RunCount)
            .arg(s.DetailNumber)
            .arg(expectPair->runs)
            .arg(expectPair->detail);
    expectPair.reset();
    const QString temperatureCaption = QStringLiteral("Ambient Earth Temperature %1\u00B0C")
                                           .arg(temperature);
    if (w->AETcmnd->text() != temperatureCaption)
        return u"temperature caption '"_s + w->AETcmnd->text() + u"'"_s;
    const QString ratingCaption = insulationStepped
                                      ? insulationCaption(insulation)
                                      : QStringLiteral("Insulation Rating   90\u00B0C ");
    if (w->CTcmnd->text() != ratingCaption)
        return u"insulation caption '"_s + w->CTcmnd->text() + u"'"_s;
    if (w->Label4->text() != tableCaption(s)
        || !w->Label4->text().endsWith(u'D' + QString::number(table) + s.MaterialLetter))
        return u"table caption '"_s + w->Label4->text() + u"'"_s;
    const QColor colour(s.MaterialLetter == u"A"_s ? CopperColour : AluminumColour);
    for (QWidget *list : {static_cast<QWidget *>(w->ComWS),
                          static_cast<QWidget *>(w->ComAM),
                          static_cast<QWidget *>(w->ComTotalAmp)}) {
        if (list->palette().color(QPalette::Text) != colour)
            return nameOf(list) + u" text colour "_s + list->palette().color(QPalette::Text).name();
    }
    const DiagramStore::Drawing drawing = store->find(s.DiagramNumber);
    if ((drawing || storeEmpty) && w->Pic1->picture() != drawing)
        return u"Pic1 does not show the drawing of "_s + s.DiagramNumber;
    return {};
}

QString tst_Soak::report(const QString &problem) const
{
    // Put together piece by piece: the texts may hold anything, also a percent sign.
    const CalculatorState &s = w->s;
    QString text = problem;
    text += u"\n  replay: LOAMVANE_SOAK_SEED="_s + QString::number(seed) + u" (row \""_s + row
            + u"\"), failed at action "_s + QString::number(index);
    text += u"\n  state: code "_s + s.TableCode + u", runs "_s + QString::number(s.RunCount)
            + u", detail "_s + QString::number(s.DetailNumber) + u", "_s
            + QString::number(s.EarthTemperature) + u" C, insulation "_s
            + QString::number(s.InsulationFactor) + u", wire size "_s
            + QString::number(s.WireSizeIndex) + u", total '"_s + w->ComTotalAmp->text()
            + u"', focus "_s + nameOf(w->focusWidget()) + u", active window "_s
            + nameOf(QApplication::activeWindow());
    text += u"\n  last actions:"_s;
    for (const QString &line : trace)
        text += u"\n    "_s + line;
    return text;
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
