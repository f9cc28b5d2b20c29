#include "Bank.h"
#include "SafeFile.h"
#include "SpecialFiles.h"
#include "SyxTestSupport.h"
#include "SyxWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <random>
#include <thread>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs body in a forked child and returns its report: empty when every check
// held, "skip: ..." when it could not run; a child ended by a signal says so.
std::string inChild(const std::function<std::string()>& body)
{
    int report[2];
    if (::pipe(report) != 0)
        return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(report[0]);
        const std::string text = body();
        [[maybe_unused]] const ssize_t n = ::write(report[1], text.data(), text.size());
        ::_exit(0);
    }
    ::close(report[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(report[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        text += "ended by signal " + std::to_string(WTERMSIG(status));
    return text;
}

// Collects the checks that fail inside a child, where gtest cannot report them.
struct ChildChecks {
    std::string Failed;
    void operator()(bool ok, const std::string& what)
    {
        if (!ok)
            Failed += what + "; ";
    }
};

std::vector<std::string> namesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
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
    // For a child: with either kind of temporary file both writers fail and
    // leave the file, the only one in its folder, as it was.
    std::string bothWritersFail(const std::string& file) const
    {
        ChildChecks check;
        for (const bool named : {false, true}) {
            SetFileFaults({.FailUnnamedTemp = named});
            const std::string mode = named ? " (named)" : " (unnamed)";
            check(SaveBankToFile(file) == 1, "save succeeded" + mode);
            check(ExportPresetToFile(file) == 1, "export succeeded" + mode);
            check(ReadAll(file) == kPrevious, "file changed" + mode);
            check(namesIn(std::filesystem::path(file).parent_path()) == std::vector<std::string>{"bank.syx"},
                  "temporary file left" + mode);
        }
        return check.Failed;
    }
};

TEST_F(SyxWriterFailure, EveryInjectedFaultFailsAndKeepsThePreviousFile)
{
    const FileFaults faults[] = {
        {0, false, false, false},     {1, false, false, false},     {120, false, false, false},
        {16384, false, false, false}, {30013, false, false, false}, {-1, true, false, false},
        {-1, false, true, false},     {-1, false, false, true},
    };
    for (const bool named : {false, true})
        for (FileFaults f : faults) {
            f.FailUnnamedTemp = named;
            SCOPED_TRACE(testing::Message() << "after " << f.FailWriteAfterBytes << " sync " << f.FailSync << " close "
                                            << f.FailClose << " rename " << f.FailRename << " named " << named);
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

    // Nor does a FIFO or a device node, named or reached through a link: the
    // rename would take its place. Neither writer writes or renames anything.
    const std::string fifo = dir.File("fifo.syx");
    const std::string node = dir.File("full.syx");
    ASSERT_TRUE(MakeFifo(fifo));
    std::filesystem::create_symlink("fifo.syx", dir.File("to-fifo.syx"));
    std::vector<std::string> special = {fifo, dir.File("to-fifo.syx")};
    if (MakeDeviceNode(node))
        special.push_back(node);
    for (const bool named : {false, true})
        for (const std::string& path : special) {
            SCOPED_TRACE(path + (named ? " (named)" : " (unnamed)"));
            SetFileFaults({.FailUnnamedTemp = named});
            EXPECT_EQ(SaveBankToFile(path), 1);
            EXPECT_EQ(ExportPresetToFile(path), 1);
        }
    EXPECT_EQ(FileKind(fifo), static_cast<mode_t>(S_IFIFO));
    EXPECT_EQ(FileKind(dir.File("to-fifo.syx")), static_cast<mode_t>(S_IFLNK));
    if (special.size() > 2) {
        EXPECT_EQ(FileKind(node), static_cast<mode_t>(S_IFCHR));
    }
    EXPECT_EQ(dir.Entries().size(), 2u + special.size());
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

TEST_F(SyxWriterFailure, LinksStayLinksAndTheFileTheyNameGetsTheBytes)
{
    // Each link is read relative to its own folder, and the last one names a
    // file that does not exist yet.
    std::filesystem::create_directory(dir.File("links"));
    std::filesystem::create_symlink("second.syx", dir.File("links/first.syx"));
    std::filesystem::create_symlink("../made.syx", dir.File("links/second.syx"));
    ASSERT_EQ(SaveBankToFile(dir.File("links/first.syx")), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("links/first.syx")));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("links/second.syx")));
    EXPECT_EQ(ReadAll(dir.File("made.syx")).size(), 30014u);
    EXPECT_EQ(namesIn(dir.Path()), (std::vector<std::string>{"bank.syx", "links", "made.syx"}));
    EXPECT_EQ(namesIn(dir.File("links")), (std::vector<std::string>{"first.syx", "second.syx"}));

    // Links that go round in a loop name no file at all.
    std::filesystem::create_symlink("loop2.syx", dir.File("loop1.syx"));
    std::filesystem::create_symlink("loop1.syx", dir.File("loop2.syx"));
    EXPECT_EQ(SaveBankToFile(dir.File("loop1.syx")), 1);
    EXPECT_EQ(ExportPresetToFile(dir.File("loop1.syx")), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("loop1.syx")));
    EXPECT_EQ(dir.Entries().size(), 5u);
}

