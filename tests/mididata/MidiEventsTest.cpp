// The data editor's logic without its window: composing, previewing, inserting,
// erasing and reading custom bytes.
#include "MidiEvents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace zlv;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Block {
    MidiDataBlock data;
    std::int32_t index = 0;
    std::int32_t length = 0;

    explicit Block(const Bytes& content = {})
    {
        std::memset(data, kEmpty, sizeof data);
        std::copy(content.begin(), content.end(), data);
        length = static_cast<std::int32_t>(content.size());
        index = length;
    }
    Bytes bytes() const { return Bytes(data, data + length); }
    Bytes all() const { return Bytes(data, data + kBlockSize); }
};

Bytes counting(int n)
{
    Bytes b(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i % 0x7F);
    return b;
}

std::string joined(const Bytes& bytes)
{
    std::string s;
    for (const auto b : bytes)
        s += (s.empty() ? "" : " ") + HexPair(b);
    return s;
}

} // namespace

TEST(Composer, EveryTypeInsertsItsBytesOnChannelsOneAndSixteen)
{
    struct Row {
        EventButton button;
        Bytes channel1;
        Bytes channel16;
    };
    // Values 0x3C and 0x7F stand for the two track bars.
    const std::vector<Row> rows = {
        {EventButton::NoteOn, {0x90, 0x3C, 0x7F}, {0x9F, 0x3C, 0x7F}},
        {EventButton::NoteOff, {0x80, 0x3C, 0x7F}, {0x8F, 0x3C, 0x7F}},
        {EventButton::PolyAftertouch, {0xA0, 0x3C, 0x7F}, {0xAF, 0x3C, 0x7F}},
        {EventButton::MonoAftertouch, {0xD0, 0x3C}, {0xDF, 0x3C}},
        {EventButton::ControlChange, {0xB0, 0x3C, 0x7F}, {0xBF, 0x3C, 0x7F}},
        {EventButton::BankSelectMSB, {0xB0, 0x00, 0x3C}, {0xBF, 0x00, 0x3C}},
        {EventButton::BankSelectLSB, {0xB0, 0x20, 0x3C}, {0xBF, 0x20, 0x3C}},
        {EventButton::ProgramChange, {0xC0, 0x3C}, {0xCF, 0x3C}},
        {EventButton::PitchWheel, {0xE0, 0x3C, 0x7F}, {0xEF, 0x3C, 0x7F}},
        {EventButton::SongPosition, {0xF2, 0x3C, 0x7F}, {0xF2, 0x3C, 0x7F}},
        {EventButton::SongSelect, {0xF3, 0x3C}, {0xF3, 0x3C}},
        {EventButton::Start, {0xFA}, {0xFA}},
        {EventButton::Continue, {0xFB}, {0xFB}},
        {EventButton::Stop, {0xFC}, {0xFC}},
        {EventButton::KorgTritonProg, {0xF0, 0x42, 0x30, 0x50, 0x4E, 0x02, 0xF7}, {0xF0, 0x42, 0x3F, 0x50, 0x4E, 0x02, 0xF7}},
        {EventButton::KorgTritonCombi, {0xF0, 0x42, 0x30, 0x50, 0x4E, 0x00, 0xF7}, {0xF0, 0x42, 0x3F, 0x50, 0x4E, 0x00, 0xF7}},
        {EventButton::KorgM1Prog, {0xF0, 0x42, 0x30, 0x19, 0x4E, 0x02, 0x00, 0xF7},
         {0xF0, 0x42, 0x3F, 0x19, 0x4E, 0x02, 0x00, 0xF7}},
        {EventButton::KorgM1Combi, {0xF0, 0x42, 0x30, 0x19, 0x4E, 0x00, 0x00, 0xF7},
         {0xF0, 0x42, 0x3F, 0x19, 0x4E, 0x00, 0x00, 0xF7}},
    };
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kEventButtonCount));
    for (const Row& row : rows) {
        SCOPED_TRACE(ButtonInfo(row.button).Name);
        EXPECT_EQ(ComposeMessage(row.button, 1, 0x3C, 0x7F), row.channel1);
        EXPECT_EQ(ComposeMessage(row.button, 16, 0x3C, 0x7F), row.channel16);
        // A whole message goes into an empty block with the cursor behind it.
        Block block;
        const Bytes message = ComposeMessage(row.button, 16, 0x3C, 0x7F);
        ASSERT_EQ(InsertBytes(block.data, block.index, block.length, 0, message), InsertResult::Inserted);
        EXPECT_EQ(block.bytes(), row.channel16);
        EXPECT_EQ(block.index, block.length);
        EXPECT_EQ(MidiDataLength(block.data), static_cast<std::size_t>(block.length));
    }
}

