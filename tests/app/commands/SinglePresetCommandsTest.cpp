// Import One Preset and Export Current Preset driven through the Open and Save
// menus, with the prompts and file dialogs answered.
#include "AppFixture.h"

#include "SafeFile.h"
#include "SyxReader.h"
#include "SyxWriter.h"

#include <QAction>

namespace zlv::test {
namespace {

using SinglePreset = AppFixture;

std::string codecPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A preset whose every field differs from the default, with a full 13-character
// name so that it comes back from a file exactly as it went in.
zlv::PresetRecord distinctPreset(const char* name13)
{
    zlv::PresetRecord p = zlv::PresetTemplate;
    for (std::size_t i = 0; i < zlv::kNameLength; ++i)
        p.Name[i] = static_cast<std::uint8_t>(name13[i]);
    p.PreDelay = 9;
    p.PostDelay = 127;
    for (std::size_t ch = 0; ch < zlv::kChannelCount; ++ch)
        p.Channels[ch] = {static_cast<std::uint8_t>(ch), static_cast<std::uint8_t>(0x80 | ch),
                          static_cast<std::uint8_t>(100 + ch)};
    p.PreData[0] = 0xC0;
    p.PreData[1] = 0x05;
    for (std::size_t k = 0; k < zlv::kMidiDataBlockSize; ++k)
        p.PostData[k] = static_cast<std::uint8_t>(k * 2);
    return p;
}

// Writes record as a single-preset file carrying number (0-based), through the codec.
void writePresetFile(const QString& path, const zlv::PresetRecord& record, std::uint8_t number)
{
    const zlv::PresetRecord saved = zlv::PresetTable[0];
    const std::uint8_t current = zlv::CurrentPreset;
    zlv::PresetTable[0] = record;
    zlv::CurrentPreset = 0;
    zlv::FilePresetNumber = number;
    ASSERT_EQ(zlv::ExportPresetToFile(codecPath(path)), 0);
    zlv::PresetTable[0] = saved;
    zlv::CurrentPreset = current;
}

bool samePreset(const zlv::PresetRecord& a, const zlv::PresetRecord& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST_F(SinglePreset, ImportProposesTheFilesNumberAndReplacesTheChosenPreset)
{
    const zlv::PresetRecord imported = distinctPreset("Imported Song");
    const QString path = workFile("one.syx");
    writePresetFile(path, imported, 41);
    makeCurrent(30);
    // Imported from the Chains page, whose link to the target shows the new name.
    setLinks(0, {6});
    showChainsPage();
    chooseFile(path);
    answerPrompt(7);
    form->OpenSinglePreset1->trigger();

    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].window, "LoadForm");
    EXPECT_EQ(prompts[0].caption, "Import into which Preset?");
    EXPECT_EQ(prompts[0].label, "Import new Preset into this Preset Number:  ");
    EXPECT_EQ(prompts[0].proposed, 42);
    EXPECT_EQ(dialogs[0].dialog, "OpenSingleDialog");
    EXPECT_TRUE(samePreset(zlv::PresetTable[6], imported));
    EXPECT_EQ(zlv::CurrentPreset, 6);
    EXPECT_EQ(form->edPreset->text(), "7");
    EXPECT_EQ(form->edPresetName->text(), "Imported Song");
    EXPECT_EQ(listLine(6), "07.  Imported Song");
    EXPECT_EQ(listLine(30), "31.  New Name 31");
    EXPECT_EQ(listLine(41), "42.  New Name 42");
    EXPECT_EQ(cell(links(), 1, 1), "7.  Imported Song");
    EXPECT_FALSE(form->PresetModified);
}

TEST_F(SinglePreset, FilesOver528BytesAreRefusedBeforeReading)
{
    const QString path = workFile("padded.syx");
    writePresetFile(path, distinctPreset("Padded  Song "), 0);
    Bytes bytes = ReadFile(path);
    ASSERT_LT(bytes.size(), 528u);
    bytes.resize(528, 0x00);
    WriteFile(path, bytes);
    chooseFile(path);
    answerPrompt(2);
    form->OpenSinglePreset1->trigger();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(prompts.size(), 1u);
    EXPECT_EQ(listLine(1), "02.  Padded  Song ");

    bytes.push_back(0x00);
    WriteFile(path, bytes);
    chooseFile(path);
    form->OpenSinglePreset1->trigger();
    EXPECT_EQ(messages.boxes(),
              (std::vector<Box>{{"This file is too big to be a single Preset file.", "File Open Error!"}}));
    EXPECT_EQ(prompts.size(), 1u);
}

TEST_F(SinglePreset, RefusedOrCancelledImportLeavesTheBankAlone)
{
    makeCurrent(4);
    const Bytes before = BankBytes();

    const QString empty = workFile("empty.syx");
    WriteFile(empty, {});
    chooseFile(empty);
    form->OpenSinglePreset1->trigger();
    EXPECT_EQ(messages.boxes(), (std::vector<Box>{{"Unexpected End-of-File.", "File Open Error!"}}));

    chooseFile(workFile("missing.syx"));
    form->OpenSinglePreset1->trigger();
    EXPECT_EQ(messages.size(), 1u);

    const QString path = workFile("one.syx");
    writePresetFile(path, distinctPreset("Never Loaded "), 3);
    chooseFile(path);
    cancelPrompt();
    form->OpenSinglePreset1->trigger();
    EXPECT_EQ(prompts.size(), 1u);

    EXPECT_EQ(FirstDifference(BankBytes(), before), -1);
    EXPECT_EQ(zlv::CurrentPreset, 4);
    EXPECT_EQ(form->edPreset->text(), "5");
}

// The pending-edit step comes before the dialog, so it is taken even when the
// user then cancels.
TEST_F(SinglePreset, ImportStoresPendingEditsFirst)
{
    makeCurrent(2);
    editFirstProgram(42);
    cancelFileDialog();
    form->OpenSinglePreset1->trigger();
    EXPECT_FALSE(form->PresetModified);
    EXPECT_EQ(zlv::PresetTable[2].Channels[0].Program, 41);
}

TEST_F(SinglePreset, ExportWritesTheCurrentPresetUnderTheChosenNumber)
{
    makeCurrent(11);
    editFirstProgram(42);
    const QString path = workFile("out.syx");
    answerPrompt(3);
    chooseFile(path);
    form->SaveOne->trigger();

    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].window, "SaveForm");
    EXPECT_EQ(prompts[0].caption, "Export To Which Preset?");
    EXPECT_EQ(prompts[0].label, "Export Current Preset to this Preset Number: ");
    EXPECT_EQ(prompts[0].proposed, 12);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].dialog, "SaveOneDialog");
    EXPECT_EQ(dialogs[0].offered, "New Name 12_ZLVpreset.syx");
    EXPECT_EQ(zlv::CurrentPreset, 11);
    EXPECT_FALSE(form->PresetModified);

    ASSERT_EQ(zlv::ImportPresetFile(codecPath(path)), 0);
    EXPECT_EQ(zlv::FilePresetNumber, 2);
    EXPECT_EQ(zlv::PresetStaging.Channels[0].Program, 41);
    EXPECT_EQ(std::memcmp(zlv::PresetStaging.Name, "New Name 12  ", 13), 0);

    // A name with trailing blanks is offered with them.
    const char* blanks = "Abcd         ";
    std::memcpy(zlv::PresetTable[4].Name, blanks, 13);
    makeCurrent(4);
    answerPrompt(200);
    chooseFile(path);
    form->SaveOne->trigger();
    EXPECT_EQ(dialogs[1].offered, QString(blanks) + "_ZLVpreset.syx");
    ASSERT_EQ(zlv::ImportPresetFile(codecPath(path)), 0);
    EXPECT_EQ(zlv::FilePresetNumber, 199);
    EXPECT_TRUE(samePreset(zlv::PresetStaging, zlv::PresetTable[4]));
}

