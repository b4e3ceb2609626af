// reelvane-bench-carve: the carving's throughput against cp of the same bytes.
//
//   reelvane-bench-carve [--runs N] [--carver PATH] IMAGE FOLDER
//
// FOLDER is a scratch folder on the file system to measure (it gets the sub-folders
// "carved" and "cp-out" and the file "cp-source.bin", all removed at the end).
// The engine figure is CarveFragments alone, inside a real ScanSectors run writing
// real files: from the moment the carving disables Pause until Back is enabled. The
// baseline is `cp` of one file holding exactly the bytes the carving wrote (the
// fragments one after the other), copied on the same file system with the page cache
// warm (an untimed warm-up of each goes first). Dirty pages are flushed before every timed run (untimed), so no run pays for
// the write-back of the one before. With --carver, the reelvane-carve program is
// timed as well, scan included.

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "engine/scan.h"
#include "engine/sector_test.h"
#include "engine/sector_text.h"
#include "engine/session.h"
#include "platform/linux/linux_platform.h"

using namespace reelvane;
using namespace reelvane::bench;

namespace {

struct CarveRun {
    double seconds = 0;
    double scanSeconds = 0;
    std::int64_t bytes = 0;
    std::int64_t files = 0;
    std::int64_t lines = 0;
    StreamTimes split;   // the carving's share of the stream times
};

CarveRun RunEngine(const std::string& image, std::int64_t size, const std::string& out,
                   const TimedPlatform& platform)
{
    RemoveFilesIn(out);
    SyncAll();
    RecoverySession session;
    session.DevicePath = image;
    session.DeviceSize = size;
    platform.ResetTimes();
    PhaseObserver observer(out, &platform.Times());
    observer.Start();
    ScanSectors(session, "0", DefaultLastSectorText(size), observer, platform);
    CarveRun run;
    run.seconds = observer.PhaseSeconds(PhaseObserver::kCarve);
    run.scanSeconds = observer.PhaseSeconds(PhaseObserver::kScan);
    run.bytes = observer.FileBytes();
    run.files = observer.Files();
    run.lines = observer.FragmentLines();
    const StreamTimes& end = observer.TimesAtEnd(PhaseObserver::kCarve);
    const StreamTimes& before = observer.TimesAtEnd(PhaseObserver::kMerge);
    run.split.readSeconds = end.readSeconds - before.readSeconds;
    run.split.writeSeconds = end.writeSeconds - before.writeSeconds;
    run.split.openSeconds = end.openSeconds - before.openSeconds;
    run.split.closeSeconds = end.closeSeconds - before.closeSeconds;
    run.split.reads = end.reads - before.reads;
    run.split.writes = end.writes - before.writes;
    return run;
}

std::string Format(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, " %.3f s", seconds);
    return text;
}

