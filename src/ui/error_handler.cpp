#include "ui/error_handler.h"

#include <QMessageBox>
#include <exception>

#include "ui/window_services.h"

namespace reelvane::ui {

void RunGuarded(const std::function<void()>& handler,
                const std::function<void(const QString&)>& report)
{
    try {
        handler();
    } catch (const std::exception& error) {
        report(QString::fromStdString(error.what()));
    } catch (...) {
        report(QStringLiteral("An unexpected error occurred."));
    }
}

TReelvaneApplication::TReelvaneApplication(int& argc, char** argv)
    : QApplication(argc, argv), reporter_([](const QString& message) {
          DesktopServices().ShowError(QApplication::activeWindow(), message);
      })
{
}

bool TReelvaneApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    RunGuarded([&] { handled = QApplication::notify(receiver, event); }, reporter_);
    return handled;
}

void TReelvaneApplication::SetErrorReporter(std::function<void(const QString&)> reporter)
{
    reporter_ = std::move(reporter);
}

}  // namespace reelvane::ui