TEST(Composer, BankSelectAndProgramChangeCarryTheFirstValueOnly)
{
    EXPECT_EQ(ComposeMessage(EventButton::BankSelectMSB, 2, 5, 99), (Bytes{0xB1, 0x00, 0x05}));
    EXPECT_EQ(ComposeMessage(EventButton::BankSelectLSB, 2, 5, 99), (Bytes{0xB1, 0x20, 0x05}));
    // Patch shown from 1, sent from 0.
    EXPECT_EQ(ComposeMessage(EventButton::ProgramChange, 1, 0, 99), (Bytes{0xC0, 0x00}));
    EXPECT_EQ(Param1Readout(EventButton::ProgramChange, 0), "1");
    EXPECT_EQ(ComposeMessage(EventButton::ProgramChange, 1, 127, 0), (Bytes{0xC0, 0x7F}));
    EXPECT_EQ(Param1Readout(EventButton::ProgramChange, 127), "128");
}

TEST(Composer, KorgMessagesOnChannelThree)
{
    EXPECT_EQ(joined(ComposeMessage(EventButton::KorgTritonProg, 3, 0, 0)), "F0 42 32 50 4E 02 F7");
    EXPECT_EQ(joined(ComposeMessage(EventButton::KorgTritonCombi, 3, 0, 0)), "F0 42 32 50 4E 00 F7");
    EXPECT_EQ(joined(ComposeMessage(EventButton::KorgM1Prog, 3, 0, 0)), "F0 42 32 19 4E 02 00 F7");
    EXPECT_EQ(joined(ComposeMessage(EventButton::KorgM1Combi, 3, 0, 0)), "F0 42 32 19 4E 00 00 F7");
}

TEST(Composer, ButtonTableGivesTagsCaptionsAndHiddenValues)
{
    EXPECT_STREQ(ButtonInfo(EventButton::PitchWheel).Param1Caption, "LSB :");
    EXPECT_STREQ(ButtonInfo(EventButton::PitchWheel).Param2Caption, "MSB :");
    EXPECT_EQ(ButtonInfo(EventButton::MonoAftertouch).Param2Caption, nullptr);
    EXPECT_EQ(ButtonInfo(EventButton::KorgM1Combi).Tag, kKorgM1Combi);
    // The three Control Change buttons share one status.
    EXPECT_EQ(ButtonInfo(EventButton::BankSelectMSB).Tag, 0xB0);
    EXPECT_EQ(ButtonInfo(EventButton::BankSelectLSB).Tag, 0xB0);
    for (const EventButtonInfo& info : EventButtons)
        if (!IsKorgKind(info.Tag)) {
            SCOPED_TRACE(info.Name);
            const int shown = 1 + (info.Param1Caption ? 1 : 0) + (info.Param2Caption ? 1 : 0);
            // Bank Select shows one value but sends the controller number as well.
            const bool bankSelect = std::string(info.Name).starts_with("rbBankSelect");
            EXPECT_EQ(MessageLength(info.Tag), bankSelect ? 3 : shown);
        }
}

TEST(Preview, ShowsExactlyTheBytesThatAreInserted)
{
    for (int b = 0; b < kEventButtonCount; ++b)
        for (int channel = 1; channel <= 16; ++channel)
            for (const auto& [p1, p2] : {std::pair{0, 0}, std::pair{60, 127}, std::pair{127, 1}}) {
                const auto button = static_cast<EventButton>(b);
                ASSERT_EQ(MessagePreview(button, channel, p1, p2), joined(ComposeMessage(button, channel, p1, p2)))
                    << ButtonInfo(button).Name << " channel " << channel;
            }
}

