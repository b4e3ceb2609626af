// As root: a real loop device attached read-only to an image is listed as a drive
// with its exact size and recovered from through its drive row.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "cli/carve_command.h"
#include "discovery/drive_list.h"
#include "discovery/target.h"
#include "engine/size_text.h"
#include "platform/linux/linux_platform.h"
#include "support/temp_dir.h"

using namespace reelvane;
using reelvane::testing::ReadFile;
using reelvane::testing::TempDir;

namespace {

// losetup -r --find --show image; detached again however the test ends.
class LoopDevice {
public:
    explicit LoopDevice(const std::string& image)
    {
        const std::string command = "losetup -r --find --show '" + image + "' 2>/dev/null";
        if (std::FILE* p = ::popen(command.c_str(), "r")) {
            char line[256] = {};
            if (std::fgets(line, sizeof line, p)) path_ = line;
            ::pclose(p);
        }
        while (!path_.empty() && (path_.back() == '\n' || path_.back() == '\r')) path_.pop_back();
    }
    ~LoopDevice()
    {
        if (!path_.empty()) std::system(("losetup -d '" + path_ + "'").c_str());
    }
    LoopDevice(const LoopDevice&) = delete;
    LoopDevice& operator=(const LoopDevice&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace

TEST(LoopDevice, ListedAsADriveAndRecoveredFrom)
{
    if (!reelvane::testing::IsRoot()) GTEST_SKIP() << "needs root to attach a loop device";
    TempDir dir;
    // 3 MiB and three sectors, with the camera sample at sector 4099.
    const std::int64_t size = (3LL << 20) + 3 * 512;
    std::vector<unsigned char> image(static_cast<std::size_t>(size), 0);
    const auto sample = ReadFile(std::string(REELVANE_FIXTURES) + "/Panasonic_AG_HMC_151.MTS");
    std::copy(sample.begin(), sample.end(), image.begin() + 4099 * 512);
    reelvane::testing::WriteFile(dir / "card.img", image);

    const LoopDevice loop(dir / "card.img");
    if (loop.Path().empty()) GTEST_SKIP() << "losetup could not attach a loop device here";

    const platform::LinuxPlatform p;
    int number = -1;
    for (int n = 0; n <= 2; ++n) {
        if (p.PhysicalDrivePath(n) == loop.Path()) number = n;
    }
    if (number < 0) GTEST_SKIP() << loop.Path() << " is not among drives 0 to 2 on this machine";

    const std::string caption = "Hard Drive" + std::to_string(number);
    const auto rows = discovery::ListPhysicalDrives(p);
    ASSERT_GT(rows.size(), static_cast<std::size_t>(number)) << "a drive before " << loop.Path()
                                                             << " cannot be opened";
    EXPECT_EQ(rows[static_cast<std::size_t>(number)].Caption, caption);
    EXPECT_EQ(rows[static_cast<std::size_t>(number)].SizeText, "[" + SizeText(size) + "]");

    RecoverySession s;
    discovery::ResolveDriveRow(caption, s, p);
    EXPECT_EQ(s.DevicePath, loop.Path());
    EXPECT_EQ(s.DeviceSize, size);

    TempDir dest;
    cli::CarveOptions options;
    options.target = cli::CarveOptions::Target::Drive;
    options.source = std::to_string(number);
    options.destination = dest.Path();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(cli::RunCarve(options, p, out, nullptr, err), 0);
    std::fclose(out);
    std::fclose(err);
    auto head = sample;
    head.resize(7680);
    EXPECT_EQ(ReadFile(dest / "0.MTS"), head);
    EXPECT_EQ(ReadFile(dir / "card.img"), image) << "the source was changed";
}
