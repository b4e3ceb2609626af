// reelvane-carve's arguments and its whole run on image files.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "cli/carve_command.h"
#include "platform/linux/linux_platform.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

using namespace reelvane;
using reelvane::testing::TempDir;

namespace {

struct Output {
    std::string out, err;
    int status = -1;
};

Output Carve(const cli::CarveOptions& options)
{
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Output o;
    o.status = cli::RunCarve(options, platform::LinuxPlatform(), out, nullptr, err);
    o.out = reelvane::testing::ReadAndClose(out);
    o.err = reelvane::testing::ReadAndClose(err);
    return o;
}

cli::CarveOptions Opts(std::string source, std::string destination, std::string first,
                       std::string last)
{
    cli::CarveOptions o;
    o.source = std::move(source);
    o.destination = std::move(destination);
    o.firstSector = std::move(first);
    o.lastSector = std::move(last);
    return o;
}

}  // namespace

TEST(CarveArguments, Table)
{
    struct Case {
        std::vector<std::string> args;
        std::string error;   // empty: accepted
        std::string first, last;
    };
    const Case cases[] = {
        {{"/dev/sdc", "/rescue"}, "", "0", ""},
        {{"--first", "100", "--last", "200", "img", "out"}, "", "100", "200"},
        {{"--first=7", "img", "out"}, "", "7", ""},
        {{"img"}, "expected SOURCE and DESTINATION", "", ""},
        {{"img", "out", "extra"}, "expected SOURCE and DESTINATION", "", ""},
        {{"--last"}, "--last needs a sector number", "", ""},
        {{"--fast", "img", "out"}, "unknown option --fast", "", ""},
    };
    for (const auto& c : cases) {
        cli::CarveOptions o;
        bool help = false;
        EXPECT_EQ(cli::ParseArguments(c.args, o, help), c.error);
        if (c.error.empty()) {
            EXPECT_EQ(o.firstSector, c.first);
            EXPECT_EQ(o.lastSector, c.last);
        }
    }
    cli::CarveOptions o;
    bool help = false;
    EXPECT_EQ(cli::ParseArguments({"--help"}, o, help), "");
    EXPECT_TRUE(help);
}

TEST(CarveCommand, RecoversTheCameraSampleAndLogsLikeTheWindow)
{
    TempDir dir;
    std::vector<unsigned char> image(2 << 20);
    const auto sample = reelvane::testing::ReadFile(REELVANE_FIXTURES "/Panasonic_AG_HMC_151.MTS");
    ASSERT_EQ(sample.size(), 8064u);
    reelvane::testing::Place(image, 300 * 512, sample);
    reelvane::testing::WriteFile(dir / "card.img", image);
    ::mkdir((dir / "out").c_str(), 0755);

    const Output o = Carve(Opts(dir / "card.img", dir / "out", "0", ""));
    EXPECT_EQ(o.status, 0) << o.err;
    const std::regex log(
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d : Recovering\\.\\.\\.!\n\n"
        "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d : Approx 7\\.50KB data recovered!\n\n");
    EXPECT_TRUE(std::regex_match(o.out, log)) << o.out;
    EXPECT_EQ(reelvane::testing::ReadFile(dir / "out/0.MTS"),
              std::vector<unsigned char>(sample.begin(), sample.begin() + 7680));
}

TEST(CarveCommand, SectorRangeLimitsTheScan)
{
    TempDir dir;
    std::vector<unsigned char> image(2 << 20);
    reelvane::testing::Place(image, 0, reelvane::testing::MakeClip(64));
    reelvane::testing::Place(image, 1 << 20, reelvane::testing::MakeClip(64));
    reelvane::testing::WriteFile(dir / "card.img", image);
    ::mkdir((dir / "out").c_str(), 0755);
    const Output o = Carve(Opts(dir / "card.img", dir / "out", "2048", "4095"));
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(reelvane::testing::ReadFile(dir / "out/0.MTS"), reelvane::testing::MakeClip(64));
    EXPECT_NE(o.out.find("Approx 12KB data recovered!"), std::string::npos) << o.out;
}

TEST(CarveCommand, ErrorsGiveAMessageAndNoClosingLine)
{
    TempDir dir;
    reelvane::testing::WriteFile(dir / "card.img", std::vector<unsigned char>(4096));
    ::mkdir((dir / "out").c_str(), 0755);
    const std::tuple<cli::CarveOptions, std::string> cases[] = {
        {Opts(dir / "card.img", dir / "nowhere", "0", ""), "does not exist or is not a folder"},
        {Opts(dir / "missing.img", dir / "out", "0", ""), "Cannot open file \"" + (dir / "missing.img") + "\""},
        {Opts(dir / "card.img", dir / "out", "x1", ""), "'x1' is not a valid integer value"},
        {Opts(dir / "card.img", dir / "out", "-4", ""), "Sector -4 is negative"},
    };
    for (const auto& [options, message] : cases) {
        const Output o = Carve(options);
        EXPECT_EQ(o.status, 1);
        EXPECT_NE(o.err.find(message), std::string::npos) << o.err;
        EXPECT_EQ(o.out.find("recovered!"), std::string::npos);
        EXPECT_EQ(o.out.find("Not found"), std::string::npos);
    }
}

TEST(CarveCommand, NothingFoundIsStillASuccess)
{
    TempDir dir;
    reelvane::testing::WriteFile(dir / "blank.img", std::vector<unsigned char>(1 << 20));
    ::mkdir((dir / "out").c_str(), 0755);
    const Output o = Carve(Opts(dir / "blank.img", dir / "out", "0", ""));
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find(" : Not found any MTS file fragments!\n\n"), std::string::npos) << o.out;
}
