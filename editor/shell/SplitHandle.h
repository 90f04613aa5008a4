#pragma once
// An invisible strip over a boundary between two controls that the user
// drags to move it. It only reports where the mouse is; the window decides
// what the boundary may do.
#include <QWidget>

#include <functional>

class SplitHandle : public QWidget {
public:
    // onDragged gets the mouse position in the parent's coordinates.
    SplitHandle(QWidget* parent, Qt::Orientation orientation, std::function<void(QPoint)> onDragged);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void(QPoint)> onDragged_;
    bool dragging_ = false;
};
