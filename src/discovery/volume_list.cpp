#include "discovery/volume_list.h"

#include <array>
#include <charconv>

namespace reelvane::discovery {

namespace {

std::string DriveTypeNameOf(platform::DriveKind kind)
{
    switch (kind) {
    case platform::DriveKind::Removable: return "Removable_Drive";
    case platform::DriveKind::Fixed: return "Hard_Drive";
    case platform::DriveKind::Remote: return "Network_Drive";
    case platform::DriveKind::CdRom: return "CD_Drive";
    case platform::DriveKind::RamDisk: return "RAM_Drive";
    case platform::DriveKind::Unknown: break;
    }
    return {};
}

// value with two decimals, rounded, always with a point: the list shows the same
// text whatever locale the window's toolkit has switched the C library to.
std::string TwoDecimals(double value)
{
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 2);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

TNTVolumeInfo::TNTVolumeInfo(const platform::Platform& platform, const std::string& letter)
    : Drive(letter)
{
    // What the file system says: label, file-system name, total and free bytes.
    if (const auto label = platform.VolumeInformation(letter)) {
        VolumeName = label->label;
        FileSystem = label->fileSystem;
    }
    PartitionSize = platform.VolumeDeviceSize(letter);
    if (const auto space = platform.VolumeFreeSpace(letter)) {
        TotalSize = space->total;
        FreeSize = space->free;
    } else {
        // Not mounted: the partition itself is what there is to scan.
        TotalSize = PartitionSize;
        FreeSize = 0;
    }

    // Where the volume lives: the drive kind, and for removable and fixed drives the
    // number of the disk that holds it.
    const platform::DriveKind kind = platform.VolumeDriveKind(letter);
    DriveTypeName = DriveTypeNameOf(kind);
    if (kind == platform::DriveKind::Removable || kind == platform::DriveKind::Fixed) {
        DiskNumber = platform.VolumeDiskNumber(letter).value_or(255);
    }
}

TNTVolumeList::TNTVolumeList(const platform::Platform& platform)
{
    for (const std::string& letter : platform.VolumeLetters()) {
        const TNTVolumeInfo info(platform, letter);
        if (info.DiskNumber == 255 && info.VolumeName.empty()) continue;
        VolumeItem item;
        item.Letter = info.Drive;
        item.VolumeName = info.VolumeName;
        item.DriveTypeName = info.DriveTypeName;
        item.FileSystem = info.FileSystem;
        item.TotalSize = info.TotalSize;
        item.FreeSize = info.FreeSize;
        item.ParentDrive = info.DriveTypeName + std::to_string(info.DiskNumber);
        Rows.push_back(item.VolumeName + "(" + item.Letter + ":)|" + item.ParentDrive + "|" +
                       item.FileSystem + "|[" + VolumeSizeText(item.FreeSize) + "/" +
                       VolumeSizeText(item.TotalSize) + "]");
    }
}

int TNTVolumeList::RowCount() const
{
    return static_cast<int>(Rows.size());
}

std::string TNTVolumeList::GetRow(int index) const
{
    return Rows.at(static_cast<std::size_t>(index));
}

std::string TNTVolumeList::VolumeSizeText(std::int64_t bytes)
{
    const auto value = static_cast<double>(bytes);
    if (value >= 1048576.0) return TwoDecimals(value / 1024 / 1024 / 1024) + "GB";
    return TwoDecimals(value / 1024 / 1024) + "MB";
}

std::vector<std::string> SplitVolumeRow(const std::string& row)
{
    // The last three fields (parent drive, file system, sizes) never hold a "|"; a
    // label may (ext4 and others allow it), so the label takes whatever lies before
    // them and the columns keep their places.
    std::vector<std::string> fields;
    std::size_t end = row.size();
    for (int i = 0; i < 3; ++i) {
        const std::size_t bar = end == 0 ? std::string::npos : row.rfind('|', end - 1);
        if (bar == std::string::npos) break;
        fields.insert(fields.begin(), row.substr(bar + 1, end - bar - 1));
        end = bar;
    }
    fields.insert(fields.begin(), row.substr(0, end));
    return fields;
}

}  // namespace reelvane::discovery
