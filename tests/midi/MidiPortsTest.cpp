#include "LinkFixture.h"

#include <cstring>

namespace zlv::test {
namespace {

bool entryCleared(const MidiDeviceEntry& e) { return e.ManufacturerId == 0 && e.ProductId == 0 && e.Name[0] == 0; }

using EnumerationTest = LinkTest;

TEST_F(EnumerationTest, NoDeviceAtAllListsNothing)
{
    keypad.SetDeviceCounts(0, 0);
    EXPECT_EQ(EnumerateMidiDevices(), 0);
    EXPECT_EQ(MidiOutDeviceCount, 0);
    EXPECT_EQ(MidiInDeviceCount, 0);
    for (int i = 0; i < kMaxMidiDevices; ++i) {
        EXPECT_TRUE(entryCleared(MidiOutDevices[i]));
        EXPECT_TRUE(entryCleared(MidiInDevices[i]));
    }
    EXPECT_EQ(SelectedMidiIn, -1);
    EXPECT_EQ(SelectedMidiOut, -1);
}

TEST_F(EnumerationTest, TwelveOutputsListTheFirstTenAndCountTwelve)
{
    keypad.SetDeviceCounts(12, 1);
    EXPECT_EQ(EnumerateMidiOutDevices(), 10);
    EXPECT_EQ(MidiOutDeviceCount, 12);
    EXPECT_STREQ(MidiOutDevices[9].Name, "Sim MIDI Out 10");
    EXPECT_EQ(MidiOutDevices[9].ManufacturerId, 0x7D);
    EXPECT_EQ(MidiOutDevices[9].ProductId, 9);
}

TEST_F(EnumerationTest, UnreadableDeviceEndsTheListingOfItsDirection)
{
    keypad.SetDeviceCounts(8, 2);
    keypad.FailOutCapsAt = 3;
    EXPECT_EQ(EnumerateMidiOutDevices(), 3);
    EXPECT_STREQ(MidiOutDevices[2].Name, "Sim MIDI Out 3");
    for (int i = 3; i < kMaxMidiDevices; ++i)
        EXPECT_TRUE(entryCleared(MidiOutDevices[i])) << i;
    keypad.FailInCapsAt = 0;
    EXPECT_EQ(EnumerateMidiInDevices(), 0);
}

TEST_F(EnumerationTest, OutputsWithoutInputsStillCount)
{
    keypad.SetDeviceCounts(3, 0);
    EXPECT_NE(EnumerateMidiDevices(), 0);
    for (const auto& entry : MidiInDevices)
        EXPECT_TRUE(entryCleared(entry));
}

TEST_F(EnumerationTest, RefreshClearsEntriesOfDevicesThatWentAway)
{
    keypad.SetDeviceCounts(5, 5);
    EnumerateMidiDevices();
    keypad.SetDeviceCounts(2, 1);
    EnumerateMidiDevices();
    EXPECT_TRUE(entryCleared(MidiOutDevices[2]));
    EXPECT_TRUE(entryCleared(MidiInDevices[1]));
    EXPECT_EQ(MidiOutDeviceCount, 2);
}

TEST_F(EnumerationTest, WhileOpenNothingChanges)
{
    keypad.SetDeviceCounts(2, 2);
    EnumerateMidiDevices();
    SelectedMidiIn = 1;
    SelectedMidiOut = 1;
    ASSERT_EQ(OpenMidiPorts(), 0);
    keypad.SetDeviceCounts(0, 0);
    EXPECT_EQ(EnumerateMidiDevices(), 0);
    EXPECT_EQ(SelectedMidiIn, 1);
    EXPECT_EQ(SelectedMidiOut, 1);
    EXPECT_EQ(MidiOutDeviceCount, 2);
    CloseMidiPorts();
    EXPECT_EQ(EnumerateMidiDevices(), 0);
    EXPECT_EQ(SelectedMidiIn, -1);
}

TEST_F(EnumerationTest, NamesAreKeptToThirtyOneCharactersAndEndWithNul)
{
    const std::string name31(31, 'x');
    keypad.Outputs = {{1, 2, name31}, {1, 2, std::string(40, 'y')}};
    std::memset(MidiOutDevices, 0x55, sizeof MidiOutDevices);
    EXPECT_EQ(EnumerateMidiOutDevices(), 2);
    EXPECT_EQ(std::string(MidiOutDevices[0].Name), name31);
    EXPECT_EQ(MidiOutDevices[0].Name[31], 0);
    EXPECT_EQ(std::string(MidiOutDevices[1].Name), std::string(31, 'y'));
    EXPECT_TRUE(entryCleared(MidiOutDevices[2]));
}

using PortsTest = LinkTest;

TEST_F(PortsTest, OpenAndCloseMoveBetweenTheTwoStates)
{
    openKeypad();
    EXPECT_TRUE(IsMidiOpen());
    EXPECT_EQ(MidiOutHandle, &keypad);
    EXPECT_EQ(MidiInHandle, &keypad);
    EXPECT_TRUE(keypad.OutputOpen());
    EXPECT_TRUE(keypad.InputOpen());
    CloseMidiPorts();
    EXPECT_FALSE(IsMidiOpen());
    EXPECT_EQ(MidiOutHandle, nullptr);
    EXPECT_EQ(MidiInHandle, nullptr);
    EXPECT_FALSE(keypad.OutputOpen());
    EXPECT_FALSE(keypad.InputOpen());
}

TEST_F(PortsTest, InputThatFailsToOpenClosesTheOutputAgain)
{
    EnumerateMidiDevices();
    SelectedMidiIn = 0;
    SelectedMidiOut = 0;
    keypad.FailOpenInAt = 0;
    EXPECT_EQ(OpenMidiPorts(), -1);
    EXPECT_FALSE(keypad.OutputOpen());
    EXPECT_EQ(MidiOutHandle, nullptr);
    EXPECT_EQ(MidiInHandle, nullptr);
    EXPECT_FALSE(IsMidiOpen());
}

TEST_F(PortsTest, OutputThatFailsToOpenOpensNothing)
{
    EnumerateMidiDevices();
    SelectedMidiIn = 0;
    SelectedMidiOut = 0;
    keypad.FailOpenOutAt = 0;
    EXPECT_EQ(OpenMidiPorts(), -1);
    EXPECT_FALSE(keypad.InputOpen());
    EXPECT_FALSE(IsMidiOpen());
    // No pair chosen: nothing opens either.
    keypad.FailOpenOutAt = -1;
    EnumerateMidiDevices();
    EXPECT_EQ(OpenMidiPorts(), -1);
}

TEST_F(PortsTest, CloseWithNothingOpenOnlyClearsTheFlag)
{
    CloseMidiPorts();
    EXPECT_EQ(MidiOutHandle, nullptr);
    EXPECT_EQ(MidiInHandle, nullptr);
    EXPECT_EQ(MidiOpen, 0);
}

TEST_F(PortsTest, InputThatWillNotCloseIsGivenUpAndItsLateInputDropped)
{
    keypad.CloseInputFailures = -1;
    openKeypad();
    const auto start = std::chrono::steady_clock::now();
    CloseMidiPorts();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(MidiInHandle, nullptr);
    EXPECT_EQ(MidiOpen, 0);
    EXPECT_GT(keypad.CloseInputCalls, 10);
    EXPECT_GE(elapsed, 1s);
    EXPECT_LT(elapsed, 10s);

    // A driver that still delivers after being given up finds no buffer.
    KeypadVersion[0] = 0;
    MidiInBuffer[0] = 0;
    keypad.StartInput();
    keypad.Inject(IdentityReplyFor("LATE LATE LATE 1"));
    keypad.WaitIdle();
    EXPECT_EQ(KeypadVersion[0], 0);
    EXPECT_EQ(MidiInBuffer[0], 0);
}

TEST_F(PortsTest, InputRetriedAFewTimesStillCloses)
{
    keypad.CloseInputFailures = 5;
    openKeypad();
    CloseMidiPorts();
    EXPECT_EQ(keypad.CloseInputCalls, 6);
    EXPECT_FALSE(keypad.InputOpen());
}

} // namespace
} // namespace zlv::test
