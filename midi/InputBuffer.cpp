#include "InputBuffer.h"

#include "KeypadProtocol.h"

#include <condition_variable>
#include <cstring>
#include <mutex>

namespace zlv::detail {

namespace {

// What the driver is told about the buffer: where it is, whether it holds it,
// whether it handed it back filled, and whom it tells.
struct InputHeader {
    std::uint8_t* Data = nullptr;
    std::size_t BufferLength = 0;
    bool Queued = false;
    bool Done = false;
    MidiPortHandle Input = nullptr;
    MidiInProc Callback = nullptr;
};

std::mutex g_lock;
std::condition_variable g_returned;
InputHeader MidiInHeader;

class Sink final : public MidiInputSink {
public:
    void OnSysExInput(const std::uint8_t* data, std::size_t size) override
    {
        std::lock_guard lock(g_lock);
        if (!MidiInHeader.Queued)
            return; // no buffer armed: dropped
        // Real-time bytes (clock, active sensing) may come between any two bytes
        // of a System Exclusive message and are not part of it; some transports
        // leave them inside. A longer message fills the buffer and no more.
        std::size_t n = 0;
        for (std::size_t i = 0; i < size && n < MidiInHeader.BufferLength; ++i) {
            if (!IsRealTimeByte(data[i]))
                MidiInHeader.Data[n++] = data[i];
        }
        MidiInHeader.Queued = false;
        MidiInHeader.Done = true;
        // Still under the lock, so that what the callback writes is in place
        // when the waiting thread sees the buffer back.
        if (MidiInHeader.Callback)
            MidiInHeader.Callback(MidiInHeader.Input, kMimLongData, 0, reinterpret_cast<std::uintptr_t>(&MidiInHeader),
                                  0);
        g_returned.notify_all();
    }
};

Sink g_sink;

} // namespace

MidiInputSink& InputSink(std::uint8_t* buffer, std::size_t size, MidiInProc callback)
{
    std::lock_guard lock(g_lock);
    MidiInHeader.Data = buffer;
    MidiInHeader.BufferLength = size;
    MidiInHeader.Callback = callback;
    return g_sink;
}

void ArmInputBuffer(MidiPortHandle input)
{
    std::lock_guard lock(g_lock);
    if (MidiInHeader.Data)
        std::memset(MidiInHeader.Data, 0, MidiInHeader.BufferLength);
    MidiInHeader.Done = false;
    MidiInHeader.Queued = MidiInHeader.Data != nullptr;
    MidiInHeader.Input = input;
}

void TakeInputBufferBack()
{
    std::lock_guard lock(g_lock);
    MidiInHeader.Queued = false;
}

bool WaitInputBufferReturned(Clock::time_point deadline)
{
    std::unique_lock lock(g_lock);
    const bool returned = g_returned.wait_until(lock, deadline, [] { return MidiInHeader.Done; });
    if (!returned)
        MidiInHeader.Queued = false;
    return returned;
}

void ClearSharedByte(std::uint8_t& byte)
{
    std::lock_guard lock(g_lock);
    byte = 0;
}

void ClearSharedByte(char& byte)
{
    std::lock_guard lock(g_lock);
    byte = 0;
}

} // namespace zlv::detail
