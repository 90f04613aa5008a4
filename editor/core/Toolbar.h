#pragma once
// 工具条1: buttons addressed by position (separators count), each with a
// caption, an image of the image list and an enabled state.
#include <QList>
#include <QToolBar>

class QAction;

// Positions of the buttons that commands switch.
namespace ToolbarButton {
inline constexpr int Cut = 5;
inline constexpr int Copy = 6;
inline constexpr int Paste = 7;
inline constexpr int Redo = 8;
inline constexpr int Undo = 9;
inline constexpr int Clear = 10;
}  // namespace ToolbarButton

class Toolbar : public QToolBar {
    Q_OBJECT
public:
    explicit Toolbar(QWidget* parent = nullptr);

    int ButtonCount() const { return int(buttons_.size()); }
    QString ButtonCaption(int index) const;  // empty for a separator
    bool IsButtonEnabled(int index) const;
    void EnableButton(int index) { SetButtonEnabled(index, true); }
    void DisableButton(int index) { SetButtonEnabled(index, false); }
    void SetButtonEnabled(int index, bool enabled);
    QAction* ButtonAction(int index) const;

signals:
    void ButtonClicked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAction*> buttons_;
};
