// reelvane-bench-scan: the scan's throughput on a cached image against a plain
// 256 KiB pread loop over the same image.
//
//   reelvane-bench-scan [--runs N] IMAGE FOLDER
//
// The image is read once first so that both loops read from the page cache. Each
// run of ScanSectors also merges and carves what it found; the carving's files are
// discarded (FOLDER is only named, never written), and the figure is the scan loop
// alone: from the call until the clean-up asks for the destination. To show where
// time goes when the engine falls behind, a hand-written loop of the same reads and
// sector tests is timed in two parts.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_support.h"
#include "engine/fragments.h"
#include "engine/scan.h"
#include "engine/sector_test.h"
#include "engine/sector_text.h"
#include "engine/session.h"
#include "platform/linux/linux_platform.h"

#include <fcntl.h>
#include <unistd.h>

using namespace reelvane;
using namespace reelvane::bench;

namespace {

struct HandLoop {
    double seconds = 0;
    double readSeconds = 0;
    double testSeconds = 0;
    std::int64_t hits = 0;
};

// The scan's work without the engine around it: pread a chunk, test its sectors,
// keep the hits; the reads and the tests timed apart.
template <typename Test>
HandLoop TimeHandLoop(const std::string& path, std::int64_t size, Test test)
{
    HandLoop result;
    std::vector<unsigned char> buffer(static_cast<std::size_t>(kChunkSize));
    HitList hits;
    const auto start = Clock::now();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    for (std::int64_t pos = 0; pos < size; pos += kChunkSize) {
        const auto t0 = Clock::now();
        const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), pos);
        const auto t1 = Clock::now();
        const std::int64_t sectors = (n > 0 ? n : 0) / kSectorSize;
        for (std::int64_t i = 0; i < sectors; ++i) {
            if (test(buffer.data() + i * kSectorSize)) hits.Append(pos + i * kSectorSize);
        }
        const auto t2 = Clock::now();
        result.readSeconds += SecondsBetween(t0, t1);
        result.testSeconds += SecondsBetween(t1, t2);
    }
    ::close(fd);
    result.seconds = SecondsBetween(start, Clock::now());
    result.hits = hits.Count();
    return result;
}

template <typename Test>
HandLoop BestHandLoop(const std::string& path, std::int64_t size, int runs, Test test)
{
    HandLoop best;
    for (int run = 0; run < runs; ++run) {
        const HandLoop r = TimeHandLoop(path, size, test);
        if (run == 0 || r.seconds < best.seconds) best = r;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    const Arguments args = ParseArguments(argc, argv, {"--runs"});
    const int runs = std::atoi(args.Option("--runs", "3").c_str());
    const std::vector<std::string>& positional = args.positional;
    if (positional.size() != 2 || runs < 1) {
        std::fprintf(stderr, "usage: reelvane-bench-scan [--runs N] IMAGE FOLDER\n");
        return 2;
    }
    const std::string image = positional[0];
    const std::string folder = positional[1];
    const std::int64_t size = FileSize(image);

    const platform::LinuxPlatform linux;
    const TimedPlatform platform(linux, /*discardOutput=*/true);

    PreadLoop(image, static_cast<std::size_t>(kChunkSize));   // into the page cache

    double bestBaseline = 1e30;
    double bestScan = 1e30;
    double bestRead = 0;
    PhaseObserver best(folder);
    for (int run = 0; run < runs; ++run) {
        bestBaseline = std::min(bestBaseline, PreadLoop(image, static_cast<std::size_t>(kChunkSize)));

        RecoverySession session;
        session.DevicePath = image;
        session.DeviceSize = size;
        platform.ResetTimes();
        PhaseObserver observer(folder, &platform.Times());
        observer.Start();
        ScanSectors(session, "0", DefaultLastSectorText(size), observer, platform);
        const double scan = observer.PhaseSeconds(PhaseObserver::kScan);
        if (scan < bestScan) {
            bestScan = scan;
            best = observer;
            bestRead = observer.TimesAtEnd(PhaseObserver::kScan).readSeconds;
        }
    }
    const HandLoop hand = BestHandLoop(image, size, runs, [](const unsigned char* sector) {
        return SectorTest(sector);
    });

    const double baselineRate = MBps(size, bestBaseline);
    const double scanRate = MBps(size, bestScan);
    const double ratio = scanRate / baselineRate;
    std::printf("1. Scan throughput: %s, %.0f MiB, cached, best of %d runs each\n", image.c_str(),
                static_cast<double>(size) / 1048576.0, runs);
    std::printf("   baseline  pread loop, 256 KiB blocks   %8.1f MB/s  (%.3f s)\n", baselineRate,
                bestBaseline);
    std::printf("   engine    ScanSectors, scan loop        %8.1f MB/s  (%.3f s)\n", scanRate, bestScan);
    std::printf("   ratio     engine / baseline             %8.3f      target >= 0.90  %s\n", ratio,
                Verdict(ratio >= 0.90).c_str());
    std::printf("   found     %lld hits, %lld fragment lines, %lld files of %lld bytes (carved into a discarding sink)\n",
                static_cast<long long>(best.HitCount()), static_cast<long long>(best.FragmentLines()),
                static_cast<long long>(best.Files()), static_cast<long long>(best.FileBytes()));
    std::printf("   clean-up  merge %.4f s, carving into the sink %.3f s (not part of the figure)\n",
                best.PhaseSeconds(PhaseObserver::kMerge), best.PhaseSeconds(PhaseObserver::kCarve));
    std::printf("   split     engine scan: reads %.3f s + the rest %.3f s\n", bestRead,
                bestScan - bestRead);
    std::printf("   hand loop pread + SectorTest: %.3f s = reads %.3f s + tests %.3f s (%.1f%%), "
                "%lld hits; ratio to baseline %.3f\n",
                hand.seconds, hand.readSeconds, hand.testSeconds,
                100.0 * hand.testSeconds / hand.seconds, static_cast<long long>(hand.hits),
                bestBaseline / hand.seconds);
    return 0;
}
