#pragma once
// The partition list's questions answered the Linux way: the physical drive
// numbering over sys/block, the drive kind from the parent disk, label and file
// system from a read-only libblkid probe (or the udev database when the device
// cannot be opened), free and total bytes from statvfs of the mount point. Every
// path is looked up under an injectable root, as lsblk --sysroot does.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/device.h"

namespace reelvane::platform::linux_volumes {

// Physical drive n is NumberedDrives(root)[n]: the whole disks of sys/block in name
// order, leaving out ram*, zram* and loop devices without a backing file.
std::vector<std::string> NumberedDrives(const std::string& root);

// The position of a whole disk in that numbering; nothing when it is not numbered.
std::optional<std::uint32_t> DriveNumberOf(const std::string& root, const std::string& disk);

// From the disk that holds the named device: sr* CdRom, ram*/zram* RamDisk, nbd*
// Remote, else Removable or Fixed by its removable attribute (Unknown without one).
DriveKind DriveKindOf(const std::string& root, const std::string& name);

struct VolumeFacts {
    std::string label;
    std::string fileSystem;   // blkid's TYPE: "vfat", "ext4", "iso9660"
    std::string usage;        // blkid's USAGE: "filesystem", "raid", "crypto", "other"
};

// Probes the device or image at path with libblkid, opened read-only. Nothing when
// it cannot be opened; empty facts when nothing was recognised on it.
std::optional<VolumeFacts> ProbeVolume(const std::string& path);

// The udev database's record (run/udev/data/b<major>:<minor>): ID_FS_LABEL_ENC
// unescaped, ID_FS_TYPE, ID_FS_USAGE. Nothing when there is no record.
std::optional<VolumeFacts> UdevVolume(const std::string& root, unsigned major, unsigned minor);
std::optional<VolumeFacts> ParseUdevRecord(const std::string& text);

// Undoes udev's \xNN escapes ("My\x20Card" -> "My Card").
std::string UnescapeUdevValue(const std::string& value);

// The probe of root/dev/<name>, or the udev record when the probe cannot open it.
std::optional<VolumeFacts> DescribeVolume(const std::string& root, const std::string& name);

// The total and free bytes of the file system mounted at a folder; nothing when the
// folder cannot be asked.
using FolderSpaceQuery = std::function<std::optional<VolumeSpace>(const std::string& folder)>;

// statvfs of the folder: f_blocks and f_bavail (the bytes free for the user).
std::optional<VolumeSpace> StatvfsSpace(const std::string& folder);

// The space of the mount point of the named device (matched by device number, or by
// the mount source "/dev/<name>"), looked up under root and asked through space
// (statvfs when empty); nothing when not mounted.
std::optional<VolumeSpace> MountedSpace(const std::string& root, const std::string& name,
                                        const FolderSpaceQuery& space = {});

// The byte size of the named device: the size of root/dev/<name> when that is an
// image file standing in for the device, else sysfs size x 512; 0 when unknown.
std::int64_t DeviceBytes(const std::string& root, const std::string& name);

// The volumes of the partition list in name order: every partition of every whole
// disk, and every whole disk without partitions that carries a file system directly.
std::vector<std::string> VolumeNames(const std::string& root);

}  // namespace reelvane::platform::linux_volumes
