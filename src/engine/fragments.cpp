#include "engine/fragments.h"

#include "engine/sector_test.h"

namespace reelvane {

void HitList::Append(std::int64_t offset)
{
    if (!runs_.empty()) {
        Run& last = runs_.back();
        if (offset - (last.first + (last.count - 1) * kHitSpacing) == kHitSpacing) {
            ++last.count;
            ++count_;
            return;
        }
    }
    runs_.push_back({offset, 1});
    ++count_;
}

std::vector<std::string> HitList::Entries() const
{
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(count_));
    for (const Run& run : runs_) {
        for (std::int64_t i = 0; i < run.count; ++i) {
            entries.push_back(std::to_string(run.first + i * kHitSpacing));
        }
    }
    return entries;
}

void MergeHits(const HitList& hits, FragmentList& fragments,
               const std::function<void()>& letEventsRun)
{
    // A run is closed whenever the next hit is not exactly 1536 further on, which is
    // precisely where the HitList starts a new run of its own.
    constexpr std::size_t kLinesBetweenEvents = 4096;
    std::size_t sinceEvents = 0;
    fragments.reserve(fragments.size() + hits.Runs().size());
    for (const HitList::Run& run : hits.Runs()) {
        if (letEventsRun && sinceEvents++ % kLinesBetweenEvents == 0) letEventsRun();
        const std::int64_t end = run.first + (run.count - 1) * kHitSpacing + kHitSpacing;
        fragments.push_back(std::to_string(run.first) + " - " + std::to_string(end));
    }
}

std::pair<std::string, std::string> SplitFragmentLine(const std::string& line)
{
    const std::size_t blank = line.find(' ');
    std::string start = line.substr(0, blank);
    const std::size_t rest = start.size() + 2;
    std::string end = rest < line.size() ? line.substr(rest) : std::string();
    return {std::move(start), std::move(end)};
}

}  // namespace reelvane
