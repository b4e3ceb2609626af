// reelvane-carve's --list, --partition and --drive on the captured trees: the rows
// the window offers, and real recoveries from a row whose device is an image.
#include <gtest/gtest.h>

#include <sys/statvfs.h>
#include <sys/wait.h>

#include <cstdio>
#include <regex>

#include "cli/carve_command.h"
#include "discovery/sysroot_fixture.h"
#include "discovery/volume_list.h"
#include "support/temp_dir.h"

using namespace reelvane;
using reelvane::testing::ReadFile;
using reelvane::testing::SysrootFixture;
using reelvane::testing::TempDir;

namespace {

struct CarverRun {
    std::string out, err;
    int status = -1;
};

// Runs the built carver with the given arguments.
CarverRun Carver(const std::string& args)
{
    TempDir dir;
    const std::string command = std::string("'") + REELVANE_CARVE_BINARY + "' " + args + " >'" +
                                (dir / "out") + "' 2>'" + (dir / "err") + "'";
    CarverRun r;
    const int status = std::system(command.c_str());
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const auto out = ReadFile(dir / "out");
    const auto err = ReadFile(dir / "err");
    r.out.assign(out.begin(), out.end());
    r.err.assign(err.begin(), err.end());
    return r;
}

std::vector<unsigned char> SampleHead(std::size_t bytes)
{
    auto sample = ReadFile(std::string(REELVANE_FIXTURES) + "/Panasonic_AG_HMC_151.MTS");
    sample.resize(bytes);
    return sample;
}

}  // namespace

TEST(CarveList, CameraTree)
{
    const CarverRun r = Carver("--list --sysroot '" + SysrootFixture("camera") + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "CAMERA(sdc1:)|Removable_Drive0|vfat|[0.00MB/0.00GB]\n"
              "Hard Drive0  Removable Drive  [5MB]\n");
    EXPECT_EQ(r.err, "");
}

// The mounted partitions show the figures of the disk the tree lies on: their free
// space is only checked for its form, their total against statvfs.
TEST(CarveList, LaptopTree)
{
    const std::string root = SysrootFixture("laptop");
    const CarverRun r = Carver("--list --sysroot '" + root + "'");
    EXPECT_EQ(r.status, 0);
    struct statvfs st{};
    ASSERT_EQ(::statvfs(root.c_str(), &st), 0);
    const std::string total = discovery::TNTVolumeList::VolumeSizeText(
        static_cast<std::int64_t>(st.f_blocks) * static_cast<std::int64_t>(st.f_frsize));
    const std::string free = R"(\[[0-9]+\.[0-9]{2}(MB|GB)/)";
    const std::regex expected(
        R"(\(loop2:\)\|Hard_Drive0\|squashfs\|)" + free + total + "\\]\n"
        R"(CAMERA\(mmcblk0p1:\)\|Removable_Drive1\|vfat\|\[0\.00MB/29\.72GB\])" "\n"
        R"(\(nvme0n1p1:\)\|Hard_Drive2\|vfat\|)" + free + total + "\\]\n"
        R"(\(nvme0n1p2:\)\|Hard_Drive2\|btrfs\|)" + free + total + "\\]\n"
        R"(Backup \(old\)\(nvme0n1p3:\)\|Hard_Drive2\|ext4\|\[0\.00MB/36\.11GB\])" "\n"
        R"(STICK\(sda:\)\|Removable_Drive3\|exfat\|\[0\.00MB/0\.00GB\])" "\n"
        R"(DISC\(sr0:\)\|CD_Drive255\|iso9660\|\[0\.00MB/0\.68GB\])" "\n"
        "Hard Drive0  Fixed Drive  \\[1MB\\]\n"
        "Hard Drive1  Removable Drive  \\[2MB\\]\n"
        "Hard Drive2  Fixed Drive  \\[3MB\\]\n");
    EXPECT_TRUE(std::regex_match(r.out, expected)) << r.out;
    EXPECT_EQ(r.err, "");
}

// A machine where nothing can be opened or identified lists nothing and says why.
TEST(CarveList, NothingListedSaysWhy)
{
    const reelvane::testing::SysrootCopy tree("laptop");
    std::filesystem::remove_all(tree.Root() + "/dev");
    std::filesystem::remove_all(tree.Root() + "/run");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    // Without dev/ and the udev database only the label-less mounted partitions remain.
    EXPECT_EQ(cli::RunList(platform::LinuxPlatform(tree.Root()), out, err), 0);
    EXPECT_EQ(reelvane::testing::ReadAndClose(err),
              "reelvane-carve: no drive is listed: Cannot open file \"" + tree.Root() +
                  "/dev/loop2\". No such file or directory\n");
    std::fclose(out);

    const TempDir empty;
    const CarverRun r = Carver("--list --sysroot '" + empty.Path() + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("reelvane-carve: no partition is listed"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("reelvane-carve: no drive is listed: there is no drive 0"), std::string::npos) << r.err;
}

// The card's partition and the whole card are images in this tree: both rows give
// back the camera's clip, from the partition's own size and the card's.
TEST(CarveFromRow, PartitionAndDriveOfTheCameraTree)
{
    for (const std::string target : {"--partition sdc1", "--drive 0"}) {
        TempDir dest;
        const CarverRun r = Carver(target + " '" + dest.Path() + "' --sysroot '" + SysrootFixture("camera") + "'");
        EXPECT_EQ(r.status, 0) << target << r.err;
        EXPECT_NE(r.out.find("Recovering...!"), std::string::npos) << target;
        EXPECT_NE(r.out.find("Approx 7.50KB data recovered!"), std::string::npos) << target << r.out;
        EXPECT_EQ(ReadFile(dest / "0.MTS"), SampleHead(7680)) << target;
        EXPECT_FALSE(std::filesystem::exists(dest / "1.MTS")) << target;
    }
}

TEST(CarveFromRow, RowsTheListDoesNotOffer)
{
    TempDir dest;
    const std::string sysroot = " '" + dest.Path() + "' --sysroot '" + SysrootFixture("camera") + "'";
    CarverRun r = Carver("--drive 1" + sysroot);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "reelvane-carve: The drive list has no drive \"Hard Drive1\" (reelvane-carve --list shows the list).\n");
    r = Carver("--partition sdc" + sysroot);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "reelvane-carve: The partition list has no partition \"sdc\" (reelvane-carve --list shows the list).\n");
    EXPECT_TRUE(std::filesystem::is_empty(dest.Path()));
}
