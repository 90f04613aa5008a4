#include "shell/MainWindow.h"

#include "assist/CodeAssist.h"
#include "help/ExternalDatabase.h"
#include "help/HelpDatabase.h"
#include "help/HelpDocuments.h"
#include "core/ErrorReporter.h"
#include "documents/CodeEditor.h"
#include "documents/OpenSaveDialog.h"
#include "run/ScriptHost.h"
#include "shell/DocumentCommands.h"
#include "shell/EditorEvents.h"
#include "shell/HelpTreeEvents.h"
#include "shell/OutputNavigation.h"
#include "shell/MainMenu.h"
#include "shell/Program.h"
#include "shell/Settings.h"
#include "shell/Skins.h"
#include "shell/SplitHandle.h"
#include "update/UpdateCheck.h"
#include "core/StatusBar.h"
#include "core/TabControl.h"
#include "core/Toolbar.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QFrame>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <functional>

namespace {

// Heights kept for the status bar, the gap the editor leaves at the right
// edge, and the distance from the editor to the right frame line.
constexpr int kStatusBarHeight = 20;
constexpr int kEditorRightGap = 5;
constexpr int kRightLineDistance = 3;
// The editor keeps a few columns and lines at any window size: the tree and
// the page control give way first.
constexpr int kEditorMinWidth = 160;
constexpr int kEditorMinHeight = 64;
constexpr int kHandleThickness = 5;

constexpr QRect kDesignWindow(50, 50, 823, 600);

// The window's client area; its size changes drive the layout.
class ClientWidget : public QWidget {
public:
    explicit ClientWidget(std::function<void()> onResized) : onResized_(std::move(onResized)) {}

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        onResized_();
    }

private:
    std::function<void()> onResized_;
};

template <typename T>
T* Named(T* object, const char16_t* name)
{
    object->setObjectName(QString::fromUtf16(name));
    return object;
}

template <typename T>
T* Placed(T* widget, const char16_t* name, QRect geometry)
{
    widget->setGeometry(geometry);
    return Named(widget, name);
}

QFrame* MakeLine(QWidget* parent, const char16_t* name, QRect geometry)
{
    auto* line = Placed(new QFrame(parent), name, geometry);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    line->setPalette(palette);
    return line;
}

QFont TabControlFont()
{
    // 宋体 9 point, regular; the later names are fallbacks found on Linux.
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setPointSize(9);
    font.setWeight(QFont::Normal);
    return font;
}

QPlainTextEdit* MakeTextBox(QWidget* parent, const char16_t* name, QRect geometry)
{
    auto* box = Placed(new QPlainTextEdit(parent), name, geometry);
    box->setFrameShape(QFrame::NoFrame);
    return box;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Quillon"));
    menu_ = std::make_unique<MainMenu>(menuBar(), commands_);
    client_ = new ClientWidget([this] {
        DockBars();
        OnSizeChanged();
    });
    setCentralWidget(client_);
    CreateControls();
    new EditorEvents(this);
    new HelpTreeEvents(this);
    new OutputNavigation(this);
    AttachDocumentCommands(*this);
    commands_.Attach(Command::CheckForUpdate, [this] {
        CheckForUpdate(this, [this] { return Objects().editorDocument->MayClose(Documents()); }, [] { EndProgram(); });
    });
    commands_.Attach(Command::OpenScriptGuide, OpenScriptGuide);
    commands_.Attach(Command::OpenProgramHelp, OpenProgramHelp);
    commands_.Attach(Command::SkinQQ, [] { ApplySkin(QStringLiteral("QQ皮肤")); });
    commands_.Attach(Command::SkinBlue, [] { ApplySkin(QStringLiteral("蓝色皮肤")); });
    commands_.Attach(Command::SkinElegant, [] { ApplySkin(QStringLiteral("优雅皮肤")); });
    move(kDesignWindow.topLeft());
    resize(kDesignWindow.size());
}

MainWindow::~MainWindow() { OnDestroyed(); }

