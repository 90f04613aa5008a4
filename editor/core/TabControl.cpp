#include "core/TabControl.h"

#include <QResizeEvent>
#include <QTabBar>

TabControl::TabControl(QWidget* parent) : QWidget(parent), strip_(new QTabBar(this))
{
    strip_->setDrawBase(true);
    strip_->setExpanding(false);
    connect(strip_, &QTabBar::currentChanged, this, &TabControl::ShowOnly);
}

void TabControl::AddPage(const QString& caption, QWidget* page)
{
    pages_.append(page);
    strip_->addTab(caption);
    ShowOnly(strip_->currentIndex());
}

int TabControl::CurrentPage() const { return strip_->currentIndex(); }

void TabControl::SetCurrentPage(int index)
{
    if (index >= 0 && index < pages_.size()) strip_->setCurrentIndex(index);
}

void TabControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    strip_->setGeometry(0, 0, event->size().width(), strip_->sizeHint().height());
}

void TabControl::ShowOnly(int index)
{
    for (int i = 0; i < pages_.size(); ++i) pages_[i]->setVisible(i == index);
}
