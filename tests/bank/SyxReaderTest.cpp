#include "Bank.h"
#include "SpecialFiles.h"
#include "SyxReader.h"
#include "SyxTestSupport.h"
#include "SyxWriter.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

using namespace zlv;
using namespace zlv::test;

namespace {

Bytes pairOf(std::uint8_t b) { return {static_cast<std::uint8_t>(b >> 4), static_cast<std::uint8_t>(b & 0x0F)}; }

Bytes pairsOf(const Bytes& data)
{
    Bytes out;
    for (std::uint8_t b : data)
        out.insert(out.end(), {static_cast<std::uint8_t>(b >> 4), static_cast<std::uint8_t>(b & 0x0F)});
    return out;
}

Bytes header(std::uint8_t command) { return {0xF0, 0x7D, 0x22, command}; }

const Bytes kName = {'T', 'e', 's', 't', ' ', 'P', 'r', 'e', 's', 'e', 't', ' ', 'X'};

// 48 channel bytes: channel c holds MSB c, LSB 0x40 + c, program switched off with value c.
Bytes channelPairs()
{
    Bytes channels;
    for (std::uint8_t c = 0; c < 16; ++c)
        channels.insert(channels.end(), {c, static_cast<std::uint8_t>(0x40 + c), static_cast<std::uint8_t>(0x80 | c)});
    return pairsOf(channels);
}

Bytes presetMessage(std::uint8_t index, const Bytes& pre = {}, const Bytes& post = {})
{
    return Concat({header(0x31), pairOf(index), kName, {0x05, 0x06, 0x07}, channelPairs(),
                   {static_cast<std::uint8_t>(pre.size())}, pairsOf(pre), {static_cast<std::uint8_t>(post.size())},
                   pairsOf(post), {0xF7}});
}

Bytes oldPresetMessage(std::uint8_t index, std::uint8_t flag)
{
    Bytes data;
    for (std::uint8_t i = 0; i < 16; ++i)
        data.push_back(static_cast<std::uint8_t>(0x90 + i));
    return Concat({header(0x24), {index}, kName, channelPairs(), pairsOf(data), {0x00, flag, 0, 0, 0, 0, 0xF7}});
}

Bytes chainMessage(std::uint8_t index, const Bytes& links)
{
    Bytes all(18, 0xFF);
    std::copy(links.begin(), links.end(), all.begin());
    return Concat({header(0x33), pairOf(index), {'C', 'h', 'a', 'i', 'n', ' ', 'O', 'n', 'e', ' ', ' ', ' ', ' '},
                   pairsOf(all), {0x00, 0x00, 0xF7}});
}

Bytes setting(std::uint8_t parameter, std::uint8_t value)
{
    return Concat({header(0x22), {parameter}, pairOf(value), {0xF7}});
}

Bytes cut(const Bytes& b, std::size_t size) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(size)); }

struct BankSnapshot {
    PresetRecord Presets[kPresetCount];
    ChainRecord Chains[kChainCount];
    std::uint8_t Dials[kSpeedDialCount];
    static BankSnapshot Take()
    {
        BankSnapshot s;
        std::memcpy(s.Presets, PresetTable, sizeof PresetTable);
        std::memcpy(s.Chains, ChainTable, sizeof ChainTable);
        std::memcpy(s.Dials, SpeedDials, sizeof SpeedDials);
        return s;
    }
    bool operator==(const BankSnapshot& o) const { return std::memcmp(this, &o, sizeof *this) == 0; }
};

std::array<int, 5> counts()
{
    return {SyxFileCounts.OldPresetCount, SyxFileCounts.NewPresetCount, SyxFileCounts.ChainCount,
            SyxFileCounts.SpeedDialCount, SyxFileCounts.OtherSettingCount};
}

Bytes nameOf(const PresetRecord& r) { return Bytes(r.Name, r.Name + kNameLength); }

class SyxReader : public ::testing::Test {
protected:
    void SetUp() override { InitBankDefaults(); }
    std::string file(const Bytes& content, const std::string& name = "in.syx")
    {
        const std::string path = dir.File(name);
        WriteAll(path, content);
        return path;
    }
    TempDir dir;
    MessageRecorder messages;
};

} // namespace

