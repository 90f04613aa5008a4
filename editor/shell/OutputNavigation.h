#pragma once
// Double-clicking a line of the output box that holds an error text moves
// the code editor's caret to the error's line and column.
#include <QObject>

class MainWindow;

class OutputNavigation : public QObject {
    Q_OBJECT
public:
    explicit OutputNavigation(MainWindow* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow* window_;
};
