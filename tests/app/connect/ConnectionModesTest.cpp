// Choosing how the editor reaches the keypad, through the MIDI menu of the real
// main window, with the simulated keypad behind the chosen devices.
#include "AppFixture.h"

#include "InterfaceForm.h"
#include "MidiExchange.h"
#include "MidiPorts.h"

#include <QComboBox>
#include <QToolButton>

using namespace zlv;
using namespace zlv::test;

namespace {

struct BarTexts {
    QString in0, in1, out0, out1;
    bool operator==(const BarTexts&) const = default;
};

void PrintTo(const BarTexts& t, std::ostream* out)
{
    *out << '[' << t.in0.toStdString() << " | " << t.in1.toStdString() << "] [" << t.out0.toStdString() << " | "
         << t.out1.toStdString() << ']';
}

BarTexts bars()
{
    return {MainForm->StatusBar1->panelText(0), MainForm->StatusBar1->panelText(1), MainForm->StatusBar2->panelText(0),
            MainForm->StatusBar2->panelText(1)};
}

// Which of the four items carry a mark, in menu order.
std::vector<QString> checkedItems()
{
    std::vector<QString> checked;
    for (QAction* item :
         {MainForm->mnuPickConnection, MainForm->mnuFileMode, MainForm->mnuDirectMIDI, MainForm->mnuExternalApp})
        if (item->isChecked())
            checked.push_back(item->objectName());
    return checked;
}

const std::vector<QString> kNoItem;
const BarTexts kClosedBars{"", "MIDI Closed", "", "MIDI Closed"};

} // namespace

class ConnectionModes : public AppFixture {
protected:
    ConnectionModes() : AppFixture({.keypad = true}) {}
};

TEST_F(ConnectionModes, DirectMidiListsTheDevicesOpensThePairAndShowsTheKeypadVersion)
{
    chooseIn = 0;
    chooseOut = 1;
    MainForm->mnuDirectMIDI->trigger();

    EXPECT_EQ(chooserShown, 1);
    EXPECT_EQ(InterfaceForm->ComboBox2->count(), 2);
    EXPECT_EQ(SelectedMidiIn, 0);
    EXPECT_EQ(SelectedMidiOut, 1);
    EXPECT_TRUE(IsMidiOpen());
    EXPECT_EQ(MainForm->MidiMode, mmDirectMidi);
    EXPECT_EQ(checkedItems(), std::vector<QString>{"mnuDirectMIDI"});
    EXPECT_EQ(bars(), (BarTexts{"MIDI In: Sim Keypad In [ZLV 2.07 Mar2024]", "MIDI Open", "MIDI Out: Second Out",
                                "MIDI Open"}));
    ASSERT_FALSE(keypad->Received.empty());
    EXPECT_EQ(keypad->Received.front(), (Bytes{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ConnectionModes, TheVersionKeepsItsBlanks)
{
    keypad->Keypad.Version = "V1.2            ";
    MainForm->mnuDirectMIDI->trigger();
    EXPECT_EQ(MainForm->StatusBar1->panelText(0), "MIDI In: Sim Keypad In [V1.2            ]");
}

TEST_F(ConnectionModes, ChoosingDirectMidiAgainTurnsItOffWithoutTheChooser)
{
    chooseDirectMidi();
    MainForm->mnuDirectMIDI->trigger();

    EXPECT_EQ(chooserShown, 1);
    EXPECT_FALSE(IsMidiOpen());
    EXPECT_FALSE(keypad->OutputOpen());
    EXPECT_EQ(MainForm->MidiMode, mmNone);
    EXPECT_EQ(checkedItems(), kNoItem);
    EXPECT_EQ(bars(), kClosedBars);

    // A third choice shows the chooser again.
    MainForm->mnuDirectMIDI->trigger();
    EXPECT_EQ(chooserShown, 2);
    EXPECT_TRUE(IsMidiOpen());
}

TEST_F(ConnectionModes, AKeypadThatDoesNotAnswerIsNotFoundAndTheModeFallsBackToNone)
{
    keypad->Mode = SimKeypad::Answering::Silent;
    MainForm->mnuDirectMIDI->trigger();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Box("Keypad not found (could not read the version number).\r\n"
                               "Reset the MIDI Interface and/or replug the keypad",
                               "MIDI Error?"));
    EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
    EXPECT_FALSE(IsMidiOpen());
    EXPECT_EQ(MainForm->MidiMode, mmNone);
    EXPECT_EQ(checkedItems(), kNoItem);
    EXPECT_EQ(bars(), kClosedBars);
}

TEST_F(ConnectionModes, AReplyThatIsNoIdentityLeavesAnEmptyVersionAndThePortsOpen)
{
    keypad->Mode = SimKeypad::Answering::Garbage;
    MainForm->mnuDirectMIDI->trigger();

    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(IsMidiOpen());
    EXPECT_EQ(MainForm->StatusBar1->panelText(0), "MIDI In: Sim Keypad In [ ]");
    EXPECT_EQ(MainForm->StatusBar2->panelText(0), "MIDI Out: Sim Keypad Out");
}

TEST_F(ConnectionModes, APairThatWillNotOpenStaysChosenSilentlyWithTheLastVersionOfTheRun)
{
    chooseDirectMidi();
    MainForm->mnuDirectMIDI->trigger(); // off: panel 1 reads "MIDI Closed"
    keypad->FailOpenInAt = 1;
    chooseIn = 1;
    MainForm->mnuDirectMIDI->trigger();

    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(IsMidiOpen());
    EXPECT_FALSE(keypad->OutputOpen());
    EXPECT_EQ(MainForm->MidiMode, mmDirectMidi);
    EXPECT_EQ(checkedItems(), std::vector<QString>{"mnuDirectMIDI"});
    EXPECT_EQ(bars(), (BarTexts{"MIDI In: Second In [ZLV 2.07 Mar2024]", "MIDI Closed", "MIDI Out: Sim Keypad Out",
                                "MIDI Closed"}));
}

TEST_F(ConnectionModes, AChooserThatFindsNoDeviceAfterAnEarlierOneIsRefused)
{
    // The first showing finds devices and enables OK; the user cancels.
    chooserOk = false;
    MainForm->mnuFileMode->trigger();
    MainForm->mnuDirectMIDI->trigger();
    EXPECT_EQ(MainForm->MidiMode, mmFileOnly);
    EXPECT_EQ(checkedItems(), std::vector<QString>{"mnuFileMode"});

    keypad->SetDeviceCounts(0, 0);
    chooserOk = true;
    chooseIn = chooseOut = 0; // the notice that no device was found, which is no device
    MainForm->mnuDirectMIDI->trigger();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], Box("Interface did not respond. Deselecting.", "MIDI Error!", MsgIcon::Exclamation));
    EXPECT_EQ(InterfaceForm->ComboBox1->itemText(0), "No MIDI interfaces found");
    EXPECT_FALSE(IsMidiOpen());
    EXPECT_EQ(MainForm->MidiMode, mmNone);
    EXPECT_EQ(checkedItems(), std::vector<QString>{"mnuPickConnection"});
    EXPECT_EQ(bars(), (BarTexts{"MIDI In: None (please select)", "", "MIDI Out: None (please select)", ""}));
}

