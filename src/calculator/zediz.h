#pragma once

// The calculator's main window.
//
// State: every choice of the user lives in one CalculatorState, written only by the handlers
// below (option buttons, the runs, temperature and insulation buttons).
// Refresh: the handlers never touch the lists, the drawing or the total. Two timers poll the
// state instead: Timer1 (10 ms) composes the table code and the diagram number, and redoes the
// costly work - the drawing, the list - only when its key has changed; Timer2 (100 ms) runs
// while the ampacity list has the focus, so that the list the user browses leads.
// Rules: table choice, run cycles, the total and its text, and the table data are plain
// functions on the state (calculator_state.h, table_selection.h, choices.h, total.h,
// ampacity_tables.h); this class only wires them to its controls.

#include "ampacity_tables.h"
#include "calculator_state.h"

#include <QPointer>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTimer;
class DiagramStore;
class DiagramView;
namespace platform {
class CommandButton;
}

class Zediz : public QWidget
{
    Q_OBJECT
public:
    // The drawings are shared with the window, never copied; store may be empty.
    explicit Zediz(const DiagramStore &store);
    ~Zediz() override;

    // Read by the About window.
    const QString &Program() const { return s.Program; }
    const QString &Version() const { return s.Version; }
    const QString &Copyrt() const { return s.Copyrt; }

    const CalculatorState &state() const { return s; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    friend class tst_Zediz;
    friend class tst_Soak;
    friend class tst_Accessibility;
    friend struct ZedizBench;

    void createControls();
    void connectHandlers();

    void Form_Load();
    void Form_Unload(qint16 &Cancel);
    void Timer1_Timer();
    void Timer2_Timer();
    void ComAM_GotFocus();
    void ComAM_LostFocus();

    void OpDB_Click();
    void OpENC_Click();
    void OpSC_Click();
    void OpTri_Click();
    void OpCU_Click();
    void OpAL_Click();
    void NORcmnd_Click();
    void AETcmnd_Click();
    void CTcmnd_Click();
    void CmdAbout_Click();
    void Pic1_DblClick();

    // Procedures only code calls.
    void TiCom2_Click();
    void TiComTable_Click();
    void TiComTotal_Click();
    void TiAmp8_Click();
    void TiAmp9_Click();
    void TiAmp10_Click();
    void TiAmp11_Click();

    void fillAmpacityList(AmpacityTable table);
    void setListColour(QRgb colour);

    CalculatorState s;
    const DiagramStore &drawings;
    QPointer<QWidget> about; // the About window while it is open

    QGroupBox *FrameCM = nullptr;
    QRadioButton *OpCU = nullptr;
    QRadioButton *OpAL = nullptr;
    QGroupBox *FrameIN = nullptr;
    QRadioButton *OpDB = nullptr;
    QRadioButton *OpENC = nullptr;
    QGroupBox *FrameCC = nullptr;
    QRadioButton *OpSC = nullptr;
    QRadioButton *OpTri = nullptr;
    QGroupBox *FrameNOR = nullptr;
    platform::CommandButton *NORcmnd = nullptr;
    QGroupBox *FrameWS = nullptr;
    QComboBox *ComWS = nullptr;
    QGroupBox *FrameAM = nullptr;
    QComboBox *ComAM = nullptr;
    QLabel *Label4 = nullptr;
    QGroupBox *FrameTA = nullptr;
    QLineEdit *ComTotalAmp = nullptr;
    platform::CommandButton *AETcmnd = nullptr;
    platform::CommandButton *CTcmnd = nullptr;
    DiagramView *Pic1 = nullptr;
    platform::CommandButton *CmdAbout = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
};
