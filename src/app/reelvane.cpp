// Reelvane: the program. Creates the main window and runs the event loop until the
// main window is closed.

#include <cstdlib>
#include <string>

#include "platform/linux/linux_platform.h"
#include "ui/error_handler.h"
#include "ui/main.h"
#include "ui/window_services.h"

namespace {

// Where sys/, dev/, proc/ and run/ are looked up: "/" for a user. REELVANE_SYSROOT
// points the program at a captured device tree instead (as reelvane-carve --sysroot
// does), so the window can be shown and photographed on sample images without root
// and without real cards; docs/screenshots.sh uses it.
std::string DeviceRoot()
{
    const char* root = std::getenv("REELVANE_SYSROOT");
    return root && *root ? std::string(root) : std::string("/");
}

}  // namespace

int main(int argc, char** argv)
{
    reelvane::ui::TReelvaneApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Reelvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Reelvane"));

    const reelvane::platform::LinuxPlatform platform(DeviceRoot());
    reelvane::ui::DesktopServices services;
    reelvane::ui::TFrmMain FrmMain(platform, services);
    application.SetErrorReporter([&FrmMain](const QString& message) { FrmMain.ShowError(message); });
    FrmMain.show();
    FrmMain.CentreOnScreen();
    return application.exec();
}
