// The physical drive list: drive n is the n-th whole disk in name order, drives 0,
// 1 and 2 are tried, and the list stops quietly at the first that cannot be opened.
#include <gtest/gtest.h>

#include "discovery/drive_list.h"
#include "discovery/sysroot_fixture.h"
#include "platform/linux/volume_queries.h"
#include "support/fake_platform.h"

using namespace reelvane;
using namespace reelvane::discovery;
using reelvane::testing::SysrootCopy;
using reelvane::testing::SysrootFixture;

namespace {

std::vector<std::string> Texts(const std::vector<DriveRow>& rows)
{
    std::vector<std::string> texts;
    for (const auto& r : rows) texts.push_back(r.Caption + "  " + r.MediaText + "  " + r.SizeText);
    return texts;
}

}  // namespace

TEST(DriveNumbering, WholeDisksInNameOrderWithoutRamZramAndUnboundLoops)
{
    EXPECT_EQ(platform::linux_volumes::NumberedDrives(SysrootFixture("laptop")),
              (std::vector<std::string>{"loop2", "mmcblk0", "nvme0n1", "sda", "sdb", "sr0"}));
    EXPECT_EQ(platform::linux_volumes::NumberedDrives(SysrootFixture("camera")),
              (std::vector<std::string>{"sdc"}));
}

// Six numbered disks, four of which could be opened: three rows, each with the size
// of the device it opened (the tree's images), and drive 3 is never tried.
TEST(DriveList, ThreeDrivesAtMost)
{
    const platform::LinuxPlatform p(SysrootFixture("laptop"));
    ASSERT_NO_THROW(p.Open(*p.PhysicalDrivePath(3), platform::OpenMode::ReadWriteExclusive));
    std::vector<int> progress;
    const auto rows = ListPhysicalDrives(p, [&](int n) { progress.push_back(n); });
    EXPECT_EQ(Texts(rows), (std::vector<std::string>{
                               "Hard Drive0  Fixed Drive  [1MB]",
                               "Hard Drive1  Removable Drive  [2MB]",
                               "Hard Drive2  Fixed Drive  [3MB]",
                           }));
    EXPECT_EQ(progress, (std::vector<int>{0, 1, 2}));
}

TEST(DriveList, StopsAtTheFirstDriveThatCannotBeOpened)
{
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        // Drive 2 could be opened, but drive 1 hides it.
        {"dev/mmcblk0", {"Hard Drive0  Fixed Drive  [1MB]"}},
        {"dev/loop2", {}},
        {"dev/nvme0n1", {"Hard Drive0  Fixed Drive  [1MB]", "Hard Drive1  Removable Drive  [2MB]"}},
    };
    for (const auto& [missing, expected] : cases) {
        const SysrootCopy tree("laptop");
        tree.Remove(missing);
        EXPECT_EQ(Texts(ListPhysicalDrives(platform::LinuxPlatform(tree.Root()))), expected) << missing;
    }
}

TEST(DriveList, FewerDisksThanThree)
{
    const platform::LinuxPlatform p(SysrootFixture("camera"));
    EXPECT_EQ(Texts(ListPhysicalDrives(p)), (std::vector<std::string>{"Hard Drive0  Removable Drive  [5MB]"}));
}

// Each drive is probed in the drive list's own mode; a drive whose geometry cannot be
// asked still gets a row.
TEST(DriveList, ProbeModeAndFailedGeometry)
{
    reelvane::testing::FakePlatform p;
    p.AddDevice("/dev/0", std::int64_t{1000202273280});
    p.AddDevice("/dev/1", std::int64_t{0}).mediaType = platform::kMediaQueryFailed;
    p.AddDevice("/dev/2", std::int64_t{3000590369280}).mediaType = platform::kRemovableMedia;
    p.AddDevice("/dev/3", std::int64_t{512});
    EXPECT_EQ(Texts(ListPhysicalDrives(p)), (std::vector<std::string>{
                                                "Hard Drive0  Fixed Drive  [931.51GB]",
                                                "Hard Drive1  UNKNOWN  [0B]",
                                                "Hard Drive2  Removable Drive  [2.72TB]",
                                            }));
    ASSERT_EQ(p.opens.size(), 3u);
    for (const auto& [path, mode] : p.opens) EXPECT_EQ(mode, platform::OpenMode::ReadWriteExclusive) << path;
}
