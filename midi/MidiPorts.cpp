#include "MidiPorts.h"

#include "InputBuffer.h"
#include "RtMidiDriver.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

namespace zlv {

MidiDeviceEntry MidiOutDevices[kMaxMidiDevices];
MidiDeviceEntry MidiInDevices[kMaxMidiDevices];
std::int32_t MidiOutDeviceCount = 0;
std::int32_t MidiInDeviceCount = 0;
std::int32_t SelectedMidiOut = 0;
std::int32_t SelectedMidiIn = 0;
MidiPortHandle MidiOutHandle = nullptr;
MidiPortHandle MidiInHandle = nullptr;
std::uint8_t MidiOpen = 0;
std::uint8_t MidiInBuffer[kMidiInBufferSize];
char KeypadVersion[kVersionLength + 1];

namespace {

MidiDriver* g_installedDriver = nullptr;

// A port that will not close is retried this long, then given up: its handle is
// dropped and input that still arrives finds no buffer.
constexpr auto kCloseInputRetryLimit = std::chrono::seconds(1);
constexpr auto kCloseInputRetryPause = std::chrono::milliseconds(1);

void fillEntry(MidiDeviceEntry& entry, const MidiDeviceCaps& caps)
{
    entry.ManufacturerId = caps.ManufacturerId;
    entry.ProductId = caps.ProductId;
    const std::size_t n = std::min(caps.Name.size(), kMidiDeviceNameSize - 1);
    std::memcpy(entry.Name, caps.Name.data(), n);
    entry.Name[n] = '\0';
}

template <typename CountFn, typename CapsFn>
std::int32_t enumerate(MidiDeviceEntry (&devices)[kMaxMidiDevices], std::int32_t& count, CountFn readCount,
                       CapsFn readCaps)
{
    std::memset(devices, 0, sizeof devices);
    count = readCount();
    std::int32_t id = 0;
    for (; id < count && id < kMaxMidiDevices; ++id) {
        MidiDeviceCaps caps;
        if (!readCaps(id, caps))
            break;
        fillEntry(devices[id], caps);
    }
    return id;
}

} // namespace

MidiDriver* SetMidiDriver(MidiDriver* driver) { return std::exchange(g_installedDriver, driver); }

MidiDriver& ActiveMidiDriver()
{
    if (g_installedDriver)
        return *g_installedDriver;
    static RtMidiDriver backend;
    return backend;
}

void MidiInCallback(MidiPortHandle, std::uint32_t message, std::uintptr_t, std::uintptr_t, std::uintptr_t)
{
    if (message != kMimLongData)
        return;
    if (MidiInBuffer[0] != kSysExStart || MidiInBuffer[kIdentityReplySize - 1] != kSysExEnd)
        return;
    std::memcpy(KeypadVersion, MidiInBuffer + kVersionOffset, kVersionLength);
    KeypadVersion[kVersionLength] = '\0';
}

std::int32_t EnumerateMidiOutDevices()
{
    MidiDriver& driver = ActiveMidiDriver();
    return enumerate(
        MidiOutDevices, MidiOutDeviceCount, [&] { return driver.OutDeviceCount(); },
        [&](int id, MidiDeviceCaps& caps) { return driver.GetOutDeviceCaps(id, caps); });
}

std::int32_t EnumerateMidiInDevices()
{
    MidiDriver& driver = ActiveMidiDriver();
    return enumerate(
        MidiInDevices, MidiInDeviceCount, [&] { return driver.InDeviceCount(); },
        [&](int id, MidiDeviceCaps& caps) { return driver.GetInDeviceCaps(id, caps); });
}

std::int32_t EnumerateMidiDevices()
{
    if (MidiOpen)
        return 0;
    const std::int32_t outs = EnumerateMidiOutDevices();
    const std::int32_t ins = EnumerateMidiInDevices();
    SelectedMidiIn = -1;
    SelectedMidiOut = -1;
    return outs | ins;
}

bool IsMidiOpen() { return MidiOpen != 0; }

std::int32_t OpenMidiPorts()
{
    // Opening over an open connection would lose its ports: close them first.
    if (MidiOutHandle || MidiInHandle)
        CloseMidiPorts();
    MidiOutHandle = nullptr;
    MidiInHandle = nullptr;
    MidiDriver& driver = ActiveMidiDriver();
    if (!driver.OpenOutput(SelectedMidiOut))
        return -1;
    MidiOutHandle = &driver;
    if (!driver.OpenInput(SelectedMidiIn, detail::InputSink(MidiInBuffer, kMidiInBufferSize, &MidiInCallback))) {
        driver.CloseOutput();
        MidiOutHandle = nullptr;
        return -1;
    }
    MidiInHandle = &driver;
    detail::ArmInputBuffer(MidiInHandle);
    // A failed start counts as open: the first exchange then finds no reply.
    driver.StartInput();
    MidiOpen = 1;
    return 0;
}

void CloseMidiPorts()
{
    if (MidiOutHandle) {
        MidiOutHandle->CloseOutput();
        MidiOutHandle = nullptr;
    }
    if (MidiInHandle) {
        MidiInHandle->StopInput();
        detail::TakeInputBufferBack();
        const auto giveUp = std::chrono::steady_clock::now() + kCloseInputRetryLimit;
        while (!MidiInHandle->CloseInput() && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(kCloseInputRetryPause);
        MidiInHandle = nullptr;
    }
    MidiOpen = 0;
}

} // namespace zlv
