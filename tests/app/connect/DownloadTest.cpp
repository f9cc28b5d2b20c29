// Download Current Preset and Download All from the Download menu of the real
// main window: over direct MIDI to the simulated keypad, through an external
// application, and refused without a connection.
#include "AppFixture.h"

#include "Bank.h"
#include "MidiPorts.h"
#include "ProgressForm.h"
#include "SpecialFiles.h"
#include "SyxTestFiles.h"

#include <QCheckBox>
#include <QProgressBar>
#include <QToolBar>

using namespace zlv;
using namespace zlv::test;

namespace {

constexpr std::size_t kDefaultBankMessages = 308;
// Where channel 1's bank MSB travels in a preset message: after F0 7D 22 31, the
// number, the name and three single bytes.
constexpr std::size_t kChannel1MsbOffset = 4 + 2 + 13 + 3;

Bytes selectPreset(std::uint8_t index) { return {0xF0, 0x7D, 0x22, 0x07, index, 0xF7}; }

// Preset 5's default message as the keypad should get it under number `target`
// (1-based), with channel 1's bank MSB switched on at `msb`. A single preset
// goes out with its name as stored; a whole-bank write fills it up with blanks.
Bytes editedPresetFive(int target, std::uint8_t msb, bool nameFilledUp)
{
    constexpr std::size_t kNameEnd = 4 + 2 + 13;
    Bytes m = DefaultPresetMessage(4);
    if (!nameFilledUp)
        std::fill(m.begin() + kNameEnd - 3, m.begin() + kNameEnd, std::uint8_t{0});
    m[4] = static_cast<std::uint8_t>((target - 1) >> 4);
    m[5] = static_cast<std::uint8_t>((target - 1) & 0x0F);
    m[kChannel1MsbOffset] = static_cast<std::uint8_t>(msb >> 4);
    m[kChannel1MsbOffset + 1] = static_cast<std::uint8_t>(msb & 0x0F);
    return m;
}

// What the progress window and the tool bar looked like as each message went out.
struct SendView {
    bool progressShown;
    int position;
    int maximum;
    bool toolBarEnabled;
    bool hourglass;
};

} // namespace

class Download : public AppFixture {
protected:
    Download() : AppFixture({.keypad = true}) {}

    // The Presets page as a person edits it: preset 5 chosen in the list, channel
    // 1's bank MSB switched on and set to 5, not yet stored.
    void editPresetFive()
    {
        clickPreset(4);
        MainForm->m_cboxCh[0][0]->click();
        MainForm->m_spinCh[0][0]->setValue(5);
        ASSERT_TRUE(MainForm->PresetModified);
    }

    // Answers as the keypad does and notes what the window showed meanwhile;
    // from message `silentFrom` on (1-based) the keypad no longer answers.
    void watchSends(int silentFrom = 0)
    {
        keypad->Responder = [this, silentFrom](const Bytes& message, int number, std::chrono::milliseconds&) {
            views.push_back({frmProgress->isVisible(), frmProgress->ProgressBar1->value(),
                             frmProgress->ProgressBar1->maximum(), MainForm->ToolBar1->isEnabled(),
                             QApplication::overrideCursor() != nullptr});
            tempFileAtSend.push_back(QFileInfo::exists(watchedFile));
            if (silentFrom > 0 && number >= silentFrom)
                return std::optional<Bytes>{};
            return keypad->Keypad.Answer(message);
        };
    }

    std::vector<SendView> views;
    std::vector<bool> tempFileAtSend;
};

TEST_F(Download, CurrentPresetGoesOutUnderTheChosenNumberAndTheCurrentOneIsSelected)
{
    chooseDirectMidi();
    editPresetFive();
    watchedFile = workFile("ZLVTempDownloadPreset.syx");
    answerPrompt(10);
    watchSends();
    MainForm->mnuDownloadCurrent->trigger();

    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].caption, "Download To Which Preset?");
    EXPECT_EQ(prompts[0].label, "Download Current Preset to this Preset Number:");
    EXPECT_EQ(prompts[0].proposed, 5);
    EXPECT_FALSE(MainForm->PresetModified);
    EXPECT_EQ(FilePresetNumber, 9);
    ASSERT_EQ(keypad->Received.size(), 2u);
    EXPECT_EQ(keypad->Received[0], editedPresetFive(10, 5, false));
    EXPECT_EQ(keypad->Received[1], selectPreset(4));
    EXPECT_EQ(tempFileAtSend, (std::vector<bool>{true, true}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Box("Downloaded OK!", "Download Success", MsgIcon::Information));
    EXPECT_FALSE(messages[0].hourglass);
    EXPECT_TRUE(messages[0].watchedFileThere);
    EXPECT_FALSE(QFileInfo::exists(watchedFile));
    EXPECT_EQ(CurrentPreset, 4);
    EXPECT_EQ(MainForm->edPreset->text(), "5");
}

