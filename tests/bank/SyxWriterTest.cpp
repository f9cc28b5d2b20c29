#include "Bank.h"
#include "SafeFile.h"
#include "SyxTestSupport.h"
#include "SyxWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

using namespace zlv;
using namespace zlv::test;

namespace {

Bytes repeat(std::initializer_list<std::uint8_t> unit, std::size_t times)
{
    Bytes out;
    for (std::size_t i = 0; i < times; ++i)
        out.insert(out.end(), unit);
    return out;
}

Bytes slice(const Bytes& b, std::size_t from, std::size_t count)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(from + count));
}

const Bytes kNewName1Blanks = {0x4E, 0x65, 0x77, 0x20, 0x4E, 0x61, 0x6D, 0x65, 0x20, 0x31, 0x20, 0x20, 0x20};
const Bytes kNewName1Zeros = {0x4E, 0x65, 0x77, 0x20, 0x4E, 0x61, 0x6D, 0x65, 0x20, 0x31, 0x00, 0x00, 0x00};

Bytes defaultPresetMessage(std::uint8_t hi, std::uint8_t lo, const Bytes& name)
{
    return Concat({{0xF0, 0x7D, 0x22, 0x31, hi, lo}, name, {0, 0, 0}, repeat({0x08, 0x00}, 48), {0x00, 0x00, 0xF7}});
}

class SyxWriter : public ::testing::Test {
protected:
    void SetUp() override { InitBankDefaults(); }
    void TearDown() override { SetFileFaults({}); }
    TempDir dir;
};

} // namespace

TEST_F(SyxWriter, DefaultBankFileHasTheExactMessagesAndSize)
{
    const std::string path = dir.File("ZLV_keypad_ALL.syx");
    ASSERT_EQ(SaveBankToFile(path), 0);
    const Bytes file = ReadAll(path);
    ASSERT_EQ(file.size(), 30014u);

    EXPECT_EQ(slice(file, 0, 121), defaultPresetMessage(0x00, 0x00, kNewName1Blanks));
    const Bytes name200 = {'N', 'e', 'w', ' ', 'N', 'a', 'm', 'e', ' ', '2', '0', '0', ' '};
    EXPECT_EQ(slice(file, 199 * 121, 121), defaultPresetMessage(0x0C, 0x07, name200));

    const std::size_t chains = 200 * 121;
    const Bytes noName = {'N', 'o', ' ', 'N', 'a', 'm', 'e', ' ', 'C', 'h', 'a', 'i', 'n'};
    EXPECT_EQ(slice(file, chains, 58),
              Concat({{0xF0, 0x7D, 0x22, 0x33, 0x00, 0x00}, noName, repeat({0x0F, 0x0F}, 18), {0x00, 0x00, 0xF7}}));
    EXPECT_EQ(slice(file, chains + 98 * 58, 6), Bytes({0xF0, 0x7D, 0x22, 0x33, 0x06, 0x02}));

    const std::size_t dials = chains + 99 * 58;
    EXPECT_EQ(slice(file, dials, 8), Bytes({0xF0, 0x7D, 0x22, 0x22, 0x10, 0x0F, 0x0F, 0xF7}));
    EXPECT_EQ(slice(file, dials + 8 * 8, 8), Bytes({0xF0, 0x7D, 0x22, 0x22, 0x18, 0x0F, 0x0F, 0xF7}));

    EXPECT_EQ(FilePresetNumber, 200);
    EXPECT_EQ(FileChainNumber, 99);
    EXPECT_EQ(FileSpeedDialIndex, 9);
}

TEST_F(SyxWriter, SaveFillsStoredNamesWithBlanksButExportLeavesThem)
{
    CurrentPreset = 0;
    FilePresetNumber = 0;
    const std::string one = dir.File("one.syx");
    ASSERT_EQ(ExportPresetToFile(one), 0);
    EXPECT_EQ(ReadAll(one), defaultPresetMessage(0x00, 0x00, kNewName1Zeros));
    EXPECT_STREQ(reinterpret_cast<const char*>(PresetTable[0].Name), "New Name 1");

    // A zero inside the name cuts it: everything after it becomes blanks.
    std::memcpy(PresetTable[1].Name, "AB\0CDEFGHIJKL", 13);
    ChainTable[0].Name[5] = 0;
    ASSERT_EQ(SaveBankToFile(dir.File("all.syx")), 0);
    const auto* record = reinterpret_cast<const std::uint8_t*>(&PresetTable[0]); // name and its terminator
    EXPECT_EQ(Bytes(record, record + 14), Concat({kNewName1Blanks, {0x00}}));
    EXPECT_EQ(0, std::memcmp(PresetTable[1].Name, "AB           \0", 14));
    // Chain names go out as stored and stay so.
    const Bytes file = ReadAll(dir.File("all.syx"));
    EXPECT_EQ(file[200 * 121 + 6 + 5], 0x00);
    EXPECT_EQ(ChainTable[0].Name[5], 0);
}

