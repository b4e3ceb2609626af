#include "discovery/target.h"

#include <cerrno>

#include "discovery/volume_list.h"
#include "engine/sector_text.h"
#include "platform/drive_queries.h"
#include "platform/errors.h"

namespace reelvane::discovery {

namespace {

const std::string kDriveCaptionStem = "Hard Drive";

}  // namespace

std::string PartitionNameOfCaption(const std::string& caption)
{
    const std::size_t open = caption.rfind('(');
    if (open == std::string::npos) return {};
    const std::size_t close = caption.find(":)", open + 1);
    return caption.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
}

void ResolvePartitionRow(const std::string& caption, RecoverySession& session,
                         const platform::Platform& platform)
{
    platform.InitPathConstants(session.Paths);
    const std::string name = PartitionNameOfCaption(caption);
    session.DevicePath = session.Paths.DevicePrefix + name + session.Paths.VolumeSuffix;
    // The partition's own size, not its file system's total: a damaged or reformatted
    // file system reports too little or nothing, and the video may lie anywhere up to
    // the partition's last sector.
    const TNTVolumeInfo info(platform, name);
    session.DeviceSize = info.PartitionSize;
}

void ResolveDriveRow(const std::string& caption, RecoverySession& session,
                     const platform::Platform& platform)
{
    platform.InitPathConstants(session.Paths);
    const std::string numberText =
        caption.size() > kDriveCaptionStem.size() ? caption.substr(kDriveCaptionStem.size()) : "";
    const std::int64_t number = StrToInt64(numberText);
    const auto path = number >= 0 && number <= 0x7fffffff
                          ? platform.PhysicalDrivePath(static_cast<int>(number))
                          : std::nullopt;
    if (!path) {
        // The disk the row named is gone (unplugged since the list was filled).
        throw Error(CannotOpenMessage(caption, platform.ErrorText(ENODEV)));
    }
    session.DevicePath = *path;
    const auto stream = platform.Open(session.DevicePath, platform::OpenMode::ReadShared);
    const std::int64_t size = platform::GetDiskSize(*stream);
    stream->Close();
    session.DeviceSize = size;
}

SectorRange DefaultSectorRange(std::int64_t deviceSize)
{
    return {"0", DefaultLastSectorText(deviceSize)};
}

bool CheckTarget(RecoverySession& session, const SelectedRows& rows,
                 const platform::Platform& platform)
{
    if (session.ScanMode == "Logical") {
        if (!rows.Logical) return false;
        ResolvePartitionRow(*rows.Logical, session, platform);
        return true;
    }
    if (session.ScanMode == "Physical") {
        if (!rows.Physical) return false;
        ResolveDriveRow(*rows.Physical, session, platform);
        return true;
    }
    return false;
}

}  // namespace reelvane::discovery