// ---- whole banks ----

TEST_F(SyxReader, SavedBankCountsAndLoadsBackIdentically)
{
    PresetTable[0].PreDelay = 127;
    PresetTable[0].Reserved = 0x33;
    PresetTable[7].Channels[3] = {0x12, 0x80, 0x7F};
    std::memcpy(PresetTable[9].Name, "~Piano}{ 1234", 13);
    for (std::size_t i = 0; i < kMidiDataBlockSize; ++i) {
        PresetTable[199].PreData[i] = static_cast<std::uint8_t>(i * 2);
        PresetTable[199].PostData[i] = static_cast<std::uint8_t>(0xF0 + i % 15);
    }
    PresetTable[4].PostData[0] = 0xC3;
    ChainTable[98].Links[0] = 199;
    ChainTable[98].Links[1] = 0;
    ChainTable[98].Links[5] = 17; // an empty link between used ones
    std::memcpy(ChainTable[3].Name, "Live Set  #1 ", 13);
    SpeedDials[0] = 0;
    SpeedDials[8] = 199;
    const std::string path = dir.File("bank.syx");
    ASSERT_EQ(SaveBankToFile(path), 0);
    const BankSnapshot saved = BankSnapshot::Take(); // names now blank-filled

    CountSyxFileMessages(path);
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 200, 99, 9, 0}));
    InitBankDefaults();
    ASSERT_EQ(LoadBankFromFile(path), 0);
    EXPECT_TRUE(BankSnapshot::Take() == saved);
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 200, 99, 9, 0}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SyxReader, EmptyOrMissingFileCountsNothingAndLoadsNothing)
{
    SpeedDials[4] = 3;
    const BankSnapshot before = BankSnapshot::Take();
    SyxFileCounts = {1, 1, 1, 1, 1};
    const std::string empty = file({});
    CountSyxFileMessages(empty);
    EXPECT_EQ(counts(), (std::array<int, 5>{}));
    EXPECT_EQ(LoadBankFromFile(empty), 0);
    SyxFileCounts = {1, 1, 1, 1, 1};
    CountSyxFileMessages(dir.File("missing.syx"));
    EXPECT_EQ(counts(), (std::array<int, 5>{}));
    EXPECT_EQ(LoadBankFromFile(dir.File("missing.syx")), 1);
    EXPECT_EQ(ImportPresetFile(dir.File("missing.syx")), 1);
    EXPECT_TRUE(BankSnapshot::Take() == before);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SyxReader, AFolderCannotBeOpenedAndIsNoEmptyFile)
{
    SpeedDials[4] = 3;
    const BankSnapshot before = BankSnapshot::Take();
    const std::string folder = dir.File("folder.syx");
    std::filesystem::create_directory(folder);
    SyxFileCounts = {1, 1, 1, 1, 1};
    CountSyxFileMessages(folder);
    EXPECT_EQ(counts(), (std::array<int, 5>{}));
    SyxFileCounts = {1, 1, 1, 1, 1};
    EXPECT_EQ(LoadBankFromFile(folder), 1);
    EXPECT_EQ(counts(), (std::array<int, 5>{}));
    EXPECT_EQ(ImportPresetFile(folder), 1);
    // Opens, but its first read fails: nothing is mapped at address 0.
    const std::string unreadable = "/proc/self/mem";
    if (std::filesystem::exists(unreadable)) {
        EXPECT_EQ(LoadBankFromFile(unreadable), 1);
        EXPECT_EQ(ImportPresetFile(unreadable), 1);
    }
    // Nor is a FIFO, named or through a link, or a device node: each is refused
    // at once, with no wait for a writer.
    const std::string fifo = dir.File("fifo.syx");
    ASSERT_TRUE(MakeFifo(fifo));
    std::filesystem::create_symlink("fifo.syx", dir.File("to-fifo.syx"));
    std::vector<std::string> special = {fifo, dir.File("to-fifo.syx")};
    if (MakeDeviceNode(dir.File("zeros.syx")))
        special.push_back(dir.File("zeros.syx"));
    for (const std::string& path : special) {
        SCOPED_TRACE(path);
        const FifoReaderRelease release(fifo);
        SyxFileCounts = {1, 1, 1, 1, 1};
        CountSyxFileMessages(path);
        EXPECT_EQ(counts(), (std::array<int, 5>{}));
        EXPECT_EQ(LoadBankFromFile(path), 1);
        EXPECT_EQ(ImportPresetFile(path), 1);
        EXPECT_FALSE(release.Freed());
    }
    EXPECT_TRUE(BankSnapshot::Take() == before);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SyxReader, MessagesInAnyOrderLaterOnesWin)
{
    const Bytes content = Concat({setting(18, 44), chainMessage(2, {5}), presetMessage(10, {0x90}),
                                  chainMessage(2, {6, 7}), presetMessage(10, {}, {0xB0, 0x01}), setting(18, 45)});
    ASSERT_EQ(LoadBankFromFile(file(content)), 0);
    EXPECT_EQ(PresetTable[10].PreData[0], 0xFF);
    EXPECT_EQ(PresetTable[10].PostData[1], 0x01);
    EXPECT_EQ(PresetTable[10].PostData[2], 0xFF);
    EXPECT_EQ(ChainTable[2].Links[0], 6);
    EXPECT_EQ(ChainTable[2].Links[1], 7);
    EXPECT_EQ(SpeedDials[2], 45);
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 2, 2, 2, 0}));
}

