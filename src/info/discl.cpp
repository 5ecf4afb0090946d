#include "discl.h"

#include "center_form.h"
#include "platform/twips.h"
#include "platform/window_front.h"
#include "readme_text.h"

#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace {

QFont arial(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    return font;
}

} // namespace

Discl::Discl(const QWidget &main, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , main(main)
{
    setWindowTitle(QStringLiteral("Quellmark"));
    setWindowIcon(main.windowIcon());
    setFixedSize(platform::twipsSize(7860, 9390));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    printFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    printFont.setPointSizeF(8.25);
    printFont.setBold(true);

    // Created in tab order.
    Command3 = new QPushButton(QStringLiteral(" OK"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setGeometry(platform::twipsRect(3480, 8760, 915, 435));
    Command3->setFont(arial(9.75));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(platform::twipsRect(120, 480, 7695, 8175));
    Text1->setFont(arial(8.25));
    Text1->setReadOnly(true);
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setWordWrapMode(QTextOption::WordWrap);
    // The text stands on the window's own colour.
    Text1->viewport()->setBackgroundRole(QPalette::Button);
    Text1->setBackgroundRole(QPalette::Button);
    // Tab stops of eight average characters, which the lists' columns were laid out for.
    Text1->setTabStopDistance(8 * Text1->fontMetrics().averageCharWidth());
    Text1->setPlainText(readMeText().replace(QLatin1String("\r\n"), QLatin1String("\n")));

    // A line under the heading, through the window's right edge.
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(0, platform::toPixels(348) - 1, platform::toPixels(8850), 2);
    Line1->setFrameShape(QFrame::NoFrame);
    Line1->setBackgroundRole(QPalette::Dark);
    Line1->setAutoFillBackground(true);
    // A drawn line, not a control: clicks on it belong to the surface.
    Line1->setAttribute(Qt::WA_TransparentForMouseEvents);

    connect(Command3, &QPushButton::clicked, this, &Discl::Command3_Click);
}

void Discl::centre()
{
    const QSizeF outer = Module1::outerSizeTwips(*this, main);
    Module1::CenterForm(*this, main, float(outer.width()), float(outer.height()));
}

void Discl::Form_Activate()
{
    centre();
    printFont.setPointSizeF(12);
    printColour = QColor(0xFF, 0x00, 0x00);
    printed = QStringLiteral("   READ ME");
    update();
    Text1->setFocus(Qt::ActiveWindowFocusReason);
}

bool Discl::event(QEvent *event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

void Discl::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // Minimised, this window would block the program's other windows without a way back to
    // it: it has no task bar entry. Some window managers minimise it anyway, and its owner
    // with it.
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        QTimer::singleShot(0, this, [this] {
            if (QWidget *owner = parentWidget())
                platform::bringToFront(*owner->window());
            platform::bringToFront(*this);
        });
    }
}

void Discl::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Placed before it appears as well, so that it does not show up over its parent first and
    // then jump when it becomes active.
    if (!event->spontaneous())
        centre();
}

void Discl::paintEvent(QPaintEvent *)
{
    // Painted from what was printed, so that the heading survives being covered.
    if (printed.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(printFont);
    painter.setPen(printColour);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, printed);
}

void Discl::keyPressEvent(QKeyEvent *event)
{
    // Keys Text1 has no use for still belong to the reader there, so that a stray key or a
    // modifier pressed for selecting and copying does not close the window; Escape, the way
    // out of any dialog, does.
    if (focusWidget() == Text1 && event->key() != Qt::Key_Escape) {
        event->accept();
        return;
    }
    Form_KeyDown(event->key(), event->modifiers());
}

void Discl::mousePressEvent(QMouseEvent *event)
{
    pressedOnSurface = event->button() == Qt::LeftButton && !childAt(event->position().toPoint());
    QDialog::mousePressEvent(event);
}

void Discl::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressedOnSurface && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    pressedOnSurface = false;
    if (click)
        Form_Click();
    else
        QDialog::mouseReleaseEvent(event);
}

void Discl::Form_Click()
{
    Command3_Click();
    close();
}

void Discl::Form_KeyDown(int, Qt::KeyboardModifiers)
{
    Command3_Click();
    close();
}

void Discl::Command3_Click()
{
    close();
}
