#include "QtTestMain.h"

#include "documents/CodeEditor.h"
#include "documents/OpenSaveDialog.h"
#include "run/ScriptHost.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"
#include "core/StatusBar.h"
#include "core/TabControl.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

namespace {
// Sizes the client area to exactly w x h, whatever the menu bar takes.
void ResizeClient(MainWindow& window, int w, int h)
{
    QSize extra = window.size() - window.ClientArea()->size();
    window.resize(w + extra.width(), h + extra.height());
}

QWidget* Control(MainWindow& window, const QString& name) { return window.findChild<QWidget*>(name); }
}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsHaveTheirDesignGeometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("tree") << "树型框_帮助" << QRect(0, 40, 160, 320);
        QTest::newRow("bottom line") << "外形框_下边" << QRect(0, 359, 800, 1);
        QTest::newRow("right line") << "外形框_右边" << QRect(799, 40, 1, 472);
        QTest::newRow("middle line") << "外形框_中间" << QRect(160, 40, 1, 320);
        QTest::newRow("top line") << "外形框_上边" << QRect(0, 39, 800, 1);
        QTest::newRow("toolbar") << "工具条1" << QRect(0, 0, 798, 40);
        QTest::newRow("output box") << "编辑框_输出" << QRect(0, 24, 800, 144);
        QTest::newRow("hint box") << "编辑框_提示" << QRect(0, 23, 800, 145);
        QTest::newRow("tabs") << "高级选择夹1" << QRect(0, 359, 800, 168);
        QTest::newRow("status bar") << "状态条1" << QRect(0, 375, 615, 20);
        QTest::newRow("code editor") << "代码编辑框1" << QRect(161, 40, 635, 320);
    }
    void controlsHaveTheirDesignGeometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        MainWindow window;  // not shown: no layout has run yet
        QWidget* control = Control(window, name);
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(control->geometry(), geometry);
    }

    void componentsWithoutWindowsExistByName()
    {
        MainWindow window;
        for (auto [name, rect] : {std::pair{"外部数据库1", QRect(304, 40, 40, 32)},
                                  std::pair{"脚本组件1", QRect(248, 40, 40, 32)},
                                  std::pair{"通用对话框_打开保存", QRect(192, 40, 40, 32)}}) {
            QObject* component = window.findChild<QObject*>(QString::fromUtf8(name));
            QVERIFY2(component && !component->isWidgetType(), name);
            QCOMPARE(component->property("designGeometry").toRect(), rect);
        }
        QCOMPARE(window.ScriptHost1()->property("language").toString(), "VBScript");
        QCOMPARE(window.OpenSaveDialog1()->Filter(), "VBSCRIPT(*.vbs;*.txt)|*.vbs;*.txt");
        QCOMPARE(window.OpenSaveDialog1()->DefaultExtension(), "vbs");
    }

    void fixedContents()
    {
        MainWindow window;
        QCOMPARE(window.windowTitle(), "Quillon");
        TabControl* tabs = window.TabControl1();
        QCOMPARE(tabs->PageCount(), 2);
        QCOMPARE(tabs->Strip()->tabText(0), "提示");
        QCOMPARE(tabs->Strip()->tabText(1), "输出");
        QCOMPARE(tabs->font().pointSize(), 9);
        QCOMPARE(tabs->font().families().first(), "宋体");
        QCOMPARE(window.OutputBox()->parentWidget(), tabs);
        QCOMPARE(window.HintBox()->parentWidget(), tabs);
        StatusBar* bar = window.StatusBar1();
        QCOMPARE(bar->PanelCount(), 8);
        const QStringList texts{"", "总行数:", "", "当前行:", "", "光标坐标:", "", ""};
        const QList<int> widths{280, 50, 50, 50, 50, 60};
        for (int i = 0; i < 8; ++i) QCOMPARE(bar->PanelText(i), texts[i]);
        for (int i : {0, 1, 3, 5}) QCOMPARE(bar->Panel(i)->width(), widths[i]);
        // Line count and current line show seven digits whole; so does the
        // widest format text.
        const QList<QPair<int, QString>> widest{{2, "8888888"}, {4, "8888888"}, {7, "UTF-16LE 无BOM · CRLF"}};
        for (const auto& [i, text] : widest) {
            QLabel* panel = bar->Panel(i);
            QVERIFY2(panel->fontMetrics().horizontalAdvance(text) <= panel->contentsRect().width(), qPrintable(text));
        }
    }

    void titleShowsTheVersion()
    {
        MainWindow window;
        window.OnCreated();
        QCOMPARE(window.windowTitle(), "Quillon 1.0版");
    }

    void resizingLaysOutTheControls_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        struct Row {
            const char* name;
            QRect at800x548, at1000x700, at600x300, at300x200;
        };
        // M = H - 228; in the last column the tree and the page control give
        // way to the editor's minimum of 160 x 64.
        const Row rows[] = {
            {"工具条1", {0, 0, 800, 40}, {0, 0, 1000, 40}, {0, 0, 600, 40}, {0, 0, 300, 40}},
            {"外形框_上边", {0, 39, 800, 1}, {0, 39, 1000, 1}, {0, 39, 600, 1}, {0, 39, 300, 1}},
            {"树型框_帮助", {0, 40, 160, 320}, {0, 40, 160, 472}, {0, 40, 160, 72}, {0, 40, 135, 64}},
            {"外形框_中间", {160, 40, 1, 320}, {160, 40, 1, 472}, {160, 40, 1, 72}, {135, 40, 1, 64}},
            {"代码编辑框1", {161, 40, 635, 320}, {161, 40, 835, 472}, {161, 40, 435, 72}, {136, 40, 160, 64}},
            {"外形框_右边", {799, 40, 1, 548}, {999, 40, 1, 700}, {599, 40, 1, 300}, {299, 40, 1, 200}},
            {"外形框_下边", {0, 360, 800, 1}, {0, 512, 1000, 1}, {0, 112, 600, 1}, {0, 104, 300, 1}},
            {"高级选择夹1", {0, 360, 800, 168}, {0, 512, 1000, 168}, {0, 112, 600, 168}, {0, 104, 300, 76}},
            {"编辑框_提示", {0, 23, 800, 145}, {0, 23, 1000, 145}, {0, 23, 600, 145}, {0, 23, 300, 53}},
            {"编辑框_输出", {0, 24, 800, 144}, {0, 24, 1000, 144}, {0, 24, 600, 144}, {0, 24, 300, 52}},
            {"状态条1", {0, 528, 800, 20}, {0, 680, 1000, 20}, {0, 280, 600, 20}, {0, 180, 300, 20}},
        };
        for (const Row& r : rows) {
            QString n = QString::fromUtf8(r.name);
            QTest::addRow("%s 800x548", r.name) << QSize(800, 548) << n << r.at800x548;
            QTest::addRow("%s 1000x700", r.name) << QSize(1000, 700) << n << r.at1000x700;
            QTest::addRow("%s 600x300", r.name) << QSize(600, 300) << n << r.at600x300;
            QTest::addRow("%s 300x200", r.name) << QSize(300, 200) << n << r.at300x200;
        }
    }
    void resizingLaysOutTheControls()
    {
        QFETCH(QSize, client);
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ResizeClient(window, client.width(), client.height());
        QTRY_COMPARE(window.ClientArea()->size(), client);
        QCOMPARE(Control(window, name)->geometry(), geometry);
    }

    void shrinkingAndGrowingAgainRestoresTheLayout()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // As small as the window gets: the editor keeps its few lines.
        window.resize(10, 30);
        QTRY_COMPARE(window.ClientArea()->size(), QSize(165, 124));
        QCOMPARE(window.CodeEditor1()->size(), QSize(160, 64));
        QCOMPARE(window.HelpTreeBox()->width(), 0);
        ResizeClient(window, 800, 548);
        QTRY_COMPARE(window.ClientArea()->size(), QSize(800, 548));
        QCOMPARE(window.CodeEditor1()->geometry(), QRect(161, 40, 635, 320));
        QCOMPARE(window.TabControl1()->geometry(), QRect(0, 360, 800, 168));
    }
};