TEST_F(SyxReader, PresetFieldsFollowTheRecordRules)
{
    Bytes msg = presetMessage(3, {0x90, 0x3C});
    msg[6] = 0x00;               // name byte below a blank
    msg[7] = 0x9F;               // name byte above 0x7F
    msg[19] = 0x85;              // delays come back masked to 7 bits
    msg[22 + 6 * 5] = 0x10;      // channel 6 MSB pair 10 00 is invalid
    ASSERT_EQ(LoadBankFromFile(file(msg)), 0);
    const PresetRecord& r = PresetTable[3];
    EXPECT_EQ(r.Name[0], 0x20);
    EXPECT_EQ(r.Name[1], 0x7F);
    EXPECT_EQ(r.Name[12], 'X');
    EXPECT_EQ(r.NameTerminator, 0);
    EXPECT_EQ(r.PreDelay, 0x05);
    EXPECT_EQ(r.Reserved, 0x06);
    EXPECT_EQ(r.PostDelay, 0x07);
    EXPECT_EQ(r.Channels[0].BankMsb, 0x00);
    EXPECT_EQ(r.Channels[15].BankLsb, 0x4F);
    EXPECT_EQ(r.Channels[15].Program, 0x8F);
    EXPECT_EQ(r.Channels[5].BankMsb, 0x80);
    EXPECT_EQ(r.Channels[5].BankLsb, 0x45);
    EXPECT_EQ(r.PreData[1], 0x3C);
    EXPECT_EQ(r.PreData[2], 0xFF);
    EXPECT_EQ(0, std::memcmp(r.Tail, PresetTemplate.Tail, sizeof r.Tail));
}

TEST_F(SyxReader, ChainLinksOfTwoHundredOrInvalidPairsReadAsEmpty)
{
    Bytes msg = chainMessage(0, {1, 200, 3, 199});
    msg[19 + 2 * 2] = 0x1F; // link 3 becomes 1F 03
    ASSERT_EQ(LoadBankFromFile(file(msg)), 0);
    EXPECT_EQ(ChainTable[0].Links[0], 1);
    EXPECT_EQ(ChainTable[0].Links[1], 0xFF);
    EXPECT_EQ(ChainTable[0].Links[2], 0xFF);
    EXPECT_EQ(ChainTable[0].Links[3], 199);
    EXPECT_EQ(0, std::memcmp(ChainTable[0].Name, "Chain One    ", 13));
}

