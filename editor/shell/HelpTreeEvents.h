#pragma once
// The help tree's two handlers: a category about to be expanded, and a
// selection that changed, with its cause as tree views report it (0 none in
// particular, 1 the mouse, 2 the keyboard).
#include <QObject>

class MainWindow;
class QTreeWidgetItem;

class HelpTreeEvents : public QObject {
    Q_OBJECT
public:
    explicit HelpTreeEvents(MainWindow* window);

    void OnHelpTreeExpanding(QTreeWidgetItem* node);
    void OnHelpTreeSelected(int cause);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow* window_;
    int pendingCause_ = 0;
};
