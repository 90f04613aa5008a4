// The program's end, in a process of its own: ending is once per process.
#include "core/GuardedApplication.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"

#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
int argc = 1;
char name[] = "lifecycle_test";
char* argv[] = {name, nullptr};
}  // namespace

TEST(Lifecycle, ClosingTheWindowStopsTheLoopAndTheExitRoutineReleasesTheObjects)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    GuardedApplication app(argc, argv);
    // No box may wait for an answer here (the test folder has no help database).
    UserPrompts().error = [](QWidget*, const QString&, const QString&) {};
    CreateProgramObjects();
    ASSERT_TRUE(Objects().codeAssist);
    {
        MainWindow window;
        window.OnCreated();
        window.show();
        QTimer::singleShot(0, &window, [&window] { window.close(); });
        // A loop that nothing but the close can stop; the guard ends a hang.
        QTimer::singleShot(20000, &app, [] { QCoreApplication::exit(99); });
        EXPECT_EQ(app.exec(), 0);
        EXPECT_TRUE(ProgramEnding());
        EXPECT_FALSE(window.isVisible());
    }
    EndProgram();  // a second request does nothing
    ExitRoutine();
    EXPECT_FALSE(Objects().editorDocument);
    EXPECT_FALSE(Objects().cursorStatus);
}
