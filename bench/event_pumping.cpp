// reelvane-bench-events: how often the engine lets events run, and how long a window
// would wait between two deliveries.
//
//   reelvane-bench-events [--runs-in-merge N] IMAGE FOLDER
//
// A whole ScanSectors run on IMAGE with an observer that counts PumpEvents per phase
// (the carving's files are discarded; FOLDER is only named). The baselines are the
// deliveries the run's plain description asks for: one per 256 KiB chunk scanned;
// one per fragment line and per 256 KiB copied; and for the merge, one per pair of
// neighbouring hits, measured on a hit list of N runs (default 1,000,000) built in
// memory, hits 2048 bytes apart so that no two join.

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

using namespace reelvane;
using namespace reelvane::bench;

namespace {

// Also counts the copy chunks the carving's files take.
class CountingObserver : public PhaseObserver {
public:
    using PhaseObserver::PhaseObserver;
    void FragmentWritten(const std::string& path, std::int64_t bytes) override
    {
        PhaseObserver::FragmentWritten(path, bytes);
        copyChunks_ += (bytes + kChunkSize - 1) / kChunkSize;
    }
    std::int64_t CopyChunks() const { return copyChunks_; }

private:
    std::int64_t copyChunks_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    const Arguments args = ParseArguments(argc, argv, {"--runs-in-merge"});
    const std::int64_t mergeRuns = std::atoll(args.Option("--runs-in-merge", "1000000").c_str());
    const std::vector<std::string>& positional = args.positional;
    if (positional.size() != 2 || mergeRuns < 2) {
        std::fprintf(stderr, "usage: reelvane-bench-events [--runs-in-merge N] IMAGE FOLDER\n");
        return 2;
    }
    const std::string image = positional[0];
    const std::string folder = positional[1];
    const std::int64_t size = FileSize(image);

    const platform::LinuxPlatform linux;
    const TimedPlatform platform(linux, /*discardOutput=*/true);
    PreadLoop(image, static_cast<std::size_t>(kChunkSize));   // into the page cache

    RecoverySession session;
    session.DevicePath = image;
    session.DeviceSize = size;
    CountingObserver observer(folder);
    observer.Start();
    ScanSectors(session, "0", DefaultLastSectorText(size), observer, platform);

    const double mib = static_cast<double>(size) / 1048576.0;
    const std::int64_t chunks = (size + kChunkSize - 1) / kChunkSize;
    const std::int64_t scanPumps = observer.Pumps(PhaseObserver::kScan);
    const std::int64_t carvePumps = observer.Pumps(PhaseObserver::kCarve);
    const std::int64_t carveWanted = observer.FragmentLines() + observer.CopyChunks();
    std::printf("4. Event pumping: %s, %.0f MiB, cached\n", image.c_str(), mib);
    std::printf("   scan      %lld deliveries for %lld chunks: %.2f per MiB scanned; "
                "ratio to one per chunk %.3f  %s; longest wait %.2f ms\n",
                static_cast<long long>(scanPumps), static_cast<long long>(chunks),
                static_cast<double>(scanPumps) / mib,
                static_cast<double>(scanPumps) / static_cast<double>(chunks),
                Verdict(scanPumps == chunks).c_str(),
                1000.0 * observer.LongestWaitSeconds(PhaseObserver::kScan));
    std::printf("   merge     %lld deliveries for %lld lines (%lld hits); longest wait %.2f ms\n",
                static_cast<long long>(observer.Pumps(PhaseObserver::kMerge)),
                static_cast<long long>(observer.FragmentLines()),
                static_cast<long long>(observer.HitCount()),
                1000.0 * observer.LongestWaitSeconds(PhaseObserver::kMerge));
    std::printf("   carving   %lld deliveries for %lld lines + %lld copy chunks; ratio %.3f; "
                "longest wait %.2f ms\n",
                static_cast<long long>(carvePumps), static_cast<long long>(observer.FragmentLines()),
                static_cast<long long>(observer.CopyChunks()),
                carveWanted > 0 ? static_cast<double>(carvePumps) / static_cast<double>(carveWanted) : 0.0,
                1000.0 * observer.LongestWaitSeconds(PhaseObserver::kCarve));

    // The merge of a list with many runs: every hit its own fragment line.
    HitList hits;
    for (std::int64_t i = 0; i < mergeRuns; ++i) hits.Append(i * 2048);
    const std::int64_t rssBefore = CurrentRssKiB();
    FragmentList fragments;
    std::int64_t pumps = 0;
    double longest = 0;
    const auto t0 = Clock::now();
    auto last = t0;
    MergeHits(hits, fragments, [&] {
        const auto now = Clock::now();
        longest = std::max(longest, SecondsBetween(last, now));
        last = now;
        ++pumps;
    });
    const auto t1 = Clock::now();
    longest = std::max(longest, SecondsBetween(last, t1));
    const std::int64_t rssAfter = CurrentRssKiB();
    const std::int64_t pairs = hits.Count() - 1;
    std::printf("   many runs %lld hits, none joined: %zu lines in %.3f s; %lld deliveries "
                "(%.0f lines each); per-pair baseline %lld, ratio %.5f\n",
                static_cast<long long>(hits.Count()), fragments.size(), SecondsBetween(t0, t1),
                static_cast<long long>(pumps),
                pumps > 0 ? static_cast<double>(fragments.size()) / static_cast<double>(pumps) : 0.0,
                static_cast<long long>(pairs),
                static_cast<double>(pumps) / static_cast<double>(pairs));
    std::printf("             longest wait %.2f ms, ratio to 50 ms %.3f  %s; the lines took %.1f MiB\n",
                1000.0 * longest, longest / 0.050, Verdict(longest < 0.050).c_str(),
                static_cast<double>(rssAfter - rssBefore) / 1024.0);
    return 0;
}
