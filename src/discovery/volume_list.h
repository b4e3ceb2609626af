#pragma once
// The logical partition list: every partition and every whole disk that carries a
// file system directly, in kernel-name order, with label, parent drive, file system
// and free and total size. A partition's "letter" is its kernel name ("sdb1").

#include <cstdint>
#include <string>
#include <vector>

#include "platform/device.h"

namespace reelvane::discovery {

// What the platform reports about one partition.
class TNTVolumeInfo {
public:
    TNTVolumeInfo(const platform::Platform& platform, const std::string& letter);

    std::string Drive;                 // the kernel name, "sdb1"
    std::string VolumeName;            // the label; empty
    std::string FileSystem;            // "vfat", "ext4"; empty
    std::int64_t TotalSize = 0;        // file-system total when mounted, else the partition's size
    std::int64_t FreeSize = 0;         // free bytes when mounted, else 0
    std::int64_t PartitionSize = 0;    // the partition's own byte size
    std::string DriveTypeName;         // "Removable_Drive", "Hard_Drive", ...; empty
    std::uint32_t DiskNumber = 255;    // the parent disk's physical drive number; 255
};

struct VolumeItem {
    std::string Letter;
    std::string VolumeName;
    std::string ParentDrive;           // DriveTypeName + DiskNumber: "Hard_Drive0"
    std::string DriveTypeName;
    std::string FileSystem;
    std::int64_t TotalSize = 0;
    std::int64_t FreeSize = 0;
};

class TNTVolumeList {
public:
    // Walks the partitions; the whole walk happens here.
    explicit TNTVolumeList(const platform::Platform& platform);
    virtual ~TNTVolumeList() = default;

    int RowCount() const;
    // "LABEL(sdb1:)|Removable_Drive1|vfat|[0.00GB/29.72GB]"
    std::string GetRow(int index) const;

    // Bytes in GB with two decimals from 1 MiB on ("%fGB"), else in MB.
    static std::string VolumeSizeText(std::int64_t bytes);

private:
    std::vector<std::string> Rows;
};

// A row text split at its "|" into its four fields, each exactly as it reads.
std::vector<std::string> SplitVolumeRow(const std::string& row);

}  // namespace reelvane::discovery
