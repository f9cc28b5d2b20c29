// The firmware upgrade from the Upgrade button of the real main window.
#include "AppFixture.h"

#include "MidiPorts.h"
#include "ProgressForm.h"
#include "SyxTestFiles.h"

#include <QProgressBar>
#include <QToolBar>
#include <QToolButton>

using namespace zlv;
using namespace zlv::test;

namespace {

constexpr std::size_t kFirmwareMessageSize = 2048;

} // namespace

class Upgrade : public AppFixture {
protected:
    Upgrade() : AppFixture({.keypad = true}) {}

    // A firmware file in the documents folder, picked in the open dialog.
    void pickFirmware(const Bytes& bytes)
    {
        const QString path = QDir(documentsPath()).filePath("firmware.syx");
        WriteFile(path, bytes);
        chooseFile(path);
    }

    void expectOnlyTheQuestionAnd(const Box& box)
    {
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[1], box);
    }
};

TEST_F(Upgrade, SendsEveryMessageOfTheFileThenDropsTheConnection)
{
    chooseDirectMidi();
    const Bytes firmware = FirmwareFile(3, kFirmwareMessageSize);
    pickFirmware(firmware);
    std::vector<int> positions;
    std::vector<bool> toolBarEnabled;
    keypad->Responder = [&](const Bytes& message, int, std::chrono::milliseconds&) {
        positions.push_back(frmProgress->isVisible() ? frmProgress->ProgressBar1->value() : -1);
        toolBarEnabled.push_back(MainForm->ToolBar1->isEnabled());
        return keypad->Keypad.Answer(message);
    };
    MainForm->btnUpgrade->click();

    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0], Box("Select your MIDI connection and put the keypad into UPGRADE mode.\n"
                               "NOTE: You MUST use the interface box.",
                               "Firmware Upgrade", MsgIcon::Information));
    EXPECT_EQ(messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(dialogNames(), std::vector<QString>{"OpenUpgradeDialog"});
    EXPECT_EQ(keypad->Received, SplitMessages(firmware));
    EXPECT_EQ(positions, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(toolBarEnabled, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(frmProgress->ProgressBar1->maximum(), 5);
    expectOnlyTheQuestionAnd(
        Box("Success! Please perform a Factory Reset on the keypad.", "Upgrade Complete", MsgIcon::Information));

    EXPECT_EQ(MainForm->MidiMode, mmNone);
    EXPECT_FALSE(IsMidiOpen());
    EXPECT_FALSE(MainForm->mnuDirectMIDI->isChecked());
    EXPECT_TRUE(MainForm->ToolBar1->isEnabled());
    EXPECT_EQ(MainForm->StatusBar1->panelText(0), "");
    EXPECT_EQ(MainForm->StatusBar1->panelText(1), "MIDI Closed");
    EXPECT_EQ(MainForm->StatusBar2->panelText(0), "");
    EXPECT_EQ(MainForm->StatusBar2->panelText(1), "MIDI Closed");
}

TEST_F(Upgrade, AnsweringCancelOrPickingNothingEndsItQuietly)
{
    chooseDirectMidi();
    messages.answerNext(MsgResult::Cancel);
    MainForm->btnUpgrade->click();
    EXPECT_TRUE(dialogs.empty());

    cancelFileDialog();
    chooseFile(QDir(documentsPath()).filePath("no such firmware.syx"));
    MainForm->btnUpgrade->click();
    MainForm->btnUpgrade->click();

    EXPECT_EQ(messages.size(), 3u); // the question, three times
    EXPECT_TRUE(keypad->Received.empty());
    EXPECT_TRUE(IsMidiOpen());
}

TEST_F(Upgrade, AFileOfTheWrongKindIsRefusedBeforeSending)
{
    chooseDirectMidi();
    pickFirmware(DefaultPresetMessage(0)); // byte 2 is 22, not 21
    MainForm->btnUpgrade->click();
    expectOnlyTheQuestionAnd(Box("Wrong file type.", "Download Fail!", MsgIcon::Exclamation));
    EXPECT_TRUE(keypad->Received.empty());
    EXPECT_TRUE(IsMidiOpen());
}

TEST_F(Upgrade, AFileHoldingNoMessageIsRefusedAndTheModeStays)
{
    // Once reported as a finished upgrade with the connection dropped, though nothing went out.
    const Bytes noMessage[] = {{}, {0x00, 0x00, 0xF7}};
    MainForm->mnuExternalApp->trigger();
    for (const Bytes& contents : noMessage) {
        messages.clear();
        pickFirmware(contents);
        MainForm->btnUpgrade->click();
        expectOnlyTheQuestionAnd(Box("Wrong file type.", "Download Fail!", MsgIcon::Exclamation));
        EXPECT_EQ(MainForm->MidiMode, mmExternalApp);
        EXPECT_TRUE(MainForm->mnuExternalApp->isChecked());
        EXPECT_EQ(MainForm->StatusBar1->panelText(0), "MIDI In: External App (MIDIOX, SendSX, SyxLoader, etc)");
    }

    chooseDirectMidi();
    pickFirmware({});
    MainForm->btnUpgrade->click();
    EXPECT_EQ(MainForm->MidiMode, mmDirectMidi);
    EXPECT_TRUE(IsMidiOpen());
    EXPECT_TRUE(keypad->Received.empty());
}

TEST_F(Upgrade, AKeypadNotInUpgradeModeFailsTheBurn)
{
    chooseDirectMidi();
    keypad->Mode = SimKeypad::Answering::Silent;
    pickFirmware(FirmwareFile(4, 300));
    MainForm->btnUpgrade->click();
    expectOnlyTheQuestionAnd(Box("Burn failed. Did you enable upgrade mode?", "Download Fail!", MsgIcon::Exclamation));
    EXPECT_EQ(keypad->Received.size(), 1u);
    // The connection stays as it was.
    EXPECT_EQ(MainForm->MidiMode, mmDirectMidi);
    EXPECT_TRUE(IsMidiOpen());
    EXPECT_FALSE(frmProgress->isVisible());
}

TEST_F(Upgrade, ARefusedMessageIsNoAcknowledge)
{
    chooseDirectMidi();
    keypad->Mode = SimKeypad::Answering::Refusing;
    pickFirmware(FirmwareFile(4, 300));
    MainForm->btnUpgrade->click();
    keypad->WaitIdle();
    expectOnlyTheQuestionAnd(
        Box("No acknowledge from keypad. Did you enable upgrade mode?", "Download Fail?", MsgIcon::Exclamation));
    EXPECT_EQ(keypad->Received.size(), 1u);
    EXPECT_TRUE(IsMidiOpen());
}

TEST_F(Upgrade, WithoutOpenPortsNothingGoesOutAndNothingSucceeds)
{
    MainForm->mnuExternalApp->trigger();
    pickFirmware(FirmwareFile(2, 100));
    MainForm->btnUpgrade->click();
    expectOnlyTheQuestionAnd(Box("Burn failed. Did you enable upgrade mode?", "Download Fail!", MsgIcon::Exclamation));
    EXPECT_TRUE(keypad->Received.empty());
    EXPECT_EQ(MainForm->MidiMode, mmExternalApp);
}
