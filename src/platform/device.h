#pragma once
// The platform layer's view of devices and files: a stream opened by path and open
// mode that reads at 64-bit offsets and says exactly how much every read got, the
// two drive queries, and the few file-system questions the engine must ask before
// it writes anything. Plain C++: the engine and the discovery logic build on this
// header alone; linux/ implements it, windows/ will.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace reelvane::platform {

// The open modes of the file stream. On this platform the three device modes all
// open the device read-only: the source is never opened for writing, so a
// write-protected card or a read-only loop device can be recovered.
enum class OpenMode : int {
    ReadShared = 64,          // the scan, a click on a drive row, the target check
    ReadWriteShared = 66,     // the carving's device stream (only reads are done)
    ReadWriteExclusive = 2,   // the drive list's probe
    Create = 65535,           // each output file: created new or replacing an old one
};

// The outcome of one read or write: how many bytes it moved, and the system's
// error number when it stopped short because of an error (0 for a clean end of
// data or a complete transfer).
struct IoResult {
    std::size_t bytes = 0;
    int error = 0;
};

// The kind of drive a volume lives on, as the drive-type query names it.
enum class DriveKind { Unknown, Removable, Fixed, Remote, CdRom, RamDisk };

// The label and the file-system name of a volume ("vfat", "ext4", "NTFS").
struct VolumeLabel {
    std::string label;
    std::string fileSystem;
};

// The total bytes of a mounted volume and the bytes free for the user.
struct VolumeSpace {
    std::int64_t total = 0;
    std::int64_t free = 0;
};

// The four path constants of a recovery session.
struct PathConstants {
    std::string DevicePrefix;
    std::string PhysicalDriveStem;
    std::string VolumeSuffix;
    std::string RootSuffix;
};

// MediaType values of the drive query; the names follow the Windows MEDIA_TYPE
// values the texts were defined for.
inline constexpr std::int32_t kRemovableMedia = 11;
inline constexpr std::int32_t kFixedMedia = 12;
inline constexpr std::int32_t kMediaQueryFailed = -1;

class Stream {
public:
    virtual ~Stream() = default;
    Stream() = default;
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    virtual const std::string& Path() const = 0;
    // Reads up to length bytes at offset. A short count with error 0 is the end of data.
    virtual IoResult ReadAt(std::int64_t offset, void* buffer, std::size_t length) = 0;
    // Appends length bytes (output files only). A short count comes with an error.
    virtual IoResult Write(const void* buffer, std::size_t length) = 0;
    // Flushes and closes; returns the system's error number, 0 on success.
    virtual int Close() = 0;
    // The exact byte size of the device or image; 0 when it cannot be measured.
    virtual std::int64_t DiskSize() = 0;
    // kRemovableMedia, kFixedMedia, or kMediaQueryFailed.
    virtual std::int32_t MediaType() = 0;
};

class Platform {
public:
    virtual ~Platform() = default;
    Platform() = default;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    virtual void InitPathConstants(PathConstants& constants) const = 0;
    // Opens path in the given mode; throws reelvane::Error with "Cannot open file"
    // (device modes) or "Cannot create file" (Create) and the system's text.
    virtual std::unique_ptr<Stream> Open(const std::string& path, OpenMode mode) const = 0;
    // The system's text for an error number ("No space left on device").
    virtual std::string ErrorText(int error) const = 0;
    // When the folder lies on the device being read (the same block device, one of
    // its partitions or its parent disk), the name of that device; otherwise nothing.
    virtual std::optional<std::string> FolderOnDevice(const std::string& folder,
                                                      const std::string& devicePath) const = 0;
    // True when both paths name one existing file.
    virtual bool SameFile(const std::string& a, const std::string& b) const = 0;

    // The volume queries of the partition list. None of them raises; a query the
    // platform cannot answer reports nothing, and the list keeps its defaults.
    // A volume is named by its "letter": a drive letter, or a kernel name ("sdb1").

    // The volumes the partition list examines, in the order it lists them.
    virtual std::vector<std::string> VolumeLetters() const { return {}; }
    // The label and file-system name; nothing when the volume cannot be asked.
    virtual std::optional<VolumeLabel> VolumeInformation(const std::string& /*letter*/) const
    {
        return std::nullopt;
    }
    // Total and free bytes of the mounted file system; nothing when not mounted.
    virtual std::optional<VolumeSpace> VolumeFreeSpace(const std::string& /*letter*/) const
    {
        return std::nullopt;
    }
    // The kind of the drive that holds the volume.
    virtual DriveKind VolumeDriveKind(const std::string& /*letter*/) const { return DriveKind::Unknown; }
    // The physical drive number of the disk that holds the volume (its first extent).
    virtual std::optional<std::uint32_t> VolumeDiskNumber(const std::string& /*letter*/) const
    {
        return std::nullopt;
    }
    // The byte size of the volume's device itself, whatever its file system says; 0
    // when unknown.
    virtual std::int64_t VolumeDeviceSize(const std::string& /*letter*/) const { return 0; }

    // The device path of physical drive n; nothing when there is no drive n. By
    // default DevicePrefix + PhysicalDriveStem + n.
    virtual std::optional<std::string> PhysicalDrivePath(int number) const
    {
        PathConstants constants;
        InitPathConstants(constants);
        return constants.DevicePrefix + constants.PhysicalDriveStem + std::to_string(number);
    }
};

}  // namespace reelvane::platform
