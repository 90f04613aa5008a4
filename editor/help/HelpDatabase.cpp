#include "help/HelpDatabase.h"

#include "help/ExternalDatabase.h"
#include "help/HelpNodes.h"
#include "common/ProgramFolder.h"
#include "core/ErrorReporter.h"
#include "core/Prompts.h"

#include <QTreeWidget>

using namespace HelpNodes;

namespace {
const QString kDatabaseFile = QStringLiteral("/数据库/VBScript帮助文档.mdb");
const QString kIndexLabel = QStringLiteral("类_导入索引目录");
const QString kIndexQuery = QStringLiteral("select * from 函数索引目录");
const QString kPlaceholder = QStringLiteral("临时");

void Fail(QTreeWidget* tree, const QString& text) { UserPrompts().error(tree->window(), QString(), text); }
}  // namespace

void HelpDatabase::OpenHelpDatabase(ExternalDatabase* database, QTreeWidget* tree)
{
    InstallErrorReporter(QStringLiteral("类_数据库_打开"));
    if (!database->Open(ProgramPath(kDatabaseFile))) {
        Fail(tree, QStringLiteral("数据库不存在或己损坏"));
        return;
    }
    ImportIndex(kIndexLabel, kIndexQuery, database, tree);
}

void HelpDatabase::ImportIndex(const QString& label, const QString& query, ExternalDatabase* database,
                               QTreeWidget* tree)
{
    InstallErrorReporter(label);
    std::unique_ptr<RecordSet> records = database->Execute(query);
    if (!records) {
        Fail(tree, QStringLiteral("类_导入索引目录失败"));
        return;
    }
    for (records->MoveFirst(); !records->Eof(); records->MoveNext()) {
        int id = ToId(records->Field(QStringLiteral("id")));
        QString name = ToText(records->Field(QStringLiteral("索引目录")));
        QTreeWidgetItem* category = AddNode(tree, nullptr, name, kCategoryImage, id);
        AddNode(tree, category, kPlaceholder, kKeywordImage, std::nullopt);
    }
}
