#include "platform/linux/volume_queries.h"

#include <blkid/blkid.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/linux/mountinfo.h"
#include "platform/linux/sysfs.h"

namespace reelvane::platform::linux_volumes {

namespace {

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

std::string DevicePathOf(const std::string& root, const std::string& name)
{
    return linux_sysfs::UnderRoot(root, "dev/" + name);
}

// A mount point of the mount table, looked up inside root.
std::string MountPointUnderRoot(const std::string& root, const std::string& mountPoint)
{
    std::string relative = mountPoint;
    while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
    return linux_sysfs::UnderRoot(root, relative);
}

std::string ProbeValue(blkid_probe probe, const char* name)
{
    const char* data = nullptr;
    std::size_t length = 0;
    if (blkid_probe_lookup_value(probe, name, &data, &length) != 0 || data == nullptr) return {};
    std::string value(data, length);
    // blkid counts the terminating zero in the length.
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return value;
}

}  // namespace

std::vector<std::string> NumberedDrives(const std::string& root)
{
    std::vector<std::string> drives;
    for (const std::string& name : linux_sysfs::WholeDisks(root)) {
        if (StartsWith(name, "ram") || StartsWith(name, "zram")) continue;
        if (StartsWith(name, "loop") && !linux_sysfs::LoopHasBackingFile(root, name)) continue;
        drives.push_back(name);
    }
    return drives;
}

std::optional<std::uint32_t> DriveNumberOf(const std::string& root, const std::string& disk)
{
    const auto drives = NumberedDrives(root);
    const auto it = std::find(drives.begin(), drives.end(), disk);
    if (it == drives.end()) return std::nullopt;
    return static_cast<std::uint32_t>(it - drives.begin());
}

DriveKind DriveKindOf(const std::string& root, const std::string& name)
{
    const std::string disk = linux_sysfs::WholeDiskOf(root, name);
    if (StartsWith(disk, "sr")) return DriveKind::CdRom;
    if (StartsWith(disk, "ram") || StartsWith(disk, "zram")) return DriveKind::RamDisk;
    if (StartsWith(disk, "nbd")) return DriveKind::Remote;
    const auto removable = linux_sysfs::IsRemovable(root, disk);
    if (!removable) return DriveKind::Unknown;
    return *removable ? DriveKind::Removable : DriveKind::Fixed;
}

std::optional<VolumeFacts> ProbeVolume(const std::string& path)
{
    // Opened read-only here, not by libblkid, so that no probe can ever write.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !(S_ISBLK(st.st_mode) || S_ISREG(st.st_mode))) {
        ::close(fd);
        return std::nullopt;
    }
    blkid_probe probe = blkid_new_probe();
    if (probe == nullptr) {
        ::close(fd);
        return std::nullopt;
    }
    std::optional<VolumeFacts> facts;
    if (blkid_probe_set_device(probe, fd, 0, 0) == 0) {
        blkid_probe_enable_superblocks(probe, 1);
        blkid_probe_set_superblocks_flags(probe,
                                          BLKID_SUBLKS_LABEL | BLKID_SUBLKS_TYPE | BLKID_SUBLKS_USAGE);
        const int result = blkid_do_safeprobe(probe);
        if (result == 0) {
            facts = VolumeFacts{ProbeValue(probe, "LABEL"), ProbeValue(probe, "TYPE"),
                                ProbeValue(probe, "USAGE")};
        } else if (result == 1 || result == -2) {
            // Nothing recognised, or signatures of several kinds that contradict
            // each other: no label and no file system to report.
            facts = VolumeFacts{};
        }
    }
    blkid_free_probe(probe);
    ::close(fd);
    return facts;
}

std::string UnescapeUdevValue(const std::string& value)
{
    const auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 3 < value.size() && value[i + 1] == 'x') {
            const int high = hex(value[i + 2]);
            const int low = hex(value[i + 3]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 3;
                continue;
            }
        }
        out += value[i];
    }
    return out;
}

