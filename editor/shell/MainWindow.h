#pragma once
// The main window: every control of the layout, the layout rule on size
// changes, and the window's lifecycle handlers. Controls carry their layout
// names as objectName:
//   HelpTreeBox 树型框_帮助        ShapeBottom 外形框_下边   ShapeRight 外形框_右边
//   ShapeMiddle 外形框_中间        ShapeTop 外形框_上边      Toolbar1 工具条1
//   ExternalDatabase1 外部数据库1  OutputBox 编辑框_输出     HintBox 编辑框_提示
//   TabControl1 高级选择夹1        ScriptHost1 脚本组件1     OpenSaveDialog1 通用对话框_打开保存
//   StatusBar1 状态条1             CodeEditor1 代码编辑框1
// and the two boundaries the user drags: 分隔条_帮助树 (the tree's right
// edge) and 分隔条_选择夹 (the top of the page control).
#include "documents/EditorDocument.h"
#include "shell/Commands.h"
#include "shell/Settings.h"

#include <QMainWindow>

#include <memory>

class CodeEditor;
class ExternalDatabase;
class MainMenu;
class OpenSaveDialog;
class SplitHandle;
class QFrame;
class ScriptHost;
class QPlainTextEdit;
class QTreeWidget;
class StatusBar;
class TabControl;
class Toolbar;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;  // runs OnDestroyed

    void OnCreated();
    void OnSizeChanged();
    void OnToolbarClick(int index);

    // The outer frame's position and size in screen pixels.
    int WindowLeft() const;
    int WindowTop() const;
    int WindowWidth() const;
    int WindowHeight() const;
    void SetWindowLeft(int left);
    void SetWindowTop(int top);
    void SetWindowWidth(int width);
    void SetWindowHeight(int height);

    QWidget* ClientArea() const { return client_; }
    QTreeWidget* HelpTreeBox() const { return helpTree_; }
    QFrame* ShapeBottom() const { return shapeBottom_; }
    QFrame* ShapeRight() const { return shapeRight_; }
    QFrame* ShapeMiddle() const { return shapeMiddle_; }
    QFrame* ShapeTop() const { return shapeTop_; }
    Toolbar* Toolbar1() const { return toolbar_; }
    ExternalDatabase* ExternalDatabase1() const { return database_; }
    QPlainTextEdit* OutputBox() const { return outputBox_; }
    QPlainTextEdit* HintBox() const { return hintBox_; }
    TabControl* TabControl1() const { return tabs_; }
    ScriptHost* ScriptHost1() const { return scriptHost_; }
    OpenSaveDialog* OpenSaveDialog1() const { return fileDialog_; }
    StatusBar* StatusBar1() const { return statusBar_; }
    CodeEditor* CodeEditor1() const { return codeEditor_; }

    // What the document operations work on.
    DocumentControls Documents() const;
    Document& CurrentDocument() { return document_; }

    // The tree's width and the page control's height as the user chose them;
    // a small window shows less of them, never less of the editor.
    PaneSizes Panes() const { return panes_; }
    void SetPaneSizes(const PaneSizes& panes);

    CommandTable& Commands() { return commands_; }
    const MainMenu& Menu() const { return *menu_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void DockBars();
    void PlaceWindow(const WindowSettings& settings);
    void OnMayClose();
    void OnDestroyed();
    int MaxTreeWidth() const;
    int MaxPageHeight() const;

    CommandTable commands_;
    std::unique_ptr<MainMenu> menu_;
    QWidget* client_ = nullptr;
    QTreeWidget* helpTree_ = nullptr;
    QFrame* shapeBottom_ = nullptr;
    QFrame* shapeRight_ = nullptr;
    QFrame* shapeMiddle_ = nullptr;
    QFrame* shapeTop_ = nullptr;
    Toolbar* toolbar_ = nullptr;
    ExternalDatabase* database_ = nullptr;
    QPlainTextEdit* outputBox_ = nullptr;
    QPlainTextEdit* hintBox_ = nullptr;
    TabControl* tabs_ = nullptr;
    ScriptHost* scriptHost_ = nullptr;
    OpenSaveDialog* fileDialog_ = nullptr;
    StatusBar* statusBar_ = nullptr;
    CodeEditor* codeEditor_ = nullptr;
    SplitHandle* treeHandle_ = nullptr;
    SplitHandle* pageHandle_ = nullptr;
    PaneSizes panes_;
    Document document_;
};
