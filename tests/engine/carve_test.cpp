// Writing fragments out: which lines become files, what each file holds, and what
// happens when the destination cannot take them.
#include <gtest/gtest.h>

#include <numeric>

#include "engine/carve.h"
#include "platform/errors.h"
#include "support/fake_platform.h"
#include "support/recording_observer.h"

using namespace reelvane;
using namespace reelvane::testing;

namespace {

struct Carving {
    FakePlatform platform;
    RecoverySession session;
    RecordingObserver observer{session};
    std::vector<unsigned char> image;

    explicit Carving(std::size_t size = 1 << 20) : image(size)
    {
        std::iota(image.begin(), image.end(), static_cast<unsigned char>(1));
        platform.AddDevice("/dev/card", image);
    }

    void Carve(const FragmentList& lines, const std::string& destination = "/out")
    {
        CarveFragments(session, "/dev/card", destination, lines, observer, platform);
    }

    std::vector<unsigned char> Bytes(std::size_t from, std::size_t count) const
    {
        return {image.begin() + static_cast<std::ptrdiff_t>(from),
                image.begin() + static_cast<std::ptrdiff_t>(from + count)};
    }
};

}  // namespace

TEST(CarveFragments, FilesHoldExactlyTheFragmentAndSkippedLinesLeaveGaps)
{
    Carving c;
    c.Carve({"0 - 3072", "6144 - 7680", "9216 - 13824"});
    ASSERT_EQ(c.platform.files.size(), 2u);
    EXPECT_EQ(c.platform.files["/out/0.MTS"], c.Bytes(0, 3072));
    EXPECT_EQ(c.platform.files.count("/out/1.MTS"), 0u);
    EXPECT_EQ(c.platform.files["/out/2.MTS"], c.Bytes(9216, 4608));
    EXPECT_EQ(c.observer.events,
              (std::vector<std::string>{"pause off", "stop off", "range 0 3", "pause on", "stop on"}));
    EXPECT_EQ(c.observer.gaugePos, 0);
}

TEST(CarveFragments, LongFragmentIsCopiedInChunksThroughOneDeviceStream)
{
    Carving c;
    c.Carve({"1536 - 264192"});   // 171 hits: 262,656 bytes
    EXPECT_EQ(c.platform.files["/out/0.MTS"], c.Bytes(1536, 262656));
    std::vector<std::size_t> lengths;
    for (const auto& r : c.platform.reads) lengths.push_back(r.length);
    EXPECT_EQ(lengths, (std::vector<std::size_t>{262144, 512}));
    int deviceOpens = 0;
    for (const auto& [path, mode] : c.platform.opens) {
        if (path == "/dev/card") {
            ++deviceOpens;
            EXPECT_EQ(mode, platform::OpenMode::ReadWriteShared);
        }
    }
    EXPECT_EQ(deviceOpens, 1);
}

TEST(CarveFragments, EmptyListWritesNothingButStillTogglesTheButtons)
{
    Carving c;
    c.Carve({});
    EXPECT_TRUE(c.platform.files.empty());
    EXPECT_EQ(c.observer.events,
              (std::vector<std::string>{"pause off", "stop off", "range 0 0", "pause on", "stop on"}));
}

TEST(CarveFragments, ReplacesAnExistingFileAndJoinsPathsWithOneSeparator)
{
    Carving c;
    c.platform.files["/out/0.MTS"] = std::vector<unsigned char>(100000, 0xEE);
    c.Carve({"0 - 3072"}, "/out/");
    EXPECT_EQ(c.platform.files["/out/0.MTS"], c.Bytes(0, 3072));
    EXPECT_EQ(FragmentFilePath("/media/rescue", 4), "/media/rescue/4.MTS");
    EXPECT_EQ(FragmentFilePath("/", 4), "/4.MTS");
}

TEST(CarveFragments, DestinationFullEndsWithWriteErrorAndEarlierFilesComplete)
{
    Carving c;
    c.platform.capacity = 3072 + 4000;   // room for 0.MTS and part of 1.MTS
    try {
        c.Carve({"0 - 3072", "12288 - 18432", "30720 - 33792"});
        ADD_FAILURE() << "the full destination went unnoticed";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write file \"/out/1.MTS\". No space left on device");
    }
    EXPECT_EQ(c.platform.files["/out/0.MTS"], c.Bytes(0, 3072));
    EXPECT_EQ(c.platform.files.count("/out/2.MTS"), 0u) << "nothing after the failed file";
    EXPECT_EQ(c.observer.events.back(), "stop on");
    EXPECT_EQ(c.observer.gaugePos, 0);
}

TEST(CarveFragments, OpenAndCreateErrorsNameTheFile)
{
    {
        Carving c;
        c.platform.missingFolders.insert("/gone");
        try {
            c.Carve({"0 - 3072"}, "/gone");
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file \"/gone/0.MTS\". No such file or directory");
        }
    }
    {
        Carving c;
        c.platform.devices.clear();   // the card was pulled
        try {
            c.Carve({"0 - 3072"});
            ADD_FAILURE();
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file \"/dev/card\". No such file or directory");
        }
        EXPECT_TRUE(c.platform.files["/out/0.MTS"].empty()) << "created before the device was opened";
    }
}

TEST(CarveFragments, NeverOverwritesTheSourceItself)
{
    Carving c;
    c.platform.AddDevice("/out/0.MTS", c.image);
    FragmentList lines{"0 - 3072"};
    EXPECT_THROW(CarveFragments(c.session, "/out/0.MTS", "/out", lines, c.observer, c.platform), Error);
    EXPECT_TRUE(c.platform.files.empty());
}

TEST(CarveFragments, StopRequestDoesNotShortenTheCarving)
{
    Carving c;
    c.observer.onPump = [&](int) { c.session.StopRequested = true; };
    c.Carve({"0 - 3072", "6144 - 9216"});
    EXPECT_EQ(c.platform.files.size(), 2u);
}
