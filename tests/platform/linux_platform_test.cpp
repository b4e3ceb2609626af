// The Linux streams on real files (and, as root, on a read-only loop device).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

#include "platform/drive_queries.h"
#include "platform/errors.h"
#include "platform/linux/linux_platform.h"
#include "platform/linux/mountinfo.h"
#include "support/temp_dir.h"

using namespace reelvane;
using namespace reelvane::platform;
using reelvane::testing::TempDir;

TEST(MediaTypeText, Table)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {12, "Fixed Drive"}, {11, "Removable Drive"}, {0, "Unknown Media Type"},
        {1, "Floppy Disk"},  {10, "Floppy Disk"},     {13, "Zip / Other"},
        {25, "Zip / Other"}, {26, "UNKNOWN"},         {-1, "UNKNOWN"},
    };
    for (const auto& [type, text] : cases) EXPECT_EQ(MediaTypeText(type), text) << type;
}

TEST(LinuxPlatform, PathConstantsFollowTheRoot)
{
    PathConstants c;
    LinuxPlatform().InitPathConstants(c);
    EXPECT_EQ(c.DevicePrefix, "/dev/");
    EXPECT_EQ(c.DevicePrefix + c.PhysicalDriveStem + "sdc", "/dev/sdc");
    EXPECT_EQ(c.DevicePrefix + "sdb1" + c.VolumeSuffix, "/dev/sdb1");
    LinuxPlatform("/captured/tree").InitPathConstants(c);
    EXPECT_EQ(c.DevicePrefix, "/captured/tree/dev/");
}

