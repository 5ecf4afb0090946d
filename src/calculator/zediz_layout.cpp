// The main window's controls as designed: positions and sizes in twips, fonts, colours and
// the tab order.

#include "choices.h"
#include "diagram_view.h"
#include "zediz.h"

#include "platform/command_button.h"
#include "platform/drop_down_list.h"
#include "platform/group_frame.h"
#include "platform/twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace {

constexpr QRgb LightGrey = 0xE0E0E0;
constexpr QRgb White = 0xFFFFFF;

// Left, top, width and height in twips, from the top-left corner of the container.
struct Twips
{
    int left, top, width, height;
};

QFont arial(qreal points)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return font;
}

template<typename W>
W *place(QWidget *container, const char *name, Twips t)
{
    auto *widget = new W(container);
    widget->setObjectName(QLatin1StringView(name));
    widget->setGeometry(platform::twipsRect(t.left, t.top, t.width, t.height));
    widget->setFont(arial(9));
    return widget;
}

QGroupBox *frame(QWidget *window, const char *name, const char *caption, Twips t)
{
    auto *box = place<platform::GroupFrame>(window, name, t);
    box->setTitle(QString::fromUtf8(caption));
    return box;
}

QRadioButton *option(QGroupBox *box, const char *name, const char *caption, Twips t)
{
    auto *button = place<QRadioButton>(box, name, t);
    button->setText(QString::fromUtf8(caption));
    return button;
}

platform::CommandButton *command(QWidget *container, const char *name, const char *caption, Twips t)
{
    auto *button = place<platform::CommandButton>(container, name, t);
    button->setText(QString::fromUtf8(caption));
    button->setAutoDefault(false);
    return button;
}

void setTextColour(QWidget *widget, QRgb colour)
{
    QPalette palette = widget->palette();
    for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        palette.setColor(role, QColor(colour));
    widget->setPalette(palette);
}

void setBackground(QWidget *widget, QRgb colour)
{
    QPalette palette = widget->palette();
    for (auto role : {QPalette::Base, QPalette::Button})
        palette.setColor(role, QColor(colour));
    widget->setPalette(palette);
}

} // namespace

void Zediz::createControls()
{
    setWindowTitle(QStringLiteral("Loamvane"));
    setWindowIcon(QIcon(QStringLiteral(":/calculator/loamvane.png")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(platform::twipsSize(8130, 5805));
    setFont(arial(7.5));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(LightGrey));
    setPalette(palette);
    setAutoFillBackground(true);

    FrameCM = frame(this, "FrameCM", "Conductor Material", {84, 96, 2200, 1000});
    OpCU = option(FrameCM, "OpCU", "Copper", {84, 352, 1440, 192});
    OpAL = option(FrameCM, "OpAL", "Aluminum", {84, 654, 1440, 192});
    setTextColour(OpCU, CopperColour);
    setTextColour(OpAL, AluminumColour);
    OpCU->setChecked(true);

    FrameIN = frame(this, "FrameIN", "Installation type", {84, 1196, 2200, 1000});
    OpDB = option(FrameIN, "OpDB", "Direct Burried", {84, 352, 1724, 192});
    OpENC = option(FrameIN, "OpENC", "Encased in Conduit", {84, 654, 2020, 225});
    OpDB->setChecked(true);

    FrameCC = frame(this, "FrameCC", "Cable Configuration", {84, 2296, 2200, 1000});
    OpSC = option(FrameCC, "OpSC", "Single Conductor", {120, 352, 2020, 225});
    OpTri = option(FrameCC, "OpTri", "Three or Triplexed", {84, 654, 2020, 225});
    OpTri->setChecked(true);

    FrameNOR = frame(this, "FrameNOR", "Number of runs", {84, 3396, 2200, 800});
    NORcmnd = command(FrameNOR, "NORcmnd", "1", {140, 240, 1920, 460});
    NORcmnd->setFont(arial(10.5));

    FrameWS = frame(this, "FrameWS", "Wire Size", {84, 4200, 1724, 800});
    ComWS = place<platform::DropDownList>(FrameWS, "ComWS", {168, 280, 1440, 345});
    setBackground(ComWS, White);

    FrameAM = frame(this, "FrameAM", "Single Run Ampacity", {1920, 4200, 2055, 1500});
    ComAM = place<platform::DropDownList>(FrameAM, "ComAM", {120, 280, 1730, 345});
    Label4 = place<QLabel>(FrameAM, "Label4", {165, 825, 1770, 480});
    Label4->setText(QStringLiteral("For 90\u00B0C Conductors Based on table 12A"));
    Label4->setWordWrap(true);
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    FrameTA = frame(this, "FrameTA", "Total Ampacity ", {4080, 4200, 3945, 1500});
    ComTotalAmp = place<QLineEdit>(FrameTA, "ComTotalAmp", {84, 280, 2535, 345});
    ComTotalAmp->setText(QStringLiteral("="));
    ComTotalAmp->setCursor(Qt::ForbiddenCursor);
    // Screen readers would take the frame's caption, which changes with the multipliers.
    ComTotalAmp->setAccessibleName(QStringLiteral("Total Ampacity"));
    setBackground(ComTotalAmp, White);
    AETcmnd = command(FrameTA, "AETcmnd", "Ambient Earth Temperature 20°C", {84, 780, 2535, 640});
    CTcmnd = command(FrameTA, "CTcmnd", "Insulation Rating   90°C ", {2760, 240, 1050, 1190});
    setListColour(CopperColour);

    Pic1 = place<DiagramView>(this, "Pic1", {2400, 105, 5625, 4080});
    Pic1->setToolTip(QStringLiteral("Double click to copy picture"));
    Pic1->setAccessibleName(QStringLiteral("Diagram"));
    QFont sansSerif;
    sansSerif.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    sansSerif.setPointSizeF(8.25);
    Pic1->setFont(sansSerif);
    Pic1->setFocusPolicy(Qt::StrongFocus);

    CmdAbout = command(this, "CmdAbout", "About", {120, 5180, 1665, 480});

    QWidget *tabOrder[] = {Pic1,
                           OpCU,
                           OpAL,
                           OpDB,
                           OpENC,
                           OpSC,
                           OpTri,
                           NORcmnd,
                           ComWS,
                           ComAM,
                           ComTotalAmp,
                           CTcmnd,
                           AETcmnd,
                           CmdAbout};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(100);
}

void Zediz::setListColour(QRgb colour)
{
    for (QWidget *list : {static_cast<QWidget *>(ComWS),
                          static_cast<QWidget *>(ComAM),
                          static_cast<QWidget *>(ComTotalAmp)})
        setTextColour(list, colour);
}
