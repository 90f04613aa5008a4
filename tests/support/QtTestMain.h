#pragma once
// Several Qt Test classes in one executable, run under the editor's own
// application class so that escaping exceptions are handled as in the program.
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& RegisteredTests();

template <typename T>
struct RegisterTest {
    RegisterTest() { RegisteredTests().push_back([] { return std::make_unique<T>(); }); }
};
