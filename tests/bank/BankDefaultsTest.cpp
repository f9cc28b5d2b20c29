#include "Bank.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace zlv;

namespace {
bool allBytes(const std::uint8_t* p, std::size_t n, std::uint8_t v)
{
    for (std::size_t i = 0; i < n; ++i)
        if (p[i] != v)
            return false;
    return true;
}
const std::uint8_t* bytesOf(const PresetRecord& r) { return reinterpret_cast<const std::uint8_t*>(&r); }
} // namespace

TEST(BankDefaults, PresetNamesCountFromOneWithZerosAfterTheNumber)
{
    InitBankDefaults();
    const std::uint8_t first[14] = {'N', 'e', 'w', ' ', 'N', 'a', 'm', 'e', ' ', '1', 0, 0, 0, 0};
    EXPECT_EQ(0, std::memcmp(PresetTable[0].Name, first, sizeof first));
    const std::uint8_t last[14] = {'N', 'e', 'w', ' ', 'N', 'a', 'm', 'e', ' ', '2', '0', '0', 0, 0};
    EXPECT_EQ(0, std::memcmp(PresetTable[199].Name, last, sizeof last));
    EXPECT_STREQ(reinterpret_cast<const char*>(PresetTable[41].Name), "New Name 42");
}

TEST(BankDefaults, EveryPresetIsSwitchedOffWithEmptyDataAndZeroDelays)
{
    InitBankDefaults();
    for (const auto& preset : PresetTable) {
        const std::uint8_t* b = bytesOf(preset);
        ASSERT_TRUE(allBytes(b + 14, 3, 0));
        ASSERT_TRUE(allBytes(b + 17, 48, 0x80));
        ASSERT_TRUE(allBytes(b + 65, 180, 0xFF));
        ASSERT_TRUE(allBytes(b + 245, 12, 0));
        ASSERT_EQ(b[13], 0);
    }
}

TEST(BankDefaults, ChainsAndSpeedDialsAreEmpty)
{
    std::memset(ChainTable, 0x11, sizeof ChainTable);
    std::memset(SpeedDials, 3, sizeof SpeedDials);
    InitBankDefaults();
    for (const auto& chain : ChainTable) {
        ASSERT_EQ(0, std::memcmp(chain.Name, "No Name Chain", 13));
        ASSERT_EQ(chain.NameTerminator, 0);
        ASSERT_TRUE(allBytes(chain.Links, 18, 0xFF));
        ASSERT_EQ(chain.Tail, 0);
    }
    EXPECT_TRUE(allBytes(SpeedDials, 9, 0xFF));
}

TEST(BankDefaults, ResetsCurrentIndicesButLeavesStagingIndicesAndCounts)
{
    CurrentPreset = 17;
    CurrentChain = 4;
    PresetStaging.PreDelay = 99;
    ChainStaging.Links[0] = 7;
    FilePresetNumber = 5;
    FileChainNumber = 6;
    FileSpeedDialIndex = 7;
    SyxFileCounts = {1, 2, 3, 4, 5};
    InitBankDefaults();
    EXPECT_EQ(CurrentPreset, 0);
    EXPECT_EQ(CurrentChain, 0);
    EXPECT_EQ(PresetStaging.PreDelay, 99);
    EXPECT_EQ(ChainStaging.Links[0], 7);
    EXPECT_EQ(FilePresetNumber, 5);
    EXPECT_EQ(FileChainNumber, 6);
    EXPECT_EQ(FileSpeedDialIndex, 7);
    EXPECT_EQ(SyxFileCounts.OtherSettingCount, 5);
}

TEST(BankDefaults, TemplatesHoldTheFixedDefaultBytes)
{
    const std::uint8_t* b = bytesOf(PresetTemplate);
    EXPECT_EQ(0, std::memcmp(b, "New Name ", 9));
    EXPECT_TRUE(allBytes(b + 9, 8, 0));
    EXPECT_TRUE(allBytes(b + 17, 48, 0x80));
    EXPECT_TRUE(allBytes(b + 65, 180, 0xFF));
    EXPECT_TRUE(allBytes(b + 245, 12, 0));
}

TEST(MidiDataBlock, LengthStopsAtTheFirstEndMarker)
{
    MidiDataBlock block;
    std::memset(block, 0xFF, sizeof block);
    EXPECT_EQ(MidiDataLength(block), 0u);
    block[0] = 0xB0;
    block[1] = 0x00;
    block[2] = 0x01;
    EXPECT_EQ(MidiDataLength(block), 3u);
    std::memset(block, 0x10, sizeof block);
    EXPECT_EQ(MidiDataLength(block), 90u);
}

TEST(EmptyPresetIndex, AnythingFromTwoHundredUpIsEmpty)
{
    EXPECT_FALSE(IsEmptyPresetIndex(0));
    EXPECT_FALSE(IsEmptyPresetIndex(199));
    EXPECT_TRUE(IsEmptyPresetIndex(200));
    EXPECT_TRUE(IsEmptyPresetIndex(254));
    EXPECT_TRUE(IsEmptyPresetIndex(0xFF));
}
