#include "common/CommandLine.h"
#include "common/Translations.h"
#include "errorprompt/ErrorPromptWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InstallChineseTranslations();
    ErrorPromptWindow window;
    // A wrong argument count ends the program at once, silently.
    if (!window.Fill(ProgramArguments())) return 0;
    window.show();
    return app.exec();
}
