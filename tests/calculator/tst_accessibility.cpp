#include "calculator/diagram_view.h"
#include "calculator/diagrams/diagram_store.h"
#include "calculator/refresh_keys.h"
#include "calculator/zediz.h"
#include "platform/command_button.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The name a screen reader speaks for a control.
QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    if (!face)
        return {};
#ifdef Q_OS_UNIX
    // There Qt gives a combo box its current text as name and leaves the label to the
    // labelled-by relation, which readers speak as the combo box's label.
    if (face->role() == QAccessible::ComboBox) {
        const auto labels = face->relations(QAccessible::Label);
        return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
    }
#endif
    return face->text(QAccessible::Name);
}

// What can take the focus: visible, enabled, with a focus policy.
QList<QWidget *> focusable(QWidget *window)
{
    QList<QWidget *> controls;
    for (QWidget *child : window->findChildren<QWidget *>()) {
        if (child->focusPolicy() != Qt::NoFocus && child->isVisibleTo(window) && child->isEnabled())
            controls << child;
    }
    return controls;
}

} // namespace

// What a screen reader says for each control of the main window, and whether the window can
// be worked by keyboard alone.
class tst_Accessibility : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void names_data();
    void names();
    void everyFocusableControlIsNamed();
    void namesFollowCaptions();
    void tabChain_data();
    void tabChain();
    void keyboardAlone();

private:
    void showActive();
    void waitForRefresh();
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    QString focusName() const;

    DiagramStore store = DiagramStore::embedded();
    std::unique_ptr<Zediz> w;
};

void tst_Accessibility::init()
{
    w = std::make_unique<Zediz>(store);
}

void tst_Accessibility::cleanup()
{
    if (w->about)
        delete w->about.data();
    w.reset();
}

void tst_Accessibility::showActive()
{
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
}

void tst_Accessibility::waitForRefresh()
{
    QTRY_COMPARE(w->s.ListedTableCode, composeTableCode(w->s));
    QTRY_COMPARE(w->s.ShownDiagramNumber, composeDiagramNumber(w->s));
    QTRY_COMPARE(w->ComAM->currentIndex(), w->ComWS->currentIndex());
}

// Keys go where the user's keys go: to the widget with the focus.
void tst_Accessibility::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, key, modifiers);
}

QString tst_Accessibility::focusName() const
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : u"none"_s;
}

void tst_Accessibility::names_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    // Buttons and options speak their caption; lists and the total that of their frame.
    QTest::newRow("Pic1") << u"Pic1"_s << u"Diagram"_s;
    QTest::newRow("OpCU") << u"OpCU"_s << u"Copper"_s;
    QTest::newRow("OpAL") << u"OpAL"_s << u"Aluminum"_s;
    QTest::newRow("OpDB") << u"OpDB"_s << u"Direct Burried"_s;
    QTest::newRow("OpENC") << u"OpENC"_s << u"Encased in Conduit"_s;
    QTest::newRow("OpSC") << u"OpSC"_s << u"Single Conductor"_s;
    QTest::newRow("OpTri") << u"OpTri"_s << u"Three or Triplexed"_s;
    QTest::newRow("NORcmnd") << u"NORcmnd"_s << u"1"_s;
    QTest::newRow("ComWS") << u"ComWS"_s << u"Wire Size"_s;
    QTest::newRow("ComAM") << u"ComAM"_s << u"Single Run Ampacity"_s;
    QTest::newRow("ComTotalAmp") << u"ComTotalAmp"_s << u"Total Ampacity"_s;
    QTest::newRow("CTcmnd") << u"CTcmnd"_s << u"Insulation Rating   90\u00B0C "_s;
    QTest::newRow("AETcmnd") << u"AETcmnd"_s << u"Ambient Earth Temperature 20\u00B0C"_s;
    QTest::newRow("CmdAbout") << u"CmdAbout"_s << u"About"_s;
}

void tst_Accessibility::names()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    auto *widget = w->findChild<QWidget *>(control);
    QVERIFY(widget);
    // After the first tick too: the lists then hold entries a reader could take for a name.
    showActive();
    waitForRefresh();
    QCOMPARE(accessibleName(widget), name);
}

void tst_Accessibility::everyFocusableControlIsNamed()
{
    showActive();
    waitForRefresh();
    const QList<QWidget *> controls = focusable(w.get());
    QCOMPARE(controls.size(), 14);
    for (QWidget *control : controls)
        QVERIFY2(!accessibleName(control).trimmed().isEmpty(), qPrintable(control->objectName()));
    // The drawing's name says what it is; its tool tip says what to do with it.
    QAccessibleInterface *diagram = QAccessible::queryAccessibleInterface(w->Pic1);
    QCOMPARE(diagram->text(QAccessible::Description), u"Double click to copy picture"_s);
}

