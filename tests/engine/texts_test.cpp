// The texts the engine produces and parses: sizes, sector numbers, log lines.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "engine/run_texts.h"
#include "engine/scan.h"
#include "engine/sector_text.h"
#include "engine/size_text.h"
#include "platform/errors.h"

using namespace reelvane;

TEST(SizeText, Table)
{
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0B"},
        {1023, "1023B"},
        {1024, "1KB"},
        {1034, "1KB"},
        {1035, "1.01KB"},
        {1536, "1.50KB"},
        {2047, "1.99KB"},
        {3072, "3KB"},
        {1572864, "1.50MB"},
        {1000000000, "953.67MB"},
        {500107862016, "465.76GB"},
        {1ULL << 40, "1TB"},
        {1ULL << 50, "1024TB"},
        {2147484672, "2GB"},   // 1,398,102 hits
        {2147483136, "1.99GB"},  // 1,398,101 hits
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(SizeText(bytes), text) << bytes;
}

TEST(FoundFragmentsText, CountAndApproximateSize)
{
    EXPECT_EQ(FoundFragmentsText(1), "Found Fragments: 1 [Approx size: 1.50KB]");
    EXPECT_EQ(FoundFragmentsText(2), "Found Fragments: 2 [Approx size: 3KB]");
    EXPECT_EQ(FoundFragmentsText(1398102), "Found Fragments: 1398102 [Approx size: 2GB]");
}

TEST(SectorText, ConvertsSignedDecimalWithLeadingBlanks)
{
    const std::pair<const char*, std::int64_t> valid[] = {
        {"0", 0}, {"512", 512}, {"  42", 42}, {"+7", 7}, {"-1", -1},
        {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
    };
    for (const auto& [text, value] : valid) EXPECT_EQ(StrToInt64(text), value) << text;

    for (const char* text : {"", " ", "abc", "12a", "1 ", "1.5", "0x10", "--1", "9223372036854775808"}) {
        try {
            StrToInt64(text);
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), std::string("'") + text + "' is not a valid integer value");
        }
    }
}

TEST(SectorText, RefusesNegativeAndOverflowingSectors)
{
    EXPECT_EQ(SectorTextToByte("2"), 1024);
    EXPECT_EQ(SectorTextToByte("18014398509481983"), 18014398509481983LL * 512);
    EXPECT_THROW(SectorTextToByte("-1"), Error);
    EXPECT_THROW(SectorTextToByte("18014398509481984"), Error);   // * 512 needs 65 bits
    try {
        SectorTextToByte("-5");
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("negative"), std::string::npos) << e.what();
    }
}

TEST(SectorText, DefaultLastSector)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"}, {1, "0"}, {511, "0"}, {512, "0"}, {1024, "1"},
        {53687091200, "104857599"}, {1000202273280, "1953520064"},
    };
    for (const auto& [size, text] : cases) EXPECT_EQ(DefaultLastSectorText(size), text) << size;
}

TEST(RunTexts, ClosingMessageFromStatusCaption)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Found Fragments:", "Not found any MTS file fragments!"},
        {"Found Fragments: 2 [Approx size: 3KB]", "Approx 3KB data recovered!"},
        {"Found Fragments: 3 [Approx size: 4.50KB]", "Approx 4.50KB data recovered!"},
        {"Found Fragments: 1000 [Approx size: 1.46MB]", "Approx 1.46MB data recovered!"},
        {"size:", "Approx data recovered!"},
        {"size:]", "Approx data recovered!"},
    };
    for (const auto& [caption, message] : cases) EXPECT_EQ(ClosingMessage(caption), message) << caption;
}

TEST(RunTexts, MinutesSeconds)
{
    const std::pair<std::int32_t, const char*> cases[] = {
        {0, "0 : 0"}, {59, "0 : 59"}, {61, "1 : 1"}, {224, "3 : 44"}, {3725, "62 : 5"},
    };
    for (const auto& [seconds, text] : cases) EXPECT_EQ(MinutesSecondsText(seconds), text);
}

TEST(RunTexts, LogLineStampsWithLeadingZeros)
{
    std::tm t{};
    t.tm_year = 2012 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 8;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    EXPECT_EQ(ScanLogEntryLine("Recovering...!", t), "2012-03-08 14:05:09 : Recovering...!");
    EXPECT_EQ(LogTimestamp(t, "."), "2012-03-08 14.05.09");
}
