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

// "Class" picks a whole class and "Class::function" one function of it;
// other arguments go to every class as they are.
struct Selection {
    bool picked = false;
    QHash<QString, QStringList> functions;  // class -> functions (empty: all)
};

Selection Select(const QStringList& args, const QStringList& classes, QStringList& rest)
{
    Selection s;
    for (const QString& a : args) {
        QString cls = a.section(QStringLiteral("::"), 0, 0);
        if (!classes.contains(cls)) {
            rest << a;
            continue;
        }
        s.picked = true;
        QStringList& list = s.functions[cls];
        if (a.contains(QStringLiteral("::"))) list << a.section(QStringLiteral("::"), 1);
    }
    return s;
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

    std::vector<std::unique_ptr<QObject>> tests;
    QStringList classes;
    for (const TestFactory& make : RegisteredTests()) {
        tests.push_back(make());
        classes << QString::fromLatin1(tests.back()->metaObject()->className());
    }
    QStringList rest;
    const Selection selection = Select(app.arguments().mid(1), classes, rest);
    int failures = 0;
    for (std::size_t i = 0; i < tests.size(); ++i) {
        if (selection.picked && !selection.functions.contains(classes[int(i)])) continue;
        QStringList args = QStringList{app.arguments().first()} + rest + selection.functions.value(classes[int(i)]);
        failures += QTest::qExec(tests[i].get(), args);
    }
    return failures == 0 ? 0 : 1;
}
