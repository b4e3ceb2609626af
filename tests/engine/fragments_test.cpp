#include <gtest/gtest.h>

#include <vector>

#include "engine/fragments.h"

using namespace reelvane;

namespace {

FragmentList Merge(const std::vector<std::int64_t>& offsets, int* pumps = nullptr)
{
    HitList hits;
    for (auto o : offsets) hits.Append(o);
    FragmentList lines;
    MergeHits(hits, lines, [pumps] {
        if (pumps) ++*pumps;
    });
    return lines;
}

}  // namespace

TEST(MergeHits, Table)
{
    struct Case {
        std::vector<std::int64_t> hits;
        FragmentList lines;
    };
    const Case cases[] = {
        {{}, {}},
        {{5120}, {"5120 - 6656"}},
        {{0, 1536, 3072}, {"0 - 4608"}},
        {{1536, 3072, 6144}, {"1536 - 4608", "6144 - 7680"}},
        {{1536, 2048}, {"1536 - 3072", "2048 - 3584"}},        // closer than 1536: overlapping lines
        {{0, 1536, 2048, 3584}, {"0 - 3072", "2048 - 5120"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Merge(c.hits), c.lines);
}

TEST(MergeHits, EmptyListLetsNoEventsRun)
{
    int pumps = 0;
    Merge({}, &pumps);
    EXPECT_EQ(pumps, 0);
}

TEST(MergeHits, LetsEventsRunBetweenGroupsOfLines)
{
    std::vector<std::int64_t> offsets;
    for (std::int64_t i = 0; i < 10000; ++i) offsets.push_back(i * 4096);   // 10,000 one-hit runs
    int pumps = 0;
    const auto lines = Merge(offsets, &pumps);
    EXPECT_EQ(lines.size(), 10000u);
    EXPECT_GE(pumps, 2);
    EXPECT_LE(pumps, 10);
}

TEST(HitList, KeepsRunsNotEntries)
{
    HitList hits;
    for (std::int64_t i = 0; i < 1000000; ++i) hits.Append(1024 + i * 1536);
    hits.Append(1024 + 1000000 * 1536 + 512);
    EXPECT_EQ(hits.Count(), 1000001);
    ASSERT_EQ(hits.Runs().size(), 2u);

    HitList small;
    for (std::int64_t o : {0, 1536, 2048}) small.Append(o);
    EXPECT_EQ(small.Entries(), (std::vector<std::string>{"0", "1536", "2048"}));
}

TEST(SplitFragmentLine, Table)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"1536 - 6144", "1536", " 6144"},
        {"0 - 4608", "0", " 4608"},
        {"7", "7", ""},
        {"", "", ""},
    };
    for (const auto& [line, start, end] : cases) {
        const auto [s, e] = SplitFragmentLine(line);
        EXPECT_EQ(s, start) << line;
        EXPECT_EQ(e, end) << line;
    }
}
