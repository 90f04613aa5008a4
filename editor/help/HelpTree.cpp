#include "help/HelpTree.h"

#include "help/ExternalDatabase.h"
#include "help/HelpNodes.h"
#include "core/ErrorReporter.h"
#include "core/Prompts.h"

#include <QTreeWidget>

using namespace HelpNodes;

namespace {
void Fail(QTreeWidget* tree, const QString& text) { UserPrompts().error(tree->window(), QString(), text); }
}  // namespace

void HelpTree::ExpandCategory(QTreeWidgetItem* node, QTreeWidget* tree, ExternalDatabase* database)
{
    InstallErrorReporter(QStringLiteral("类_树形框_树形框扩展"));
    const QString name = node->text(0);
    // Rebuilt from the database on every expansion, never duplicated.
    qDeleteAll(node->takeChildren());
    std::unique_ptr<RecordSet> records = database->Execute(QStringLiteral("select * from ") + name);
    if (!records) {
        Fail(tree, QStringLiteral("类_树形框_树形框扩展失败"));
        return;
    }
    for (records->MoveFirst(); !records->Eof(); records->MoveNext()) {
        int id = ToId(records->Field(QStringLiteral("id")));
        AddNode(tree, node, ToText(records->Field(QStringLiteral("关键字"))), kKeywordImage, id);
    }
}

QString HelpTree::DescribeSelection(QTreeWidget* tree, ExternalDatabase* database)
{
    InstallErrorReporter(QStringLiteral("类_项目被选择"));
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    if (selected.isEmpty()) return {};
    QTreeWidgetItem* node = selected.first();
    if (!node->parent()) return QStringLiteral("你选择的是: ") + node->text(0) + QStringLiteral("目录");
    const QString query = QStringLiteral("select * from ") + node->parent()->text(0) + QStringLiteral(" where id=") +
                          QString::number(Value(node).value_or(0));
    std::unique_ptr<RecordSet> records = database->Execute(query);
    if (!records) {
        Fail(tree, QStringLiteral("类_项目被选择失败"));
        return {};
    }
    // The first record, read without moving to it first.
    return ToText(records->Field(QStringLiteral("备注")));
}