TEST(LinuxPlatform, ReadsSayHowMuchTheyGot)
{
    TempDir dir;
    std::vector<unsigned char> bytes(1000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(i);
    reelvane::testing::WriteFile(dir / "image", bytes);

    const LinuxPlatform p;
    auto s = p.Open(dir / "image", OpenMode::ReadShared);
    EXPECT_EQ(GetDiskSize(*s), 1000);
    unsigned char buffer[600];
    IoResult r = s->ReadAt(700, buffer, sizeof buffer);
    EXPECT_EQ(r.bytes, 300u);
    EXPECT_EQ(r.error, 0);
    EXPECT_EQ(buffer[0], static_cast<unsigned char>(700 & 0xff));
    r = s->ReadAt(5000, buffer, sizeof buffer);
    EXPECT_EQ(r.bytes, 0u);
    r = s->ReadAt(-512, buffer, sizeof buffer);
    EXPECT_EQ(r.bytes, 0u);
    EXPECT_NE(r.error, 0);
    EXPECT_EQ(s->Close(), 0);
}

TEST(LinuxPlatform, DeviceModesOpenReadOnly)
{
    // A write-protected image opens in every device mode; a read-write request would
    // fail on it (for a user other than root).
    TempDir dir;
    reelvane::testing::WriteFile(dir / "card", std::vector<unsigned char>(4096, 0x11));
    ASSERT_EQ(::chmod((dir / "card").c_str(), 0444), 0);
    const LinuxPlatform p;
    for (auto mode : {OpenMode::ReadShared, OpenMode::ReadWriteShared, OpenMode::ReadWriteExclusive}) {
        auto s = p.Open(dir / "card", mode);
        EXPECT_EQ(s->Write("x", 1).bytes, 0u) << "a device stream cannot write";
    }
    EXPECT_EQ(reelvane::testing::ReadFile(dir / "card"), std::vector<unsigned char>(4096, 0x11));
}

TEST(LinuxPlatform, OpenErrorsCarryTheSystemText)
{
    TempDir dir;
    const LinuxPlatform p;
    const std::tuple<std::string, OpenMode, std::string> cases[] = {
        {dir / "missing", OpenMode::ReadShared,
         "Cannot open file \"" + (dir / "missing") + "\". No such file or directory"},
        {dir.Path(), OpenMode::ReadShared, "Cannot open file \"" + dir.Path() + "\". Is a directory"},
        {dir / "no/such/0.MTS", OpenMode::Create,
         "Cannot create file \"" + (dir / "no/such/0.MTS") + "\". No such file or directory"},
    };
    for (const auto& [path, mode, message] : cases) {
        try {
            p.Open(path, mode);
            ADD_FAILURE() << path;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
}

TEST(LinuxPlatform, CreateReplacesAnExistingFile)
{
    TempDir dir;
    reelvane::testing::WriteFile(dir / "0.MTS", std::vector<unsigned char>(5000, 1));
    const LinuxPlatform p;
    auto s = p.Open(dir / "0.MTS", OpenMode::Create);
    EXPECT_EQ(s->Write("abc", 3).bytes, 3u);
    EXPECT_EQ(s->Close(), 0);
    EXPECT_EQ(reelvane::testing::ReadFile(dir / "0.MTS"), (std::vector<unsigned char>{'a', 'b', 'c'}));
    EXPECT_TRUE(p.SameFile(dir / "0.MTS", dir.Path() + "/./0.MTS"));
    EXPECT_FALSE(p.SameFile(dir / "0.MTS", dir / "missing"));
}

TEST(MountInfo, ParsesFieldsAndEscapes)
{
    const auto entries = linux_mounts::ParseMountInfo(
        "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
        "40 22 179:1 / /media/user/MY\\040CARD rw,nosuid shared:9 master:2 - vfat /dev/mmcblk0p1 rw\n"
        "41 22 0:40 / /tmp rw - tmpfs tmpfs rw\n"
        "garbage\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].mountPoint, "/media/user/MY CARD");
    EXPECT_EQ(entries[1].major, 179u);
    EXPECT_EQ(entries[1].minor, 1u);
    EXPECT_EQ(entries[1].fsType, "vfat");
    EXPECT_EQ(entries[1].source, "/dev/mmcblk0p1");
    EXPECT_EQ(entries[2].major, 0u);
}

namespace {

// Runs a shell command; true when it exits 0.
bool Sh(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

std::string ShOut(const std::string& command)
{
    std::string out;
    if (FILE* f = ::popen(command.c_str(), "r")) {
        char buf[256];
        while (std::fgets(buf, sizeof buf, f)) out += buf;
        ::pclose(f);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

}  // namespace

TEST(LinuxPlatformAsRoot, ReadOnlyLoopDeviceIsMeasuredExactly)
{
    if (!reelvane::testing::IsRoot()) GTEST_SKIP() << "needs root to attach a loop device (losetup -r)";
    TempDir dir;
    Sh("truncate -s 3000000 " + (dir / "card.img"));   // not a multiple of 512 KiB
    const std::string loop = ShOut("losetup -r -f --show " + (dir / "card.img") + " 2>/dev/null");
    if (loop.empty()) GTEST_SKIP() << "no loop device could be attached here";
    const LinuxPlatform p;
    {
        auto s = p.Open(loop, OpenMode::ReadWriteExclusive);
        EXPECT_EQ(GetDiskSize(*s), 2999808) << "the loop device rounds down to whole sectors";
        EXPECT_EQ(MediaTypeText(*s), "Fixed Drive");
    }
    Sh("losetup -d " + loop);
}

TEST(LinuxPlatformAsRoot, FolderOnTheSourceDeviceIsRecognised)
{
    if (!reelvane::testing::IsRoot()) GTEST_SKIP() << "needs root to attach and mount a loop device";
    TempDir dir;
    // ext4: the kernels we test on mount it everywhere; vfat is often a missing module.
    if (!Sh("truncate -s 40M " + (dir / "disk.img") + " && mkfs.ext4 -q -F " + (dir / "disk.img") +
            " >/dev/null 2>&1")) {
        GTEST_SKIP() << "mkfs.ext4 not available";
    }
    const std::string loop = ShOut("losetup -f --show " + (dir / "disk.img") + " 2>/dev/null");
    if (loop.empty()) GTEST_SKIP() << "no loop device could be attached here";
    Sh("mkdir -p " + (dir / "mnt"));
    if (!Sh("mount " + loop + " " + (dir / "mnt") + " 2>/dev/null")) {
        Sh("losetup -d " + loop);
        GTEST_SKIP() << "cannot mount here";
    }
    Sh("mkdir -p " + (dir / "mnt/rescue"));
    const LinuxPlatform p;
    EXPECT_EQ(p.FolderOnDevice(dir / "mnt/rescue", loop), std::optional<std::string>(loop));
    EXPECT_EQ(p.FolderOnDevice(dir.Path(), loop), std::nullopt) << "the scratch folder is elsewhere";
    EXPECT_EQ(p.FolderOnDevice(dir / "mnt/rescue", dir / "disk.img"), std::nullopt)
        << "an image file is not a device";
    Sh("umount " + (dir / "mnt"));
    Sh("losetup -d " + loop);
}
