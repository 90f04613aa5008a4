#pragma once
// 高级选择夹1: a tab strip over pages. The page controls are children of the
// tab control itself, placed in its coordinates below the strip, and only
// the current page's control is shown.
#include <QList>
#include <QWidget>

class QTabBar;

class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    // The page's control must be a child of this tab control.
    void AddPage(const QString& caption, QWidget* page);
    int CurrentPage() const;
    void SetCurrentPage(int index);
    int PageCount() const { return int(pages_.size()); }
    QTabBar* Strip() const { return strip_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowOnly(int index);

    QTabBar* strip_;
    QList<QWidget*> pages_;
};