void tst_Accessibility::namesFollowCaptions()
{
    showActive();
    waitForRefresh();
    QTest::mouseClick(w->OpSC, Qt::LeftButton, {}, QPoint(6, w->OpSC->height() / 2));
    QTest::mouseClick(w->NORcmnd, Qt::LeftButton);
    QTest::mouseClick(w->NORcmnd, Qt::LeftButton);
    QTest::mouseClick(w->AETcmnd, Qt::LeftButton);
    QTest::mouseClick(w->CTcmnd, Qt::LeftButton);
    QCOMPARE(accessibleName(w->NORcmnd), u"2 Wide Spacing"_s);
    QCOMPARE(accessibleName(w->AETcmnd), u"Ambient Earth Temperature 22\u00B0C"_s);
    QCOMPARE(accessibleName(w->CTcmnd), u"Insulation Rating  75\u00B0C "_s);
    // The total's frame caption changes with the multipliers; the total's name does not.
    QTRY_COMPARE(w->FrameTA->title(), u"Total  ( multiplier(s) are shown in brackets )"_s);
    QCOMPARE(accessibleName(w->ComTotalAmp), u"Total Ampacity"_s);
}

void tst_Accessibility::tabChain_data()
{
    QTest::addColumn<QStringList>("select");
    QTest::addColumn<QString>("pressOff");
    QTest::addColumn<QStringList>("chain");
    const QStringList startChain{"Pic1",
                                 "OpCU",
                                 "OpDB",
                                 "OpTri",
                                 "NORcmnd",
                                 "ComWS",
                                 "ComAM",
                                 "ComTotalAmp",
                                 "CTcmnd",
                                 "AETcmnd",
                                 "CmdAbout"};
    QTest::newRow("start options") << QStringList{} << QString() << startChain;
    QTest::newRow("other options") << QStringList{"OpAL", "OpENC", "OpSC"} << QString()
                                   << QStringList{"Pic1",
                                                  "OpAL",
                                                  "OpENC",
                                                  "OpSC",
                                                  "NORcmnd",
                                                  "ComWS",
                                                  "ComAM",
                                                  "ComTotalAmp",
                                                  "CTcmnd",
                                                  "AETcmnd",
                                                  "CmdAbout"};
    // A press on an option released off it gives the option the focus but does not select it.
    QTest::newRow("pressed off an option") << QStringList{} << u"OpSC"_s << startChain;
}

void tst_Accessibility::tabChain()
{
    QFETCH(QStringList, select);
    QFETCH(QString, pressOff);
    QFETCH(QStringList, chain);
    showActive();
    for (const QString &name : select) {
        auto *option = w->findChild<QRadioButton *>(name);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        QVERIFY(option->isChecked());
    }
    if (!pressOff.isEmpty()) {
        auto *option = w->findChild<QRadioButton *>(pressOff);
        QTest::mousePress(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        QTest::mouseRelease(option, Qt::LeftButton, {}, QPoint(-10, option->height() / 2));
        QCOMPARE(focusName(), pressOff);
        QVERIFY(!option->isChecked());
    }
    w->Pic1->setFocus(Qt::TabFocusReason);
    QCOMPARE(focusName(), u"Pic1"_s);

    // Backward round the whole window first, as nothing has had the focus yet, then forward;
    // every stop named.
    QStringList backward;
    for (int i = 0; i < chain.size(); ++i) {
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        backward.prepend(focusName());
    }
    QCOMPARE(backward, chain);
    QCOMPARE(focusName(), u"Pic1"_s);

    QStringList forward;
    for (int i = 0; i < chain.size(); ++i) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY2(!accessibleName(focus).trimmed().isEmpty(), qPrintable(focus->objectName()));
        forward << focus->objectName();
        key(Qt::Key_Tab);
    }
    QCOMPARE(forward, chain);
    QCOMPARE(focusName(), u"Pic1"_s);

    // The unselected option of each group is the only focusable control Tab passes by.
    QSet<QString> reachable;
    for (QWidget *control : focusable(w.get())) {
        auto *option = qobject_cast<QRadioButton *>(control);
        if (!option || option->isChecked())
            reachable << control->objectName();
    }
    QCOMPARE(reachable, QSet<QString>(chain.begin(), chain.end()));
}

