// The link on the program's RtMidi backend against the keypad emulator over a
// JACK server: lists and opens the emulator's ports, identifies the keypad,
// downloads a bank and a firmware file with acknowledges, reads the settings,
// and checks that the emulator received every byte; with the server at a long
// period, identifies the keypad and downloads one preset; against a keypad that
// misbehaves, and across a server that dies and comes back. Run by the CI stage
// that starts the server and the emulator (ZLV_KEYPAD_CLIENT, ZLV_KEYPAD_LOG,
// ZLV_JACK_KEYPAD, the script that starts and kills them), one test per server.
#include "KeypadQueries.h"
#include "MidiExchange.h"
#include "MidiPorts.h"
#include "SyxMessageList.h"
#include "SyxTestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

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

// Run against a keypad that sends every reply twice, 1 ms apart, and answers
// neither its 5th nor its 8th message: a copy that arrived before a message
// went out is no acknowledge of it.
TEST(JackEndToEnd, DoubledRepliesNeverPassForAMissingAcknowledge)
{
    ASSERT_NO_FATAL_FAILURE(openEmulatorPorts(env("ZLV_KEYPAD_CLIENT")));
    EXPECT_FALSE(RequestKeypadIdentity()); // message 1
    EXPECT_STREQ(KeypadVersion, KeypadModel{}.Version.c_str());
    TempFolder folder;
    // The identity reply's copy is not this preset's acknowledge: message 2.
    EXPECT_EQ(SendSingleSyxFile(folder.Write("one.syx", DefaultPresetMessage(4))), trOk);

    // Message 5, the bank's third record, is never answered.
    ASSERT_EQ(LoadSyxFileMessages(folder.Write("bank.syx", DefaultBankFile())), trOk);
    EXPECT_EQ(SendSyxMessageList(), trSendFailed);
    FreeSyxMessageList();

    // Messages 6 and 7 are answered, 8 is not: the upgrade stops there.
    ASSERT_EQ(LoadUpgradeFileMessages(folder.Write("firmware.syx", FirmwareFile(4, 256))), trOk);
    EXPECT_EQ(SendUpgradeMessageList(), trSendFailed);
    FreeSyxMessageList();
    CloseMidiPorts();
}

// Run against a keypad whose replies come in two pieces with a clock and an
// active-sensing byte between them: they are not part of the reply.
TEST(JackEndToEnd, RepliesSplitByRealTimeBytesAreAcknowledged)
{
    ASSERT_NO_FATAL_FAILURE(openEmulatorPorts(env("ZLV_KEYPAD_CLIENT")));
    EXPECT_FALSE(RequestKeypadIdentity());
    EXPECT_STREQ(KeypadVersion, KeypadModel{}.Version.c_str());
    TempFolder folder;
    ASSERT_EQ(LoadSyxFileMessages(folder.Write("bank.syx", DefaultBankFile())), trOk);
    EXPECT_EQ(SendSyxMessageList(), trOk);
    FreeSyxMessageList();
    std::uint8_t value = 0;
    EXPECT_EQ(ReadKeypadParameter(kpRxPgmChgCh, value), trOk);
    EXPECT_EQ(value, 17);
    CloseMidiPorts();
}

void keypadServer(const std::string& command)
{
    const std::string script = env("ZLV_JACK_KEYPAD");
    ASSERT_FALSE(script.empty());
    ASSERT_EQ(std::system(("bash '" + script + "' " + command).c_str()), 0) << command;
    // The clients of a killed server learn of it on a thread of their own.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

bool listedFrom(const std::string& client)
{
    EnumerateMidiDevices();
    return findDevice(MidiOutDevices, MidiOutDeviceCount, client, ":in") >= 0 ||
           findDevice(MidiInDevices, MidiInDeviceCount, client, ":out") >= 0;
}

// The server dies under an open connection, the keypad comes back on a new
// server under another name, that server stops too and the program ends
// without closing its ports: the stage checks that the process exits cleanly.
TEST(JackEndToEnd, AfterTheServerComesBackTheKeypadIsFoundUnderItsNewName)
{
    const std::string first = env("ZLV_KEYPAD_CLIENT");
    const std::string second = "zback";
    ASSERT_NO_FATAL_FAILURE(openEmulatorPorts(first));
    EXPECT_FALSE(RequestKeypadIdentity());

    ASSERT_NO_FATAL_FAILURE(keypadServer("kill"));
    TempFolder folder;
    ASSERT_EQ(LoadSyxFileMessages(folder.Write("bank.syx", DefaultBankFile())), trOk);
    EXPECT_EQ(SendSyxMessageList(), trSendFailed);
    CloseMidiPorts();
    EXPECT_FALSE(listedFrom(first));
    // An open attempt while no server runs fails, and spoils no later listing.
    SelectedMidiOut = 0;
    SelectedMidiIn = 0;
    EXPECT_EQ(OpenMidiPorts(), -1);

    ASSERT_NO_FATAL_FAILURE(keypadServer("start " + second));
    EXPECT_FALSE(listedFrom(first)) << "the dead server's ports are still listed";
    ASSERT_NO_FATAL_FAILURE(openEmulatorPorts(second));
    EXPECT_FALSE(RequestKeypadIdentity());
    EXPECT_STREQ(KeypadVersion, KeypadModel{}.Version.c_str());
    EXPECT_EQ(SendSyxMessageList(), trOk);
    FreeSyxMessageList();

    ASSERT_NO_FATAL_FAILURE(keypadServer("stop"));
    EXPECT_EQ(ReadFirmwareVersion(), trNoAcknowledge);
}

} // namespace
} // namespace zlv::test