TEST_F(SyxWriterFailure, ReadOnlyTargetIsKeptAsAWriteInPlaceWouldKeepIt)
{
    // The user owns the file and may write its folder, but the file's own mode
    // forbids writing: root acts as that user for the check.
    std::string folder = dir.Path().string();
    const bool root = ::geteuid() == 0;
    if (root) {
        folder = dir.File("user");
        std::filesystem::create_directory(folder);
        std::filesystem::permissions(dir.Path(), std::filesystem::perms(0711));
        if (::chown(folder.c_str(), 65534, 65534) != 0)
            GTEST_SKIP() << "cannot hand a folder to uid 65534";
    }
    const std::string file = folder + "/bank.syx";
    WriteAll(file, kPrevious);
    ::chmod(file.c_str(), 0444);
    if (root && ::chown(file.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "cannot hand a file to uid 65534";

    const std::string report = inChild([&]() -> std::string {
        if (root && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return "skip: cannot drop root privileges to uid 65534";
        ChildChecks check{bothWritersFail(file)};
        // Once writable again, the same user saves it, mode kept.
        ::chmod(file.c_str(), 0640);
        SetFileFaults({});
        check(SaveBankToFile(file) == 0 && ReadAll(file).size() == 30014u, "writable file not saved");
        struct stat st{};
        check(::stat(file.c_str(), &st) == 0 && (st.st_mode & 0777) == 0640, "mode not kept");
        return check.Failed;
    });
    if (report.starts_with("skip: "))
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "");

    if (root) {
        // Root may write a read-only file in place, so it may replace it too.
        ::chmod(file.c_str(), 0444);
        EXPECT_EQ(ExportPresetToFile(file), 0);
        EXPECT_EQ(ReadAll(file).size(), 121u);
    }
}

TEST_F(SyxWriterFailure, FileSizeLimitFailsTheWriteAndTheProgramGoesOn)
{
    const std::string report = inChild([&] {
        const rlimit limit{100, 100}; // the old file fits, neither new one does
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 ? bothWritersFail(target) : "no limit set";
    });
    EXPECT_EQ(report, "");
}

TEST_F(SyxWriterFailure, SaveRemovesTheTemporaryFilesOfAKilledSaveButNotOfALiveOne)
{
    WriteAll(dir.File(".bank.syx.123.tmp"), Bytes(1000, 0x55));
    const std::vector<std::string> others = {".bank.syx.12a.tmp", ".bank.syx..tmp", ".other.syx.5.tmp",
                                             "bank.syx.5.tmp"};
    for (const std::string& name : others)
        WriteAll(dir.File(name), kPrevious);
    SetFileFaults({.FailUnnamedTemp = true});
    SafeFileWriter live;
    ASSERT_TRUE(live.Open(target));
    SetFileFaults({});

    ASSERT_EQ(SaveBankToFile(target), 0);
    std::vector<std::string> left = dir.Entries();
    EXPECT_EQ(std::count(left.begin(), left.end(), ".bank.syx.123.tmp"), 0);
    EXPECT_EQ(left.size(), 1 + others.size() + 1);

    // The live writer still owns its file and finishes its save.
    ASSERT_TRUE(live.Write(kPrevious.data(), kPrevious.size()) && live.Commit());
    EXPECT_EQ(ReadAll(target), kPrevious);
    EXPECT_EQ(dir.Entries().size(), 1 + others.size());
}

TEST_F(SyxWriterFailure, SaveKilledAtAnyPointLeavesAWholeFileAndNoLastingTemporary)
{
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(SaveBankToFile(target), 0);
    const auto saveTime = std::chrono::steady_clock::now() - started;
    const Bytes saved = ReadAll(target);
    std::mt19937 random(20240611);
    std::uniform_int_distribution<long long> delay(0, 2 * saveTime / std::chrono::microseconds(1) + 50);
    int leftovers = 0;
    for (int kill = 0; kill < 200; ++kill) {
        SCOPED_TRACE(testing::Message() << "kill " << kill);
        WriteAll(target, kPrevious);
        SetFileFaults({.FailUnnamedTemp = kill % 2 == 1});
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            [[maybe_unused]] const ssize_t n = ::write(ready[1], "!", 1);
            SaveBankToFile(target);
            ::_exit(0);
        }
        char mark;
        [[maybe_unused]] const ssize_t n = ::read(ready[0], &mark, 1);
        ::close(ready[0]);
        ::close(ready[1]);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        const Bytes now = ReadAll(target);
        ASSERT_TRUE(now == kPrevious || now == saved) << now.size() << " bytes";
        leftovers += dir.Entries().size() > 1;
        ASSERT_EQ(SaveBankToFile(target), 0);
        ASSERT_EQ(dir.Entries(), std::vector<std::string>{"bank.syx"});
    }
    RecordProperty("kills that left a temporary file", leftovers);
}

// Any name the file system takes can be saved: the temporary file's longer
// name must fit as well, and a killed save's leftover is still found.
TEST_F(SyxWriter, NamesUpToTheLongestASaveAndAnExportCanWrite)
{
    for (const std::size_t length : {241u, 250u, 255u})
        for (const bool named : {false, true}) {
            SCOPED_TRACE(testing::Message() << length << " bytes" << (named ? " (named)" : " (unnamed)"));
            SetFileFaults({.FailUnnamedTemp = named});
            const std::string name = std::string(length - 4, 'n') + ".syx";
            const std::string path = dir.File(name);
            ASSERT_EQ(SaveBankToFile(path), 0);
            EXPECT_EQ(ReadAll(path).size(), 30014u);
            ASSERT_EQ(ExportPresetToFile(path), 0);
            EXPECT_EQ(ReadAll(path).size(), 121u);
            EXPECT_EQ(dir.Entries(), std::vector<std::string>{name});

            // Never destroyed: the child ends as if killed mid-save.
            const std::string report = inChild([&] {
                auto* killed = new SafeFileWriter;
                return killed->Open(path) && killed->Write(kNewName1Zeros.data(), 13) ? "" : "not opened";
            });
            EXPECT_EQ(report, "");
            EXPECT_EQ(dir.Entries().size(), named ? 2u : 1u);
            ASSERT_EQ(SaveBankToFile(path), 0);
            EXPECT_EQ(dir.Entries(), std::vector<std::string>{name});
            std::filesystem::remove(path);
        }
}

// So can any path the system takes: the temporary file's path, longer than the
// target's, must not have to fit as a whole.
TEST_F(SyxWriter, PathsUpToTheLongestASaveAndAnExportCanWrite)
{
    constexpr std::size_t kLongest = PATH_MAX - 1;
    std::string folder = dir.Path().string();
    while (kLongest - folder.size() - 1 > 250)
        folder += "/" + std::string(200, 'd');
    std::filesystem::create_directories(folder);
    for (const std::size_t length : {kLongest - 14, kLongest})
        for (const bool named : {false, true}) {
            SCOPED_TRACE(testing::Message() << length << " bytes" << (named ? " (named)" : " (unnamed)"));
            SetFileFaults({.FailUnnamedTemp = named});
            const std::string name = std::string(length - folder.size() - 1 - 4, 'n') + ".syx";
            const std::string path = folder + "/" + name;
            ASSERT_EQ(path.size(), length);
            ASSERT_EQ(SaveBankToFile(path), 0);
            EXPECT_EQ(ReadAll(path).size(), 30014u);
            ASSERT_EQ(ExportPresetToFile(path), 0);
            EXPECT_EQ(ReadAll(path).size(), 121u);
            EXPECT_EQ(namesIn(folder), std::vector<std::string>{name});

            // A killed save's leftover there is still found and removed.
            const std::string report = inChild([&] {
                auto* killed = new SafeFileWriter;
                return killed->Open(path) && killed->Write(kNewName1Zeros.data(), 13) ? "" : "not opened";
            });
            EXPECT_EQ(report, "");
            EXPECT_EQ(namesIn(folder).size(), named ? 2u : 1u);
            ASSERT_EQ(SaveBankToFile(path), 0);
            EXPECT_EQ(namesIn(folder), std::vector<std::string>{name});
            std::filesystem::remove(path);
        }
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
