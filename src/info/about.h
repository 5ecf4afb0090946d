#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class Zediz;

// The About window: title, version, maker and notice lines of the main window. One of its own,
// modeless, destroyed when closed; the main window keeps a guarded pointer to reuse it.
class About : public QWidget
{
    Q_OBJECT
public:
    explicit About(const Zediz &main);

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void Form_Click();
    void Command2_Click();
    void Command3_Click();

    const Zediz &main;
    bool pressedOnSurface = false;

    QLabel *Lbl_Program = nullptr;
    QLabel *Lbl_Version = nullptr;
    QLabel *Lbl_Tessaly = nullptr;
    QPushButton *Command3 = nullptr;
    QLabel *Lbl_Copyrt = nullptr;
    QPushButton *Command2 = nullptr;
};
