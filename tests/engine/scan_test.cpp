// The scan over small in-memory devices: which bytes are read and tested, what the
// gauge and label show, and what a stop, a moved destination or a failing read do.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/scan.h"
#include "platform/errors.h"
#include "support/fake_platform.h"
#include "support/recording_observer.h"

using namespace reelvane;
using namespace reelvane::testing;

namespace {

struct ScanRun {
    FakePlatform platform;
    RecoverySession session;
    RecordingObserver observer{session};

    explicit ScanRun(std::vector<unsigned char> image)
    {
        platform.AddDevice("/dev/card", std::move(image));
        session.DevicePath = "/dev/card";
        session.DeviceSize = platform.devices["/dev/card"].size;
    }

    void Scan(const std::string& first, const std::string& last)
    {
        ScanSectors(session, first, last, observer, platform);
    }

    std::vector<unsigned char> Bytes(std::int64_t from, std::int64_t count)
    {
        const auto& b = platform.devices["/dev/card"].bytes;
        return {b.begin() + from, b.begin() + from + count};
    }
};

std::vector<std::int64_t> ReadOffsets(const FakePlatform& p)
{
    std::vector<std::int64_t> offsets;
    for (const auto& r : p.reads) offsets.push_back(r.offset);
    return offsets;
}

}  // namespace