std::optional<VolumeFacts> ParseUdevRecord(const std::string& text)
{
    VolumeFacts facts;
    std::string plainLabel;
    bool encodedLabel = false;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!StartsWith(line, "E:")) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(2, equals - 2);
        const std::string value = line.substr(equals + 1);
        if (key == "ID_FS_LABEL_ENC") {
            facts.label = UnescapeUdevValue(value);
            encodedLabel = true;
        } else if (key == "ID_FS_LABEL") {
            plainLabel = value;
        } else if (key == "ID_FS_TYPE") {
            facts.fileSystem = value;
        } else if (key == "ID_FS_USAGE") {
            facts.usage = value;
        }
    }
    // ID_FS_LABEL has unsafe characters replaced by "_"; the encoded form is exact.
    if (!encodedLabel) facts.label = plainLabel;
    return facts;
}

std::optional<VolumeFacts> UdevVolume(const std::string& root, unsigned major, unsigned minor)
{
    std::ifstream in(linux_sysfs::UnderRoot(
        root, "run/udev/data/b" + std::to_string(major) + ":" + std::to_string(minor)));
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return ParseUdevRecord(text.str());
}

std::optional<VolumeFacts> DescribeVolume(const std::string& root, const std::string& name)
{
    if (auto probed = ProbeVolume(DevicePathOf(root, name))) return probed;
    const auto number = linux_sysfs::DevNumberOf(root, name);
    if (!number) return std::nullopt;
    return UdevVolume(root, number->major, number->minor);
}

std::optional<VolumeSpace> StatvfsSpace(const std::string& folder)
{
    struct statvfs st{};
    if (::statvfs(folder.c_str(), &st) != 0) return std::nullopt;
    const auto unit = static_cast<std::int64_t>(st.f_frsize != 0 ? st.f_frsize : st.f_bsize);
    return VolumeSpace{static_cast<std::int64_t>(st.f_blocks) * unit,
                       static_cast<std::int64_t>(st.f_bavail) * unit};
}

std::optional<VolumeSpace> MountedSpace(const std::string& root, const std::string& name,
                                        const FolderSpaceQuery& space)
{
    const auto number = linux_sysfs::DevNumberOf(root, name);
    const std::string source = "/dev/" + name;
    for (const auto& mount : linux_mounts::ReadMountInfo(root)) {
        // btrfs and a few others show an anonymous device number: the source names
        // the device then.
        const bool byNumber = number && mount.major == number->major && mount.minor == number->minor;
        if (!byNumber && mount.source != source) continue;
        const std::string folder = MountPointUnderRoot(root, mount.mountPoint);
        if (auto answer = space ? space(folder) : StatvfsSpace(folder)) return answer;
    }
    return std::nullopt;
}

std::int64_t DeviceBytes(const std::string& root, const std::string& name)
{
    struct stat st{};
    if (::stat(DevicePathOf(root, name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        return static_cast<std::int64_t>(st.st_size);
    }
    return linux_sysfs::SizeInBytesOf(root, name).value_or(0);
}

std::vector<std::string> VolumeNames(const std::string& root)
{
    std::vector<std::string> names;
    for (const std::string& disk : linux_sysfs::WholeDisks(root)) {
        if (StartsWith(disk, "loop") && !linux_sysfs::LoopHasBackingFile(root, disk)) continue;
        const auto partitions = linux_sysfs::PartitionsOf(root, disk);
        if (!partitions.empty()) {
            names.insert(names.end(), partitions.begin(), partitions.end());
            continue;
        }
        // A disk formatted without a partition table (many USB sticks, some cards).
        // An empty one (a card reader without a card) is not opened at all.
        if (linux_sysfs::SizeInBytesOf(root, disk).value_or(1) == 0) continue;
        const auto facts = DescribeVolume(root, disk);
        if (facts && !facts->fileSystem.empty() &&
            (facts->usage.empty() || facts->usage == "filesystem")) {
            names.push_back(disk);
        }
    }
    std::sort(names.begin(), names.end(), linux_sysfs::NaturalLess);
    return names;
}

}  // namespace reelvane::platform::linux_volumes