TEST(Preview, ReadsAsTheUserSeesIt)
{
    EXPECT_EQ(MessagePreview(EventButton::NoteOn, 1, 60, 127), "90 3C 7F");
    EXPECT_EQ(MessagePreview(EventButton::NoteOn, 1, 120, 64), "90 78 40");
    EXPECT_EQ(MessagePreview(EventButton::ProgramChange, 1, 0, 5), "C0 00");
    EXPECT_EQ(MessagePreview(EventButton::BankSelectLSB, 10, 7, 5), "B9 20 07");
    EXPECT_EQ(MessagePreview(EventButton::NoteOn, 16, 60, 127).substr(0, 2), "9F");
    EXPECT_EQ(MessagePreview(EventButton::KorgTritonProg, 1, 0, 0), "F0 42 30 50 4E 02 F7");
    EXPECT_EQ(MessagePreview(EventButton::KorgM1Combi, 16, 0, 0), "F0 42 3F 19 4E 00 00 F7");
    EXPECT_EQ(MessagePreview(EventButton::Stop, 9, 60, 127), "FC");
    EXPECT_EQ(HexPair(0x0A), "0A");
    EXPECT_EQ(HexPair(0xF7), "F7");
}

TEST(Preview, NoteNamesWithOctaveUpToKey119)
{
    EXPECT_EQ(NoteName(60), "C 5");
    EXPECT_EQ(NoteName(61), "C#5");
    EXPECT_EQ(NoteName(0), "C 0");
    EXPECT_EQ(NoteName(70), "A#5");
    EXPECT_EQ(NoteName(119), "B 9");
    for (int key = 120; key <= 127; ++key)
        EXPECT_EQ(NoteName(key), "---") << key;
    EXPECT_EQ(Param1Readout(EventButton::PolyAftertouch, 64), "E 5");
    EXPECT_EQ(Param1Readout(EventButton::ControlChange, 64), "64");
}

TEST(Preview, ControllerNamesCoverSixtyNumbers)
{
    EXPECT_EQ(std::count_if(ControllerNames.begin(), ControllerNames.end(), [](const char* n) { return n != nullptr; }),
              60);
    EXPECT_STREQ(ControllerNames[92], "Tremelo Level");
    EXPECT_STREQ(ControllerNames[0], "Bank Select MSB");
    EXPECT_STREQ(ControllerNames[101], "Registered Parameter Number MSB");
    for (const int unnamed : {3, 9, 14, 15, 20, 31, 35, 41, 46, 63, 85, 90, 102, 127})
        EXPECT_EQ(ControllerNames[static_cast<std::size_t>(unnamed)], nullptr) << unnamed;
}

TEST(Insertion, RoomIsCountedOnTheDataWhereverTheCursorIs)
{
    const Bytes noteOn = ComposeMessage(EventButton::NoteOn, 1, 60, 127);
    Block fits(counting(87));
    EXPECT_EQ(InsertBytes(fits.data, fits.index, fits.length, fits.index, noteOn), InsertResult::Inserted);
    EXPECT_EQ(fits.length, 90);
    EXPECT_EQ(MidiDataLength(fits.data), 90u);

    Block full(counting(88));
    full.index = 0;
    const Bytes before = full.all();
    EXPECT_EQ(InsertBytes(full.data, full.index, full.length, 0, noteOn), InsertResult::NoRoom);
    EXPECT_EQ(full.all(), before);
    EXPECT_EQ(full.index, 0);
    EXPECT_EQ(full.length, 88);

    const Bytes triton = ComposeMessage(EventButton::KorgTritonCombi, 1, 0, 0);
    const Bytes m1 = ComposeMessage(EventButton::KorgM1Prog, 1, 0, 0);
    for (const auto& [message, longest] : {std::pair{triton, 83}, std::pair{m1, 82}}) {
        Block ok(counting(longest));
        EXPECT_EQ(InsertBytes(ok.data, ok.index, ok.length, ok.index, message), InsertResult::Inserted);
        Block over(counting(longest + 1));
        EXPECT_EQ(InsertBytes(over.data, over.index, over.length, over.index, message), InsertResult::NoRoom);
    }
}

