#include "cli/carve_command.h"

#include <sys/stat.h>

#include "cli/terminal_observer.h"
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
           "\n"
           "Recovers MTS camcorder video from SOURCE (a block device such as /dev/sdc,\n"
           "or an image file of one) into the folder DESTINATION as 0.MTS, 1.MTS, ...\n"
           "The source is only ever read. DESTINATION must be an existing folder on\n"
           "another device.\n"
           "\n"
           "  --first SECTOR  first 512-byte sector to scan (default 0)\n"
           "  --last SECTOR   last sector to scan (default: the last sector of SOURCE)\n"
           "  --help          show this text\n"
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

}  // namespace

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
        WriteLogEntry(out, kRecoveringMessage);
        session.DevicePath = options.source;
        {
            const auto stream = platform.Open(options.source, platform::OpenMode::ReadShared);
            session.DeviceSize = platform::GetDiskSize(*stream);
        }
        const std::string last =
            options.lastSector.empty() ? DefaultLastSectorText(session.DeviceSize) : options.lastSector;
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
