#include "platform/linux/mountinfo.h"

#include <fstream>
#include <sstream>

#include "platform/linux/sysfs.h"

namespace reelvane::platform::linux_mounts {

namespace {

std::string Unescape(const std::string& field)
{
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string octal = field.substr(i + 1, 3);
            if (octal.size() == 3 && octal.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(octal, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(const std::string& text)
{
    // 36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue
    std::vector<MountEntry> entries;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string id, parent, majorMinor, root, mountPoint;
        if (!(fields >> id >> parent >> majorMinor >> root >> mountPoint)) continue;
        std::string field;
        while (fields >> field && field != "-") {}
        MountEntry entry;
        if (!(fields >> entry.fsType >> entry.source)) continue;
        const std::size_t colon = majorMinor.find(':');
        if (colon == std::string::npos) continue;
        try {
            entry.major = static_cast<unsigned>(std::stoul(majorMinor.substr(0, colon)));
            entry.minor = static_cast<unsigned>(std::stoul(majorMinor.substr(colon + 1)));
        } catch (...) {
            continue;
        }
        entry.mountPoint = Unescape(mountPoint);
        entry.source = Unescape(entry.source);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<MountEntry> ReadMountInfo(const std::string& root)
{
    std::ifstream in(linux_sysfs::UnderRoot(root, "proc/self/mountinfo"));
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return ParseMountInfo(text.str());
}

}  // namespace reelvane::platform::linux_mounts