// The offer is made of the preset's name, which can hold folder separators
// (typed, or from a shared bank) or start with a dot: it must still name a
// visible file in the dialog's folder.
TEST_F(SinglePreset, OfferedExportNameStaysInTheDialogsFolder)
{
    std::memcpy(zlv::PresetTable[0].Name, "Str/Brass    ", 13);
    std::memcpy(zlv::PresetTable[1].Name, "../../evil\\x\0", 13);
    std::memcpy(zlv::PresetTable[2].Name, ".Intro       ", 13);
    for (int preset = 0; preset < 3; ++preset) {
        makeCurrent(preset);
        answerPrompt(preset + 1);
        acceptOfferedFile();
        form->SaveOne->trigger();
    }

    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(dialogs.size(), 3u);
    EXPECT_EQ(dialogs[0].offered, "Str_Brass    _ZLVpreset.syx");
    EXPECT_EQ(dialogs[1].offered, "_._.._evil_x_ZLVpreset.syx");
    EXPECT_EQ(dialogs[2].offered, "_Intro       _ZLVpreset.syx");
    const QDir work(form->WorkingFolder);
    QStringList written = work.entryList(QDir::Files | QDir::Hidden);
    written.sort();
    EXPECT_EQ(written, (QStringList{"Str_Brass    _ZLVpreset.syx", "_._.._evil_x_ZLVpreset.syx",
                                    "_Intro       _ZLVpreset.syx"}));
    EXPECT_FALSE(QFileInfo::exists(work.filePath("../../evil\\x_ZLVpreset.syx")));
    ASSERT_EQ(zlv::ImportPresetFile(codecPath(work.filePath("_._.._evil_x_ZLVpreset.syx"))), 0);
    EXPECT_EQ(zlv::FilePresetNumber, 1);
    EXPECT_EQ(std::memcmp(zlv::PresetTable[1].Name, "../../evil\\x\0", 13), 0); // the bank keeps its name
    EXPECT_EQ(std::memcmp(zlv::PresetTable[2].Name, ".Intro       ", 13), 0);
}

