#include "calculator/diagrams/diagram_store.h"
#include "calculator/zediz.h"
#include "info/about.h"
#include "info/discl.h"
#include "info/readme_text.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The About and READ ME windows, opened the way the user opens them: the main window's About
// button, then the About window's Read Me button.
class tst_About : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensCentredWithTexts();
    void surfaceInWindowColours();
    void secondClickBringsToFrontInPlace();
    void minimisedComesBackOnSecondClick();
    void reopenedAfterCloseIsCentredAnew();
    void closes_data();
    void closes();
    void staysOpen_data();
    void staysOpen();

    void readMeOpensModal();
    void readMeMinimisedComesBack();
    void readMeCloses_data();
    void readMeCloses();
    void readMeStaysOpen_data();
    void readMeStaysOpen();
    void readMeHeadingPrintedOnce();

private:
    About *openAbout();
    void withReadMe(About *about, const std::function<void(Discl &)> &whileOpen);

    DiagramStore store;
    std::unique_ptr<Zediz> main;
};

namespace {

template<typename T = QWidget>
T *child(const QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

QList<About *> visibleAbouts()
{
    QList<About *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *about = qobject_cast<About *>(widget); about && about->isVisible())
            found.append(about);
    }
    return found;
}

bool centredOver(const QWidget &window, const QWidget &main)
{
    const QPoint offset = window.frameGeometry().center() - main.frameGeometry().center();
    return qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1;
}

// Pure red pixels of the surface above Text1, where only the printed heading is red.
QRect redArea(Discl &readMe, int *count)
{
    const QImage image = readMe.grab().toImage();
    QRect area;
    *count = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 0, 0)) {
                ++*count;
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

} // namespace

void tst_About::init()
{
    main = std::make_unique<Zediz>(store);
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
}

void tst_About::cleanup()
{
    main.reset();
    // Destroying the main window is not closing it; the About windows it left go here.
    for (About *about : visibleAbouts())
        delete about;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

About *tst_About::openAbout()
{
    QTest::mouseClick(child(main.get(), "CmdAbout"), Qt::LeftButton);
    const QList<About *> abouts = visibleAbouts();
    if (abouts.size() != 1)
        return nullptr;
    if (!QTest::qWaitFor([&] { return QApplication::activeWindow() == abouts.first(); }))
        return nullptr;
    return abouts.first();
}

// Opens the READ ME with a click on "Read Me" and runs whileOpen once it is active. The
// window is closed afterwards whatever whileOpen did, so that a failure cannot hang the test.
void tst_About::withReadMe(About *about, const std::function<void(Discl &)> &whileOpen)
{
    bool ran = false;
    QTimer::singleShot(0, about, [&] {
        QWidget *modal = nullptr;
        if (!QTest::qWaitFor([&] { return (modal = QApplication::activeModalWidget()); }))
            return;
        // Not qWaitForWindowActive: it counts a window as active while its parent is.
        auto *readMe = qobject_cast<Discl *>(modal);
        if (readMe && QTest::qWaitFor([&] { return QApplication::activeWindow() == readMe; })) {
            ran = true;
            whileOpen(*readMe);
        }
        if (QWidget *still = QApplication::activeModalWidget())
            still->close();
    });
    QTest::mouseClick(child(about, "Command2"), Qt::LeftButton);
    QVERIFY2(ran, "the READ ME window did not open modally");
}

void tst_About::opensCentredWithTexts()
{
    About *about = openAbout();
    QVERIFY(about);

    QCOMPARE(about->windowTitle(), QStringLiteral("About Loamvane"));
    QCOMPARE(child<QLabel>(about, "Lbl_Program")->text(), QStringLiteral("Loamvane"));
    QCOMPARE(child<QLabel>(about, "Lbl_Version")->text(), QStringLiteral("Version: 25.1.7"));
    QCOMPARE(child<QLabel>(about, "Lbl_Tessaly")->text(),
             QStringLiteral("Tessaly Inc. Engineering Software"));
    QCOMPARE(child<QLabel>(about, "Lbl_Copyrt")->text(), main->Copyrt());
    QVERIFY(!main->Copyrt().isEmpty());
    QCOMPARE(QApplication::focusWidget(), child(about, "Command3"));

    QCOMPARE(about->size(), QSize(315, 190));
    QVERIFY(centredOver(*about, *main));
    // Modeless and owned by nobody: the main window stays usable.
    QVERIFY(!about->parentWidget());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(!QApplication::modalWindow());
}

void tst_About::surfaceInWindowColours()
{
    About *about = openAbout();
    QVERIFY(about);
    const QPalette colours = about->palette();
    // The test would prove nothing where the content colour is the dialog grey.
    QVERIFY(colours.color(QPalette::Base) != colours.color(QPalette::Window));

    const QImage shown = about->grab().toImage();
    const qreal scale = shown.devicePixelRatio();
    auto pixelAt = [&](QPoint at) { return QColor(shown.pixel(at * scale)); };
    QCOMPARE(pixelAt(QPoint(150, 120)), colours.color(QPalette::Base)); // between labels and buttons
    for (const char *name : {"Lbl_Program", "Lbl_Version", "Lbl_Tessaly", "Lbl_Copyrt"}) {
        auto *label = child<QLabel>(about, name);
        QCOMPARE(label->foregroundRole(), QPalette::Text);
        // Right of the text, inside the opaque label.
        const QPoint free = label->geometry().topRight() + QPoint(-3, 3);
        QVERIFY2(pixelAt(free) == colours.color(QPalette::Base), name);
    }
}

void tst_About::secondClickBringsToFrontInPlace()
{
    QPointer<About> about = openAbout();
    QVERIFY(about);
    const QPoint movedTo = about->pos() + QPoint(37, -41);
    about->move(movedTo);
    child(about, "Command2")->setFocus();

    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));
    QCOMPARE(openAbout(), about.data());

    QCOMPARE(about->pos(), movedTo);
    QTRY_COMPARE(QApplication::focusWidget(), child(about, "Command3"));
}