TEST(Insertion, InTheMiddleMovesTheRestUpBehindTheMessage)
{
    Block block({0x01, 0x02, 0x03, 0x04, 0x05, 0x06});
    block.index = 2;
    const Bytes msb = ComposeMessage(EventButton::BankSelectMSB, 2, 5, 0);
    ASSERT_EQ(InsertBytes(block.data, block.index, block.length, 2, msb), InsertResult::Inserted);
    EXPECT_EQ(block.bytes(), (Bytes{0x01, 0x02, 0xB1, 0x00, 0x05, 0x03, 0x04, 0x05, 0x06}));
    EXPECT_EQ(block.index, 5);
    EXPECT_EQ(block.length, 9);
    EXPECT_EQ(block.data[9], kEmpty);
}

TEST(Insertion, CurrentCellBeyondTheCursorsNextCellIsRefused)
{
    Block block({0x90, 0x3C, 0x7F});
    const Bytes before = block.all();
    const Bytes stop{0xFC};
    EXPECT_EQ(InsertBytes(block.data, block.index, block.length, 45, stop), InsertResult::BeyondEnd);
    EXPECT_EQ(InsertBytes(block.data, block.index, block.length, 5, stop), InsertResult::BeyondEnd);
    EXPECT_EQ(block.all(), before);
    EXPECT_EQ(block.index, 3);
    // One cell past the cursor still inserts at the cursor.
    EXPECT_EQ(InsertBytes(block.data, block.index, block.length, 4, stop), InsertResult::Inserted);
    EXPECT_EQ(block.bytes(), (Bytes{0x90, 0x3C, 0x7F, 0xFC}));
}

TEST(Insertion, BytesAfterTheEndMarkerMoveWithTheBlock)
{
    // A block read from a file may hold leftovers after its first 0xFF.
    Block block;
    block.data[0] = 0x11;
    block.data[2] = 0x22;
    block.length = 1;
    block.index = 0;
    const Bytes one{0x33};
    ASSERT_EQ(InsertBytes(block.data, block.index, block.length, 0, one), InsertResult::Inserted);
    EXPECT_EQ(block.data[0], 0x33);
    EXPECT_EQ(block.data[1], 0x11);
    EXPECT_EQ(block.data[2], kEmpty);
    EXPECT_EQ(block.data[3], 0x22);
    ASSERT_TRUE(EraseByte(block.data, block.length, 0));
    EXPECT_EQ(block.data[2], 0x22);
    EraseAll(block.data, block.index, block.length);
    EXPECT_EQ(block.all(), Bytes(kMidiDataBlockSize, kEmpty));
}

TEST(Erasing, RemovesOneByteAndRefusesCellsAfterTheData)
{
    Block single({0x42});
    EXPECT_TRUE(EraseByte(single.data, single.length, 0));
    EXPECT_EQ(single.length, 0);
    EXPECT_EQ(single.all(), Bytes(kMidiDataBlockSize, kEmpty));

    Block full(counting(90));
    EXPECT_TRUE(EraseByte(full.data, full.length, 89));
    EXPECT_EQ(full.length, 89);
    EXPECT_EQ(full.data[89], kEmpty);
    EXPECT_EQ(MidiDataLength(full.data), 89u);

    Block three({0x0A, 0x0B, 0x0C});
    EXPECT_FALSE(EraseByte(three.data, three.length, 3));
    EXPECT_EQ(three.length, 3);
    EXPECT_TRUE(EraseByte(three.data, three.length, 1));
    EXPECT_EQ(three.bytes(), (Bytes{0x0A, 0x0C}));
}