TEST_F(SyxWriter, ExportWritesTheCurrentPresetUnderTheChosenNumber)
{
    CurrentPreset = 0;
    FilePresetNumber = 5;
    PresetTable[5].PreDelay = 9; // must not be the one written
    const std::string path = dir.File("export.syx");
    ASSERT_EQ(ExportPresetToFile(path), 0);
    EXPECT_EQ(ReadAll(path), defaultPresetMessage(0x00, 0x05, kNewName1Zeros));

    CurrentPreset = 5;
    FilePresetNumber = 199;
    ASSERT_EQ(ExportPresetToFile(path), 0);
    const Bytes file = ReadAll(path);
    EXPECT_EQ(slice(file, 4, 2), Bytes({0x0C, 0x07}));
    EXPECT_EQ(file[19], 9);
}

TEST_F(SyxWriter, FieldsTravelRawOrAsNibblePairs)
{
    PresetRecord& r = PresetTable[0];
    r.PreDelay = 0x7F;
    r.Reserved = 0x41;
    r.PostDelay = 0x02;
    r.Channels[0] = {0x85, 0x00, 0x7F}; // switched off with value 5; value 0 on; program 128
    r.Channels[15].Program = 0x23;
    const std::uint8_t pre[] = {0xB0, 0x00, 0x01};
    std::memcpy(r.PreData, pre, sizeof pre);
    r.PostData[0] = 0xC0;
    CurrentPreset = 0;
    FilePresetNumber = 0;
    const std::string path = dir.File("fields.syx");
    ASSERT_EQ(ExportPresetToFile(path), 0);
    const Bytes file = ReadAll(path);
    ASSERT_EQ(file.size(), 121u + 2 * 4);
    EXPECT_EQ(slice(file, 19, 3), Bytes({0x7F, 0x41, 0x02}));
    EXPECT_EQ(slice(file, 22, 6), Bytes({0x08, 0x05, 0x00, 0x00, 0x07, 0x0F}));
    EXPECT_EQ(slice(file, 22 + 94, 2), Bytes({0x02, 0x03}));
    EXPECT_EQ(slice(file, 118, 7), Bytes({0x03, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x01}));
    EXPECT_EQ(slice(file, 125, 4), Bytes({0x01, 0x0C, 0x00, 0xF7}));
}

TEST_F(SyxWriter, FullDataBlocksMakeTheLongestMessageAndFile)
{
    for (std::size_t i = 0; i < kMidiDataBlockSize; ++i) {
        PresetTable[3].PreData[i] = static_cast<std::uint8_t>(i);
        PresetTable[3].PostData[i] = static_cast<std::uint8_t>(0xFE - i);
    }
    const std::string path = dir.File("full.syx");
    ASSERT_EQ(SaveBankToFile(path), 0);
    const Bytes file = ReadAll(path);
    ASSERT_EQ(file.size(), 30014u + 360);
    const Bytes msg = slice(file, 3 * 121, 481);
    EXPECT_EQ(msg[118], 0x5A);
    EXPECT_EQ(slice(msg, 119, 4), Bytes({0x00, 0x00, 0x00, 0x01}));
    EXPECT_EQ(msg[299], 0x5A);
    EXPECT_EQ(slice(msg, 300, 2), Bytes({0x0F, 0x0E}));
    EXPECT_EQ(slice(msg, 478, 3), Bytes({0x0A, 0x05, 0xF7}));
    EXPECT_EQ(file[4 * 121 + 360], 0xF0);
}

TEST_F(SyxWriter, SpeedDialsGoOutAsParameterAndPair)
{
    SpeedDials[2] = 37;
    SpeedDials[8] = 230; // a value read from a file goes back unaltered
    const std::string path = dir.File("dials.syx");
    ASSERT_EQ(SaveBankToFile(path), 0);
    const Bytes file = ReadAll(path);
    const std::size_t dials = 30014 - 72;
    EXPECT_EQ(slice(file, dials + 16, 8), Bytes({0xF0, 0x7D, 0x22, 0x22, 0x12, 0x02, 0x05, 0xF7}));
    EXPECT_EQ(slice(file, dials + 64, 8), Bytes({0xF0, 0x7D, 0x22, 0x22, 0x18, 0x0E, 0x06, 0xF7}));
}

