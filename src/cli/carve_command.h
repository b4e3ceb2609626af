#pragma once
// reelvane-carve: the recovery run of the wizard, for a terminal.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/device.h"

namespace reelvane::cli {

struct CarveOptions {
    std::string source;
    std::string destination;
    std::string firstSector = "0";
    std::string lastSector;   // empty: the source's last sector
};

// Parses the arguments (without the program name). Returns an error text, empty on
// success; help is set for --help.
std::string ParseArguments(const std::vector<std::string>& args, CarveOptions& options, bool& help);

std::string UsageText();

// Runs a whole recovery: the "Recovering...!" entry, the scan, the merge, the
// fragment files and the closing entry on out; progress on progress (may be null);
// errors on err. Returns the exit status.
int RunCarve(const CarveOptions& options, const platform::Platform& platform, std::FILE* out,
             std::FILE* progress, std::FILE* err);

}  // namespace reelvane::cli
