// reelvane-bench-memory: the peak memory of a whole run on an image full of video.
//
//   reelvane-bench-memory IMAGE FOLDER
//
// Run it in a fresh process per measurement: the peak resident set size (VmHWM)
// only grows. The baseline is this same process after a plain 256 KiB pread loop
// over the image (the program, its libraries and one buffer). Then ScanSectors
// scans the whole image, merges and carves; the carving reads every fragment from
// the image as usual, but its output files discard their bytes, so the image's
// size need not be written (FOLDER is only named).

#include <cstdio>
#include <string>

#include "bench_support.h"
#include "engine/scan.h"
#include "engine/sector_test.h"
#include "engine/sector_text.h"
#include "engine/session.h"
#include "platform/linux/linux_platform.h"

using namespace reelvane;
using namespace reelvane::bench;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: reelvane-bench-memory IMAGE FOLDER\n");
        return 2;
    }
    const std::string image = argv[1];
    const std::string folder = argv[2];
    const std::int64_t size = FileSize(image);
    constexpr double kTargetMiB = 64.0 * 1000 * 1000 / 1048576;   // 64 MB

    const std::int64_t atStart = PeakRssKiB();
    const double readSeconds = PreadLoop(image, static_cast<std::size_t>(kChunkSize));
    const std::int64_t baseline = PeakRssKiB();

    const platform::LinuxPlatform linux;
    const TimedPlatform platform(linux, /*discardOutput=*/true);
    RecoverySession session;
    session.DevicePath = image;
    session.DeviceSize = size;
    PhaseObserver observer(folder);
    observer.Start();
    ScanSectors(session, "0", DefaultLastSectorText(size), observer, platform);
    const std::int64_t peak = PeakRssKiB();

    const double peakMiB = static_cast<double>(peak) / 1024.0;
    const double baselineMiB = static_cast<double>(baseline) / 1024.0;
    std::printf("2. Memory: %s, %.0f MiB full of video, one fresh process\n", image.c_str(),
                static_cast<double>(size) / 1048576.0);
    std::printf("   found     %lld hits in %lld fragment lines; %lld files, %lld bytes carved "
                "(output discarded, not written to disk)\n",
                static_cast<long long>(observer.HitCount()),
                static_cast<long long>(observer.FragmentLines()),
                static_cast<long long>(observer.Files()), static_cast<long long>(observer.FileBytes()));
    std::printf("   baseline  peak RSS after a 256 KiB pread loop  %7.1f MiB  (at start %.1f MiB; read %.2f s)\n",
                baselineMiB, static_cast<double>(atStart) / 1024.0, readSeconds);
    std::printf("   engine    peak RSS after the whole run        %7.1f MiB  (%.2f x baseline, +%.1f MiB)\n",
                peakMiB, peakMiB / baselineMiB, peakMiB - baselineMiB);
    std::printf("   ratio     peak / 64 MB budget                  %7.3f      target < 1 (64 MB = %.1f MiB)  %s\n",
                peakMiB / kTargetMiB, kTargetMiB, Verdict(peakMiB < kTargetMiB).c_str());
    std::printf("   times     scan %.2f s, merge %.4f s, carving into the sink %.2f s; "
                "%lld bytes reported unreadable\n",
                observer.PhaseSeconds(PhaseObserver::kScan), observer.PhaseSeconds(PhaseObserver::kMerge),
                observer.PhaseSeconds(PhaseObserver::kCarve),
                static_cast<long long>(observer.UnreadableBytes()));
    return 0;
}
