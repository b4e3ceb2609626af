#include "platform/linux/linux_platform.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/errors.h"
#include "platform/linux/mountinfo.h"
#include "platform/linux/sysfs.h"
#include "platform/linux/volume_queries.h"

namespace reelvane::platform {

namespace {

class LinuxStream : public Stream {
public:
    LinuxStream(std::string path, int fd, std::string root)
        : path_(std::move(path)), fd_(fd), root_(std::move(root)) {}
    ~LinuxStream() override { Close(); }

    const std::string& Path() const override { return path_; }

    IoResult ReadAt(std::int64_t offset, void* buffer, std::size_t length) override
    {
        if (offset < 0) return {0, EINVAL};
        for (;;) {
            const ssize_t n = ::pread(fd_, buffer, length, static_cast<off_t>(offset));
            if (n >= 0) return {static_cast<std::size_t>(n), 0};
            if (errno != EINTR) return {0, errno};
        }
    }

    IoResult Write(const void* buffer, std::size_t length) override
    {
        std::size_t done = 0;
        const auto* bytes = static_cast<const unsigned char*>(buffer);
        while (done < length) {
            const ssize_t n = ::write(fd_, bytes + done, length - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (n == 0) {
                return {done, ENOSPC};
            } else if (errno != EINTR) {
                return {done, errno};
            }
        }
        return {done, 0};
    }

    int Close() override
    {
        if (fd_ < 0) return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        // close() on Linux releases the descriptor even when it reports an error.
        return result == 0 || errno == EINTR ? 0 : errno;
    }

    std::int64_t DiskSize() override
    {
        struct stat st{};
        if (::fstat(fd_, &st) != 0) return 0;
        if (S_ISREG(st.st_mode)) return static_cast<std::int64_t>(st.st_size);
        if (S_ISBLK(st.st_mode)) {
            std::uint64_t bytes = 0;
            if (::ioctl(fd_, BLKGETSIZE64, &bytes) == 0 && bytes <= INT64_MAX) {
                return static_cast<std::int64_t>(bytes);
            }
        }
        return 0;
    }

    std::int32_t MediaType() override
    {
        struct stat st{};
        if (::fstat(fd_, &st) != 0) return kMediaQueryFailed;
        std::optional<std::string> name;
        if (S_ISBLK(st.st_mode)) {
            name = linux_sysfs::BlockNameOf(root_, ::major(st.st_rdev), ::minor(st.st_rdev));
        } else if (S_ISREG(st.st_mode)) {
            // An image standing in for a device in a captured tree: its file name is
            // the device's kernel name.
            name = std::filesystem::path(path_).filename().string();
        }
        if (!name) return kMediaQueryFailed;
        const auto removable = linux_sysfs::IsRemovable(root_, *name);
        if (!removable) return kMediaQueryFailed;
        return *removable ? kRemovableMedia : kFixedMedia;
    }

private:
    std::string path_;
    int fd_;
    std::string root_;
};

// The block device a folder's file system lives on, if it has one.
std::optional<dev_t> BlockDeviceOfFolder(const std::string& root, const std::string& folder)
{
    struct stat st{};
    if (::stat(folder.c_str(), &st) != 0) return std::nullopt;
    if (::major(st.st_dev) != 0) return st.st_dev;
    // btrfs and some others report an anonymous device number: the mount table's
    // source names the real device.
    std::error_code ec;
    const std::string real = std::filesystem::canonical(folder, ec).string();
    if (ec) return std::nullopt;
    const linux_mounts::MountEntry* best = nullptr;
    const auto mounts = linux_mounts::ReadMountInfo(root);
    for (const auto& m : mounts) {
        const bool inside = real == m.mountPoint || m.mountPoint == "/" ||
                            real.rfind(m.mountPoint + "/", 0) == 0;
        if (inside && (!best || m.mountPoint.size() >= best->mountPoint.size())) best = &m;
    }
    if (!best) return std::nullopt;
    struct stat source{};
    if (::stat(best->source.c_str(), &source) == 0 && S_ISBLK(source.st_mode)) return source.st_rdev;
    return std::nullopt;
}

}  // namespace

LinuxPlatform::LinuxPlatform(std::string root) : root_(std::move(root))
{
    if (root_.empty()) root_ = "/";
}

LinuxPlatform::LinuxPlatform(std::string root, linux_volumes::FolderSpaceQuery space)
    : LinuxPlatform(std::move(root))
{
    space_ = std::move(space);
}

void LinuxPlatform::InitPathConstants(PathConstants& constants) const
{
    // Devices are named by their kernel names: "/dev/" + "sdb1", "/dev/" + "sdc".
    constants.DevicePrefix = linux_sysfs::UnderRoot(root_, "dev/");
    constants.PhysicalDriveStem = "";
    constants.VolumeSuffix = "";
    constants.RootSuffix = "/";
}

std::unique_ptr<Stream> LinuxPlatform::Open(const std::string& path, OpenMode mode) const
{
    if (mode == OpenMode::Create) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) throw Error(CannotCreateMessage(path, ErrorText(errno)));
        return std::make_unique<LinuxStream>(path, fd, root_);
    }
    // Every device mode opens read-only: nothing is ever written to the source.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw Error(CannotOpenMessage(path, ErrorText(errno)));
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw Error(CannotOpenMessage(path, ErrorText(EISDIR)));
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return std::make_unique<LinuxStream>(path, fd, root_);
}