TEST_F(Download, CurrentPresetFailuresHaveTheirOwnMessagesAndSelectNothing)
{
    struct Case {
        const char* name;
        SimKeypad::Answering mode;
        Box box;
    };
    const Case cases[] = {
        // A keypad that says nothing has not got the preset.
        {"silent", SimKeypad::Answering::Silent, Box("Burn Preset failed.", "Download Fail!", MsgIcon::Exclamation)},
        {"refusing", SimKeypad::Answering::Refusing,
         Box("No acknowledge from keypad.", "Download Fail?", MsgIcon::Exclamation)},
    };
    chooseDirectMidi();
    watchedFile = workFile("ZLVTempDownloadPreset.syx");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        keypad->Mode = c.mode;
        keypad->Received.clear();
        messages.clear();
        answerPrompt(1);
        MainForm->mnuDownloadCurrent->trigger();
        keypad->WaitIdle();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], c.box);
        EXPECT_TRUE(messages[0].watchedFileThere);
        EXPECT_FALSE(QFileInfo::exists(watchedFile));
        EXPECT_EQ(keypad->Received.size(), 1u);
    }
}

TEST_F(Download, CurrentPresetWithThePortsClosedIsAFailedBurn)
{
    // Opening failed: direct MIDI stays chosen with nothing open.
    keypad->FailOpenOutAt = 0;
    MainForm->mnuDirectMIDI->trigger();
    ASSERT_EQ(MainForm->MidiMode, mmDirectMidi);
    ASSERT_FALSE(IsMidiOpen());
    answerPrompt(1);
    MainForm->mnuDownloadCurrent->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Box("Burn Preset failed.", "Download Fail!", MsgIcon::Exclamation));
}

TEST_F(Download, AWorkingFolderThatCannotBeWrittenSendsNothing)
{
    chooseDirectMidi();
    const QString workingFolder = MainForm->WorkingFolder;
    MainForm->WorkingFolder = QDir(documentsPath()).filePath("missing/folder");
    answerPrompt(1);
    clickPreset(2);
    MainForm->mnuDownloadCurrent->trigger();
    MainForm->mnuDownloadAll->trigger();

    EXPECT_TRUE(keypad->Received.empty());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], Box("Bad filename or unable to access directory.", "Download Fail!", MsgIcon::Exclamation));
    EXPECT_EQ(messages[1],
              Box("Bad file name or unable to access directory.", "Download Fail!", MsgIcon::Exclamation));
    // A load that failed ends Download All before preset 1 is made current.
    EXPECT_EQ(CurrentPreset, 2);

    // A FIFO under a temporary file's name is neither written, nor sent, nor removed.
    MainForm->WorkingFolder = workingFolder;
    const QString fifos[] = {workFile("ZLVTempDownloadPreset.syx"), workFile("ZLVTempDownloadFile.syx")};
    for (const QString& fifo : fifos)
        ASSERT_TRUE(MakeFifo(QFile::encodeName(fifo).toStdString()));
    messages.clear();
    answerPrompt(1);
    MainForm->mnuDownloadCurrent->trigger();
    MainForm->mnuDownloadAll->trigger();
    EXPECT_TRUE(keypad->Received.empty());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Bad filename or unable to access directory.");
    EXPECT_EQ(messages[1].text, "Bad file name or unable to access directory.");
    for (const QString& fifo : fifos)
        EXPECT_EQ(FileKind(QFile::encodeName(fifo).toStdString()), static_cast<mode_t>(S_IFIFO));
}

