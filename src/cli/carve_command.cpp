#include "cli/carve_command.h"

#include <sys/stat.h>

#include <optional>

#include "cli/terminal_observer.h"
#include "discovery/drive_list.h"
#include "discovery/target.h"
#include "discovery/volume_list.h"
#include "engine/run_texts.h"
#include "engine/scan.h"
#include "engine/sector_text.h"
#include "engine/session.h"
#include "platform/drive_queries.h"
#include "platform/errors.h"

namespace reelvane::cli {

std::string UsageText()
{
    return "Usage: reelvane-carve [--first SECTOR] [--last SECTOR] SOURCE DESTINATION\n"
           "       reelvane-carve [--first SECTOR] [--last SECTOR] --partition NAME DESTINATION\n"
           "       reelvane-carve [--first SECTOR] [--last SECTOR] --drive N DESTINATION\n"
           "       reelvane-carve --list\n"
           "\n"
           "Recovers MTS camcorder video from SOURCE (a block device such as /dev/sdc,\n"
           "or an image file of one) into the folder DESTINATION as 0.MTS, 1.MTS, ...\n"
           "The source is only ever read. DESTINATION must be an existing folder on\n"
           "another device.\n"
           "\n"
           "  --list            print the partitions and the drives the window offers\n"
           "  --partition NAME  read the listed partition NAME (its kernel name, as in\n"
           "                    \"CAMERA(mmcblk0p1:)\": mmcblk0p1), as the window does\n"
           "  --drive N         read the listed drive \"Hard Drive\" N (0, 1 or 2)\n"
           "  --first SECTOR    first 512-byte sector to scan (default 0)\n"
           "  --last SECTOR     last sector to scan (default: the last sector of the source)\n"
           "  --sysroot DIR     read sys/, dev/, proc/ and run/ under DIR instead of /\n"
           "                    (a captured tree, as lsblk --sysroot does)\n"
           "  --help            show this text\n"
           "\n"
           "Ctrl-C stops the reading; the fragments found so far are still written.\n"
           "Exit status: 0 when the run completed, 1 on an error, 2 on a usage error.\n";
}

std::string ParseArguments(const std::vector<std::string>& args, CarveOptions& options, bool& help)
{
    help = false;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            help = true;
            return {};
        }
        if (a == "--first" || a == "--last") {
            if (i + 1 >= args.size()) return a + " needs a sector number";
            (a == "--first" ? options.firstSector : options.lastSector) = args[++i];
        } else if (a == "--list") {
            options.list = true;
        } else if (a == "--partition" || a == "--drive") {
            if (i + 1 >= args.size()) {
                return a + (a == "--drive" ? " needs a drive number" : " needs a partition name");
            }
            if (options.target != CarveOptions::Target::Source) return "give one of --partition and --drive";
            options.target = a == "--drive" ? CarveOptions::Target::Drive : CarveOptions::Target::Partition;
            options.source = args[++i];
        } else if (a == "--sysroot") {
            if (i + 1 >= args.size()) return a + " needs a directory";
            options.sysroot = args[++i];
        } else if (a.rfind("--first=", 0) == 0) {
            options.firstSector = a.substr(8);
        } else if (a.rfind("--last=", 0) == 0) {
            options.lastSector = a.substr(7);
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            return "unknown option " + a;
        } else {
            positional.push_back(a);
        }
    }
    if (options.list) {
        if (options.target != CarveOptions::Target::Source || !positional.empty()) {
            return "--list takes no source or destination";
        }
        return {};
    }
    if (options.target == CarveOptions::Target::Drive) {
        const std::string& n = options.source;
        if (n != "0" && n != "1" && n != "2") return "the drive list has the drives 0, 1 and 2 only";
    }
    if (options.target != CarveOptions::Target::Source) {
        if (positional.size() != 1) return "expected DESTINATION";
        options.destination = positional[0];
        return {};
    }
    if (positional.size() != 2) return "expected SOURCE and DESTINATION";
    options.source = positional[0];
    options.destination = positional[1];
    return {};
}