TEST_F(ConnectionModes, CancellingTheChooserKeepsTheExternalApplication)
{
    MainForm->mnuExternalApp->trigger();
    const BarTexts before = bars();
    chooserOk = false;
    MainForm->mnuDirectMIDI->trigger();

    EXPECT_EQ(MainForm->MidiMode, mmExternalApp);
    EXPECT_EQ(checkedItems(), std::vector<QString>{"mnuExternalApp"});
    EXPECT_EQ(bars(), before);
    EXPECT_EQ(before.in0, "MIDI In: External App (MIDIOX, SendSX, SyxLoader, etc)");
    EXPECT_EQ(before.out0, "MIDI Out: External App (MIDIOX, SendSX, SyxLoader, etc)");
}

TEST_F(ConnectionModes, ThePlainModesCloseOpenPortsFirst)
{
    chooseDirectMidi();
    MainForm->mnuFileMode->trigger();
    EXPECT_FALSE(IsMidiOpen());
    EXPECT_EQ(MainForm->MidiMode, mmFileOnly);
    EXPECT_EQ(checkedItems(), std::vector<QString>{"mnuFileMode"});
    EXPECT_EQ(bars(), (BarTexts{"MIDI In: None (save to file only)", "MIDI Closed",
                                "MIDI Out: None (save to file only)", "MIDI Closed"}));

    chooseDirectMidi();
    MainForm->mnuExternalApp->trigger();
    EXPECT_FALSE(IsMidiOpen());
    EXPECT_EQ(MainForm->MidiMode, mmExternalApp);
    EXPECT_EQ(MainForm->StatusBar1->panelText(1), "MIDI Closed");

    chooseDirectMidi();
    MainForm->mnuPickConnection->trigger();
    EXPECT_FALSE(IsMidiOpen());
    EXPECT_EQ(MainForm->MidiMode, mmNone);
    EXPECT_EQ(checkedItems(), std::vector<QString>{"mnuPickConnection"});
    EXPECT_EQ(bars(), (BarTexts{"MIDI In: None (please select)", "MIDI Closed", "MIDI Out: None (please select)",
                                "MIDI Closed"}));
}

TEST_F(ConnectionModes, APlainModeWithThePortsClosedLeavesThePortStateAlone)
{
    MainForm->mnuPickConnection->trigger();
    EXPECT_EQ(MainForm->StatusBar1->panelText(1), "");
    EXPECT_EQ(MainForm->StatusBar2->panelText(1), "");
    MainForm->mnuExternalApp->trigger();
    EXPECT_EQ(MainForm->StatusBar1->panelText(1), "");
}

TEST_F(ConnectionModes, ExitClosesOpenPortsBeforeTheWindowCloses)
{
    chooseDirectMidi();
    MainForm->btnExit->click();
    EXPECT_FALSE(IsMidiOpen());
    EXPECT_FALSE(keypad->OutputOpen());
    EXPECT_FALSE(keypad->InputOpen());
    EXPECT_FALSE(MainForm->isVisible());
}
