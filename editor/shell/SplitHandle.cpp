#include "shell/SplitHandle.h"

#include <QMouseEvent>

SplitHandle::SplitHandle(QWidget* parent, Qt::Orientation orientation, std::function<void(QPoint)> onDragged)
    : QWidget(parent), onDragged_(std::move(onDragged))
{
    // Vertical: a boundary between left and right, dragged sideways.
    setCursor(orientation == Qt::Vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
}

void SplitHandle::mousePressEvent(QMouseEvent* event)
{
    dragging_ = event->button() == Qt::LeftButton;
}

void SplitHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_) onDragged_(mapToParent(event->position().toPoint()));
}

void SplitHandle::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging_ && event->button() == Qt::LeftButton) onDragged_(mapToParent(event->position().toPoint()));
    dragging_ = false;
}
