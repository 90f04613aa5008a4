#include "QtTestMain.h"
#include "EditorHarness.h"
#include "StandIn.h"

#include "JetWriter.h"
#include "common/ProgramFolder.h"
#include "common/ProgramNames.h"
#include "help/ExternalDatabase.h"
#include "assist/KeywordLists.h"
#include "core/TabControl.h"

#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTreeWidget>

#include <fstream>

using mkmdb::Column;
using mkmdb::ColumnType;
using mkmdb::Row;
using mkmdb::Table;

namespace {

Table Index(std::vector<std::pair<int, std::u16string>> categories)
{
    Table t{u"函数索引目录", {{u"id", ColumnType::Long}, {u"索引目录", ColumnType::Text, 255}}, {}};
    for (auto& [id, name] : categories) t.rows.push_back({id, name});
    return t;
}

Table Category(std::u16string name, std::vector<std::tuple<int, std::u16string, std::u16string>> entries)
{
    Table t{std::move(name),
            {{u"id", ColumnType::Long}, {u"关键字", ColumnType::Text, 255}, {u"备注", ColumnType::Memo}},
            {}};
    for (auto& [id, keyword, text] : entries) t.rows.push_back({id, keyword, text});
    return t;
}

// A program folder whose help database holds the given tables (none: no file).
struct HelpFolder {
    StandInFolder folder{kErrorPromptProgram};
    explicit HelpFolder(const std::vector<Table>& tables, bool withFile = true)
    {
        QDir(folder.Folder()).mkdir("数据库");
        if (withFile) {
            mkmdb::Bytes bytes = mkmdb::WriteDatabase(tables);
            std::ofstream out(QFile::encodeName(folder.Folder() + "/数据库/VBScript帮助文档.mdb").toStdString(),
                              std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        SetProgramFolderForTests(folder.Folder());
    }
    ~HelpFolder() { SetProgramFolderForTests({}); }
};

QStringList Texts(const QList<QTreeWidgetItem*>& items)
{
    QStringList texts;
    for (auto* i : items) texts << i->text(0);
    return texts;
}
QStringList TopLevel(QTreeWidget* tree)
{
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) items << tree->topLevelItem(i);
    return Texts(items);
}
QStringList Children(QTreeWidgetItem* node)
{
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < node->childCount(); ++i) items << node->child(i);
    return Texts(items);
}

void ClickOn(QTreeWidget* tree, QTreeWidgetItem* item)
{
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

const std::vector<Table> kReference = {
    Index({{1, u"字符串函数"}, {2, u"数学函数"}, {3, u"空的"}}),
    Category(u"字符串函数", {{10, u"Len", u"返回长度。"}, {11, u"Mid", u"取中间。"}, {12, u"Mid", u"另一个 Mid。"}}),
    Category(u"数学函数", {{1, u"Abs", u"绝对值。"}, {2, u"Sqr", u""}}),
    Category(u"空的", {}),
};

}  // namespace

class HelpTreeTest : public QObject {
    Q_OBJECT
private slots:
    void indexFillsTheFirstLevelWithPlaceholders()
    {
        HelpFolder folder(kReference);
        EditorHarness h;
        QTreeWidget* tree = h.window.HelpTreeBox();
        QCOMPARE(TopLevel(tree), (QStringList{"字符串函数", "数学函数", "空的"}));
        QCOMPARE(tree->topLevelItem(1)->data(0, Qt::UserRole).toInt(), 2);
        QCOMPARE(Children(tree->topLevelItem(0)), QStringList{"临时"});
        QVERIFY(h.prompts.errors.isEmpty());
        QVERIFY(!tree->topLevelItem(0)->icon(0).pixmap(16).isNull());  // the icons are built in
    }

    void expandingReadsTheKeywordsOnceEachTime()
    {
        HelpFolder folder(kReference);
        EditorHarness h;
        QTreeWidgetItem* strings = h.window.HelpTreeBox()->topLevelItem(0);
        strings->setExpanded(true);
        QCOMPARE(Children(strings), (QStringList{"Len", "Mid", "Mid"}));
        QCOMPARE(strings->child(2)->data(0, Qt::UserRole).toInt(), 12);
        strings->setExpanded(false);
        strings->setExpanded(true);
        QCOMPARE(Children(strings), (QStringList{"Len", "Mid", "Mid"}));

        QTreeWidgetItem* empty = h.window.HelpTreeBox()->topLevelItem(2);
        empty->setExpanded(true);
        QCOMPARE(empty->childCount(), 0);
        QVERIFY(h.prompts.errors.isEmpty());
    }

    void failuresShowTheirMessages_data()
    {
        QTest::addColumn<QString>("category");  // the category expanded
        QTest::newRow("missing table") << "没有这张表";
        QTest::newRow("not a bare table name") << "带 空格";
    }
    void failuresShowTheirMessages()
    {
        QFETCH(QString, category);
        HelpFolder folder({Index({{1, category.toStdU16String()}}), Category(u"带 空格", {{1, u"x", u"y"}})});
        EditorHarness h;
        QTreeWidgetItem* node = h.window.HelpTreeBox()->topLevelItem(0);
        node->setExpanded(true);
        QCOMPARE(h.prompts.errors, QStringList{"类_树形框_树形框扩展失败"});
        QCOMPARE(node->childCount(), 0);
    }

