#include "platform/linux/sysfs.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>

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

bool NaturalLess(const std::string& a, const std::string& b)
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && isDigit(a[ei])) ++ei;
            while (ej < b.size() && isDigit(b[ej])) ++ej;
            // Compare the runs by value: without leading zeros, a longer run is larger.
            std::size_t si = i, sj = j;
            while (si + 1 < ei && a[si] == '0') ++si;
            while (sj + 1 < ej && b[sj] == '0') ++sj;
            if (ei - si != ej - sj) return ei - si < ej - sj;
            const int c = a.compare(si, ei - si, b, sj, ej - sj);
            if (c != 0) return c < 0;
            if (ei - i != ej - j) return ei - i < ej - j;   // "01" after "1"
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

std::vector<std::string> WholeDisks(const std::string& root)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(UnderRoot(root, "sys/block"), ec)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

std::vector<std::string> PartitionsOf(const std::string& root, const std::string& disk)
{
    std::vector<std::string> names;
    std::error_code ec;
    const fs::path dir = UnderRoot(root, "sys/block/" + disk);
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::error_code ignored;
        if (entry.is_directory(ignored) && fs::exists(entry.path() / "partition", ignored)) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

std::optional<DevNumber> DevNumberOf(const std::string& root, const std::string& name)
{
    const auto dir = BlockDirOf(root, name);
    if (!dir) return std::nullopt;
    const auto value = ReadAttribute(*dir + "/dev");
    if (!value) return std::nullopt;
    const std::size_t colon = value->find(':');
    if (colon == std::string::npos) return std::nullopt;
    try {
        std::size_t used = 0;
        const unsigned long major = std::stoul(value->substr(0, colon), &used);
        if (used != colon) return std::nullopt;
        const std::string minorText = value->substr(colon + 1);
        const unsigned long minor = std::stoul(minorText, &used);
        if (used != minorText.size()) return std::nullopt;
        if (major > std::numeric_limits<unsigned>::max() || minor > std::numeric_limits<unsigned>::max()) {
            return std::nullopt;
        }
        return DevNumber{static_cast<unsigned>(major), static_cast<unsigned>(minor)};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::int64_t> SizeInBytesOf(const std::string& root, const std::string& name)
{
    const auto dir = BlockDirOf(root, name);
    if (!dir) return std::nullopt;
    const auto value = ReadAttribute(*dir + "/size");
    if (!value || value->empty() || value->find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    try {
        const unsigned long long units = std::stoull(*value);
        if (units > static_cast<unsigned long long>(std::numeric_limits<std::int64_t>::max() / 512)) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(units) * 512;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool LoopHasBackingFile(const std::string& root, const std::string& name)
{
    const auto dir = BlockDirOf(root, name);
    if (!dir) return false;
    std::error_code ec;
    return fs::exists(*dir + "/loop/backing_file", ec);
}

}  // namespace reelvane::platform::linux_sysfs
