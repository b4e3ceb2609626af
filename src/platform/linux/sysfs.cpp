#include "platform/linux/sysfs.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace reelvane::platform::linux_sysfs {

std::string UnderRoot(const std::string& root, const std::string& relative)
{
    std::string path = root.empty() ? std::string("/") : root;
    if (path.back() != '/') path += '/';
    return path + relative;
}

std::optional<std::string> ReadAttribute(const std::string& path)
{
    std::ifstream in(path);
    if (!in) return std::nullopt;
    std::string line;
    std::getline(in, line);
    if (in.bad()) return std::nullopt;
    return line;
}

std::optional<std::string> BlockNameOf(const std::string& root, unsigned major, unsigned minor)
{
    const std::string link =
        UnderRoot(root, "sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor));
    std::error_code ec;
    // A real tree holds a symlink into sys/devices; a captured one may hold the
    // device directory itself, with its uevent naming the device.
    std::ifstream uevent(link + "/uevent");
    for (std::string line; std::getline(uevent, line);) {
        if (line.rfind("DEVNAME=", 0) == 0) return line.substr(8);
    }
    const fs::path target = fs::read_symlink(link, ec);
    if (!ec) return target.filename().string();
    return std::nullopt;
}

std::optional<std::string> BlockDirOf(const std::string& root, const std::string& name)
{
    std::error_code ec;
    for (const char* base : {"sys/class/block/", "sys/block/"}) {
        const std::string dir = UnderRoot(root, base + name);
        if (fs::is_directory(dir, ec)) return dir;
    }
    // A partition inside its disk's directory of a captured tree: sys/block/<disk>/<name>.
    const std::string blocks = UnderRoot(root, "sys/block");
    for (const auto& disk : fs::directory_iterator(blocks, ec)) {
        const fs::path candidate = disk.path() / name;
        if (fs::is_directory(candidate / "", ec) && fs::exists(candidate / "partition", ec)) {
            return candidate.string();
        }
    }
    return std::nullopt;
}

std::string WholeDiskOf(const std::string& root, const std::string& name)
{
    const auto dir = BlockDirOf(root, name);
    if (!dir) return name;
    std::error_code ec;
    if (!fs::exists(*dir + "/partition", ec)) return name;
    // A partition's directory lies inside its disk's directory.
    const fs::path resolved = fs::canonical(*dir, ec);
    if (ec) return name;
    return resolved.parent_path().filename().string();
}

std::vector<std::string> SlavesOf(const std::string& root, const std::string& name)
{
    std::vector<std::string> result;
    std::vector<std::string> pending{name};
    while (!pending.empty()) {
        const std::string current = pending.back();
        pending.pop_back();
        const auto dir = BlockDirOf(root, current);
        if (!dir) continue;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(*dir + "/slaves", ec)) {
            const std::string slave = entry.path().filename().string();
            if (result.size() > 64) return result;  // a loop in a broken tree
            result.push_back(slave);
            pending.push_back(slave);
        }
    }
    return result;
}

std::optional<bool> IsRemovable(const std::string& root, const std::string& name)
{
    const auto dir = BlockDirOf(root, WholeDiskOf(root, name));
    if (!dir) return std::nullopt;
    const auto value = ReadAttribute(*dir + "/removable");
    if (!value) return std::nullopt;
    return *value == "1";
}

}  // namespace reelvane::platform::linux_sysfs