void tst_About::minimisedComesBackOnSecondClick()
{
    QPointer<About> about = openAbout();
    QVERIFY(about);
    const QPoint movedTo = about->pos() + QPoint(37, -41);
    about->move(movedTo);
    about->showMinimized();
    QTRY_VERIFY(about->isMinimized());
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main.get()));

    QTest::mouseClick(child(main.get(), "CmdAbout"), Qt::LeftButton);
    QTRY_VERIFY(!about->isMinimized());
    QVERIFY(about->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), about.data());
    QCOMPARE(about->pos(), movedTo);
    QCOMPARE(visibleAbouts().size(), 1);
}

void tst_About::reopenedAfterCloseIsCentredAnew()
{
    QPointer<About> about = openAbout();
    QVERIFY(about);
    about->close();
    QTRY_VERIFY(!about);

    main->move(main->pos() + QPoint(-30, 20));
    QTRY_VERIFY(main->frameGeometry().topLeft() != QPoint());
    about = openAbout();
    QVERIFY(about);
    QVERIFY(centredOver(*about, *main));
}

enum class Action { OkClick, SurfaceClick, EnterOnOk, SpaceOnOk, CloseBox, MainCloses };

void tst_About::closes_data()
{
    QTest::addColumn<Action>("action");
    QTest::newRow("OK") << Action::OkClick;
    QTest::newRow("surface between labels and buttons") << Action::SurfaceClick;
    QTest::newRow("Enter right after opening") << Action::EnterOnOk;
    QTest::newRow("space right after opening") << Action::SpaceOnOk;
    QTest::newRow("close box") << Action::CloseBox;
    QTest::newRow("main window closes") << Action::MainCloses;
}

void tst_About::closes()
{
    QFETCH(Action, action);
    QPointer<About> about = openAbout();
    QVERIFY(about);

    switch (action) {
    case Action::OkClick:
        QTest::mouseClick(child(about, "Command3"), Qt::LeftButton);
        break;
    case Action::SurfaceClick:
        QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(150, 120));
        break;
    case Action::EnterOnOk:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        break;
    case Action::SpaceOnOk:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        break;
    case Action::CloseBox:
        about->close();
        break;
    case Action::MainCloses:
        main->close();
        break;
    }
    QTRY_VERIFY(!about); // destroyed, not merely hidden
}

