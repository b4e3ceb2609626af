// Reelvane: the program. Creates the main window and runs the event loop until the
// main window is closed.

#include "platform/linux/linux_platform.h"
#include "ui/error_handler.h"
#include "ui/main.h"
#include "ui/window_services.h"

int main(int argc, char** argv)
{
    reelvane::ui::TReelvaneApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Reelvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Reelvane"));

    const reelvane::platform::LinuxPlatform platform;
    reelvane::ui::DesktopServices services;
    reelvane::ui::TFrmMain FrmMain(platform, services);
    application.SetErrorReporter([&FrmMain](const QString& message) { FrmMain.ShowError(message); });
    FrmMain.show();
    FrmMain.CentreOnScreen();
    return application.exec();
}
