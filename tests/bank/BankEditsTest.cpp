#include "BankEdits.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace zlv;

namespace {

ChainRecord chainWith(std::initializer_list<int> links)
{
    ChainRecord chain = ChainTemplate;
    std::size_t i = 0;
    for (int v : links)
        chain.Links[i++] = static_cast<std::uint8_t>(v);
    return chain;
}

TEST(ChainLinkEdits, FirstEmptyLinkTreatsEveryValueFrom200AsEmpty)
{
    EXPECT_EQ(FirstEmptyLink(chainWith({})), 0u);
    EXPECT_EQ(FirstEmptyLink(chainWith({0, 199, 200})), 2u);
    EXPECT_EQ(FirstEmptyLink(chainWith({5, 254, 7})), 1u);
    ChainRecord full = chainWith({});
    std::memset(full.Links, 3, sizeof full.Links);
    EXPECT_EQ(FirstEmptyLink(full), 18u);
}

TEST(ChainLinkEdits, InsertShiftsTowardsTheEndAndDropsTheLastLink)
{
    ChainRecord chain = chainWith({});
    for (int i = 0; i < 18; ++i)
        chain.Links[i] = static_cast<std::uint8_t>(i);
    InsertChainLink(chain, 3, 99);
    EXPECT_EQ(chain.Links[2], 2);
    EXPECT_EQ(chain.Links[3], 99);
    EXPECT_EQ(chain.Links[4], 3);
    EXPECT_EQ(chain.Links[17], 16);

    InsertChainLink(chain, 17, 42);
    EXPECT_EQ(chain.Links[16], 15);
    EXPECT_EQ(chain.Links[17], 42);
    EXPECT_EQ(chain.Tail, 0);
    EXPECT_EQ(chain.NameTerminator, 0);
}

TEST(ChainLinkEdits, DeleteClosesTheGapAndEmptiesTheLastLink)
{
    ChainRecord chain = chainWith({});
    for (int i = 0; i < 18; ++i)
        chain.Links[i] = static_cast<std::uint8_t>(i + 10);
    DeleteChainLink(chain, 0);
    EXPECT_EQ(chain.Links[0], 11);
    EXPECT_EQ(chain.Links[16], 27);
    EXPECT_EQ(chain.Links[17], 0xFF);
    DeleteChainLink(chain, 17);
    EXPECT_EQ(chain.Links[16], 27);
    EXPECT_EQ(chain.Links[17], 0xFF);
    EXPECT_EQ(chain.Tail, 0);
}

TEST(ChainNames, TypedTextKeepsTheLowByteOfEachCharacterAndIsFilledWithBlanks)
{
    ChainRecord chain = ChainTemplate;
    StoreTypedName(chain.Name, u"B\u00E9\u0141");
    EXPECT_EQ(chain.Name[0], 'B');
    EXPECT_EQ(chain.Name[1], 0xE9);
    EXPECT_EQ(chain.Name[2], 0x41); // U+0141 keeps its low byte
    for (int i = 3; i < 13; ++i)
        EXPECT_EQ(chain.Name[i], ' ');
    EXPECT_EQ(chain.NameTerminator, 0);

    StoreTypedName(chain.Name, u"");
    EXPECT_EQ(NameText(chain.Name), std::string(13, ' '));
    StoreTypedName(chain.Name, u"ABCDEFGHIJKLMNOP");
    EXPECT_EQ(NameText(chain.Name), "ABCDEFGHIJKLM");
    EXPECT_EQ(chain.NameTerminator, 0);
}

class PresetMoves : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitBankDefaults();
        // Mark every record in more than its name, so whole-record moves show.
        for (std::size_t i = 0; i < kPresetCount; ++i) {
            PresetTable[i].PreDelay = static_cast<std::uint8_t>(i % 128);
            PresetTable[i].Reserved = static_cast<std::uint8_t>(i % 7);
            PresetTable[i].Channels[15].Program = static_cast<std::uint8_t>(i % 128);
            PresetTable[i].PostData[89] = static_cast<std::uint8_t>(i);
            PresetTable[i].Tail[11] = static_cast<std::uint8_t>(i);
        }
        std::memcpy(m_before, PresetTable, sizeof m_before);
    }
    bool recordIs(std::size_t index, std::size_t originalIndex) const
    {
        return std::memcmp(&PresetTable[index], &m_before[originalIndex], sizeof(PresetRecord)) == 0;
    }
    PresetRecord m_before[kPresetCount];
};

TEST_F(PresetMoves, FirstOntoLastShiftsTheRestUp)
{
    ASSERT_TRUE(MovePresetRecord(0, 199));
    for (std::size_t k = 0; k < 199; ++k)
        ASSERT_TRUE(recordIs(k, k + 1)) << k;
    EXPECT_TRUE(recordIs(199, 0));
}

TEST_F(PresetMoves, UpwardMoveShiftsOnlyTheRecordsBetween)
{
    ASSERT_TRUE(MovePresetRecord(120, 5));
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_TRUE(recordIs(k, k));
    EXPECT_TRUE(recordIs(5, 120));
    for (std::size_t k = 6; k <= 120; ++k)
        ASSERT_TRUE(recordIs(k, k - 1)) << k;
    for (std::size_t k = 121; k < 200; ++k)
        ASSERT_TRUE(recordIs(k, k)) << k;
}

TEST_F(PresetMoves, OntoItselfOrOutsideTheTableChangesNothing)
{
    EXPECT_TRUE(MovePresetRecord(42, 42));
    EXPECT_FALSE(MovePresetRecord(-1, 3));
    EXPECT_FALSE(MovePresetRecord(3, -1));
    EXPECT_FALSE(MovePresetRecord(3, 200));
    EXPECT_FALSE(MovePresetRecord(200, 3));
    EXPECT_EQ(std::memcmp(PresetTable, m_before, sizeof m_before), 0);
}

TEST(PresetMoveReach, TheRecordAtAnIndexChangesOnlyBetweenSourceAndTarget)
{
    EXPECT_TRUE(MoveChangesRecordAt(0, 199, 0));
    EXPECT_TRUE(MoveChangesRecordAt(0, 199, 199));
    EXPECT_TRUE(MoveChangesRecordAt(10, 3, 5));
    EXPECT_FALSE(MoveChangesRecordAt(10, 3, 2));
    EXPECT_FALSE(MoveChangesRecordAt(10, 3, 11));
    EXPECT_FALSE(MoveChangesRecordAt(7, 7, 7));
}

} // namespace