// The writers replace a file only once every byte of the new one is on disk.
class SyxWriterFailure : public SyxWriter {
protected:
    const Bytes kPrevious = {'o', 'l', 'd', ' ', 'b', 'a', 'n', 'k'};
    std::string target = dir.File("bank.syx");
    void SetUp() override
    {
        SyxWriter::SetUp();
        WriteAll(target, kPrevious);
    }
    void expectUntouched()
    {
        EXPECT_EQ(ReadAll(target), kPrevious);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"bank.syx"});
    }
};

TEST_F(SyxWriterFailure, EveryInjectedFaultFailsAndKeepsThePreviousFile)
{
    const FileFaults faults[] = {
        {0, false, false, false},     {1, false, false, false},     {120, false, false, false},
        {16384, false, false, false}, {30013, false, false, false}, {-1, true, false, false},
        {-1, false, true, false},     {-1, false, false, true},
    };
    for (const FileFaults& f : faults) {
        SCOPED_TRACE(testing::Message() << "after " << f.FailWriteAfterBytes << " sync " << f.FailSync << " close "
                                        << f.FailClose << " rename " << f.FailRename);
        SetFileFaults(f);
        EXPECT_EQ(SaveBankToFile(target), 1);
        expectUntouched();
        if (f.FailWriteAfterBytes >= 121)
            continue; // the single preset fits
        EXPECT_EQ(ExportPresetToFile(target), 1);
        expectUntouched();
    }
    // Exactly enough bytes allowed: the save goes through.
    SetFileFaults({30014, false, false, false});
    EXPECT_EQ(SaveBankToFile(target), 0);
    EXPECT_EQ(ReadAll(target).size(), 30014u);
}

TEST_F(SyxWriterFailure, TargetThatCannotBeReplacedFails)
{
    // A folder where the file should go cannot be replaced by a file.
    const std::string folder = dir.File("taken");
    std::filesystem::create_directory(folder);
    WriteAll(folder + "/inside", kPrevious);
    EXPECT_EQ(SaveBankToFile(folder), 1);
    EXPECT_EQ(ExportPresetToFile(folder), 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(ReadAll(folder + "/inside"), kPrevious);
    EXPECT_EQ(dir.Entries().size(), 2u);
}

TEST_F(SyxWriterFailure, MissingFolderFailsWithoutTouchingTheBank)
{
    EXPECT_EQ(SaveBankToFile(dir.File("no/such/folder/bank.syx")), 1);
    EXPECT_EQ(ExportPresetToFile(dir.File("no/such.syx")), 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(PresetTable[0].Name), "New Name 1");
    expectUntouched();
}

TEST_F(SyxWriterFailure, SuccessReplacesALongerFileCompletelyAndKeepsItsMode)
{
    WriteAll(target, Bytes(200000, 0x55));
    ::chmod(target.c_str(), 0640);
    CurrentPreset = 0;
    FilePresetNumber = 0;
    ASSERT_EQ(ExportPresetToFile(target), 0);
    EXPECT_EQ(ReadAll(target), defaultPresetMessage(0x00, 0x00, kNewName1Zeros));
    struct stat st{};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"bank.syx"});

    // Through a link the linked file is replaced and the link stays.
    const std::string link = dir.File("link.syx");
    std::filesystem::create_symlink(target, link);
    ASSERT_EQ(SaveBankToFile(link), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadAll(target).size(), 30014u);
}

TEST_F(SyxWriter, LengthCountsEveryByteThatIsNotFFEvenInAnUnpackedBlock)
{
    // Only a packed block round-trips; an unpacked one is written as the rule
    // says: the count of data bytes, then that many bytes from the front.
    PresetRecord& r = PresetTable[0];
    r.PreData[0] = 0xB0;
    r.PreData[89] = 0x01;
    r.PostData[88] = 0x00;
    CurrentPreset = 0;
    FilePresetNumber = 0;
    const std::string path = dir.File("unpacked.syx");
    ASSERT_EQ(ExportPresetToFile(path), 0);
    const Bytes file = ReadAll(path);
    ASSERT_EQ(file.size(), 121u + 2 * 3);
    EXPECT_EQ(slice(file, 118, 9), Bytes({0x02, 0x0B, 0x00, 0x0F, 0x0F, 0x01, 0x0F, 0x0F, 0xF7}));
}