TEST_F(Download, CancellingTheTargetPromptEndsTheCommand)
{
    chooseDirectMidi();
    cancelPrompt();
    MainForm->mnuDownloadCurrent->trigger();
    EXPECT_TRUE(keypad->Received.empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(QDir(MainForm->WorkingFolder).entryList(QDir::Files).isEmpty());
}

TEST_F(Download, AllSendsTheBankFileExactlyWithProgressThenSelectsPresetOne)
{
    chooseDirectMidi();
    editPresetFive();
    watchedFile = workFile("ZLVTempDownloadFile.syx");
    watchSends();
    MainForm->mnuDownloadAll->trigger();

    std::vector<Bytes> expected = SplitMessages(DefaultBankFile());
    ASSERT_EQ(expected.size(), kDefaultBankMessages);
    // The page's edit was stored before the bank was written.
    expected[4] = editedPresetFive(5, 5, true);
    expected.push_back(selectPreset(0));
    EXPECT_EQ(keypad->Received, expected);

    ASSERT_EQ(views.size(), kDefaultBankMessages + 1);
    for (std::size_t i = 0; i < kDefaultBankMessages; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(views[i].progressShown);
        EXPECT_EQ(views[i].position, static_cast<int>(i));
        EXPECT_EQ(views[i].maximum, static_cast<int>(kDefaultBankMessages) + 2);
        EXPECT_FALSE(views[i].toolBarEnabled);
        EXPECT_TRUE(views[i].hourglass);
        EXPECT_TRUE(tempFileAtSend[i]);
        if (HasFailure())
            break;
    }
    // The select goes out after the send, the hourglass gone and the file deleted.
    EXPECT_FALSE(views.back().progressShown);
    EXPECT_TRUE(views.back().toolBarEnabled);
    EXPECT_FALSE(views.back().hourglass);
    EXPECT_FALSE(tempFileAtSend.back());

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Box("Downloaded OK!", "Download Success", MsgIcon::Information));
    EXPECT_FALSE(messages[0].hourglass);
    EXPECT_FALSE(QFileInfo::exists(watchedFile));
    EXPECT_EQ(CurrentPreset, 0);
    EXPECT_EQ(MainForm->edPreset->text(), "1");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Download, AllStopsWhereTheKeypadStopsAnswering)
{
    chooseDirectMidi();
    clickPreset(7);
    watchedFile = workFile("ZLVTempDownloadFile.syx");
    watchSends(11);
    MainForm->mnuDownloadAll->trigger();

    // Ten acknowledged, the eleventh unanswered, nothing after it and no select.
    ASSERT_EQ(keypad->Received.size(), 11u);
    EXPECT_EQ(keypad->Received.back(), DefaultPresetMessage(10));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Box("Burn Preset failed.", "Download Fail!", MsgIcon::Exclamation));
    EXPECT_TRUE(messages[0].hourglass);
    EXPECT_TRUE(messages[0].watchedFileThere);
    EXPECT_FALSE(frmProgress->isVisible());
    EXPECT_EQ(frmProgress->ProgressBar1->value(), 10);
    EXPECT_TRUE(MainForm->ToolBar1->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(watchedFile));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(CurrentPreset, 0);
    EXPECT_EQ(MainForm->edPreset->text(), "1");
}

TEST_F(Download, AllWithoutTheAcknowledgeStopsAtTheFirstMessage)
{
    chooseDirectMidi();
    keypad->Mode = SimKeypad::Answering::Refusing;
    MainForm->mnuDownloadAll->trigger();
    keypad->WaitIdle();

    EXPECT_EQ(keypad->Received.size(), 1u);
    ASSERT_EQ(messages.size(), 1u);
    // The trailing blank belongs to this text.
    EXPECT_EQ(messages[0], Box("No acknowledge from keypad. ", "Download Fail?", MsgIcon::Exclamation));
    EXPECT_TRUE(messages[0].hourglass);
}