TEST(ScanSectors, RangeTable)
{
    struct Case {
        const char* name;
        std::int64_t deviceSize;
        const char* first;
        const char* last;
        std::vector<FakePlatform::ReadCall> reads;
        std::int32_t gaugeMax;
    };
    const Case cases[] = {
        {"empty_range", 1 << 20, "0", "0", {}, 0},
        {"last_512_one_chunk", 1 << 20, "0", "512", {{0, 262144}}, 256},
        {"last_511_one_chunk", 1 << 20, "0", "511", {{0, 262144}}, 255},
        {"whole_1MiB", 1 << 20, "0", "2047", {{0, 262144}, {262144, 262144}, {524288, 262144}, {786432, 262144}}, 1023},
        {"odd_size_300000", 300000, "0", "584", {{0, 262144}, {262144, 37856}}, 292},
        {"last_beyond_device", 4096, "0", "100000", {{0, 4096}}, 50000},
        {"start_after_end", 1 << 20, "10", "5", {}, 2},
        {"start_beyond_device", 4096, "100", "200", {}, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScanRun run(std::vector<unsigned char>(static_cast<std::size_t>(c.deviceSize)));
        run.Scan(c.first, c.last);
        ASSERT_EQ(run.platform.reads.size(), c.reads.size());
        for (std::size_t i = 0; i < c.reads.size(); ++i) {
            EXPECT_EQ(run.platform.reads[i].offset, c.reads[i].offset);
            EXPECT_EQ(run.platform.reads[i].length, c.reads[i].length);
        }
        EXPECT_EQ(run.observer.events.front(), "range 0 " + std::to_string(c.gaugeMax));
        EXPECT_EQ(run.observer.label, "Found Fragments:") << "no hit, label untouched";
        EXPECT_EQ(run.observer.events.back(), "back on");
        EXPECT_TRUE(run.platform.files.empty());
    }
}

TEST(ScanSectors, OddDeviceSizeLeavesTheLastPartialSectorUntested)
{
    // A hit-shaped sector in the last 480 bytes of a 300,000-byte device is not a sector.
    std::vector<unsigned char> image(300000);
    Place(image, 299520, MakeClip(2));
    ScanRun run(image);
    run.Scan("0", "584");
    EXPECT_EQ(run.observer.label, "Found Fragments:");
}

TEST(ScanSectors, OneHitUpdatesLabelAndWritesNoFile)
{
    std::vector<unsigned char> image(1 << 20);
    Place(image, 5 * 512, MakeClip(3));
    ScanRun run(image);
    run.Scan("0", "2047");
    EXPECT_EQ(run.observer.label, "Found Fragments: 1 [Approx size: 1.50KB]");
    EXPECT_TRUE(run.platform.files.empty());
}

TEST(ScanSectors, ClipAcrossChunkBoundaryComesBackWhole)
{
    // 6144-byte aligned units starting 3 sectors before the first chunk boundary.
    std::vector<unsigned char> image(1 << 20);
    const std::int64_t start = 262144 - 1536;
    const auto clip = MakeClip(32 * 50);   // 50 aligned units, 307,200 bytes
    Place(image, start, clip);
    ScanRun run(image);
    run.Scan("0", "2047");
    ASSERT_EQ(run.platform.files.count("/out/0.MTS"), 1u);
    EXPECT_EQ(run.platform.files["/out/0.MTS"], clip);
    EXPECT_EQ(run.observer.label, "Found Fragments: 200 [Approx size: 300KB]");
}

TEST(ScanSectors, ClipsThatTouchFormOneFragment)
{
    std::vector<unsigned char> image(1 << 20);
    auto first = MakeClip(64);
    auto second = MakeClip(64, 0x02000000);
    Place(image, 4096, first);
    Place(image, 4096 + static_cast<std::int64_t>(first.size()), second);
    ScanRun run(image);
    run.Scan("0", "2047");
    ASSERT_EQ(run.platform.files.size(), 1u);
    EXPECT_EQ(run.platform.files["/out/0.MTS"].size(), first.size() + second.size());
}

TEST(ScanSectors, StopEndsReadingAfterTheNextChunkAndStillWritesWhatWasFound)
{
    // Video in chunks 0 and 3; stop asked in the second delivery (before chunk 1).
    std::vector<unsigned char> image(1 << 20);
    Place(image, 0, MakeClip(64));
    Place(image, 3 * 262144, MakeClip(64));
    ScanRun run(image);
    run.observer.StopAtPump(2);
    run.Scan("0", "2047");
    const auto offsets = ReadOffsets(run.platform);
    EXPECT_EQ(*std::max_element(offsets.begin(), offsets.end()), 262144) << "chunks 2 and 3 unread";
    ASSERT_EQ(run.platform.files.size(), 1u);
    EXPECT_EQ(run.platform.files["/out/0.MTS"], MakeClip(64));
    EXPECT_TRUE(run.session.StopRequested) << "the flag stays as the handler left it";
}

TEST(ScanSectors, ClearsAStopLeftFromBefore)
{
    std::vector<unsigned char> image(1 << 20);
    ScanRun run(image);
    run.session.StopRequested = true;
    run.Scan("0", "2047");
    EXPECT_EQ(run.platform.reads.size(), 4u);
}

TEST(ScanSectors, DestinationChangedDuringTheScanIsTheOneUsed)
{
    std::vector<unsigned char> image(1 << 20);
    Place(image, 8192, MakeClip(64));
    ScanRun run(image);
    run.observer.onPump = [&](int pump) {
        if (pump == 2) run.observer.destination = "/elsewhere";
    };
    run.Scan("0", "2047");
    EXPECT_EQ(run.platform.files.count("/elsewhere/0.MTS"), 1u);
    EXPECT_EQ(run.platform.files.count("/out/0.MTS"), 0u);
}

TEST(ScanSectors, FailedReadNeverReusesStaleBytes)
{
    // Chunk 0 is video; chunk 1 cannot be read at all. A buffer left as it was would
    // find chunk 0's hits again at chunk 1's offsets.
    std::vector<unsigned char> image(4 * 262144);
    Place(image, 0, MakeClip(1360));   // 1360 packets: 261,120 bytes
    ScanRun run(image);
    run.platform.devices["/dev/card"].faults.push_back({262144, 262144, 5 /* EIO */});
    run.Scan("0", "2047");
    EXPECT_EQ(run.observer.label, "Found Fragments: 170 [Approx size: 255KB]");
    ASSERT_EQ(run.observer.unreadable.size(), 1u);
    EXPECT_EQ(std::get<0>(run.observer.unreadable[0]), 262144);
    EXPECT_EQ(std::get<1>(run.observer.unreadable[0]), 262144);
    EXPECT_EQ(std::get<2>(run.observer.unreadable[0]), "Input/output error");
    EXPECT_EQ(run.platform.files.size(), 1u);
}

TEST(ScanSectors, BadSectorCostsOnlyItself)
{
    // One unreadable sector in the middle of a clip: the hits around it are found and
    // the carving writes zeros where the sector was.
    std::vector<unsigned char> image(1 << 20);
    const auto clip = MakeClip(32 * 16);   // 98,304 bytes
    Place(image, 0, clip);
    ScanRun run(image);
    run.platform.devices["/dev/card"].faults.push_back({40 * 512, 512, 5});
    run.Scan("0", "2047");
    // The bad sector is not a hit position (40 is not a multiple of 3): one fragment.
    ASSERT_EQ(run.platform.files.count("/out/0.MTS"), 1u);
    auto expected = clip;
    std::fill(expected.begin() + 40 * 512, expected.begin() + 41 * 512, 0);
    EXPECT_EQ(run.platform.files["/out/0.MTS"], expected);
    // Reported by the scan and again by the carving.
    ASSERT_EQ(run.observer.unreadable.size(), 2u);
    EXPECT_EQ(std::get<0>(run.observer.unreadable[0]), 40 * 512);
    EXPECT_EQ(std::get<1>(run.observer.unreadable[0]), 512);
}

TEST(ScanSectors, ShortReadIsCompletedNotTestedAsStale)
{
    std::vector<unsigned char> image(1 << 20);
    const auto clip = MakeClip(32 * 16);
    Place(image, 0, clip);
    ScanRun run(image);
    run.platform.devices["/dev/card"].shortReads[0] = 1000;
    run.Scan("0", "2047");
    EXPECT_TRUE(run.observer.unreadable.empty());
    EXPECT_EQ(run.platform.files["/out/0.MTS"], clip);
}

TEST(ScanSectors, DeviceShorterThanItsSizeReportsTheMissingPart)
{
    std::vector<unsigned char> image(262144);
    ScanRun run(image);
    run.session.DeviceSize = 2 * 262144;   // the card lies about its size, or was pulled
    run.Scan("0", "1023");
    ASSERT_EQ(run.observer.unreadable.size(), 1u);
    EXPECT_EQ(std::get<0>(run.observer.unreadable[0]), 262144);
    EXPECT_EQ(std::get<2>(run.observer.unreadable[0]), "The source ended early");
}

TEST(ScanSectors, ErrorsBeforeReadingStillCleanUp)
{
    struct Case {
        const char* first;
        const char* last;
        const char* device;
        std::string message;
    };
    const Case cases[] = {
        {"abc", "10", "/dev/card", "'abc' is not a valid integer value"},
        {"0", "12 ", "/dev/card", "'12 ' is not a valid integer value"},
        {"-1", "10", "/dev/card", "Sector -1 is negative. Sector numbers start at 0."},
        {"0", "18014398509481984", "/dev/card", "lies beyond the end of any device"},
        {"0", "10", "/dev/missing", "Cannot open file \"/dev/missing\". No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first + std::string(" ") + c.last);
        ScanRun run(std::vector<unsigned char>(1 << 20));
        run.session.DevicePath = c.device;
        try {
            run.Scan(c.first, c.last);
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_TRUE(run.platform.reads.empty());
        EXPECT_EQ(run.observer.events.back(), "back on");
        EXPECT_EQ(run.observer.gaugePos, 0);
    }
}

TEST(ScanSectors, RefusesADestinationOnTheSourceBeforeReading)
{
    std::vector<unsigned char> image(1 << 20);
    Place(image, 0, MakeClip(64));
    ScanRun run(image);
    run.platform.foldersOnSource.insert("/out");
    try {
        run.Scan("0", "2047");
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("lies on /dev/card, the device being recovered"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_TRUE(run.platform.reads.empty());
    EXPECT_TRUE(run.platform.files.empty());
}

TEST(ScanSectors, RefusesADestinationMovedOntoTheSourceDuringTheScan)
{
    std::vector<unsigned char> image(1 << 20);
    Place(image, 0, MakeClip(64));
    ScanRun run(image);
    run.platform.foldersOnSource.insert("/card-mount");
    run.observer.onPump = [&](int) { run.observer.destination = "/card-mount"; };
    EXPECT_THROW(run.Scan("0", "2047"), Error);
    EXPECT_TRUE(run.platform.files.empty());
}

TEST(ScanSectors, GaugeStaysInThirtyTwoBitsBeyondTwoTebibytes)
{
    // A 4 TiB device of zeros; stop after three chunks at 3 TiB.
    FakePlatform platform;
    const std::int64_t size = 4LL << 40;
    platform.AddDevice("/dev/big", size);
    RecoverySession session;
    session.DevicePath = "/dev/big";
    session.DeviceSize = size;
    RecordingObserver observer(session);
    observer.StopAtPump(3);
    const std::int64_t first = (3LL << 40) / 512;
    ScanSectors(session, std::to_string(first), std::to_string(size / 512 - 1), observer, platform);
    // The scan's gauge range is the first one set (the carving sets its own after it).
    const std::string range = observer.events.front();
    const double maximum = std::stod(range.substr(range.rfind(' ') + 1));
    EXPECT_GT(maximum, 2.0e9);
    EXPECT_LE(maximum, 2147483647.0);
    ASSERT_GE(observer.positions.size(), 1u);
    const double percent = 100.0 * observer.positions.front() / maximum;
    EXPECT_NEAR(percent, 75.0, 0.01);
}
