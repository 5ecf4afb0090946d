#include "about.h"

#include "calculator/zediz.h"
#include "center_form.h"
#include "discl.h"
#include "platform/twips.h"
#include "platform/window_front.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

namespace {

struct Placement
{
    int left, top, width, height;
    double points;
};

constexpr Placement ProgramPlace{420, 48, 3804, 396, 12};
constexpr Placement VersionPlace{420, 468, 3804, 240, 7.5};
constexpr Placement TessalyPlace{420, 756, 3804, 264, 7.5};
constexpr Placement OkPlace{420, 2352, 588, 312, 7.5};
constexpr Placement CopyrtPlace{420, 1008, 3804, 264, 7.5};
constexpr Placement ReadMePlace{3360, 2352, 936, 312, 7.5};

QFont arial(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    return font;
}

template<typename Control>
Control *place(Control *control, const char *name, const Placement &at)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(platform::twipsRect(at.left, at.top, at.width, at.height));
    control->setFont(arial(at.points));
    return control;
}

QLabel *label(QWidget *parent, const char *name, const Placement &at)
{
    auto *control = place(new QLabel(parent), name, at);
    // Opaque, in the window's own roles, which a label takes from its window.
    control->setAutoFillBackground(true);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control->setWordWrap(true);
    return control;
}

QPushButton *button(QWidget *parent, const char *name, const Placement &at, const QString &text)
{
    auto *control = place(new QPushButton(text, parent), name, at);
    // Outside a dialog this only lets Enter press the button that has the focus; there is no
    // default button for Enter or Escape to reach otherwise.
    control->setAutoDefault(true);
    return control;
}

} // namespace

About::About(const Zediz &main)
    : QWidget(nullptr,
              // A tool window keeps out of the task bar on X11 and Windows alike.
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , main(main)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(platform::twipsSize(4725, 2850));
    // A window's content colours, not the dialog grey of the READ ME window.
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setAutoFillBackground(true);

    // Created in tab order.
    Lbl_Program = label(this, "Lbl_Program", ProgramPlace);
    Lbl_Version = label(this, "Lbl_Version", VersionPlace);
    Lbl_Tessaly = label(this, "Lbl_Tessaly", TessalyPlace);
    Lbl_Tessaly->setText(QStringLiteral("Tessaly Inc. Engineering Software"));
    Command3 = button(this, "Command3", OkPlace, QStringLiteral("OK"));
    Lbl_Copyrt = label(this, "Lbl_Copyrt", CopyrtPlace);
    Command2 = button(this, "Command2", ReadMePlace, QStringLiteral("Read Me"));

    connect(Command3, &QPushButton::clicked, this, &About::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &About::Command2_Click);

    Form_Load();
}

void About::Form_Load()
{
    const QSizeF outer = Module1::outerSizeTwips(*this, main);
    Module1::CenterForm(*this, main, float(outer.width()), float(outer.height()));
    setWindowTitle(QStringLiteral("About ") + main.Program());
}

void About::Form_Activate()
{
    Lbl_Program->setText(main.Program());
    Lbl_Version->setText(main.Version());
    Lbl_Copyrt->setText(main.Copyrt());
    Command3->setFocus(Qt::ActiveWindowFocusReason);
}

bool About::event(QEvent *event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return handled;
}

void About::mousePressEvent(QMouseEvent *event)
{
    // Clicks on a label reach here too, as labels pass them on; only the bare surface counts.
    pressedOnSurface = event->button() == Qt::LeftButton && !childAt(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void About::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressedOnSurface && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    pressedOnSurface = false;
    if (click)
        Form_Click();
    else
        QWidget::mouseReleaseEvent(event);
}

void About::Form_Click()
{
    close();
}

void About::Command3_Click()
{
    close();
}

void About::Command2_Click()
{
    const QPointer<About> self(this);
    auto *discl = new Discl(main, this);
    discl->setAttribute(Qt::WA_DeleteOnClose);
    discl->exec();
    // Window systems differ in who gets the activation back from a closed modal window; it
    // belongs here, and with it the fresh texts and the focus on "OK". A window manager that
    // minimised the READ ME window may have taken this one along.
    if (self)
        platform::bringToFront(*this);
}
