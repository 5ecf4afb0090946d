#pragma once

#include "diagrams/diagram_store.h"

#include <QWidget>

// Shows one diagram drawing, whole and undistorted, centred on black.
class DiagramView : public QWidget
{
    Q_OBJECT
public:
    explicit DiagramView(QWidget *parent = nullptr);

    // The view keeps the very drawing it is given; nothing is copied.
    void setPicture(DiagramStore::Drawing drawing);
    const DiagramStore::Drawing &picture() const { return shown; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // The view shows no focus, so a focus change is no reason to repaint the drawing.
    void focusInEvent(QFocusEvent *) override {}
    void focusOutEvent(QFocusEvent *) override {}

private:
    DiagramStore::Drawing shown;
};
