#pragma once
// The Linux implementation of the platform interface: POSIX pread at 64-bit offsets,
// ioctl(BLKGETSIZE64), sysfs under an injectable root, /proc/self/mountinfo.

#include <string>

#include "platform/device.h"
#include "platform/linux/volume_queries.h"

namespace reelvane::platform {

class LinuxPlatform : public Platform {
public:
    // root is where sys/, dev/, proc/ and run/ are looked up: "/" on a running
    // system, a captured tree in the tests.
    explicit LinuxPlatform(std::string root = "/");
    // The same, asking space for the free and total bytes of a mounted partition
    // instead of statvfs: a captured tree's mount points are folders on the disk the
    // tree lies on, and a test wants figures that do not change with that disk.
    LinuxPlatform(std::string root, linux_volumes::FolderSpaceQuery space);

    const std::string& Root() const { return root_; }

    void InitPathConstants(PathConstants& constants) const override;
    std::unique_ptr<Stream> Open(const std::string& path, OpenMode mode) const override;
    std::string ErrorText(int error) const override;
    std::optional<std::string> FolderOnDevice(const std::string& folder,
                                              const std::string& devicePath) const override;
    bool SameFile(const std::string& a, const std::string& b) const override;

    // The partition list: letters are kernel names ("mmcblk0p1", "sda").
    std::vector<std::string> VolumeLetters() const override;
    std::optional<VolumeLabel> VolumeInformation(const std::string& letter) const override;
    std::optional<VolumeSpace> VolumeFreeSpace(const std::string& letter) const override;
    DriveKind VolumeDriveKind(const std::string& letter) const override;
    std::optional<std::uint32_t> VolumeDiskNumber(const std::string& letter) const override;
    std::int64_t VolumeDeviceSize(const std::string& letter) const override;
    // Drive n is the n-th whole disk in name order (see linux_volumes::NumberedDrives).
    std::optional<std::string> PhysicalDrivePath(int number) const override;

private:
    std::string root_;
    linux_volumes::FolderSpaceQuery space_;
};

}  // namespace reelvane::platform