namespace {

void WriteLogEntry(std::FILE* out, const std::string& message)
{
    std::fprintf(out, "%s\n\n", ScanLogEntryLine(message, LocalTimeNow()).c_str());
    std::fflush(out);
}

bool IsFolder(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The caption of the listed partition with the given kernel name, as the window
// shows it; nothing when the partition list does not offer it.
std::optional<std::string> ListedPartitionCaption(const platform::Platform& platform,
                                                  const std::string& name)
{
    const discovery::TNTVolumeList volumes(platform);
    for (int i = 0; i < volumes.RowCount(); ++i) {
        const std::string caption = discovery::SplitVolumeRow(volumes.GetRow(i)).front();
        if (discovery::PartitionNameOfCaption(caption) == name) return caption;
    }
    return std::nullopt;
}

// True when the drive list offers the drive row with this caption.
bool DriveIsListed(const platform::Platform& platform, const std::string& caption)
{
    for (const auto& row : discovery::ListPhysicalDrives(platform)) {
        if (row.Caption == caption) return true;
    }
    return false;
}

}  // namespace

int RunList(const platform::Platform& platform, std::FILE* out, std::FILE* err)
{
    const discovery::TNTVolumeList volumes(platform);
    for (int i = 0; i < volumes.RowCount(); ++i) std::fprintf(out, "%s\n", volumes.GetRow(i).c_str());
    if (volumes.RowCount() == 0) {
        std::fprintf(err,
                     "reelvane-carve: no partition is listed: no partition, and no disk whose "
                     "label or file system could be read (that needs read access to the device "
                     "or the udev database)\n");
    }
    const auto drives = discovery::ListPhysicalDrives(platform);
    for (const auto& row : drives) {
        std::fprintf(out, "%s  %s  %s\n", row.Caption.c_str(), row.MediaText.c_str(), row.SizeText.c_str());
    }
    std::fflush(out);
    if (drives.empty()) {
        // The list stops quietly at the first drive that cannot be opened; say why here.
        const auto path = platform.PhysicalDrivePath(0);
        std::string reason = "there is no drive 0";
        if (path) {
            try {
                platform.Open(*path, platform::OpenMode::ReadWriteExclusive)->Close();
            } catch (const Error& e) {
                reason = e.what();
            }
        }
        std::fprintf(err, "reelvane-carve: no drive is listed: %s\n", reason.c_str());
    }
    return 0;
}

int RunCarve(const CarveOptions& options, const platform::Platform& platform, std::FILE* out,
             std::FILE* progress, std::FILE* err)
{
    RecoverySession session;
    TerminalObserver observer(session, options.destination, progress, err);
    try {
        platform.InitPathConstants(session.Paths);
        if (!IsFolder(options.destination)) {
            throw Error("The destination folder \"" + options.destination +
                        "\" does not exist or is not a folder.");
        }
        // The row the window would have selected.
        discovery::SelectedRows rows;
        if (options.target == CarveOptions::Target::Partition) {
            rows.Logical = ListedPartitionCaption(platform, options.source);
            if (!rows.Logical) {
                throw Error("The partition list has no partition \"" + options.source +
                            "\" (reelvane-carve --list shows the list).");
            }
            session.ScanMode = "Logical";
        } else if (options.target == CarveOptions::Target::Drive) {
            rows.Physical = "Hard Drive" + options.source;
            if (!DriveIsListed(platform, *rows.Physical)) {
                throw Error("The drive list has no drive \"" + *rows.Physical +
                            "\" (reelvane-carve --list shows the list).");
            }
            session.ScanMode = "Physical";
        }
        WriteLogEntry(out, kRecoveringMessage);
        if (options.target == CarveOptions::Target::Source) {
            session.DevicePath = options.source;
            const auto stream = platform.Open(options.source, platform::OpenMode::ReadShared);
            session.DeviceSize = platform::GetDiskSize(*stream);
        } else {
            // As "Next" does: the selected row resolved into DevicePath and DeviceSize.
            discovery::CheckTarget(session, rows, platform);
        }
        const std::string last = options.lastSector.empty()
                                     ? discovery::DefaultSectorRange(session.DeviceSize).Last
                                     : options.lastSector;
        ScanSectors(session, options.firstSector, last, observer, platform);
    } catch (const Error& e) {
        observer.EndProgressLine();
        std::fprintf(err, "reelvane-carve: %s\n", e.what());
        return 1;
    }
    observer.EndProgressLine();
    if (observer.UnreadableRanges() > 0) {
        std::fprintf(err, "%lld bytes in %lld ranges could not be read; they were read as zeros.\n",
                     static_cast<long long>(observer.UnreadableBytes()),
                     static_cast<long long>(observer.UnreadableRanges()));
    }
    WriteLogEntry(out, ClosingMessage(observer.StatusLabel()));
    return 0;
}

}  // namespace reelvane::cli
