#pragma once
// The scan's two result lists. The HitList holds the byte offsets of the sectors that
// passed the sector test, in increasing order; the FragmentList holds one line
// "start - end" per run of hits that lie exactly 1536 bytes apart, end being the
// last hit + 1536.
//
// A card full of video gives millions of hits, almost all of them 1536 bytes after
// the one before, so the HitList keeps them as runs (first offset and count). Its
// entries read back exactly as the plain list of offsets would.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace reelvane {

class HitList {
public:
    struct Run {
        std::int64_t first;   // offset of the run's first hit
        std::int64_t count;   // hits in the run, each 1536 after the one before
    };

    void Append(std::int64_t offset);
    std::int64_t Count() const { return count_; }
    bool Empty() const { return count_ == 0; }
    const std::vector<Run>& Runs() const { return runs_; }
    // The entries as the scan wrote them, one decimal text per hit (for small lists).
    std::vector<std::string> Entries() const;

private:
    std::vector<Run> runs_;
    std::int64_t count_ = 0;
};

using FragmentList = std::vector<std::string>;

// Joins the hits into fragment lines, appended to fragments in hit order. letEventsRun
// is called between groups of lines so that a window stays responsive; never for an
// empty list.
void MergeHits(const HitList& hits, FragmentList& fragments,
               const std::function<void()>& letEventsRun = {});

// "1536 - 6144" -> {"1536", " 6144"}: the text up to the first blank, and the rest of
// the line after it and the two characters that follow it.
std::pair<std::string, std::string> SplitFragmentLine(const std::string& line);

}  // namespace reelvane