TEST_F(SyxReader, OldFormatPresetsPutTheirDataIntoTheFlaggedBlock)
{
    Bytes pre = oldPresetMessage(5, 0xFE);
    pre[114 + 2] = 0x10; // data byte 1 invalid: stays 0xFF, byte 2 still stored
    const Bytes post = oldPresetMessage(6, 0x01);
    ASSERT_EQ(LoadBankFromFile(file(Concat({pre, post}))), 0);
    EXPECT_EQ(counts(), (std::array<int, 5>{2, 0, 0, 0, 0}));
    const PresetRecord& a = PresetTable[5];
    EXPECT_EQ(a.PreData[0], 0x90);
    EXPECT_EQ(a.PreData[1], 0xFF);
    EXPECT_EQ(a.PreData[2], 0x92);
    EXPECT_EQ(a.PreData[16], 0xFF);
    EXPECT_EQ(a.PostData[0], 0xFF);
    EXPECT_EQ(a.PreDelay + a.Reserved + a.PostDelay, 0);
    EXPECT_EQ(a.Channels[1].BankLsb, 0x41);
    const PresetRecord& b = PresetTable[6];
    EXPECT_EQ(b.PreData[0], 0xFF);
    EXPECT_EQ(b.PostData[0], 0x90);
    EXPECT_EQ(b.PostData[15], 0x9F);
    EXPECT_EQ(b.PostData[16], 0xFF);
}

TEST_F(SyxReader, SettingsOutsideTheSpeedDialsAreCountedApartAndStopTheLoad)
{
    const Bytes content = Concat({presetMessage(1), setting(25, 9), setting(8, 1), chainMessage(0, {4})});
    const std::string path = file(content);
    CountSyxFileMessages(path);
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 1, 1, 1, 1}));
    const BankSnapshot defaults = BankSnapshot::Take();
    EXPECT_EQ(LoadBankFromFile(path), 1);
    EXPECT_EQ(messages.shown(), std::vector{Plain("File does not start with 0xF0.", "File Open Error!")});
    EXPECT_EQ(PresetTable[1].PreDelay, 5);                 // stored before the fault
    EXPECT_EQ(0, std::memcmp(SpeedDials, defaults.Dials, sizeof SpeedDials)); // parameter 25 stores nothing
    EXPECT_EQ(ChainTable[0].Links[0], 0xFF);               // never reached
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 1, 0, 1, 0}));
}

TEST_F(SyxReader, UnknownCommandOrBadSpeedDialValueEndsTheLoadUnlessTheFileEndsThere)
{
    Bytes badValue = setting(16, 0);
    badValue[5] = 0x10;
    EXPECT_EQ(LoadBankFromFile(file(Concat({badValue}))), 1);
    EXPECT_EQ(SpeedDials[0], 0xFF);
    EXPECT_EQ(LoadBankFromFile(file(Concat({presetMessage(2), header(0x40), {0x01}}))), 1);
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1], Plain("File does not start with 0xF0.", "File Open Error!"));
    messages.clear();
    EXPECT_EQ(LoadBankFromFile(file(Concat({presetMessage(2), header(0x40)}))), 0);
    EXPECT_TRUE(messages.shown().empty());
}

// Each malformed message shows its message once, ends the load with 1 and keeps
// what was stored before it; the message itself stores nothing.
TEST_F(SyxReader, EveryLoaderFailureHasItsTextAndCaption)
{
    Bytes longPre = presetMessage(8);
    longPre[118] = 91;
    Bytes longPost = presetMessage(8);
    longPost[119] = 91;
    const struct {
        Bytes Bad;
        const char* Text;
        const char* Caption;
    } rows[] = {
        {{0x00, 0x7D, 0x22}, "File does not start with 0xF0.", "File Open Error!"},
        {{0xF0, 0x7E, 0x22, 0x31}, "Manufacturer ID not 0x7D.", "File Open Error!"},
        {{0xF0, 0x7D, 0x21, 0x31}, "Device ID not 0x22. Wrong file type selected?", "File Open Error!"},
        {Concat({header(0x31), {0x0C, 0x08}, Bytes(200, 0)}), "Preset # beyond 200 (0x0C, 0x07).", "File Error!"},
        {Concat({header(0x24), {0xC8}, Bytes(200, 0)}), "Preset # beyond 200 (0xC7).", "File Error!"},
        {Concat({header(0x33), {0x06, 0x03}, Bytes(60, 0)}), "Chain # beyond 99 (0x06, 0x02).", "File Error!"},
        {longPre, "Pre-Arb MIDI data length byte too big.", "File Error!"},
        {longPost, "Post-Arb MIDI data length byte too big.", "File Error!"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Text);
        InitBankDefaults();
        messages.clear();
        const Bytes content = Concat({presetMessage(0), chainMessage(1, {9}), setting(20, 4), row.Bad,
                                      presetMessage(8), chainMessage(7, {1}), setting(21, 4)});
        const BankSnapshot defaults = BankSnapshot::Take();
        EXPECT_EQ(LoadBankFromFile(file(content)), 1);
        EXPECT_EQ(messages.shown(), std::vector{Plain(row.Text, row.Caption)});
        EXPECT_EQ(PresetTable[0].PostDelay, 7);
        EXPECT_EQ(ChainTable[1].Links[0], 9);
        EXPECT_EQ(SpeedDials[4], 4);
        EXPECT_EQ(0, std::memcmp(&PresetTable[8], &defaults.Presets[8], sizeof(PresetRecord)));
        EXPECT_EQ(ChainTable[7].Links[0], 0xFF);
        EXPECT_EQ(SpeedDials[5], 0xFF);
        EXPECT_EQ(counts(), (std::array<int, 5>{0, 1, 1, 1, 0}));
    }
}