// The two boundaries are dragged with the mouse; the sizes are kept in the
// settings and come back at the next start.
class PaneSizesTest : public QObject {
    Q_OBJECT
private slots:
    void draggingMovesTheBoundaries()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ResizeClient(window, 800, 548);
        QTRY_COMPARE(window.ClientArea()->size(), QSize(800, 548));
        Drag(window, "分隔条_帮助树", {250, 200});
        QCOMPARE(window.HelpTreeBox()->width(), 250);
        QCOMPARE(window.CodeEditor1()->geometry(), QRect(251, 40, 545, 320));
        Drag(window, "分隔条_选择夹", {400, 300});  // the page control grows upwards
        QCOMPARE(window.TabControl1()->geometry(), QRect(0, 300, 800, 228));
        QCOMPARE(window.CodeEditor1()->height(), 260);
        // Never past the editor's minimum.
        Drag(window, "分隔条_帮助树", {790, 200});
        QCOMPARE(window.CodeEditor1()->width(), 160);
        Drag(window, "分隔条_选择夹", {400, 0});
        QCOMPARE(window.CodeEditor1()->height(), 64);
        QCOMPARE(window.Panes().treeWidth, 635);
        QCOMPARE(window.Panes().pageHeight, 424);
    }

private:
    static void Drag(MainWindow& window, const char* handle, QPoint to)
    {
        auto* h = window.ClientArea()->findChild<QWidget*>(QString::fromUtf8(handle));
        QVERIFY(h && h->isVisible());
        QTest::mousePress(h, Qt::LeftButton, {}, h->rect().center());
        QTest::mouseMove(h, h->mapFrom(window.ClientArea(), to));
        QTest::mouseRelease(h, Qt::LeftButton, {}, h->mapFrom(window.ClientArea(), to));
    }
};

static RegisterTest<MainWindowTest> registration;
static RegisterTest<PaneSizesTest> paneRegistration;
#include "MainWindowTest.moc"
