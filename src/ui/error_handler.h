#pragma once
// The general error handler: an error that reaches the event loop is shown in a
// message box with its message, and the loop goes on.

#include <QApplication>
#include <QString>
#include <functional>

namespace reelvane::ui {

// Runs a handler; an error it lets pass is given to report (its message) instead of
// unwinding into Qt.
void RunGuarded(const std::function<void()>& handler,
                const std::function<void(const QString&)>& report);

// The program's application object: catches what a handler lets through into the
// event loop and shows it in the error box.
class TReelvaneApplication : public QApplication {
    Q_OBJECT
public:
    TReelvaneApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Who shows the error box (the main window sets itself once it exists).
    void SetErrorReporter(std::function<void(const QString&)> reporter);

private:
    std::function<void(const QString&)> reporter_;
};

}  // namespace reelvane::ui
