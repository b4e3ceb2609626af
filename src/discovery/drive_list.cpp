#include "discovery/drive_list.h"

#include "engine/size_text.h"
#include "platform/drive_queries.h"
#include "platform/errors.h"

namespace reelvane::discovery {

std::vector<DriveRow> ListPhysicalDrives(const platform::Platform& platform,
                                         const std::function<void(int)>& progress)
{
    std::vector<DriveRow> rows;
    for (int n = 0; n <= 2; ++n) {
        if (progress) progress(n);
        const auto path = platform.PhysicalDrivePath(n);
        if (!path) break;
        try {
            const auto stream = platform.Open(*path, platform::OpenMode::ReadWriteExclusive);
            DriveRow row;
            row.Caption = "Hard Drive" + std::to_string(n);
            row.MediaText = platform::MediaTypeText(*stream);
            const std::int64_t size = platform::GetDiskSize(*stream);
            row.SizeText = "[" + SizeText(static_cast<std::uint64_t>(size < 0 ? 0 : size)) + "]";
            stream->Close();
            rows.push_back(std::move(row));
        } catch (const Error&) {
            // A drive that cannot be opened ends the list quietly: the drives before
            // it stay, the higher numbers are not tried.
            break;
        }
    }
    return rows;
}

}  // namespace reelvane::discovery
