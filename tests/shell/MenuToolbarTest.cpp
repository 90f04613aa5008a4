#include "QtTestMain.h"

#include "shell/MainMenu.h"
#include "shell/MainWindow.h"
#include "core/Toolbar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

namespace {

// Every command appends its number to ran.
void RecordCommands(MainWindow& window, QList<int>& ran)
{
    for (int c = 0; c < int(Command::Count); ++c) window.Commands().Attach(Command(c), [&ran, c] { ran << c; });
}

struct MenuRow {
    QString path;  // menu caption / item caption
    QString hotkey;
    bool enabled;
};

// Walks the menu bar into "menu/item" rows, separators as "menu/-".
QList<MenuRow> MenuRows(QMenuBar* bar)
{
    QList<MenuRow> rows;
    std::function<void(QMenu*, const QString&)> walk = [&](QMenu* menu, const QString& prefix) {
        for (QAction* a : menu->actions()) {
            QString path = prefix + "/" + (a->isSeparator() ? QStringLiteral("-") : a->text());
            rows.append({path, a->shortcut().toString(), a->isEnabled()});
            if (a->menu()) walk(a->menu(), path);
        }
    };
    for (QAction* top : bar->actions()) {
        rows.append({top->text(), {}, top->isEnabled()});
        walk(top->menu(), top->text());
    }
    return rows;
}

}  // namespace

class MenuToolbarTest : public QObject {
    Q_OBJECT
private slots:
    void menusHaveTheirCaptionsHotkeysAndStates()
    {
        MainWindow window;
        const QList<MenuRow> expected{
            {"&F.程序", "", true},
            {"&F.程序/新建", "Ctrl+O", true},
            {"&F.程序/打开", "", true},
            {"&F.程序/关闭", "", true},
            {"&F.程序/保存", "Ctrl+S", true},
            {"&F.程序/另存为", "", true},
            {"&E.编辑", "", true},
            {"&E.编辑/撤销", "Ctrl+Z", false},
            {"&E.编辑/重复", "Ctrl+Y", false},
            {"&E.编辑/-", "", true},
            {"&E.编辑/剪切", "Ctrl+X", false},
            {"&E.编辑/复制", "Ctrl+C", false},
            {"&E.编辑/粘贴", "Ctrl+V", true},
            {"&E.编辑/-", "", true},
            {"&E.编辑/全选", "Ctrl+A", true},
            {"&E.编辑/清空", "", true},
            {"&R.运行", "", true},
            {"&R.运行/调试", "F5", true},
            {"&H.帮助", "", true},
            {"&H.帮助/帮助文档", "F1", true},
            {"&H.帮助/软件帮助", "", true},
            {"&H.帮助/皮肤", "", true},
            {"&H.帮助/皮肤/QQ皮肤", "", true},
            {"&H.帮助/皮肤/蓝色皮肤", "", true},
            {"&H.帮助/皮肤/优雅皮肤", "", true},
            {"&H.帮助/更新", "", true},
        };
        const QList<MenuRow> actual = MenuRows(window.menuBar());
        QCOMPARE(actual.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(actual[i].path, expected[i].path);
            QCOMPARE(actual[i].hotkey, expected[i].hotkey);
            QCOMPARE(actual[i].enabled, expected[i].enabled);
        }
    }

    void toolbarButtonsHaveTheirCaptionsAndStates()
    {
        MainWindow window;
        Toolbar* bar = window.Toolbar1();
        const QStringList captions{"", "新建", "打开", "保存", "", "剪切", "复制",
                                   "粘贴", "重复", "撤销", "清空", "", "运行", "帮助"};
        const QList<bool> enabled{true, true, true, true, true, false, false,
                                  true, false, false, true, true, true, true};
        QCOMPARE(bar->ButtonCount(), 14);
        for (int i = 0; i < 14; ++i) {
            QCOMPARE(bar->ButtonCaption(i), captions[i]);
            QCOMPARE(bar->ButtonAction(i)->isSeparator(), captions[i].isEmpty());
            if (!captions[i].isEmpty()) QCOMPARE(bar->IsButtonEnabled(i), enabled[i]);
            if (!captions[i].isEmpty()) QVERIFY2(!bar->ButtonAction(i)->icon().isNull(), qPrintable(captions[i]));
        }
    }

    void toolbarClickRunsTheCommandOfItsCaption_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("command");  // -1: nothing runs
        const QList<std::pair<int, int>> rows{
            {0, -1},
            {1, int(Command::NewDocument)},
            {2, int(Command::OpenDocument)},
            {3, int(Command::SaveDocument)},
            {4, -1},
            {5, int(Command::Cut)},
            {6, int(Command::Copy)},
            {7, int(Command::Paste)},
            {8, int(Command::Redo)},
            {9, int(Command::Undo)},
            {10, int(Command::Clear)},
            {11, -1},
            {12, int(Command::RunScript)},
            {13, int(Command::OpenScriptGuide)},
            {14, -1},  // past the last button
        };
        for (auto [index, command] : rows) QTest::addRow("button %d", index) << index << command;
    }
    void toolbarClickRunsTheCommandOfItsCaption()
    {
        QFETCH(int, index);
        QFETCH(int, command);
        MainWindow window;
        QList<int> ran;
        RecordCommands(window, ran);
        window.OnToolbarClick(index);
        QCOMPARE(ran, command < 0 ? QList<int>{} : QList<int>{command});
    }

    void clickingAButtonReachesOnToolbarClick()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QList<int> ran;
        window.Commands().Attach(Command::RunScript, [&ran] { ran << 1; });
        auto* button = qobject_cast<QToolButton*>(window.Toolbar1()->widgetForAction(window.Toolbar1()->ButtonAction(12)));
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(ran, QList<int>{1});
    }

    void hotkeysRunTheirCommands_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<int>("command");
        QTest::newRow("Ctrl+O new") << QKeySequence("Ctrl+O") << int(Command::NewDocument);
        QTest::newRow("Ctrl+S save") << QKeySequence("Ctrl+S") << int(Command::SaveDocument);
        QTest::newRow("F5 run") << QKeySequence("F5") << int(Command::RunScript);
        QTest::newRow("F1 guide") << QKeySequence("F1") << int(Command::OpenScriptGuide);
        QTest::newRow("Ctrl+V paste") << QKeySequence("Ctrl+V") << int(Command::Paste);
        QTest::newRow("Ctrl+A select all") << QKeySequence("Ctrl+A") << int(Command::SelectAll);
    }
    void hotkeysRunTheirCommands()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(int, command);
        MainWindow window;
        QList<int> ran;
        RecordCommands(window, ran);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Typed where the user types: into the code editor.
        QWidget* editor = window.findChild<QWidget*>("代码编辑框1")->focusProxy();
        editor->setFocus();
        QTest::keySequence(editor, keys);
        QCOMPARE(ran, QList<int>{command});
    }

    void disabledItemsIgnoreTheirHotkeys()
    {
        MainWindow window;
        QList<int> ran;
        RecordCommands(window, ran);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keySequence(&window, QKeySequence("Ctrl+Z"));
        QVERIFY(ran.isEmpty());
        window.Menu().Item(Command::Undo)->setEnabled(true);
        QTest::keySequence(&window, QKeySequence("Ctrl+Z"));
        QCOMPARE(ran, QList<int>{int(Command::Undo)});
    }
};

static RegisterTest<MenuToolbarTest> registration;
#include "MenuToolbarTest.moc"
