// The link on the program's RtMidi backend against the keypad emulator over a
// JACK server: lists and opens the emulator's ports, identifies the keypad,
// downloads a bank and a firmware file with acknowledges, reads the settings,
// and checks that the emulator received every byte; and, with the server at a
// long period, identifies the keypad and downloads one preset. Run by the CI
// stage that starts the server and the emulator (ZLV_KEYPAD_CLIENT,
// ZLV_KEYPAD_LOG), one test per server.
#include "KeypadQueries.h"
#include "MidiExchange.h"
#include "MidiPorts.h"
#include "SyxMessageList.h"
#include "SyxTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace zlv::test {
namespace {

std::string env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

int findDevice(const MidiDeviceEntry (&devices)[kMaxMidiDevices], int count, const std::string& client,
               const std::string& port)
{
    for (int id = 0; id < count && id < kMaxMidiDevices; ++id) {
        const std::string name = devices[id].Name;
        if (name.rfind(client, 0) == 0 && name.size() >= port.size() &&
            name.compare(name.size() - port.size(), port.size(), port) == 0)
            return id;
    }
    return -1;
}

Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Opens the emulator's ports as the interface chooser would pick them.
void openEmulatorPorts(const std::string& client)
{
    ASSERT_FALSE(client.empty());
    ASSERT_NE(EnumerateMidiDevices(), 0);
    SelectedMidiOut = findDevice(MidiOutDevices, MidiOutDeviceCount, client, ":in");
    SelectedMidiIn = findDevice(MidiInDevices, MidiInDeviceCount, client, ":out");
    ASSERT_GE(SelectedMidiOut, 0);
    ASSERT_GE(SelectedMidiIn, 0);
    ASSERT_EQ(OpenMidiPorts(), 0);
}

// Run at the server's usual small period.
TEST(JackEndToEnd, BankFirmwareAndSettingsReachTheKeypadWhole)
{
    const std::string client = env("ZLV_KEYPAD_CLIENT");
    const std::string log = env("ZLV_KEYPAD_LOG");
    ASSERT_FALSE(log.empty());
    Bytes expected;
    const auto sent = [&expected](const Bytes& bytes) { expected.insert(expected.end(), bytes.begin(), bytes.end()); };
    ASSERT_NO_FATAL_FAILURE(openEmulatorPorts(client));

    EXPECT_FALSE(RequestKeypadIdentity());
    EXPECT_STREQ(KeypadVersion, KeypadModel{}.Version.c_str());
    sent(Bytes(std::begin(IdentityRequest), std::end(IdentityRequest)));

    TempFolder folder;
    std::vector<Bytes> bank = SplitMessages(DefaultBankFile());
    bank[1] = DefaultPresetMessage(1);
    bank[1][118] = 2; // a preset with PRE data: 123 bytes
    bank[1].insert(bank[1].begin() + 119, {0x0B, 0x00, 0x07, 0x0F});
    bank[300] = SpeedDialMessage(0, 37);
    ASSERT_EQ(LoadSyxFileMessages(folder.Write("bank.syx", Concat(bank))), trOk);
    EXPECT_EQ(SendSyxMessageList(), trOk);
    FreeSyxMessageList();
    sent(Concat(bank));
    SendPresetSelect(0);
    sent({0xF0, 0x7D, 0x22, 0x07, 0x00, 0xF7});

    const Bytes firmware = FirmwareFile(6, 2048);
    ASSERT_EQ(LoadUpgradeFileMessages(folder.Write("firmware.syx", firmware)), trOk);
    EXPECT_EQ(SendUpgradeMessageList(), trOk);
    FreeSyxMessageList();
    sent(firmware);

    std::uint8_t value = 0xAA;
    EXPECT_EQ(ReadKeypadParameter(kpMidiChannel, value), trOk);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(ReadKeypadParameter(kpRxPgmChgCh, value), trOk);
    EXPECT_EQ(value, 17);
    EXPECT_EQ(ReadKeypadParameter(kpSpeedDial1, value), trOk);
    EXPECT_EQ(value, 37);
    EXPECT_EQ(ReadKeypadPort(value), trOk);
    EXPECT_EQ(value, ptUsb);
    EXPECT_EQ(ReadFirmwareVersion(), trOk);
    for (std::uint8_t p : {kpMidiChannel, kpRxPgmChgCh, kpSpeedDial1})
        sent({0xF0, 0x7D, 0x22, 0x21, p, 0xF7});
    sent({0xF0, 0x7D, 0x22, 0x05, 0xF7});
    sent(Bytes(std::begin(IdentityRequest), std::end(IdentityRequest)));

    CloseMidiPorts();
    EXPECT_FALSE(IsMidiOpen());

    const Bytes received = readFile(log);
    EXPECT_EQ(received.size(), expected.size());
    EXPECT_TRUE(received == expected) << "the keypad did not receive every byte as sent";
}

// Run with the server at 1024 frames a period (21 ms at 48 kHz, a common desktop
// setting), where a reply takes about two periods: the keypad is still found and
// a single preset still acknowledged.
TEST(JackEndToEnd, AtADesktopPeriodTheKeypadIsFoundAndAPresetAcknowledged)
{
    const std::string client = env("ZLV_KEYPAD_CLIENT");
    const std::string log = env("ZLV_KEYPAD_LOG");
    ASSERT_FALSE(log.empty());
    ASSERT_NO_FATAL_FAILURE(openEmulatorPorts(client));

    EXPECT_FALSE(RequestKeypadIdentity());
    EXPECT_STREQ(KeypadVersion, KeypadModel{}.Version.c_str());
    TempFolder folder;
    const Bytes preset = DefaultPresetMessage(4);
    EXPECT_EQ(SendSingleSyxFile(folder.Write("one.syx", preset)), trOk);
    SendPresetSelect(4);
    CloseMidiPorts();

    const Bytes expected = Concat({Bytes(std::begin(IdentityRequest), std::end(IdentityRequest)), preset,
                                   Bytes{0xF0, 0x7D, 0x22, 0x07, 0x04, 0xF7}});
    EXPECT_TRUE(readFile(log) == expected) << "the keypad did not receive every byte as sent";
}

} // namespace
} // namespace zlv::test
