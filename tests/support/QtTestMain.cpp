#include "QtTestMain.h"

#include "core/GuardedApplication.h"
#include "shell/Program.h"

#include <QTemporaryDir>
#include <QTest>

std::vector<TestFactory>& RegisteredTests()
{
    static std::vector<TestFactory> tests;
    return tests;
}

namespace {
// "Class::function" arguments pick one class and a function of it; other
// arguments go to every class as they are.
QStringList ArgumentsFor(const QString& className, const QStringList& all, bool& selected)
{
    QStringList args{all.first()};
    bool anyPicked = false;
    selected = false;
    for (const QString& a : all.mid(1)) {
        int sep = a.indexOf(QStringLiteral("::"));
        if (sep < 0 || a.startsWith(u'-')) {
            args << a;
            continue;
        }
        anyPicked = true;
        if (a.left(sep) == className) {
            selected = true;
            args << a.mid(sep + 2);
        }
    }
    if (!anyPicked) selected = true;
    return args;
}
}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings written by windows that close go to a folder of the test's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    GuardedApplication app(argc, argv);
    CreateProgramObjects();
    const QStringList all = app.arguments();
    int failures = 0;
    for (const TestFactory& make : RegisteredTests()) {
        std::unique_ptr<QObject> test = make();
        bool selected = false;
        QStringList args = ArgumentsFor(QString::fromLatin1(test->metaObject()->className()), all, selected);
        if (selected) failures += QTest::qExec(test.get(), args);
    }
    return failures == 0 ? 0 : 1;
}