void MainWindow::CreateControls()
{
    QWidget* c = client_;
    helpTree_ = Placed(new QTreeWidget(c), u"树型框_帮助", {0, 40, 160, 320});
    helpTree_->setHeaderHidden(true);
    helpTree_->setIconSize({16, 16});
    shapeBottom_ = MakeLine(c, u"外形框_下边", {0, 359, 800, 1});
    shapeRight_ = MakeLine(c, u"外形框_右边", {799, 40, 1, 472});
    shapeMiddle_ = MakeLine(c, u"外形框_中间", {160, 40, 1, 320});
    shapeTop_ = MakeLine(c, u"外形框_上边", {0, 39, 800, 1});
    toolbar_ = Placed(new Toolbar(c), u"工具条1", {0, 0, 798, 40});
    connect(toolbar_, &Toolbar::ButtonClicked, this, &MainWindow::OnToolbarClick);
    database_ = new ExternalDatabase(this);
    tabs_ = Placed(new TabControl(c), u"高级选择夹1", {0, 359, 800, 168});
    tabs_->setFont(TabControlFont());
    outputBox_ = MakeTextBox(tabs_, u"编辑框_输出", {0, 24, 800, 144});
    hintBox_ = MakeTextBox(tabs_, u"编辑框_提示", {0, 23, 800, 145});
    tabs_->AddPage(QStringLiteral("提示"), hintBox_);
    tabs_->AddPage(QStringLiteral("输出"), outputBox_);
    scriptHost_ = new ScriptHost(this);
    fileDialog_ = new OpenSaveDialog(this);
    statusBar_ = Placed(new StatusBar(c), u"状态条1", {0, 375, 615, 20});
    codeEditor_ = Placed(new CodeEditor(c), u"代码编辑框1", {161, 40, 635, 320});
    treeHandle_ = Named(new SplitHandle(c, Qt::Vertical, [this](QPoint at) {
        panes_.treeWidth = std::clamp(at.x(), 0, MaxTreeWidth());
        OnSizeChanged();
    }), u"分隔条_帮助树");
    pageHandle_ = Named(new SplitHandle(c, Qt::Horizontal, [this](QPoint at) {
        panes_.pageHeight = std::clamp(client_->height() - kStatusBarHeight - at.y(), 0, MaxPageHeight());
        OnSizeChanged();
    }), u"分隔条_选择夹");
    client_->setMinimumSize(kEditorMinWidth + kEditorRightGap, toolbar_->height() + kEditorMinHeight + kStatusBarHeight);
}

int MainWindow::MaxTreeWidth() const { return std::max(0, client_->width() - kEditorRightGap - kEditorMinWidth); }

int MainWindow::MaxPageHeight() const
{
    return std::max(0, client_->height() - toolbar_->height() - kStatusBarHeight - kEditorMinHeight);
}

void MainWindow::SetPaneSizes(const PaneSizes& panes)
{
    panes_ = panes;
    OnSizeChanged();
}

// The toolbar keeps to the top and the status bar to the bottom edge, across
// the whole width, as docked bars do.
void MainWindow::DockBars()
{
    int w = client_->width(), h = client_->height();
    toolbar_->setGeometry(0, 0, w, toolbar_->height());
    statusBar_->setGeometry(0, std::max(0, h - kStatusBarHeight), w, kStatusBarHeight);
}

void MainWindow::OnSizeChanged()
{
    const int W = client_->width();
    const int H = client_->height();
    const int B = toolbar_->height();
    // The sizes the user chose, as far as the editor's minimum allows.
    const int T = std::min(panes_.pageHeight, MaxPageHeight());
    const int L = std::min(panes_.treeWidth, MaxTreeWidth());
    // A client area smaller than the fixed parts would give negative sizes.
    auto clamp = [](int v) { return std::max(0, v); };

    shapeTop_->setGeometry(0, shapeTop_->y(), W, shapeTop_->height());
    const int M = clamp(H - T - B - kStatusBarHeight);
    helpTree_->resize(L, M);
    shapeMiddle_->setGeometry(L, shapeMiddle_->y(), shapeMiddle_->width(), M);
    codeEditor_->setGeometry(L + shapeMiddle_->width(), codeEditor_->y(), clamp(W - L - kEditorRightGap), M);
    shapeRight_->setGeometry(codeEditor_->x() + codeEditor_->width() + kRightLineDistance, shapeRight_->y(),
                             shapeRight_->width(), H);
    shapeBottom_->setGeometry(0, M + B, W, shapeBottom_->height());
    tabs_->setGeometry(tabs_->x(), M + B, W, T);
    outputBox_->resize(W, clamp(T - outputBox_->y()));
    hintBox_->resize(W, clamp(T - hintBox_->y()));
    // The handles lie over the two boundaries, above everything else.
    treeHandle_->setGeometry(L - kHandleThickness / 2, B, kHandleThickness, M);
    pageHandle_->setGeometry(0, M + B - kHandleThickness / 2, W, kHandleThickness);
    treeHandle_->raise();
    pageHandle_->raise();
}