TEST_F(SyxReader, FilesThatEndEarly)
{
    // Ends inside a chain: the links read so far are kept and the load succeeds.
    const Bytes chain = chainMessage(4, {10, 11, 12});
    ASSERT_EQ(LoadBankFromFile(file(cut(chain, 19 + 2 * 2 + 1))), 0);
    EXPECT_EQ(ChainTable[4].Links[0], 10);
    EXPECT_EQ(ChainTable[4].Links[1], 11);
    EXPECT_EQ(ChainTable[4].Links[2], 0xFF);
    EXPECT_EQ(SyxFileCounts.ChainCount, 1);

    // Ends inside old-format data: the flag reads as 0xFF, so the data lands in POST.
    ASSERT_EQ(LoadBankFromFile(file(cut(oldPresetMessage(9, 0x00), 114 + 2 * 3 + 1))), 0);
    EXPECT_EQ(PresetTable[9].PreData[0], 0xFF);
    EXPECT_EQ(PresetTable[9].PostData[2], 0x92);
    EXPECT_EQ(PresetTable[9].PostData[3], 0xFF);

    // Ends among a new-format preset's channels: the length reads as 0xFF.
    EXPECT_EQ(LoadBankFromFile(file(cut(presetMessage(11), 40))), 1);
    // Ends inside its PRE data: the POST length reads as 0xFF.
    EXPECT_EQ(LoadBankFromFile(file(cut(presetMessage(11, {1, 2, 3}), 121))), 1);
    EXPECT_EQ(messages.shown(), (std::vector{Plain("Pre-Arb MIDI data length byte too big.", "File Error!"),
                                           Plain("Post-Arb MIDI data length byte too big.", "File Error!")}));
    EXPECT_EQ(PresetTable[11].Name[0], 'N');

    // Ends inside its POST data, or without its F7: stored with what was read.
    messages.clear();
    const Bytes full = presetMessage(12, {}, {0x21, 0x22, 0x23});
    ASSERT_EQ(LoadBankFromFile(file(cut(full, full.size() - 2))), 0);
    EXPECT_EQ(PresetTable[12].PostData[1], 0x22);
    EXPECT_EQ(PresetTable[12].PostData[2], 0xFF);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SyxReader, ScannerCountsUpToTheFirstBrokenFrame)
{
    // A last message without F7 still counts.
    const std::string noEnd = file(Concat({presetMessage(0), cut(chainMessage(0, {}), 57)}));
    CountSyxFileMessages(noEnd);
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 1, 1, 0, 0}));

    // The scanner stops at a byte that should start a message and does not, or at
    // an unknown command; it looks at nothing inside a message but a setting's parameter.
    Bytes bad = presetMessage(250);
    CountSyxFileMessages(file(Concat({bad, oldPresetMessage(1, 0), {0x00}, setting(16, 1)})));
    EXPECT_EQ(counts(), (std::array<int, 5>{1, 1, 0, 0, 0}));
    CountSyxFileMessages(file(Concat({setting(3, 1), header(0x40), setting(16, 1)})));
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 0, 0, 0, 1}));
    CountSyxFileMessages(file({0x42, 0xF0, 0x7D, 0x22, 0x31, 0xF7}));
    EXPECT_EQ(counts(), (std::array<int, 5>{}));
    EXPECT_TRUE(messages.shown().empty());
}

