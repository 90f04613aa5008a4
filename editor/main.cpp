#include "common/Translations.h"
#include "core/ErrorReporter.h"
#include "core/GuardedApplication.h"
#include "shell/MainWindow.h"
#include "shell/Program.h"

#include <QIcon>

int main(int argc, char** argv)
{
    GuardedApplication app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/quillon.svg")));
    InstallChineseTranslations();

    CreateProgramObjects();
    struct ExitRoutineAtEnd {
        ~ExitRoutineAtEnd() { ExitRoutine(); }
    } exitRoutine;

    {
        MainWindow window;
        RunGuarded([&] { window.OnCreated(); });
        window.show();
        if (!ProgramEnding()) app.exec();
    }
    EndProgram();
    return 0;
}
