#pragma once
#include <QApplication>

// The one place where an exception escaping any event handler is caught: it
// is reported through the error prompt and that event's work is abandoned,
// while the program goes on.
class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
