#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/carve_command.h"
#include "cli/terminal_observer.h"
#include "platform/linux/linux_platform.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    reelvane::cli::CarveOptions options;
    bool help = false;
    const std::string problem = reelvane::cli::ParseArguments(args, options, help);
    if (help) {
        std::fputs(reelvane::cli::UsageText().c_str(), stdout);
        return 0;
    }
    if (!problem.empty()) {
        std::fprintf(stderr, "reelvane-carve: %s\n\n%s", problem.c_str(),
                     reelvane::cli::UsageText().c_str());
        return 2;
    }
    const reelvane::platform::LinuxPlatform platform(options.sysroot);
    if (options.list) return reelvane::cli::RunList(platform, stdout, stderr);
    reelvane::cli::InstallInterruptHandler();
    return reelvane::cli::RunCarve(options, platform, stdout, isatty(STDERR_FILENO) ? stderr : nullptr,
                                   stderr);
}