void tst_Accessibility::keyboardAlone()
{
    showActive();
    waitForRefresh();
    // The keyboard starts on the first control of the tab order.
    QCOMPARE(focusName(), u"Pic1"_s);

    // Options: Tab into each group, arrows select within it.
    key(Qt::Key_Tab);
    QCOMPARE(focusName(), u"OpCU"_s);
    key(Qt::Key_Down);
    QCOMPARE(focusName(), u"OpAL"_s);
    QVERIFY(w->OpAL->isChecked());
    QCOMPARE(w->s.MaterialLetter, u"B"_s);
    key(Qt::Key_Up);
    QVERIFY(w->OpCU->isChecked());
    QCOMPARE(w->s.MaterialLetter, u"A"_s);
    key(Qt::Key_Down);
    QTRY_COMPARE(w->s.TableCode, u"D10B11"_s);

    key(Qt::Key_Tab);
    QCOMPARE(focusName(), u"OpDB"_s);
    key(Qt::Key_Down);
    QVERIFY(w->OpENC->isChecked());
    QCOMPARE(w->s.TableNumber, qint16(11));
    key(Qt::Key_Up);
    QVERIFY(w->OpDB->isChecked());
    QCOMPARE(w->s.TableNumber, qint16(10));
    key(Qt::Key_Down);
    QCOMPARE(w->s.TableNumber, qint16(11));

    key(Qt::Key_Tab);
    QCOMPARE(focusName(), u"OpTri"_s);
    key(Qt::Key_Up);
    QVERIFY(w->OpSC->isChecked());
    QCOMPARE(w->s.TableNumber, qint16(9));
    key(Qt::Key_Down);
    QVERIFY(w->OpTri->isChecked());
    QCOMPARE(w->s.TableNumber, qint16(11));
    key(Qt::Key_Up);
    QCOMPARE(w->s.TableNumber, qint16(9));
    QTRY_COMPARE(w->s.TableCode, u"D9B11"_s);
    QTRY_COMPARE(w->Label4->text(), u"For 90\u00B0C Conductors Based on table D9B"_s);

    // The runs button hands the focus on to the wire sizes.
    key(Qt::Key_Tab);
    QCOMPARE(focusName(), u"NORcmnd"_s);
    key(Qt::Key_Space);
    QCOMPARE(w->NORcmnd->text(), u"2"_s);
    QCOMPARE(focusName(), u"ComWS"_s);
    QTRY_COMPARE(w->s.TableCode, u"D9B22"_s);

    // Each list leads while it has the focus, and the other follows.
    key(Qt::Key_End);
    QTRY_COMPARE(w->ComAM->currentIndex(), 16);
    key(Qt::Key_Up);
    QTRY_COMPARE(w->ComAM->currentIndex(), 15);
    key(Qt::Key_Tab);
    QCOMPARE(focusName(), u"ComAM"_s);
    key(Qt::Key_Home);
    QTRY_COMPARE(w->ComWS->currentIndex(), 0);
    key(Qt::Key_Down);
    QTRY_COMPARE(w->ComWS->currentIndex(), 1);
    QCOMPARE(w->s.WireSizeIndex, qint16(1));

    key(Qt::Key_Tab);
    QCOMPARE(focusName(), u"ComTotalAmp"_s);
    key(Qt::Key_Tab);
    QCOMPARE(focusName(), u"CTcmnd"_s);
    key(Qt::Key_Space);
    QCOMPARE(w->CTcmnd->text(), u"Insulation Rating  75\u00B0C "_s);
    key(Qt::Key_Tab);
    QCOMPARE(focusName(), u"AETcmnd"_s);
    key(Qt::Key_Space);
    QCOMPARE(w->AETcmnd->text(), u"Ambient Earth Temperature 22\u00B0C"_s);
    // D9B22 at 2/0 AWG, two runs, 22 °C, 75 °C insulation, with its multipliers.
    QTRY_VERIFY(w->ComTotalAmp->text().endsWith(u" A ( \u00B7 2 \u00B7 0.986 \u00B7 0.886)"_s));
    QCOMPARE(w->FrameTA->title(), u"Total  ( multiplier(s) are shown in brackets )"_s);

    // The About window, the READ ME from it, and back, all by keys.
    key(Qt::Key_Tab);
    QCOMPARE(focusName(), u"CmdAbout"_s);
    key(Qt::Key_Space);
    QVERIFY(w->about);
    QTRY_COMPARE(QApplication::activeWindow(), w->about.data());
    QCOMPARE(focusName(), u"Command3"_s);
    key(Qt::Key_Tab);
    QCOMPARE(focusName(), u"Command2"_s);
    bool closedByKey = false;
    QTimer::singleShot(0, this, [&] {
        QWidget *readMe = nullptr;
        if (QTest::qWaitFor([&] {
                readMe = QApplication::activeModalWidget();
                return readMe && QApplication::activeWindow() == readMe;
            })) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            closedByKey = !readMe->isVisible();
        }
        // Whatever happened, the modal loop must end for the test to go on.
        if (QWidget *still = QApplication::activeModalWidget())
            still->close();
    });
    key(Qt::Key_Space);
    QVERIFY(closedByKey);
    QTRY_COMPARE(QApplication::activeWindow(), w->about.data());
    QCOMPARE(focusName(), u"Command3"_s);
    key(Qt::Key_Space);
    QTRY_VERIFY(!w->about);
    // A window manager hands the activation back; offscreen, the test does.
    w->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), w.get());
    QCOMPARE(focusName(), u"CmdAbout"_s);
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
