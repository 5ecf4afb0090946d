#include "diagram_view.h"

#include "platform/metafile.h"

#include <QMouseEvent>
#include <QPainter>

DiagramView::DiagramView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DiagramView::setPicture(DiagramStore::Drawing drawing)
{
    if (drawing == shown)
        return;
    shown = std::move(drawing);
    update();
}

void DiagramView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!shown)
        return;
    const QSizeF natural = shown->sizeInInches();
    if (natural.isEmpty())
        return;
    QSizeF fitted = natural.scaled(QSizeF(size()), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - fitted.width()) / 2, (height() - fitted.height()) / 2),
                        fitted);
    shown->paint(painter, target);
}

void DiagramView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
