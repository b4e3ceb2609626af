#include <gtest/gtest.h>

#include <array>

#include "engine/sector_test.h"

namespace {

struct SectorCase {
    const char* name;
    unsigned t1, t2, t3;               // the three header words
    unsigned char s1, s2, s3;          // bytes 4, 196, 388
    bool expected;
};

std::array<unsigned char, 512> Sector(const SectorCase& c)
{
    std::array<unsigned char, 512> s{};
    const unsigned words[] = {c.t1, c.t2, c.t3};
    const unsigned char syncs[] = {c.s1, c.s2, c.s3};
    for (int k = 0; k < 3; ++k) {
        s[static_cast<std::size_t>(k * 192)] = static_cast<unsigned char>(words[k] >> 8);
        s[static_cast<std::size_t>(k * 192 + 1)] = static_cast<unsigned char>(words[k] & 0xff);
        s[static_cast<std::size_t>(k * 192 + 4)] = syncs[k];
    }
    return s;
}

class SectorTestCases : public ::testing::TestWithParam<SectorCase> {};

TEST_P(SectorTestCases, DecidesFromHeaderWordsAndSyncBytes)
{
    const auto sector = Sector(GetParam());
    const auto copy = sector;
    EXPECT_EQ(reelvane::SectorTest(sector.data()), GetParam().expected);
    EXPECT_EQ(sector, copy) << "the test must not modify the sector";
}

constexpr unsigned char G = 0x47;

INSTANTIATE_TEST_SUITE_P(
    Table, SectorTestCases,
    ::testing::Values(
        SectorCase{"all_zero", 0, 0, 0, 0, 0, 0, false},
        SectorCase{"sync_only", 0, 0, 0, G, G, G, true},
        SectorCase{"rises_of_16_reject", 0, 16, 32, G, G, G, false},
        SectorCase{"rises_of_15_pass", 0, 15, 30, G, G, G, true},
        SectorCase{"second_rise_small", 0, 16, 20, G, G, G, true},
        SectorCase{"falling_never_rejects", 32, 16, 0, G, G, G, true},
        SectorCase{"no_wraparound", 65520, 0, 16, G, G, G, true},
        SectorCase{"big_endian_words", 0, 1, 2, G, G, G, true},
        SectorCase{"little_endian_would_reject", 0, 256, 512, G, G, G, false},
        SectorCase{"third_sync_wrong", 0, 0, 0, G, G, 0x48, false},
        SectorCase{"first_sync_wrong", 0, 0, 0, 0x46, G, G, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SectorTest, OnlyTheNineBytesMatter)
{
    auto sector = Sector({"", 5, 6, 7, G, G, G, true});
    for (std::size_t i = 0; i < sector.size(); ++i) {
        const bool named = i == 0 || i == 1 || i == 4 || i == 192 || i == 193 || i == 196 ||
                           i == 384 || i == 385 || i == 388;
        if (!named) sector[i] = 0xA5;
    }
    EXPECT_TRUE(reelvane::SectorTest(sector.data()));
}

}  // namespace
