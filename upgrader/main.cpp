#include "common/CommandLine.h"
#include "upgrader/UpgraderWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    UpgraderWindow window;
    // A wrong argument, or one that names a file outside the program folder,
    // ends the program at once, silently.
    if (!window.Accept(ProgramArguments())) return 0;
    window.show();
    return app.exec();
}