// Appends every "<n>.MTS" in folder, in index order, to one file.
void Concatenate(const std::string& folder, std::int64_t lines, const std::string& target)
{
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    std::vector<char> buffer(1 << 20);
    for (std::int64_t i = 0; i < lines; ++i) {
        std::ifstream in(folder + "/" + std::to_string(i) + ".MTS", std::ios::binary);
        if (!in) continue;
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
            out.write(buffer.data(), in.gcount());
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const Arguments args = ParseArguments(argc, argv, {"--runs", "--carver"});
    const int runs = std::atoi(args.Option("--runs", "3").c_str());
    const std::string carver = args.Option("--carver", "");
    const std::vector<std::string>& positional = args.positional;
    if (positional.size() != 2 || runs < 1) {
        std::fprintf(stderr, "usage: reelvane-bench-carve [--runs N] [--carver PATH] IMAGE FOLDER\n");
        return 2;
    }
    const std::string image = positional[0];
    const std::string folder = positional[1];
    const std::string carved = folder + "/carved";
    const std::string cpOut = folder + "/cp-out";
    const std::string cpSource = folder + "/cp-source.bin";
    const std::string cpTarget = cpOut + "/copy.bin";
    ::mkdir(carved.c_str(), 0755);
    ::mkdir(cpOut.c_str(), 0755);
    const std::int64_t size = FileSize(image);

    const platform::LinuxPlatform linux;
    const TimedPlatform platform(linux, /*discardOutput=*/false);
    PreadLoop(image, static_cast<std::size_t>(kChunkSize));   // into the page cache

    // A first, untimed run gives the bytes for cp: the fragments it wrote. It and an
    // untimed cp also take the first-write costs of this machine (on a virtual machine
    // the first pages written after a large delete can cost several times more).
    const CarveRun warmUp = RunEngine(image, size, carved, platform);
    Concatenate(carved, warmUp.lines, cpSource);
    const std::int64_t sourceBytes = FileSize(cpSource);
    RemoveFilesIn(carved);
    SyncAll();
    PreadLoop(cpSource, 1 << 20);
    TimeProgram({"cp", cpSource, cpTarget});
    ::unlink(cpTarget.c_str());
    CarveRun best;

    double bestCp = 1e30;
    double bestCarver = 1e30;
    std::string cpRuns, engineRuns, carverRuns;
    for (int run = 0; run < runs; ++run) {
        ::unlink(cpTarget.c_str());
        SyncAll();
        const double cp = TimeProgram({"cp", cpSource, cpTarget});
        bestCp = std::min(bestCp, cp);
        cpRuns += Format(cp);
        ::unlink(cpTarget.c_str());
        const CarveRun r = RunEngine(image, size, carved, platform);
        if (run == 0 || r.seconds < best.seconds) best = r;
        engineRuns += Format(r.seconds);
        if (!carver.empty()) {
            RemoveFilesIn(carved);
            SyncAll();
            const double seconds = TimeProgram({carver, image, carved});
            bestCarver = std::min(bestCarver, seconds);
            carverRuns += Format(seconds);
        }
    }
    RemoveFilesIn(carved);
    ::rmdir(carved.c_str());
    ::rmdir(cpOut.c_str());
    ::unlink(cpSource.c_str());

    const double cpRate = MBps(sourceBytes, bestCp);
    const double carveRate = MBps(best.bytes, best.seconds);
    const double ratio = carveRate / cpRate;
    std::printf("3. Carving throughput: %s, %.0f MiB; %lld files, %lld bytes written; best of %d runs each\n",
                image.c_str(), static_cast<double>(size) / 1048576.0, static_cast<long long>(best.files),
                static_cast<long long>(best.bytes), runs);
    std::printf("   baseline  cp of one %lld-byte file (same bytes)  %8.1f MB/s  (%.3f s)\n",
                static_cast<long long>(sourceBytes), cpRate, bestCp);
    std::printf("   engine    CarveFragments into real files        %8.1f MB/s  (%.3f s)\n", carveRate,
                best.seconds);
    std::printf("   ratio     engine / baseline                     %8.3f      target >= 0.80  %s\n",
                ratio, Verdict(ratio >= 0.80).c_str());
    const double accounted = best.split.readSeconds + best.split.writeSeconds +
                             best.split.openSeconds + best.split.closeSeconds;
    std::printf("   split     reads %.3f s (%lld), writes %.3f s (%lld), opens/creates %.3f s, "
                "closes %.3f s, the rest %.3f s\n",
                best.split.readSeconds, static_cast<long long>(best.split.reads),
                best.split.writeSeconds, static_cast<long long>(best.split.writes),
                best.split.openSeconds, best.split.closeSeconds, best.seconds - accounted);
    std::printf("   runs      cp%s; engine%s%s%s\n", cpRuns.c_str(), engineRuns.c_str(),
                carver.empty() ? "" : "; reelvane-carve", carverRuns.c_str());
    if (!carver.empty()) {
        const double carverRate = MBps(best.bytes, bestCarver);
        std::printf("   program   reelvane-carve, scan of the image included  %8.1f MB/s of files  "
                    "(%.3f s; %.3f x cp)\n",
                    carverRate, bestCarver, carverRate / cpRate);
    }
    return 0;
}