void tst_About::staysOpen_data()
{
    QTest::addColumn<QByteArray>("label");
    QTest::addColumn<int>("key");
    QTest::newRow("click on title") << QByteArray("Lbl_Program") << 0;
    QTest::newRow("click on version") << QByteArray("Lbl_Version") << 0;
    QTest::newRow("click on maker") << QByteArray("Lbl_Tessaly") << 0;
    QTest::newRow("click on notice") << QByteArray("Lbl_Copyrt") << 0;
    QTest::newRow("Escape") << QByteArray() << int(Qt::Key_Escape);
}

void tst_About::staysOpen()
{
    QFETCH(QByteArray, label);
    QFETCH(int, key);
    QPointer<About> about = openAbout();
    QVERIFY(about);

    if (key)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    else
        QTest::mouseClick(child(about, label.constData()), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(about);
    QVERIFY(about->isVisible());
}

void tst_About::readMeOpensModal()
{
    QPointer<About> about = openAbout();
    QVERIFY(about);

    withReadMe(about, [&](Discl &readMe) {
        QCOMPARE(QApplication::activeModalWidget(), &readMe);
        QCOMPARE(readMe.windowTitle(), QStringLiteral("Quellmark"));
        QCOMPARE(readMe.size(), QSize(524, 626));
        // The one 32 x 32 picture of the main window, not an empty icon in both.
        for (const QWidget *window :
             {static_cast<const QWidget *>(&readMe), static_cast<const QWidget *>(main.get())}) {
            const QIcon icon = window->windowIcon();
            QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
            const QImage image = icon.pixmap(QSize(32, 32), 1.0).toImage();
            QCOMPARE(image.size(), QSize(32, 32));
            QVERIFY(!image.hasAlphaChannel());
            QSet<QRgb> colours;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    colours.insert(image.pixel(x, y));
            }
            QVERIFY2(colours.size() >= 8, "a blank square, not a picture");
        }
        QCOMPARE(readMe.windowIcon().pixmap(QSize(32, 32), 1.0).toImage(),
                 main->windowIcon().pixmap(QSize(32, 32), 1.0).toImage());
        QVERIFY(centredOver(readMe, *main));

        auto *text = child<QPlainTextEdit>(&readMe, "Text1");
        QCOMPARE(QApplication::focusWidget(), text);
        QCOMPARE(text->toPlainText(),
                 readMeText().replace(QLatin1String("\r\n"), QLatin1String("\n")));
        // The text stands on the window's colour, also where no letter is.
        const QImage shown = text->viewport()->grab().toImage();
        QCOMPARE(QColor(shown.pixel(shown.width() - 2, 2)),
                 readMe.palette().color(QPalette::Button));
    });
    // Back in the About window, with fresh activation and the focus on "OK" again.
    QTRY_VERIFY(about->isActiveWindow());
    QTRY_COMPARE(QApplication::focusWidget(), child(about, "Command3"));
}

void tst_About::readMeMinimisedComesBack()
{
    QPointer<About> about = openAbout();
    QVERIFY(about);
    withReadMe(about, [&](Discl &readMe) {
        // Some window managers take the owner along.
        about->showMinimized();
        readMe.showMinimized();
        QTRY_VERIFY(!readMe.isMinimized());
        QVERIFY(readMe.isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &readMe);
        QCOMPARE(QApplication::activeModalWidget(), &readMe);
        QTRY_VERIFY(!about->isMinimized());
    });
    QTRY_VERIFY(about->isActiveWindow());
}

enum class ReadMeAction {
    Ok,
    HeadingBand,
    BesideText,
    OnLine,
    Escape,
    Letter,
    Function,
    Shift,
    CloseBox
};

void tst_About::readMeCloses_data()
{
    QTest::addColumn<ReadMeAction>("action");
    QTest::newRow("OK") << ReadMeAction::Ok;
    QTest::newRow("click on heading band") << ReadMeAction::HeadingBand;
    QTest::newRow("click beside the text") << ReadMeAction::BesideText;
    QTest::newRow("click on the line") << ReadMeAction::OnLine;
    QTest::newRow("Escape in the text") << ReadMeAction::Escape;
    QTest::newRow("letter on OK") << ReadMeAction::Letter;
    QTest::newRow("F5 on OK") << ReadMeAction::Function;
    QTest::newRow("Shift on OK") << ReadMeAction::Shift;
    QTest::newRow("close box") << ReadMeAction::CloseBox;
}