void MainWindow::OnCreated()
{
    setWindowTitle(VersionedTitle());
    Objects().toolbarStates->InitToolbarStates(!QGuiApplication::clipboard()->text().isEmpty(),
                                               codeEditor_->TextLength(), toolbar_);
    // Start-up goes on whatever happens to the help database.
    RunGuarded([this] { Objects().helpDatabase->OpenHelpDatabase(database_, helpTree_); });
    SetUpColouring(*Objects().codeAssist, this, codeEditor_);
    Objects().editorDocument->ShowFormat(Documents());
    const WindowSettings settings = ReadSettings();
    SetPaneSizes(settings.panes);
    PlaceWindow(settings);
    ApplyStartupSkin(settings.skin);
}

void MainWindow::PlaceWindow(const WindowSettings& settings)
{
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen()) screens << primary->availableGeometry();
    for (QScreen* screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    const QRect placement = VisiblePlacement(settings, screens);
    SetWindowLeft(placement.left());
    SetWindowTop(placement.top());
    SetWindowHeight(placement.height());
    SetWindowWidth(placement.width());
}

DocumentControls MainWindow::Documents() const
{
    auto* self = const_cast<MainWindow*>(this);
    return {&self->document_, self, codeEditor_, fileDialog_, toolbar_, statusBar_,
            menu_->Item(Command::Undo), menu_->Item(Command::Redo), menu_->Item(Command::Cut),
            menu_->Item(Command::Copy), outputBox_};
}

void MainWindow::OnToolbarClick(int index)
{
    struct Dispatch {
        const char16_t* caption;
        Command command;
    };
    // By caption, not by index: reordering the buttons changes nothing.
    static constexpr std::array<Dispatch, 11> kDispatch{{
        {u"新建", Command::NewDocument},
        {u"打开", Command::OpenDocument},
        {u"保存", Command::SaveDocument},
        {u"运行", Command::RunScript},
        {u"帮助", Command::OpenScriptGuide},
        {u"剪切", Command::Cut},
        {u"粘贴", Command::Paste},
        {u"复制", Command::Copy},
        {u"撤销", Command::Undo},
        {u"重复", Command::Redo},
        {u"清空", Command::Clear},
    }};
    const QString caption = toolbar_->ButtonCaption(index);
    for (const Dispatch& d : kDispatch) {
        if (caption == QString::fromUtf16(d.caption)) {
            commands_.Run(d.command);
            return;
        }
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Unsaved work is kept when the user cancels or the save fails.
    if (!Objects().editorDocument->MayClose(Documents())) {
        event->ignore();
        return;
    }
    event->accept();
    OnMayClose();
}

void MainWindow::OnMayClose()
{
    WriteSettings(WindowLeft(), WindowTop(), WindowHeight(), WindowWidth(), CurrentSkin, panes_);
    database_->Close();
    EndProgram();
}

void MainWindow::OnDestroyed()
{
    database_->Close();
    EndProgram();
}

int MainWindow::WindowLeft() const { return frameGeometry().x(); }
int MainWindow::WindowTop() const { return frameGeometry().y(); }
int MainWindow::WindowWidth() const { return frameGeometry().width(); }
int MainWindow::WindowHeight() const { return frameGeometry().height(); }
void MainWindow::SetWindowLeft(int left) { move(left, WindowTop()); }
void MainWindow::SetWindowTop(int top) { move(WindowLeft(), top); }

// The frame adds to the inner size that resize() takes.
void MainWindow::SetWindowWidth(int width) { resize(std::max(0, width - (WindowWidth() - this->width())), height()); }
void MainWindow::SetWindowHeight(int height)
{
    resize(width(), std::max(0, height - (WindowHeight() - this->height())));
}
