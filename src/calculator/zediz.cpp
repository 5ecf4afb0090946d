#include "zediz.h"

#include "choices.h"
#include "diagram_clipboard.h"
#include "diagram_view.h"
#include "refresh_keys.h"
#include "table_selection.h"
#include "total.h"
#include "wire_sizes.h"

#include "info/about.h"
#include "loamvane_version.h"
#include "platform/command_button.h"
#include "platform/metafile.h"
#include "platform/title_room.h"
#include "platform/twips.h"
#include "platform/window_front.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

Zediz::Zediz(const DiagramStore &store)
    : drawings(store)
{
    setObjectName(QStringLiteral("Zediz"));
    createControls();
    Form_Load();
    connectHandlers();
    Timer1->start();
}

Zediz::~Zediz() = default;

void Zediz::connectHandlers()
{
    // An option's handler runs when it becomes selected, by mouse or keyboard; choosing the
    // option already selected changes nothing.
    auto onSelect = [this](QRadioButton *button, void (Zediz::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onSelect(OpDB, &Zediz::OpDB_Click);
    onSelect(OpENC, &Zediz::OpENC_Click);
    onSelect(OpSC, &Zediz::OpSC_Click);
    onSelect(OpTri, &Zediz::OpTri_Click);
    onSelect(OpCU, &Zediz::OpCU_Click);
    onSelect(OpAL, &Zediz::OpAL_Click);
    connect(NORcmnd, &QPushButton::clicked, this, &Zediz::NORcmnd_Click);
    connect(AETcmnd, &QPushButton::clicked, this, &Zediz::AETcmnd_Click);
    connect(CTcmnd, &QPushButton::clicked, this, &Zediz::CTcmnd_Click);
    connect(Pic1, &DiagramView::doubleClicked, this, &Zediz::Pic1_DblClick);
    connect(CmdAbout, &QPushButton::clicked, this, &Zediz::CmdAbout_Click);
    connect(Timer1, &QTimer::timeout, this, &Zediz::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &Zediz::Timer2_Timer);
    ComAM->installEventFilter(this);
    for (QRadioButton *option : {OpCU, OpAL, OpDB, OpENC, OpSC, OpTri})
        option->installEventFilter(this);
}

void Zediz::Form_Load()
{
    loadStartState(s, {loamvane::VersionMajor, loamvane::VersionMinor, loamvane::VersionRevision});

    // Qt knows a window's frame only once it is shown, so the outer size here is the client's.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const TwipsPoint position = startPosition(platform::toTwips(screen.width()),
                                              platform::toTwips(frameGeometry().width()),
                                              platform::toTwips(screen.height()),
                                              platform::toTwips(frameGeometry().height()));
    move(screen.left() + platform::toPixels(double(position.left)),
         screen.top() + platform::toPixels(double(position.top)));

    for (int i = 0; i < int(WireSizeTexts.size()); ++i)
        ComWS->insertItem(i, QLatin1StringView(WireSizeTexts[std::size_t(i)]));
    s.WireSizeIndex = 0;
    ComWS->setCurrentIndex(s.WireSizeIndex);
}

void Zediz::Form_Unload(qint16 &Cancel)
{
    if (about)
        about->close();
    Cancel = 0;
}

void Zediz::closeEvent(QCloseEvent *event)
{
    qint16 cancel = 0;
    Form_Unload(cancel);
    event->setAccepted(cancel == 0);
}

bool Zediz::eventFilter(QObject *watched, QEvent *event)
{
    // Tabbing into an option group lands on its selected option, as option groups do.
    if (auto *option = qobject_cast<QRadioButton *>(watched);
        option && !option->isChecked() && event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            for (auto *other : option->parentWidget()->findChildren<QRadioButton *>()) {
                if (other->isChecked())
                    other->setFocus(reason);
            }
            return true; // or the option passed by would take the Tab stop back
        }
    }
    if (watched == ComAM) {
        if (event->type() == QEvent::FocusIn) {
            ComAM_GotFocus();
        } else if (event->type() == QEvent::FocusOut) {
            // The list's own popup, or another window taking the activation, does not move
            // the focus away from the list the user is browsing.
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            const bool browsing = reason == Qt::PopupFocusReason
                                  || reason == Qt::ActiveWindowFocusReason
                                  || ComAM->view()->window()->isVisible();
            if (!browsing)
                ComAM_LostFocus();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Zediz::Timer1_Timer()
{
    s.TableCode = composeTableCode(s);
    s.DiagramNumber = composeDiagramNumber(s);
    if (s.DiagramNumber != s.ShownDiagramNumber) {
        // Blank when the number has no drawing: another detail's drawing would mislead, on
        // screen and when copied.
        Pic1->setPicture(drawings.find(s.DiagramNumber));
        s.ShownDiagramNumber = s.DiagramNumber;
    }
    if (s.TableCode != s.ListedTableCode) {
        // Keyed before the fill, so that an unknown table reports once per new code.
        s.ListedTableCode = s.TableCode;
        switch (s.TableNumber) {
        case 8:
            TiAmp8_Click();
            break;
        case 9:
            TiAmp9_Click();
            break;
        case 10:
            TiAmp10_Click();
            break;
        case 11:
            TiAmp11_Click();
            break;
        default: {
            QMessageBox box(QMessageBox::NoIcon,
                            QGuiApplication::applicationDisplayName(),
                            QStringLiteral("ERROR"),
                            QMessageBox::Ok,
                            this);
            box.exec();
            break;
        }
        }
    }
    Label4->setText(tableCaption(s));
    s.WireSizeIndex = qint16(ComWS->currentIndex());
    ComAM->setCurrentIndex(s.WireSizeIndex);
    TiComTotal_Click();
}

void Zediz::Timer2_Timer()
{
    s.WireSizeIndex = qint16(ComAM->currentIndex());
    ComWS->setCurrentIndex(s.WireSizeIndex);
    TiComTotal_Click();
}

void Zediz::ComAM_GotFocus()
{
    Timer1->stop();
    Timer2->start();
}

void Zediz::ComAM_LostFocus()
{
    Timer1->start();
    Timer2->stop();
}

void Zediz::OpDB_Click()
{
    s.DirectBuried = 1;
    TiCom2_Click();
}

void Zediz::OpENC_Click()
{
    s.DirectBuried = 0;
    TiCom2_Click();
}

void Zediz::OpSC_Click()
{
    s.SingleConductor = 1;
    TiCom2_Click();
}

void Zediz::OpTri_Click()
{
    s.SingleConductor = 0;
    TiCom2_Click();
}

void Zediz::OpCU_Click()
{
    setListColour(selectMaterial(s, Material::Copper));
    TiComTable_Click();
}

void Zediz::OpAL_Click()
{
    setListColour(selectMaterial(s, Material::Aluminum));
    TiComTable_Click();
}

void Zediz::NORcmnd_Click()
{
    stepRuns(s);
    NORcmnd->setText(runsCaption(s));
    ComWS->setFocus(Qt::OtherFocusReason);
    TiComTable_Click();
}

void Zediz::AETcmnd_Click()
{
    AETcmnd->setText(stepEarthTemperature(s));
}

void Zediz::CTcmnd_Click()
{
    CTcmnd->setText(stepInsulation(s));
}

void Zediz::CmdAbout_Click()
{
    // One About window at most; a second click brings the open one to the front.
    if (!about)
        about = new About(*this);
    platform::bringToFront(*about);
}

void Zediz::Pic1_DblClick()
{
    QMessageBox question(QMessageBox::Question,
                         QStringLiteral("Pasting Picture to Clipboard"),
                         QStringLiteral("Is it OK to overwrite Clipboard?"),
                         QMessageBox::Yes | QMessageBox::No,
                         this);
    question.setDefaultButton(QMessageBox::Yes);
    question.setWindowModality(Qt::ApplicationModal);
    platform::makeRoomForTitle(question);
    s.MsgAnswer = question.exec() == QMessageBox::Yes ? 6 : 7;
    // Before the first tick there is no drawing; clearing the clipboard for nothing would
    // throw away what the user had on it.
    if (s.MsgAnswer != 6 || !Pic1->picture())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(clipboardData(*Pic1->picture()).release());
}

void Zediz::TiCom2_Click()
{
    if (selectTable(s))
        Pic1->setPicture(drawings.find(u"94"));
    NORcmnd->setText(runsCaption(s));
    TiComTable_Click();
}

void Zediz::TiComTable_Click()
{
    deriveTableNumber(s);
}

void Zediz::TiComTotal_Click()
{
    if (const auto display = computeTotal(s, ComAM->currentText())) {
        ComTotalAmp->setText(display->text);
        FrameTA->setTitle(display->caption);
    }
}

void Zediz::fillAmpacityList(AmpacityTable table)
{
    const AmpacityList &list = findList(table, s.TableCode);
    QStringList items;
    items.reserve(qsizetype(list.amps.size()));
    for (const short amps : list.amps)
        items.append(ampacityItem(amps));
    ComAM->clear();
    ComAM->addItems(items);
    // Filling selects nothing; the refresh selects the entry of the chosen wire size.
    ComAM->setCurrentIndex(-1);
}

void Zediz::TiAmp8_Click()
{
    fillAmpacityList(tableD8());
}

void Zediz::TiAmp9_Click()
{
    fillAmpacityList(tableD9());
}

void Zediz::TiAmp10_Click()
{
    fillAmpacityList(tableD10());
}

void Zediz::TiAmp11_Click()
{
    fillAmpacityList(tableD11());
}
