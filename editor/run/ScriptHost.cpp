#include "run/ScriptHost.h"

#include "core/Prompts.h"
#include "run/ProcessState.h"
#include "run/ScriptDialogs.h"
#include "vbscript/Engine.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>

namespace {

constexpr int kRunningWindowDelayMs = 500;
// Deep recursion must end in error 28, never in a crash of the editor.
constexpr uint kWorkerStack = 64u << 20;
constexpr std::size_t kScriptStack = 48u << 20;
const QString kStoppedText = QStringLiteral("脚本已被用户停止");
const QString kRunningTitle = QStringLiteral("Quillon");
const QString kStopToCloseQuestion = QStringLiteral("脚本正在运行。\n要停止脚本并关闭程序吗？");

QString Q(std::u16string_view s) { return QString::fromUtf16(s.data(), qsizetype(s.size())); }

// Runs f on the user-interface thread and waits for it.
template <typename F>
auto OnUiThread(F f)
{
    decltype(f()) result{};
    QMetaObject::invokeMethod(qApp, [&] { result = f(); }, Qt::BlockingQueuedConnection);
    return result;
}

}  // namespace

// The engine and what it asks of its host, answered on the UI thread.
class ScriptHost::Bridge : public vbs::Host {
public:
    vbs::Engine engine{*this};
    std::atomic<bool> stopped{false};
    QWidget* window = nullptr;
    StopScript stop = [this] {
        stopped = true;
        engine.requestStop();
    };
    // Around each of the script's dialogs, on the UI thread: a script that
    // waits for the user is not a script that runs away.
    std::function<void()> beforeDialog = [] {};
    std::function<void()> afterDialog = [] {};

    template <typename F>
    auto Dialog(F f)
    {
        return OnUiThread([&] {
            beforeDialog();
            auto result = f();
            afterDialog();
            return result;
        });
    }

    void echo(std::u16string_view text) override
    {
        Dialog([&] {
            TheScriptDialogs().echo(window, Q(text), stop);
            return 0;
        });
    }
    int msgBox(std::u16string_view prompt, int buttons, std::u16string_view title) override
    {
        return Dialog([&] { return TheScriptDialogs().msgBox(window, Q(prompt), buttons, Q(title), stop); });
    }
    std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                           std::u16string_view defaultText) override
    {
        return Dialog([&]() -> std::optional<std::u16string> {
            auto text = TheScriptDialogs().inputBox(window, Q(prompt), Q(title), Q(defaultText), stop);
            if (!text) return std::nullopt;
            return text->toStdU16String();
        });
    }
};

namespace {

// Keeps user input away from the window while a script runs; the script's
// own dialogs and the running window are other windows. A request to close
// the window goes to onClose instead.
class InputBlocker : public QObject {
public:
    InputBlocker(QWidget* window, std::function<void()> onClose) : window_(window), onClose_(std::move(onClose))
    {
        qApp->installEventFilter(this);
    }
    ~InputBlocker() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::Close: break;
        default: return false;
        }
        auto* widget = qobject_cast<QWidget*>(receiver);
        if (!widget || !window_) return false;
        if (widget == window_ || window_->isAncestorOf(widget)) {
            event->ignore();
            // Asked from the loop, not from inside the event.
            if (event->type() == QEvent::Close && widget == window_)
                QMetaObject::invokeMethod(this, onClose_, Qt::QueuedConnection);
            return true;
        }
        return false;
    }

private:
    QWidget* window_;
    std::function<void()> onClose_;
};

// The small window of a long run: a line of text and the 停止 button.
std::unique_ptr<QDialog> MakeRunningWindow(const std::function<void()>& stop)
{
    auto dialog = std::make_unique<QDialog>();
    dialog->setObjectName(QStringLiteral("正在运行脚本"));
    dialog->setWindowTitle(QStringLiteral("Quillon"));
    // Not modal: it must stay usable while a script's dialog is up.
    dialog->setWindowModality(Qt::NonModal);
    dialog->setMinimumWidth(240);
    auto* layout = new QVBoxLayout(dialog.get());
    layout->addWidget(new QLabel(QStringLiteral("正在运行脚本…"), dialog.get()));
    auto* button = new QPushButton(QStringLiteral("停止"), dialog.get());
    button->setObjectName(QStringLiteral("停止"));
    layout->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, dialog.get(), stop);
    QObject::connect(dialog.get(), &QDialog::rejected, dialog.get(), stop);  // its close box too
    return dialog;
}

}  // namespace

ScriptHost::ScriptHost(QObject* owner) : QObject(owner), bridge_(std::make_unique<Bridge>())
{
    setObjectName(QStringLiteral("脚本组件1"));
    setProperty("designGeometry", QRect(248, 40, 40, 32));
    setProperty("language", QStringLiteral("VBScript"));
    bridge_->engine.setStackBudget(kScriptStack);
    bridge_->engine.setHostProgram(QCoreApplication::applicationFilePath().toStdU16String());
}

ScriptHost::~ScriptHost() = default;

void ScriptHost::Reset()
{
    bridge_->engine.reset();
    error_ = {};
}

void ScriptHost::SetScriptPath(const QString& fullPath)
{
    bridge_->engine.setScriptName(QFileInfo(fullPath).fileName().toStdU16String(), fullPath.toStdU16String());
}

void ScriptHost::RequestStop() { bridge_->stop(); }

bool ScriptHost::Execute(const QString& code, QWidget* window)
{
    Bridge& b = *bridge_;
    b.window = window;
    b.stopped = false;
    const std::u16string source = code.toStdU16String();
    bool succeeded = false;

    std::atomic<bool> finished{false};
    std::unique_ptr<QThread> worker(QThread::create([&] {
        succeeded = b.engine.execute(source);
        finished = true;
        QMetaObject::invokeMethod(qApp, [] {}, Qt::QueuedConnection);  // wakes the loop below
    }));
    worker->setStackSize(kWorkerStack);
    std::unique_ptr<QDialog> running = MakeRunningWindow([this] { RequestStop(); });
    QTimer delay;
    delay.setSingleShot(true);
    connect(&delay, &QTimer::timeout, this, [&] {
        running->show();
        emit RunningWindowShown(running.get());
    });
    // Waiting for the user is not running away: the delay pauses meanwhile.
    // Once shown, the running window stays.
    b.beforeDialog = [&] { delay.stop(); };
    b.afterDialog = [&] {
        if (!running->isVisible()) delay.start(kRunningWindowDelayMs);
    };
    bool closeAfterRun = false;
    auto askToStop = [&] {
        if (finished || b.stopped) return;
        if (UserPrompts().ask(window, kRunningTitle, kStopToCloseQuestion, false) != Answer::Yes) return;
        closeAfterRun = true;
        RequestStop();
    };

    const ProcessState before = ProcessState::Capture();
    {
        InputBlocker blocker(window, askToStop);
        worker->start();
        delay.start(kRunningWindowDelayMs);
        // Not a nested QEventLoop: one that was asked to quit before it
        // started would return at once and leave the worker waiting.
        while (!finished) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        worker->wait();
    }
    before.Restore();

    b.beforeDialog = b.afterDialog = [] {};
    // The close the user asked for goes on, save question and all.
    if (closeAfterRun && window) QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
    if (b.stopped) error_ = {0, 0, 0, kStoppedText};
    else if (!succeeded)
        error_ = {b.engine.errorNumber(), b.engine.errorLine(), b.engine.errorColumn(), Q(b.engine.errorText())};
    return succeeded && !b.stopped;
}
