#include "shell/HelpTreeEvents.h"

#include "help/HelpTree.h"
#include "core/Prompts.h"
#include "core/TabControl.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace {
constexpr int kByMouse = 1;
constexpr int kByKeyboard = 2;
constexpr int kHintPage = 0;
}  // namespace

HelpTreeEvents::HelpTreeEvents(MainWindow* window) : QObject(window), window_(window)
{
    QTreeWidget* tree = window->HelpTreeBox();
    tree->installEventFilter(this);
    tree->viewport()->installEventFilter(this);
    connect(tree, &QTreeWidget::itemExpanded, this, &HelpTreeEvents::OnHelpTreeExpanding);
    connect(tree, &QTreeWidget::itemSelectionChanged, this, [this] {
        int cause = pendingCause_;
        pendingCause_ = 0;
        OnHelpTreeSelected(cause);
    });
}

bool HelpTreeEvents::eventFilter(QObject*, QEvent* event)
{
    // What happens next to the selection is caused by this input.
    if (event->type() == QEvent::MouseButtonPress) pendingCause_ = kByMouse;
    if (event->type() == QEvent::KeyPress) pendingCause_ = kByKeyboard;
    return false;
}

void HelpTreeEvents::OnHelpTreeExpanding(QTreeWidgetItem* node)
{
    Objects().helpTree->ExpandCategory(node, window_->HelpTreeBox(), window_->ExternalDatabase1());
}

void HelpTreeEvents::OnHelpTreeSelected(int cause)
{
    if (cause != kByMouse) return;
    const QString text = Objects().helpTree->DescribeSelection(window_->HelpTreeBox(), window_->ExternalDatabase1());
    if (text.isEmpty()) {
        UserPrompts().error(window_, QString(), QStringLiteral("读取帮助文档失败"));
        return;
    }
    window_->TabControl1()->SetCurrentPage(kHintPage);
    window_->HintBox()->setPlainText(text);
}
