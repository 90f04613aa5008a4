#include "QtTestMain.h"
#include "StandIn.h"

#include "common/ProgramFolder.h"
#include "common/ProgramNames.h"
#include "shell/Commands.h"
#include "core/ErrorReporter.h"
#include "shell/MainWindow.h"
#include "core/Toolbar.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <new>
#include <typeinfo>

namespace {

// An object whose event handler runs a given piece of work.
class Thrower : public QObject {
public:
    std::function<void()> work;
    int handled = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User) return QObject::event(e);
        ++handled;
        work();
        return true;
    }
};

struct Base {
    virtual ~Base() = default;
};
struct Derived : Base {};

}  // namespace

class ErrorReportingTest : public QObject {
    Q_OBJECT
    std::unique_ptr<StandInFolder> folder;

private slots:
    void init()
    {
        folder = std::make_unique<StandInFolder>(kErrorPromptProgram);
        SetProgramFolderForTests(folder->Folder());
    }
    void cleanup() { SetProgramFolderForTests({}); }

    void escapingErrorStartsThePromptWithThreeArguments_data()
    {
        QTest::addColumn<std::function<void()>>("fault");
        QTest::addColumn<QStringList>("arguments");
        const QString label = QStringLiteral("类_数据库_打开");
        QTest::newRow("runtime error 7 X")
            << std::function<void()>([] { throw RuntimeError(7, "X"); }) << QStringList{"7", "X", label};
        QTest::newRow("negative number")
            << std::function<void()>([] { throw RuntimeError(-1, "负"); }) << QStringList{"-1", "负", label};
        QTest::newRow("text with spaces arrives whole")
            << std::function<void()>([] { throw RuntimeError(12, "abc def"); }) << QStringList{"12", "abc def", label};
        QTest::newRow("empty text")
            << std::function<void()>([] { throw RuntimeError(5, ""); }) << QStringList{"5", "", label};
        QTest::newRow("out of memory")
            << std::function<void()>([] { throw std::bad_alloc(); }) << QStringList{"7", "内存不足", label};
        QTest::newRow("type mismatch") << std::function<void()>([] {
            Base b;
            (void)dynamic_cast<Derived&>(b);
        }) << QStringList{"13", "类型不匹配", label};
        QTest::newRow("any other error")
            << std::function<void()>([] { throw std::logic_error("boom"); }) << QStringList{"51", "内部错误（boom）", label};
    }
    void escapingErrorStartsThePromptWithThreeArguments()
    {
        QFETCH(std::function<void()>, fault);
        QFETCH(QStringList, arguments);
        Thrower thrower;
        thrower.work = [&] {
            InstallErrorReporter(QStringLiteral("类_数据库_打开"));
            fault();
        };
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QTRY_VERIFY_WITH_TIMEOUT(folder->Started(), 10000);
        QCOMPARE(folder->Arguments(), arguments);

        // The program goes on handling events.
        thrower.work = [] {};
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QTRY_COMPARE(thrower.handled, 2);
    }

    void laterUnguardedErrorsCarryTheLastLabel()
    {
        Thrower guarded, unguarded;
        guarded.work = [] { InstallErrorReporter(QStringLiteral("主窗口_显示提示块")); };
        unguarded.work = [] { throw RuntimeError(424, "缺少对象"); };
        QEvent user(QEvent::User);
        QCoreApplication::sendEvent(&guarded, &user);
        QCoreApplication::postEvent(&unguarded, new QEvent(QEvent::User));
        QTRY_VERIFY_WITH_TIMEOUT(folder->Started(), 10000);
        QCOMPARE(folder->Arguments(), (QStringList{"424", "缺少对象", "主窗口_显示提示块"}));
    }

    void failingCommandIsAbandonedAndTheEditorGoesOn()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        bool finished = false;
        window.Commands().Attach(Command::RunScript, [&] {
            InstallErrorReporter(QStringLiteral("类_项目被选择"));
            throw RuntimeError(13, "类型不匹配");
            finished = true;
        });
        QWidget* button = window.Toolbar1()->widgetForAction(window.Toolbar1()->ButtonAction(12));
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(folder->Started(), 10000);
        QCOMPARE(folder->Arguments(), (QStringList{"13", "类型不匹配", "类_项目被选择"}));
        QVERIFY(!finished);

        // The same button works again afterwards.
        folder->Forget();
        int runs = 0;
        window.Commands().Attach(Command::RunScript, [&] { ++runs; });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(runs, 1);
        QVERIFY(window.isVisible());
    }

    void missingPromptIsNotAnError()
    {
        SetProgramFolderForTests(QDir::tempPath() + "/不存在的文件夹");
        QVERIFY(ReportRuntimeError(7, "X"));
    }
};

static RegisterTest<ErrorReportingTest> registration;
#include "ErrorReportingTest.moc"