void tst_About::readMeCloses()
{
    QFETCH(ReadMeAction, action);
    QPointer<About> about = openAbout();
    QVERIFY(about);

    int finished = -1;
    withReadMe(about, [&](Discl &readMe) {
        connect(&readMe, &QDialog::finished, this, [&] { ++finished; });
        finished = 0;
        QWidget *ok = child(&readMe, "Command3");
        switch (action) {
        case ReadMeAction::Ok:
            QTest::mouseClick(ok, Qt::LeftButton);
            break;
        case ReadMeAction::HeadingBand:
            QTest::mouseClick(&readMe, Qt::LeftButton, {}, QPoint(300, 10));
            break;
        case ReadMeAction::BesideText:
            QTest::mouseClick(&readMe, Qt::LeftButton, {}, QPoint(3, 300));
            break;
        case ReadMeAction::OnLine:
            QTest::mouseClick(&readMe, Qt::LeftButton, {}, QPoint(300, 23));
            break;
        case ReadMeAction::Escape:
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            break;
        case ReadMeAction::Letter:
        case ReadMeAction::Function:
        case ReadMeAction::Shift:
            ok->setFocus();
            QTest::keyClick(ok,
                            action == ReadMeAction::Letter     ? Qt::Key_Q
                            : action == ReadMeAction::Function ? Qt::Key_F5
                                                               : Qt::Key_Shift);
            break;
        case ReadMeAction::CloseBox:
            readMe.close();
            break;
        }
        QVERIFY(!readMe.isVisible());
    });
    // Closed once: the second request to close changes nothing.
    QCOMPARE(finished, 1);
    QTRY_COMPARE(QApplication::focusWidget(), child(about, "Command3"));
}

void tst_About::readMeStaysOpen_data()
{
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<int>("key");
    QTest::newRow("click in the text") << QPoint(100, 100) << 0;
    QTest::newRow("letter in the text") << QPoint() << int(Qt::Key_X);
    QTest::newRow("Enter in the text") << QPoint() << int(Qt::Key_Return);
    QTest::newRow("Delete in the text") << QPoint() << int(Qt::Key_Delete);
    QTest::newRow("Shift in the text") << QPoint() << int(Qt::Key_Shift);
    QTest::newRow("arrow in the text") << QPoint() << int(Qt::Key_Down);
}

void tst_About::readMeStaysOpen()
{
    QFETCH(QPoint, click);
    QFETCH(int, key);
    QPointer<About> about = openAbout();
    QVERIFY(about);

    withReadMe(about, [&](Discl &readMe) {
        auto *text = child<QPlainTextEdit>(&readMe, "Text1");
        const QString before = text->toPlainText();
        if (key)
            QTest::keyClick(text, Qt::Key(key));
        else
            QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, click);
        QVERIFY(readMe.isVisible());
        QCOMPARE(text->toPlainText(), before); // read-only
    });
}

void tst_About::readMeHeadingPrintedOnce()
{
    QPointer<About> about = openAbout();
    QVERIFY(about);

    int firstCount = 0;
    for (int opening = 0; opening < 2; ++opening) {
        withReadMe(about, [&](Discl &readMe) {
            int count = 0;
            const QRect area = redArea(readMe, &count);
            QVERIFY(count > 0);
            // At the top-left corner, behind the three leading blanks, and 12 pt high.
            QVERIFY2(area.left() > 4 && area.left() < 30, qPrintable(QString::number(area.left())));
            QVERIFY(area.top() < 8);
            QVERIFY(area.height() >= 9 && area.height() <= 16);
            if (opening == 0)
                firstCount = count;
            QCOMPARE(count, firstCount);

            // Activated again, the surface is cleared before the heading is printed anew.
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(&readMe, &activate);
            int again = 0;
            QCOMPARE(redArea(readMe, &again), area);
            QCOMPARE(again, count);
        });
    }
}

QTEST_MAIN(tst_About)
#include "tst_about.moc"
