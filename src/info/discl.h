#pragma once

#include <QDialog>
#include <QFont>

class QFrame;
class QPlainTextEdit;
class QPushButton;

// The READ ME window: the tables' conditions and the disclaimer under a red heading. Shown
// modally, one per opening.
class Discl : public QDialog
{
    Q_OBJECT
public:
    // main gives the icon and the window to centre over.
    Discl(const QWidget &main, QWidget *parent);

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void centre();
    void Form_Activate();
    void Form_Click();
    void Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);
    void Command3_Click();

    const QWidget &main;
    QFont printFont;
    QColor printColour;
    QString printed; // what the surface shows; cleared and printed anew at each activation
    bool pressedOnSurface = false;

    QPushButton *Command3 = nullptr;
    QPlainTextEdit *Text1 = nullptr;
    QFrame *Line1 = nullptr;
};
