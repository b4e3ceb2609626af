// The partition list: its rows on the captured trees, the inclusion rule, the size
// texts and the splitting of a row into its columns.
#include <gtest/gtest.h>

#include <sys/statvfs.h>

#include <regex>

#include "discovery/volume_list.h"
#include "discovery/sysroot_fixture.h"
#include "platform/linux/volume_queries.h"
#include "support/fake_platform.h"

using namespace reelvane;
using namespace reelvane::discovery;
using reelvane::testing::LaptopSpace;
using reelvane::testing::SysrootFixture;

namespace {

std::vector<std::string> Rows(const platform::Platform& p)
{
    const TNTVolumeList list(p);
    std::vector<std::string> rows;
    for (int i = 0; i < list.RowCount(); ++i) rows.push_back(list.GetRow(i));
    return rows;
}

// Volumes described directly, for the inclusion rule.
struct FakeVolume {
    std::string label;
    platform::DriveKind kind;
    std::optional<std::uint32_t> disk;
};
class VolumePlatform : public reelvane::testing::FakePlatform {
public:
    std::map<std::string, FakeVolume> volumes;
    mutable std::vector<std::string> diskNumberAsked;

    std::vector<std::string> VolumeLetters() const override
    {
        std::vector<std::string> letters;
        for (const auto& [letter, v] : volumes) letters.push_back(letter);
        return letters;
    }
    std::optional<platform::VolumeLabel> VolumeInformation(const std::string& letter) const override
    {
        return platform::VolumeLabel{volumes.at(letter).label, "NTFS"};
    }
    platform::DriveKind VolumeDriveKind(const std::string& letter) const override
    {
        return volumes.at(letter).kind;
    }
    std::optional<std::uint32_t> VolumeDiskNumber(const std::string& letter) const override
    {
        diskNumberAsked.push_back(letter);
        return volumes.at(letter).disk;
    }
    std::int64_t VolumeDeviceSize(const std::string&) const override { return 10LL << 30; }
};

}  // namespace

TEST(VolumeSizeText, Table)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0.00MB"},
        {524288, "0.50MB"},
        {1048575, "1.00MB"},
        {1048576, "0.00GB"},   // from 1 MiB on every size is shown in GB
        {10737418240, "10.00GB"},
        {500107862016, "465.76GB"},
        {3000590369280, "2794.52GB"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(TNTVolumeList::VolumeSizeText(bytes), text) << bytes;
}

// Every kind of device of a laptop: the camera card and the system disk are listed
// by partition, the stick formatted without a partition table as a whole disk, the
// DVD by its label although it has no drive number; unbound loop devices, the empty
// card reader, the RAM disk and zram swap are not listed. The mounted partitions show
// their file systems' figures, the others their own size and nothing free.
TEST(VolumeList, LaptopRows)
{
    const std::string root = SysrootFixture("laptop");
    const platform::LinuxPlatform p(root, LaptopSpace(root));
    EXPECT_EQ(Rows(p), (std::vector<std::string>{
                           "(loop2:)|Hard_Drive0|squashfs|[0.00MB/0.07GB]",
                           "CAMERA(mmcblk0p1:)|Removable_Drive1|vfat|[0.00MB/29.72GB]",
                           "(nvme0n1p1:)|Hard_Drive2|vfat|[0.47GB/0.50GB]",
                           "(nvme0n1p2:)|Hard_Drive2|btrfs|[100.00GB/400.00GB]",
                           "Backup (old)(nvme0n1p3:)|Hard_Drive2|ext4|[0.00MB/36.11GB]",
                           "STICK(sda:)|Removable_Drive3|exfat|[0.00MB/0.00GB]",
                           "DISC(sr0:)|CD_Drive255|iso9660|[0.00MB/0.68GB]",
                       }));
}

// The card's partition is an image here: its label and file system come from
// probing it, its size from the image.
TEST(VolumeList, CameraRowsFromTheProbedImage)
{
    const platform::LinuxPlatform p(SysrootFixture("camera"));
    EXPECT_EQ(Rows(p), (std::vector<std::string>{"CAMERA(sdc1:)|Removable_Drive0|vfat|[0.00MB/0.00GB]"}));
    const TNTVolumeInfo info(p, "sdc1");
    EXPECT_EQ(info.PartitionSize, 4 * 1024 * 1024);
    EXPECT_EQ(info.TotalSize, info.PartitionSize);
    EXPECT_EQ(info.FreeSize, 0);
}

