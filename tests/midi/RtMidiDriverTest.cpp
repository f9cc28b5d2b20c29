#include "RtMidiDriver.h"

#include "SyxTestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace zlv {
namespace {

// The machines this runs on have no ALSA sequencer and, outside the JACK stage,
// no JACK server: the backend must skip both without a word on stderr.
TEST(RtMidiBackend, MissingMidiSystemsAreSkippedQuietly)
{
    ::testing::internal::CaptureStderr();
    {
        RtMidiDriver driver("zlv-quiet-test");
        const int outs = driver.OutDeviceCount();
        const int ins = driver.InDeviceCount();
        MidiDeviceCaps caps;
        EXPECT_FALSE(driver.GetOutDeviceCaps(outs, caps));
        EXPECT_FALSE(driver.OpenOutput(outs));
        EXPECT_FALSE(driver.SendLongMessage(reinterpret_cast<const std::uint8_t*>("\xF0\xF7"), 2));
        EXPECT_TRUE(driver.CloseInput());
        EXPECT_GE(ins, 0);
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

// A JACK server of the test's own, with the keypad emulator on it, started and
// killed by the end-to-end test's script.
class JackServerControl {
public:
    JackServerControl()
    {
        ::setenv("ZLV_E2E_WORK", m_work.PathOf("").c_str(), 1);
        ::setenv("JACK_DEFAULT_SERVER", ("zlv-driver-test-" + std::to_string(::getpid())).c_str(), 1);
        ::setenv("JACK_NO_AUDIO_RESERVATION", "1", 1);
        ::setenv("ZLV_KEYPAD_EMULATOR", ZLV_KEYPAD_EMULATOR, 1);
        ::setenv("ZLV_KEYPAD_LOG", m_work.PathOf("received.syx").c_str(), 1);
    }
    ~JackServerControl() { run("stop"); }
    JackServerControl(const JackServerControl&) = delete;
    JackServerControl& operator=(const JackServerControl&) = delete;

    static bool Installed() { return std::system("command -v jackd >/dev/null 2>&1") == 0; }
    bool Start(const std::string& client) { return run("start " + client + " 128"); }
    // The server goes away: killed at once, as a crashing server dies, or
    // stopped, as when the desktop's audio restarts. Its clients learn of it on
    // a thread of their own.
    bool Kill() { return settle(run("kill")); }
    bool Stop() { return settle(run("stop")); }

private:
    static bool settle(bool done)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return done;
    }
    bool run(const std::string& command)
    {
        return std::system(("bash '" ZLV_JACK_KEYPAD_SCRIPT "' " + command + " >/dev/null 2>&1").c_str()) == 0;
    }

    test::TempFolder m_work;
};

// The emulator's input port as an output device: "<client>:in", or
// "<client>-NN:in" as JACK numbers a program's second client.
int findKeypadInput(RtMidiDriver& driver, const std::string& client)
{
    const int count = driver.OutDeviceCount();
    for (int id = 0; id < count; ++id) {
        MidiDeviceCaps caps;
        if (driver.GetOutDeviceCaps(id, caps) && caps.Name.rfind(client, 0) == 0 && caps.Name.ends_with(":in"))
            return id;
    }
    return -1;
}

// The server dies under an open port and comes back, under the same server name
// (a killed server's name is free again only then), with the keypad under
// another name: the listing shows what the new server has, its port opens, and
// after the server stops too the driver goes without calling into the clients
// of either.
TEST(RtMidiBackend, AfterTheJackServerComesBackItsPortsAreListedAfresh)
{
    if (!JackServerControl::Installed())
        GTEST_SKIP() << "no JACK server installed";
    JackServerControl server;
    ASSERT_TRUE(server.Start("zbefore"));
    {
        RtMidiDriver driver("zlv-driver-test");
        const int before = findKeypadInput(driver, "zbefore");
        ASSERT_GE(before, 0);
        ASSERT_TRUE(driver.OpenOutput(before));

        ASSERT_TRUE(server.Kill());
        EXPECT_FALSE(driver.SendLongMessage(reinterpret_cast<const std::uint8_t*>("\xF0\x7E\x7F\x06\x01\xF7"), 6));
        EXPECT_EQ(findKeypadInput(driver, "zbefore"), -1);
        EXPECT_FALSE(driver.OpenOutput(0));

        ASSERT_TRUE(server.Start("zafter"));
        EXPECT_EQ(findKeypadInput(driver, "zbefore"), -1) << "the dead server's port is still listed";
        const int after = findKeypadInput(driver, "zafter");
        ASSERT_GE(after, 0);
        EXPECT_TRUE(driver.OpenOutput(after));
        EXPECT_TRUE(driver.SendLongMessage(reinterpret_cast<const std::uint8_t*>("\xF0\x7E\x7F\x06\x01\xF7"), 6));
        ASSERT_TRUE(server.Stop());
        EXPECT_EQ(findKeypadInput(driver, "zafter"), -1);
    }
}

} // namespace
} // namespace zlv
