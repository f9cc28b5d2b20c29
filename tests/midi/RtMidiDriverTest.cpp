#include "RtMidiDriver.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace zlv