// Without an injected query the mounted figures are statvfs of the mount point
// inside the tree. Its free space moves with the disk the tree lies on, so only the
// total is compared.
TEST(VolumeList, MountedFiguresAreStatvfsOfTheMountPointInTheTree)
{
    const std::string root = SysrootFixture("laptop");
    struct statvfs st{};
    ASSERT_EQ(::statvfs((root + "/boot/efi").c_str(), &st), 0);
    const auto total = static_cast<std::int64_t>(st.f_blocks) * static_cast<std::int64_t>(st.f_frsize);
    const std::regex row(R"(\(nvme0n1p1:\)\|Hard_Drive2\|vfat\|\[[0-9]+\.[0-9]{2}(MB|GB)/(.*)\])");
    std::smatch m;
    const auto rows = Rows(platform::LinuxPlatform(root));
    ASSERT_GE(rows.size(), 3u);
    ASSERT_TRUE(std::regex_match(rows[2], m, row)) << rows[2];
    EXPECT_EQ(m[2].str(), TNTVolumeList::VolumeSizeText(total));
}

TEST(VolumeList, InclusionRule)
{
    using K = platform::DriveKind;
    VolumePlatform p;
    p.volumes = {
        {"C", {"", K::Fixed, 0}},             // numbered, no label: listed
        {"D", {"New Volume", K::Removable, 1}},
        {"E", {"DISC", K::CdRom, 4}},          // an optical drive's number is not asked
        {"F", {"", K::Fixed, std::nullopt}},   // no number, no label: not listed
        {"G", {"", K::CdRom, 0}},              // not asked, so 255, no label: not listed
        {"H", {"NET", K::Remote, std::nullopt}},
        {"I", {"ODD", K::Unknown, std::nullopt}},
    };
    EXPECT_EQ(Rows(p), (std::vector<std::string>{
                           "(C:)|Hard_Drive0|NTFS|[0.00MB/10.00GB]",
                           "New Volume(D:)|Removable_Drive1|NTFS|[0.00MB/10.00GB]",
                           "DISC(E:)|CD_Drive255|NTFS|[0.00MB/10.00GB]",
                           "NET(H:)|Network_Drive255|NTFS|[0.00MB/10.00GB]",
                           "ODD(I:)|255|NTFS|[0.00MB/10.00GB]",
                       }));
    EXPECT_EQ(p.diskNumberAsked, (std::vector<std::string>{"C", "D", "F"}));
}

TEST(VolumeList, RowsSplitIntoTheirFourColumns)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"Backup (old)(nvme0n1p3:)|Hard_Drive2|ext4|[0.00MB/36.11GB]",
         {"Backup (old)(nvme0n1p3:)", "Hard_Drive2", "ext4", "[0.00MB/36.11GB]"}},
        {"(sdb1:)|Hard_Drive1||[0.00MB/0.00MB]", {"(sdb1:)", "Hard_Drive1", "", "[0.00MB/0.00MB]"}},
        // A label may hold a "|": the columns after it keep their places.
        {"A|B \"x\"(sdc1:)|Removable_Drive0|vfat|[1.00MB/2.00GB]",
         {"A|B \"x\"(sdc1:)", "Removable_Drive0", "vfat", "[1.00MB/2.00GB]"}},
    };
    for (const auto& [row, fields] : cases) EXPECT_EQ(SplitVolumeRow(row), fields) << row;
}

TEST(UdevDatabase, EncodedLabelIsExact)
{
    EXPECT_EQ(platform::linux_volumes::UnescapeUdevValue("Backup\\x20(old)"), "Backup (old)");
    EXPECT_EQ(platform::linux_volumes::UnescapeUdevValue("a\\x2fb\\xzz"), "a/b\\xzz");
    const auto facts = platform::linux_volumes::ParseUdevRecord(
        "S:disk/by-label/My_Card\nE:ID_FS_LABEL=My_Card\nE:ID_FS_LABEL_ENC=My\\x20Card\n"
        "E:ID_FS_TYPE=vfat\nE:ID_FS_USAGE=filesystem\n");
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->label, "My Card");
    EXPECT_EQ(facts->fileSystem, "vfat");
}
