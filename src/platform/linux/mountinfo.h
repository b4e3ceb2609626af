#pragma once
// The mount table of /proc/self/mountinfo (under an injectable root).

#include <string>
#include <vector>

namespace reelvane::platform::linux_mounts {

struct MountEntry {
    unsigned major = 0;
    unsigned minor = 0;
    std::string mountPoint;   // octal escapes (\040) undone
    std::string fsType;
    std::string source;       // "/dev/sdb1", "tmpfs", ...
};

// The entries in file order; empty when the table cannot be read.
std::vector<MountEntry> ReadMountInfo(const std::string& root);
std::vector<MountEntry> ParseMountInfo(const std::string& text);

}  // namespace reelvane::platform::linux_mounts