    void missingOrEmptyDatabase_data()
    {
        QTest::addColumn<bool>("withFile");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("missing file") << false << QStringList{"数据库不存在或己损坏"};
        QTest::newRow("empty index") << true << QStringList{};
    }
    void missingOrEmptyDatabase()
    {
        QFETCH(bool, withFile);
        QFETCH(QStringList, errors);
        HelpFolder folder({Index({})}, withFile);
        EditorHarness h;
        QCOMPARE(h.window.HelpTreeBox()->topLevelItemCount(), 0);
        QCOMPARE(h.prompts.errors, errors);
    }

    void mouseSelectionShowsTheHelpText()
    {
        HelpFolder folder(kReference);
        EditorHarness h;
        QTreeWidget* tree = h.window.HelpTreeBox();
        h.window.TabControl1()->SetCurrentPage(1);
        QTreeWidgetItem* strings = tree->topLevelItem(0);
        strings->setExpanded(true);
        ClickOn(tree, strings->child(2));  // the second Mid, by its own id
        QCOMPARE(h.window.HintBox()->toPlainText(), "另一个 Mid。");
        QCOMPARE(h.window.TabControl1()->CurrentPage(), 0);
        ClickOn(tree, strings->child(1));
        QCOMPARE(h.window.HintBox()->toPlainText(), "取中间。");
        ClickOn(tree, tree->topLevelItem(1));
        QCOMPARE(h.window.HintBox()->toPlainText(), "你选择的是: 数学函数目录");
        QVERIFY(h.prompts.errors.isEmpty());
    }

    void keyboardSelectionShowsNothing()
    {
        HelpFolder folder(kReference);
        EditorHarness h;
        QTreeWidget* tree = h.window.HelpTreeBox();
        ClickOn(tree, tree->topLevelItem(0));
        h.window.HintBox()->clear();
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Down);
        QCOMPARE(tree->selectedItems().value(0), tree->topLevelItem(1));
        QVERIFY(h.window.HintBox()->toPlainText().isEmpty());
    }

    void emptyHelpTextIsAFailure()
    {
        HelpFolder folder(kReference);
        EditorHarness h;
        QTreeWidgetItem* maths = h.window.HelpTreeBox()->topLevelItem(1);
        maths->setExpanded(true);
        h.window.HintBox()->setPlainText("之前的");
        ClickOn(h.window.HelpTreeBox(), maths->child(1));
        QCOMPARE(h.prompts.errors, QStringList{"读取帮助文档失败"});
        QCOMPARE(h.window.HintBox()->toPlainText(), "之前的");
    }

    void shippedDatabaseCoversEveryWordOfTheWordLists()
    {
        ExternalDatabase db(nullptr);
        QVERIFY(db.Open(QStringLiteral(QUILLON_PROGRAM_DIR "/数据库/VBScript帮助文档.mdb")));
        // Keywords are looked up whole and by their parts: "If...Then...Else"
        // covers If, Then and Else; "Err.Raise" stays one word.
        QSet<QString> covered;
        auto index = db.Execute("select * from 函数索引目录");
        QVERIFY(index);
        for (index->MoveFirst(); !index->Eof(); index->MoveNext()) {
            auto category = db.Execute("select * from " + index->Field("索引目录").toString());
            QVERIFY2(category, qPrintable(index->Field("索引目录").toString()));
            for (category->MoveFirst(); !category->Eof(); category->MoveNext()) {
                const QString keyword = category->Field("关键字").toString().toLower();
                covered << keyword;
                static const QRegularExpression parts(QStringLiteral("[^a-z0-9.]+|\\.\\.+"));
                for (const QString& part : keyword.split(parts, Qt::SkipEmptyParts)) {
                    covered << part;
                    if (part.contains(u'.')) covered << part.section(u'.', -1);
                }
            }
        }
        BuildKeywordLists();
        QStringList words = (KeywordList + FileObjectMemberList).split(u' ', Qt::SkipEmptyParts);
        words.removeDuplicates();
        QStringList missing;
        for (const QString& w : words)
            if (!covered.contains(w.toLower())) missing << w;
        qInfo("help database covers %lld of %lld words of the word lists", words.size() - missing.size(),
              words.size());
        QVERIFY2(missing.isEmpty(), qPrintable("no entry for: " + missing.join(u' ')));
    }

    void aFieldOfTheWrongTypeIsReportedWithTheLabel()
    {
        Table wrong{u"坏的", {{u"id", ColumnType::Long}, {u"关键字", ColumnType::Long}}, {{Row{1, 5}}}};
        HelpFolder folder({Index({{1, u"坏的"}}), wrong});
        EditorHarness h;
        QTreeWidgetItem* node = h.window.HelpTreeBox()->topLevelItem(0);
        // As the user does it: inside an event, where the guard catches.
        QTreeWidget* tree = h.window.HelpTreeBox();
        tree->setCurrentItem(node);
        tree->setFocus();
        QTest::keyClick(tree, Qt::Key_Right);
        QTRY_VERIFY_WITH_TIMEOUT(folder.folder.Started(), 10000);
        QCOMPARE(folder.folder.Arguments(), (QStringList{"13", "类型不匹配", "类_树形框_树形框扩展"}));
        QVERIFY(h.window.isVisible());
    }
};

static RegisterTest<HelpTreeTest> registration;
#include "HelpTreeTest.moc"