std::string LinuxPlatform::ErrorText(int error) const
{
    return std::strerror(error);
}

std::optional<std::string> LinuxPlatform::FolderOnDevice(const std::string& folder,
                                                         const std::string& devicePath) const
{
    struct stat src{};
    if (folder.empty() || ::stat(devicePath.c_str(), &src) != 0 || !S_ISBLK(src.st_mode)) {
        return std::nullopt;
    }
    const auto folderDevice = BlockDeviceOfFolder(root_, folder);
    if (!folderDevice) return std::nullopt;
    if (*folderDevice == src.st_rdev) return devicePath;

    const auto sourceName = linux_sysfs::BlockNameOf(root_, ::major(src.st_rdev), ::minor(src.st_rdev));
    const auto folderName =
        linux_sysfs::BlockNameOf(root_, ::major(*folderDevice), ::minor(*folderDevice));
    if (!sourceName || !folderName) return std::nullopt;

    // The folder's device and everything it is built on (LVM, RAID, dm-crypt).
    std::vector<std::string> underlying = linux_sysfs::SlavesOf(root_, *folderName);
    underlying.push_back(*folderName);
    const std::string sourceDisk = linux_sysfs::WholeDiskOf(root_, *sourceName);
    for (const std::string& name : underlying) {
        // The same device, one of the source's partitions, or the source's parent disk.
        if (name == *sourceName || linux_sysfs::WholeDiskOf(root_, name) == *sourceName ||
            name == sourceDisk) {
            return devicePath;
        }
    }
    return std::nullopt;
}

bool LinuxPlatform::SameFile(const std::string& a, const std::string& b) const
{
    struct stat sa{}, sb{};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// A kernel name as the volume queries accept it: never a path of its own.
namespace {
bool IsKernelName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}
}  // namespace

std::vector<std::string> LinuxPlatform::VolumeLetters() const
{
    return linux_volumes::VolumeNames(root_);
}

std::optional<VolumeLabel> LinuxPlatform::VolumeInformation(const std::string& letter) const
{
    if (!IsKernelName(letter)) return std::nullopt;
    const auto facts = linux_volumes::DescribeVolume(root_, letter);
    if (!facts) return std::nullopt;
    return VolumeLabel{facts->label, facts->fileSystem};
}

std::optional<VolumeSpace> LinuxPlatform::VolumeFreeSpace(const std::string& letter) const
{
    if (!IsKernelName(letter)) return std::nullopt;
    return linux_volumes::MountedSpace(root_, letter, space_);
}

DriveKind LinuxPlatform::VolumeDriveKind(const std::string& letter) const
{
    if (!IsKernelName(letter) || !linux_sysfs::BlockDirOf(root_, letter)) return DriveKind::Unknown;
    return linux_volumes::DriveKindOf(root_, letter);
}

std::optional<std::uint32_t> LinuxPlatform::VolumeDiskNumber(const std::string& letter) const
{
    if (!IsKernelName(letter) || !linux_sysfs::BlockDirOf(root_, letter)) return std::nullopt;
    return linux_volumes::DriveNumberOf(root_, linux_sysfs::WholeDiskOf(root_, letter));
}

std::int64_t LinuxPlatform::VolumeDeviceSize(const std::string& letter) const
{
    if (!IsKernelName(letter)) return 0;
    return linux_volumes::DeviceBytes(root_, letter);
}

std::optional<std::string> LinuxPlatform::PhysicalDrivePath(int number) const
{
    const auto drives = linux_volumes::NumberedDrives(root_);
    if (number < 0 || static_cast<std::size_t>(number) >= drives.size()) return std::nullopt;
    return linux_sysfs::UnderRoot(root_, "dev/" + drives[static_cast<std::size_t>(number)]);
}

}  // namespace reelvane::platform
