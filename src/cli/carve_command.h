#pragma once
// reelvane-carve: the recovery run of the wizard, for a terminal.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/device.h"

namespace reelvane::cli {

struct CarveOptions {
    // What to read: a path given as SOURCE, a partition of the partition list by its
    // kernel name (--partition), or a drive of the drive list by number (--drive).
    enum class Target { Source, Partition, Drive };
    Target target = Target::Source;
    std::string source;           // SOURCE, --partition's NAME or --drive's number
    std::string destination;
    std::string firstSector = "0";
    std::string lastSector;   // empty: the source's last sector
    bool list = false;        // --list: print the partition and drive lists instead
    std::string sysroot = "/";  // --sysroot: where sys/, dev/, proc/ and run/ are read
};

// Parses the arguments (without the program name). Returns an error text, empty on
// success; help is set for --help.
std::string ParseArguments(const std::vector<std::string>& args, CarveOptions& options, bool& help);

std::string UsageText();

// --list: the partition list's rows ("CAMERA(mmcblk0p1:)|Removable_Drive1|vfat|[...]")
// and the drive list's rows ("Hard Drive0  Fixed Drive  [465.76GB]") on out; on err,
// why the drive list is empty when it is. Returns the exit status.
int RunList(const platform::Platform& platform, std::FILE* out, std::FILE* err);

// Runs a whole recovery: the "Recovering...!" entry, the scan, the merge, the
// fragment files and the closing entry on out; progress on progress (may be null);
// errors on err. Returns the exit status.
int RunCarve(const CarveOptions& options, const platform::Platform& platform, std::FILE* out,
             std::FILE* progress, std::FILE* err);

}  // namespace reelvane::cli