TEST_F(Download, ThroughAnExternalApplicationTheFilesGoToTheShell)
{
    MainForm->mnuExternalApp->trigger();
    const QString bankFile = QDir(documentsPath()).filePath("bank.syx");
    chooseFile(bankFile);
    clickPreset(4);
    MainForm->mnuDownloadAll->trigger();

    EXPECT_EQ(dialogNames(), std::vector<QString>{"SaveAllDialog"});
    EXPECT_EQ(shellOpened, std::vector<QString>{bankFile});
    EXPECT_EQ(shellBytes.at(0), DefaultBankFile());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(CurrentPreset, 0);

    // The whole-bank write filled the names up with blanks; the offered name keeps them.
    const QString presetFile = QDir(documentsPath()).filePath("one.syx");
    chooseFile(presetFile);
    clickPreset(4);
    answerPrompt(7);
    MainForm->mnuDownloadCurrent->trigger();

    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].caption, "Download To Which Preset?");
    EXPECT_EQ(dialogs.at(1).offered, "New Name 5   _ZLVpreset.syx");
    ASSERT_EQ(shellOpened.size(), 2u);
    EXPECT_EQ(shellOpened[1], presetFile);
    Bytes expected = DefaultPresetMessage(4);
    expected[5] = 6; // number 7
    EXPECT_EQ(shellBytes[1], expected);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(keypad->Received.empty());
}

TEST_F(Download, AFailedHandOffIsReported)
{
    MainForm->mnuExternalApp->trigger();
    shellSucceeds = false;
    chooseFile(QDir(documentsPath()).filePath("bank.syx"));
    chooseFile(QDir(documentsPath()).filePath("one.syx"));
    answerPrompt(1);
    MainForm->mnuDownloadAll->trigger();
    MainForm->mnuDownloadCurrent->trigger();

    ASSERT_EQ(messages.size(), 2u);
    for (const ShownMessage& m : messages)
        EXPECT_EQ(m, Box("ERROR: Could not find the .SYX file and/or MIDIOX", "Download Fail!"));
    EXPECT_TRUE(messages[0].hourglass);
}

TEST_F(Download, AFileThatCouldNotBeWrittenIsNotHandedOn)
{
    // An older file of the chosen name must not reach the application in place of the new one.
    MainForm->mnuExternalApp->trigger();
    const QString unwritable = QDir(documentsPath()).filePath("missing/bank.syx");
    chooseFile(unwritable);
    chooseFile(unwritable);
    answerPrompt(1);
    MainForm->mnuDownloadAll->trigger();
    MainForm->mnuDownloadCurrent->trigger();

    EXPECT_TRUE(shellOpened.empty());
    ASSERT_EQ(messages.size(), 2u);
    for (const ShownMessage& m : messages)
        EXPECT_EQ(m, Box("ERROR: Could not find the .SYX file and/or MIDIOX", "Download Fail!"));
}

TEST_F(Download, CancelledSaveDialogs)
{
    MainForm->mnuExternalApp->trigger();
    clickPreset(5);
    answerPrompt(6);
    cancelFileDialog();
    MainForm->mnuDownloadCurrent->trigger();
    EXPECT_EQ(CurrentPreset, 5);
    cancelFileDialog();
    MainForm->mnuDownloadAll->trigger();

    EXPECT_EQ(dialogNames(), (std::vector<QString>{"SaveOneDialog", "SaveAllDialog"}));
    EXPECT_TRUE(shellOpened.empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(QDir(documentsPath()).entryList(QDir::Files).isEmpty());
    // Download All makes preset 1 current all the same.
    EXPECT_EQ(CurrentPreset, 0);
}

TEST_F(Download, WithoutAConnectionBothCommandsAreRefused)
{
    for (QAction* mode : {MainForm->mnuPickConnection, MainForm->mnuFileMode}) {
        SCOPED_TRACE(mode->objectName().toStdString());
        mode->trigger();
        messages.clear();
        editPresetFive();
        MainForm->mnuDownloadCurrent->trigger();
        EXPECT_EQ(CurrentPreset, 4);
        MainForm->mnuDownloadAll->trigger();

        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0], Box("No MIDI interface selected.", "Download Halted!"));
        EXPECT_EQ(messages[1], Box("No MIDI interface selected.", "Download Halted!"));
        // The edit was stored all the same, and preset 1 is current.
        EXPECT_FALSE(MainForm->PresetModified);
        EXPECT_EQ(PresetTable[4].Channels[0].BankMsb, 5);
        EXPECT_EQ(CurrentPreset, 0);
        EXPECT_EQ(MainForm->edPreset->text(), "1");
        InitBankDefaults();
    }
    EXPECT_TRUE(keypad->Received.empty());
    EXPECT_TRUE(dialogs.empty());
}