// ---- single presets ----

TEST_F(SyxReader, ExportedPresetImportsWithBlankFilledName)
{
    PresetTable[0].PostDelay = 12;
    PresetTable[0].Channels[9] = {0x01, 0x82, 0x7F};
    PresetTable[0].PreData[0] = 0xF0;
    PresetTable[0].PostData[0] = 0x90;
    CurrentPreset = 0;
    FilePresetNumber = 41;
    const std::string path = dir.File("one.syx");
    ASSERT_EQ(ExportPresetToFile(path), 0);
    const BankSnapshot bank = BankSnapshot::Take();
    FilePresetNumber = 0;
    SyxFileCounts = {1, 2, 3, 4, 5};
    ASSERT_EQ(ImportPresetFile(path), 0);
    EXPECT_EQ(FilePresetNumber, 41);
    PresetRecord expected = PresetTable[0];
    std::memcpy(expected.Name, "New Name 1   ", 13);
    EXPECT_EQ(0, std::memcmp(&PresetStaging, &expected, sizeof expected));
    EXPECT_TRUE(BankSnapshot::Take() == bank);
    EXPECT_EQ(counts(), (std::array<int, 5>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SyxReader, ImportReadsTheFirstMessageOnly)
{
    ASSERT_EQ(ImportPresetFile(file(Concat({presetMessage(7, {0x11}), {0x00, 0x01}, presetMessage(8)}))), 0);
    EXPECT_EQ(FilePresetNumber, 7);
    EXPECT_EQ(PresetStaging.PreData[0], 0x11);
    ASSERT_EQ(ImportPresetFile(file(oldPresetMessage(199, 0x01))), 0);
    EXPECT_EQ(FilePresetNumber, 199);
    EXPECT_EQ(PresetStaging.PostData[15], 0x9F);
    EXPECT_EQ(PresetStaging.PreData[0], 0xFF);
    EXPECT_EQ(PresetStaging.Reserved, 0);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SyxReader, EveryImportFailureHasItsTextAndCaption)
{
    const Bytes preset = presetMessage(3, {0x40, 0x41}, {0x50});
    Bytes longPre = preset;
    longPre[118] = 91;
    Bytes longPost = preset;
    longPost[118 + 5] = 91;
    const struct {
        Bytes Content;
        const char* Text;
        const char* Caption;
    } rows[] = {
        {{}, "Unexpected End-of-File.", "File Open Error!"},
        {{0xF1, 0x7D}, "File does not start with 0xF0.", "File Error!"},
        {{0xF0}, "Unexpected End-of-File.", "File Error!"},
        {{0xF0, 0x7F, 0x22}, "Manufacturer ID not 0x7D.", "File Error!"},
        {{0xF0, 0x7D}, "Unexpected End-of-File.", "File Error!"},
        {{0xF0, 0x7D, 0x23, 0x31}, "Device ID not 0x22. Wrong file type selected?", "File Error!"},
        {{0xF0, 0x7D, 0x22}, "Unexpected End-of-File.", "File Open Error!"},
        {chainMessage(0, {}), "Invalid command byte. Not a Preset.", "File Error!"},
        {setting(16, 1), "Invalid command byte. Not a Preset.", "File Error!"},
        {header(0x24), "Unexpected End-of-File.", "File Error!"},
        {header(0x31), "Unexpected End-of-File.", "File Error!"},
        {Concat({header(0x24), {0xC8}, Bytes(148, 0)}), "Preset # beyond 200 (0xC7).", "File Error!"},
        {Concat({header(0x31), {0x0C, 0x08}, Bytes(115, 0)}), "Preset # beyond 200 (0x0C, 0x07).", "File Error!"},
        {cut(preset, 6 + 12), "Unexpected End-of-File.", "File Error!"},
        {cut(oldPresetMessage(1, 0), 5), "Unexpected End-of-File.", "File Error!"},
        {longPre, "Pre-Arb MIDI data length byte too big.", "File Open Error!"},
        {longPost, "Post-Arb MIDI data length byte too big.", "File Open Error!"},
        {cut(preset, 60), "Pre-Arb MIDI data length byte too big.", "File Open Error!"},
        {cut(preset, 121), "Post-Arb MIDI data length byte too big.", "File Open Error!"},
    };
    const BankSnapshot bank = BankSnapshot::Take();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Text);
        messages.clear();
        SyxFileCounts = {1, 2, 3, 4, 5};
        EXPECT_EQ(ImportPresetFile(file(row.Content)), 1);
        EXPECT_EQ(messages.shown(), std::vector{Plain(row.Text, row.Caption)});
        EXPECT_EQ(counts(), (std::array<int, 5>{1, 2, 3, 4, 5}));
    }
    EXPECT_TRUE(BankSnapshot::Take() == bank);
}

