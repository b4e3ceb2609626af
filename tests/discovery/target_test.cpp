// Target selection: a row of either list becomes DevicePath and DeviceSize, the
// default sector range, and the check at the start of a run.
#include <gtest/gtest.h>

#include "discovery/sysroot_fixture.h"
#include "discovery/target.h"
#include "platform/errors.h"
#include "support/fake_platform.h"

using namespace reelvane;
using namespace reelvane::discovery;
using reelvane::testing::LaptopSpace;
using reelvane::testing::SysrootCopy;
using reelvane::testing::SysrootFixture;

TEST(PartitionCaption, NameBetweenTheLastParenthesisAndColon)
{
    const std::pair<const char*, const char*> cases[] = {
        {"CAMERA(mmcblk0p1:)", "mmcblk0p1"},
        {"Backup (old)(sdb1:)", "sdb1"},
        {"(nvme0n1p1:)", "nvme0n1p1"},
        {"a (b) (c)(sdc:)", "sdc"},
        {"New Volume(D:)", "D"},
    };
    for (const auto& [caption, name] : cases) EXPECT_EQ(PartitionNameOfCaption(caption), name) << caption;
}

// The partition's own size is what is read, not its file system's total: a mounted
// EFI partition of 512 MiB whose file system counts 510 MiB is scanned to its end,
// and an unmounted card to its last sector.
TEST(ResolvePartitionRow, PathAndThePartitionsOwnSize)
{
    const std::string root = SysrootFixture("laptop");
    const platform::LinuxPlatform p(root, LaptopSpace(root));
    const std::tuple<const char*, std::string, std::int64_t> cases[] = {
        {"CAMERA(mmcblk0p1:)", root + "/dev/mmcblk0p1", 62325760LL * 512},
        {"Backup (old)(nvme0n1p3:)", root + "/dev/nvme0n1p3", 75720704LL * 512},
        {"(nvme0n1p1:)", root + "/dev/nvme0n1p1", 512LL << 20},
        {"STICK(sda:)", root + "/dev/sda", 3LL << 20},   // an image: its own size
    };
    for (const auto& [caption, path, size] : cases) {
        RecoverySession s;
        ResolvePartitionRow(caption, s, p);
        EXPECT_EQ(s.DevicePath, path) << caption;
        EXPECT_EQ(s.DeviceSize, size) << caption;
    }
}

TEST(ResolveDriveRow, NumberFromTheEleventhCharacter)
{
    reelvane::testing::FakePlatform fake;
    fake.AddDevice("/dev/10", std::int64_t{1024});
    RecoverySession s;
    ResolveDriveRow("Hard Drive10", s, fake);
    EXPECT_EQ(s.DevicePath, "/dev/10");
    EXPECT_EQ(s.DeviceSize, 1024);
    ASSERT_EQ(fake.opens.size(), 1u);
    EXPECT_EQ(fake.opens[0].second, platform::OpenMode::ReadShared);
    EXPECT_THROW(ResolveDriveRow("Hard Drive", s, fake), Error);

    const std::string root = SysrootFixture("laptop");
    ResolveDriveRow("Hard Drive2", s, platform::LinuxPlatform(root));
    EXPECT_EQ(s.DevicePath, root + "/dev/nvme0n1");
    EXPECT_EQ(s.DeviceSize, 3LL << 20);
}

// The open error ends the resolution: DevicePath already names the drive, DeviceSize
// keeps its value.
TEST(ResolveDriveRow, DriveThatCannotBeOpened)
{
    const SysrootCopy tree("laptop");
    tree.Remove("dev/nvme0n1");
    RecoverySession s;
    s.DeviceSize = 777;
    try {
        ResolveDriveRow("Hard Drive2", s, platform::LinuxPlatform(tree.Root()));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + tree.Root() + "/dev/nvme0n1\". No such file or directory");
    }
    EXPECT_EQ(s.DevicePath, tree.Root() + "/dev/nvme0n1");
    EXPECT_EQ(s.DeviceSize, 777);
}

TEST(DefaultSectorRange, Table)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"}, {1, "0"}, {511, "0"}, {512, "0"}, {1024, "1"}, {-4096, "0"},
        {53687091200, "104857599"}, {1000202273280, "1953520064"},
    };
    for (const auto& [size, last] : cases) {
        const SectorRange r = DefaultSectorRange(size);
        EXPECT_EQ(r.First, "0") << size;
        EXPECT_EQ(r.Last, last) << size;
    }
}

// A row selected only in the other list does not count; the mode is compared exactly.
TEST(CheckTarget, OnlyTheListOfTheModeCounts)
{
    const std::string root = SysrootFixture("laptop");
    const platform::LinuxPlatform p(root, LaptopSpace(root));
    const SelectedRows logicalOnly{"CAMERA(mmcblk0p1:)", std::nullopt};
    const SelectedRows physicalOnly{std::nullopt, "Hard Drive1"};
    const std::tuple<const char*, SelectedRows, bool, std::string> cases[] = {
        {"Logical", physicalOnly, false, "unchanged"},
        {"Physical", logicalOnly, false, "unchanged"},
        {"logical", logicalOnly, false, "unchanged"},
        {"Logical", logicalOnly, true, root + "/dev/mmcblk0p1"},
        {"Physical", physicalOnly, true, root + "/dev/mmcblk0"},
        {"Physical", {"CAMERA(mmcblk0p1:)", "Hard Drive0"}, true, root + "/dev/loop2"},
    };
    for (const auto& [mode, rows, result, path] : cases) {
        RecoverySession s;
        s.ScanMode = mode;
        s.DevicePath = "unchanged";
        s.DeviceSize = 5;
        EXPECT_EQ(CheckTarget(s, rows, p), result) << mode;
        EXPECT_EQ(s.DevicePath, path) << mode;
        if (!result) {
            EXPECT_EQ(s.DeviceSize, 5) << mode;
        }
    }
}