// Cancelled at the prompt, the export has already blank-filled the chain-name
// edit, without touching the chain itself.
TEST_F(SinglePreset, CancelledExportWritesNothing)
{
    makeCurrent(0);
    form->edChainName->setText("Live");
    const zlv::ChainRecord chain = zlv::ChainTable[zlv::CurrentChain];
    cancelPrompt();
    form->SaveOne->trigger();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(form->edChainName->text(), "Live         ");
    EXPECT_EQ(std::memcmp(&zlv::ChainTable[zlv::CurrentChain], &chain, sizeof chain), 0);

    answerPrompt(1);
    cancelFileDialog();
    form->SaveOne->trigger();
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(QDir(form->WorkingFolder).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(SinglePreset, FailedExportIsReportedAndKeepsThePreviousFile)
{
    const QString path = workFile("keep.syx");
    const Bytes previous{1, 2, 3};
    WriteFile(path, previous);
    zlv::FileFaults faults;
    faults.FailWriteAfterBytes = 10;
    const zlv::FileFaults before = zlv::SetFileFaults(faults);
    answerPrompt(1);
    chooseFile(path);
    form->SaveOne->trigger();
    zlv::SetFileFaults(before);
    const std::vector<Box> failed{{"Could not write the file.", "File Error!", zlv::MsgIcon::Exclamation}};
    EXPECT_EQ(messages.boxes(), failed);
    EXPECT_EQ(ReadFile(path), previous);

    messages.clear();
    answerPrompt(1);
    chooseFile(workFile("no such folder/one.syx"));
    form->SaveOne->trigger();
    EXPECT_EQ(messages.boxes(), failed);
}

} // namespace
} // namespace zlv::test