TEST(CustomEntry, HexReadsUpToTwoDigitsAndTreatsOthersAsZero)
{
    EXPECT_EQ(ReadHexValue("7"), 0x07);
    EXPECT_EQ(ReadHexValue("7F"), 0x7F);
    EXPECT_EQ(ReadHexValue("fe"), 0xFE);
    EXPECT_EQ(ReadHexValue("A"), 0x0A);
    EXPECT_EQ(ReadHexValue("G5"), 0x05);
    EXPECT_EQ(ReadHexValue("5G"), 0x50);
    EXPECT_EQ(ReadHexValue(""), 0x00);
    EXPECT_EQ(ReadHexValue("FF"), 0xFF);
    // A decimal text left in the field: only the first two characters count.
    EXPECT_EQ(ReadHexValue("123"), 0x12);
    // A non-ASCII character is one character, not two bytes.
    EXPECT_EQ(ReadHexValue("\xC3\xA9" "5"), 0x05);
}

TEST(CustomEntry, DecimalReadsSignedWholeNumbersOrThrowsTheConversionError)
{
    EXPECT_EQ(ReadDecimalValue("254"), 254);
    EXPECT_EQ(ReadDecimalValue("255"), 255);
    EXPECT_EQ(ReadDecimalValue("999"), 999);
    EXPECT_EQ(ReadDecimalValue("007"), 7);
    EXPECT_EQ(ReadDecimalValue("-1"), -1);
    EXPECT_EQ(ReadDecimalValue("+5"), 5);
    for (const char* bad : {"", "abc", "1a", "-", "--1", "+-1", " 5", "0x1"}) {
        try {
            ReadDecimalValue(bad);
            ADD_FAILURE() << "no error for '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "''" + std::string(bad) + "'' is not a valid integer value");
        }
    }
    // Caught as what it derives from, as the application's handler catches it.
    EXPECT_THROW(ReadDecimalValue("abc"), std::runtime_error);
}

TEST(CustomEntry, ChecksCursorThenValueThenRoom)
{
    Block full(counting(90));
    const Bytes before = full.all();
    EXPECT_EQ(InsertCustomByte(full.data, full.index, full.length, full.index, "7F", false), CustomEntryResult::NoRoom);
    EXPECT_EQ(InsertCustomByte(full.data, full.index, full.length, full.index, "FF", false), CustomEntryResult::TooLarge);
    EXPECT_EQ(full.all(), before);

    // The cursor is checked before the text is read: no conversion error here.
    Block block({0x01});
    EXPECT_EQ(InsertCustomByte(block.data, block.index, block.length, 40, "abc", true), CustomEntryResult::BeyondEnd);
    EXPECT_THROW(InsertCustomByte(block.data, block.index, block.length, 1, "abc", true), ConversionError);
    EXPECT_EQ(block.bytes(), Bytes{0x01});

    for (const char* tooLarge : {"255", "999"})
        EXPECT_EQ(InsertCustomByte(block.data, block.index, block.length, 1, tooLarge, true), CustomEntryResult::TooLarge);
    EXPECT_EQ(InsertCustomByte(block.data, block.index, block.length, 1, "254", true), CustomEntryResult::Inserted);
    EXPECT_EQ(block.bytes(), (Bytes{0x01, 0xFE}));
}

TEST(CustomEntry, NegativeDecimalInsertsNothing)
{
    // Taken to a byte, -1 would be the block's end marker and cut the data.
    Block block({0x10, 0x20});
    block.index = 1;
    const Bytes before = block.all();
    for (const char* negative : {"-1", "-99"})
        EXPECT_EQ(InsertCustomByte(block.data, block.index, block.length, 1, negative, true), CustomEntryResult::Negative)
            << negative;
    EXPECT_EQ(block.all(), before);
    EXPECT_EQ(block.length, 2);
    EXPECT_EQ(InsertCustomByte(block.data, block.index, block.length, 1, "-0", true), CustomEntryResult::Inserted);
    EXPECT_EQ(block.bytes(), (Bytes{0x10, 0x00, 0x20}));
}

TEST(CustomEntry, HexByteGoesInAtTheCursorInsideTheData)
{
    Block block({0xA1, 0xA2, 0xA3, 0xA4});
    block.index = 1;
    ASSERT_EQ(InsertCustomByte(block.data, block.index, block.length, 1, "55", false), CustomEntryResult::Inserted);
    EXPECT_EQ(block.bytes(), (Bytes{0xA1, 0x55, 0xA2, 0xA3, 0xA4}));
    EXPECT_EQ(block.index, 2);
    EXPECT_EQ(block.length, 5);
}