TEST_F(SyxReader, ImportOfAFileThatEndsInsideItsData)
{
    // POST data cut short: accepted with the bytes read so far.
    const Bytes preset = presetMessage(3, {0x40}, {0x50, 0x51, 0x52});
    ASSERT_EQ(ImportPresetFile(file(cut(preset, preset.size() - 3))), 0);
    EXPECT_EQ(PresetStaging.PreData[0], 0x40);
    EXPECT_EQ(PresetStaging.PostData[1], 0x51);
    EXPECT_EQ(PresetStaging.PostData[2], 0xFF);
    EXPECT_EQ(nameOf(PresetStaging), kName);

    // Old format cut inside its 16 data bytes: they land in the POST block.
    ASSERT_EQ(ImportPresetFile(file(cut(oldPresetMessage(4, 0x00), 114 + 2 * 5))), 0);
    EXPECT_EQ(PresetStaging.PreData[0], 0xFF);
    EXPECT_EQ(PresetStaging.PostData[4], 0x94);
    EXPECT_EQ(PresetStaging.PostData[5], 0xFF);

    // Old format cut among its channels: a channel never reached keeps 0x80.
    ASSERT_EQ(ImportPresetFile(file(cut(oldPresetMessage(4, 0x00), 18 + 6 * 2 + 3))), 0);
    EXPECT_EQ(PresetStaging.Channels[1].Program, 0x81);
    EXPECT_EQ(PresetStaging.Channels[2].BankMsb, 0x02);
    EXPECT_EQ(PresetStaging.Channels[2].BankLsb, 0x80);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(SyxReader, StreamsReadPastTheEndAsFF)
{
    const std::uint8_t bytes[] = {0x01, 0xFF};
    SyxInputStream in(bytes, sizeof bytes);
    EXPECT_EQ(in.Get(), 0x01);
    EXPECT_EQ(in.Get(), 0xFF);
    EXPECT_FALSE(in.Eof());
    EXPECT_EQ(in.Get(), 0xFF);
    EXPECT_TRUE(in.Eof());
    EXPECT_EQ(in.Get(), 0xFF);

    // A file longer than one buffer is read whole.
    Bytes big;
    for (int i = 0; i < 200; ++i)
        big = Concat({big, presetMessage(static_cast<std::uint8_t>(i), Bytes(90, 0x11), Bytes(90, 0x22))});
    for (int i = 0; i < 99; ++i)
        big = Concat({big, chainMessage(static_cast<std::uint8_t>(i), {1})});
    ASSERT_GT(big.size(), 65536u * 1.4);
    ASSERT_EQ(LoadBankFromFile(file(big)), 0);
    EXPECT_EQ(counts(), (std::array<int, 5>{0, 200, 99, 0, 0}));
    EXPECT_EQ(PresetTable[199].PostData[89], 0x22);
    EXPECT_EQ(ChainTable[98].Links[0], 1);
}

TEST_F(SyxReader, ABadDataPairStopsTheBlockWithoutSkippingItsRest)
{
    // PRE block of 3 whose second pair is bad: the next read, the POST length,
    // takes the third pair's first byte (0) and the closing F7 read takes its
    // second (5); the real POST length then fails to start a message.
    Bytes msg = presetMessage(20, {0x12, 0x34, 0x05});
    msg[121] = 0x1F;
    ASSERT_EQ(LoadBankFromFile(file(msg)), 1);
    EXPECT_EQ(PresetTable[20].PreData[0], 0x12);
    EXPECT_EQ(PresetTable[20].PreData[1], 0xFF);
    EXPECT_EQ(PresetTable[20].PostData[0], 0xFF);
    EXPECT_EQ(messages.shown(), std::vector{Plain("File does not start with 0xF0.", "File Open Error!")});
}

namespace {

struct ReadOutcome {
    int Result;
    BankSnapshot Bank;
    PresetRecord Preset;
    ChainRecord Chain;
    std::array<int, 5> Counts;
    std::uint8_t PresetNumber;
    std::uint8_t ChainNumber;
    std::vector<ShownMessage> Shown;
    bool operator==(const ReadOutcome& o) const
    {
        return Result == o.Result && Bank == o.Bank && !std::memcmp(&Preset, &o.Preset, sizeof Preset) &&
               !std::memcmp(&Chain, &o.Chain, sizeof Chain) && Counts == o.Counts &&
               PresetNumber == o.PresetNumber && ChainNumber == o.ChainNumber && Shown == o.Shown;
    }
};

template <typename Read>
ReadOutcome readInPieces(const Bytes& content, std::size_t pieceSize, Read read)
{
    InitBankDefaults();
    PresetStaging = PresetTemplate;
    ChainStaging = ChainTemplate;
    FilePresetNumber = FileChainNumber = 0;
    MessageRecorder recorder;
    SyxInputStream in(content.data(), content.size(), pieceSize);
    const int result = read(in);
    return {result, BankSnapshot::Take(), PresetStaging, ChainStaging, counts(), FilePresetNumber, FileChainNumber,
            recorder.shown()};
}

} // namespace

// Runs of bytes already at hand are read in one go; the outcome must be the
// same as when the bytes arrive one at a time, however a file ends or breaks.
TEST_F(SyxReader, OutcomeDoesNotDependOnHowTheBytesArrive)
{
    Bytes badChannel = presetMessage(30, Bytes(90, 0x41), Bytes(33, 0x42));
    badChannel[40] = 0x10;
    Bytes badPost = presetMessage(31, Bytes(17, 0x01), Bytes(90, 0x7F));
    badPost[119 + 34 + 1 + 2 * 60] = 0xF0;
    const Bytes full = presetMessage(32, Bytes(90, 0x5A), Bytes(90, 0xA5));
    const Bytes inputs[] = {
        Concat({full, chainMessage(3, {1, 2}), setting(17, 5), oldPresetMessage(33, 1)}),
        badChannel,
        badPost,
        cut(full, 300),
        cut(full, 119 + 90),
        Concat({full, cut(oldPresetMessage(4, 0), 130)}),
        cut(chainMessage(5, {7, 8, 9}), 27),
    };
    const auto load = [](SyxInputStream& in) { return int(LoadBankFromStream(in)); };
    const auto import = [](SyxInputStream& in) { return int(ImportPresetFromStream(in)); };
    const auto count = [](SyxInputStream& in) { return (CountSyxMessages(in), 0); };
    for (std::size_t n = 0; n < std::size(inputs); ++n) {
        SCOPED_TRACE(n);
        const Bytes& content = inputs[n];
        for (std::size_t piece : {std::size_t{1}, std::size_t{5}, std::size_t{64}}) {
            EXPECT_TRUE(readInPieces(content, piece, load) == readInPieces(content, 0, load)) << piece;
            EXPECT_TRUE(readInPieces(content, piece, import) == readInPieces(content, 0, import)) << piece;
            EXPECT_TRUE(readInPieces(content, piece, count) == readInPieces(content, 0, count)) << piece;
        }
    }
    // The inputs do reach both outcomes.
    EXPECT_EQ(readInPieces(inputs[0], 0, load).Result, 0);
    EXPECT_EQ(readInPieces(inputs[1], 0, load).Preset.Channels[3].BankMsb, 0x80);
    EXPECT_EQ(readInPieces(inputs[2], 0, load).Result, 1);
}
