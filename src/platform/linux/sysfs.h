#pragma once
// Small readers of the kernel's block-device tree under an injectable root directory
// ("/" on a running system, a captured tree in the tests), the way lsblk --sysroot
// reads it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace reelvane::platform::linux_sysfs {

// root joined with a path relative to it ("/" + "sys/block" -> "/sys/block").
std::string UnderRoot(const std::string& root, const std::string& relative);

// The first line of a sysfs attribute file, without its newline; nothing if unreadable.
std::optional<std::string> ReadAttribute(const std::string& path);

// The kernel name of the block device with the given major:minor ("sdb1"), through
// sys/dev/block/M:m; nothing if the tree does not know it.
std::optional<std::string> BlockNameOf(const std::string& root, unsigned major, unsigned minor);

// The directory of a block device by kernel name: sys/class/block/<name> when it
// exists, else sys/block/<name> (whole disks in a captured tree).
std::optional<std::string> BlockDirOf(const std::string& root, const std::string& name);

// For a partition, the kernel name of its disk ("sdb1" -> "sdb"); for a whole disk,
// the name itself.
std::string WholeDiskOf(const std::string& root, const std::string& name);

// The devices a device is built on (dm, md: sys/class/block/<name>/slaves), recursively.
std::vector<std::string> SlavesOf(const std::string& root, const std::string& name);

// The removable attribute of the disk that holds the named device.
std::optional<bool> IsRemovable(const std::string& root, const std::string& name);

// Kernel names in the order a user reads them: runs of digits compare by their value
// ("loop2" before "loop10", "sda9" before "sda10"), everything else byte by byte.
bool NaturalLess(const std::string& a, const std::string& b);

// The whole disks of sys/block, in NaturalLess order.
std::vector<std::string> WholeDisks(const std::string& root);

// The partitions of a whole disk (its subdirectories holding a partition attribute),
// in NaturalLess order.
std::vector<std::string> PartitionsOf(const std::string& root, const std::string& disk);

// The device number of a block device from its dev attribute ("179:1").
struct DevNumber {
    unsigned major = 0;
    unsigned minor = 0;
};
std::optional<DevNumber> DevNumberOf(const std::string& root, const std::string& name);

// The size attribute in bytes (the kernel counts 512-byte units whatever the
// device's sector size); nothing if unreadable.
std::optional<std::int64_t> SizeInBytesOf(const std::string& root, const std::string& name);

// True for a loop device bound to a file (loop/backing_file exists).
bool LoopHasBackingFile(const std::string& root, const std::string& name);

}  // namespace reelvane::platform::linux_sysfs
