#include "InputBuffer.h"

#include "MidiExchange.h"

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <mutex>

namespace zlv::detail {

namespace {

// What the driver is told about MidiInBuffer: whether it holds it, whether it
// handed it back filled, and how many bytes it wrote.
struct InputHeader {
    std::uint8_t* Data = MidiInBuffer;
    std::size_t BufferLength = kMidiInBufferSize;
    std::size_t BytesRecorded = 0;
    bool Queued = false;
    bool Done = false;
    MidiPortHandle Input = nullptr;
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
        // A longer message fills the buffer and no more: never past its end.
        const std::size_t n = std::min(size, MidiInHeader.BufferLength);
        std::memcpy(MidiInHeader.Data, data, n);
        MidiInHeader.BytesRecorded = n;
        MidiInHeader.Queued = false;
        MidiInHeader.Done = true;
        // Still under the lock, so that the version is in place when the waiting
        // thread sees the buffer back.
        MidiInCallback(MidiInHeader.Input, kMimLongData, 0, reinterpret_cast<std::uintptr_t>(&MidiInHeader), 0);
        g_returned.notify_all();
    }
};

Sink g_sink;

} // namespace

MidiInputSink& InputSink() { return g_sink; }

void ArmInputBuffer(MidiPortHandle input)
{
    std::lock_guard lock(g_lock);
    std::memset(MidiInBuffer, 0, kMidiInBufferSize);
    MidiInHeader.BytesRecorded = 0;
    MidiInHeader.Done = false;
    MidiInHeader.Queued = true;
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

std::size_t InputBytesRecorded()
{
    std::lock_guard lock(g_lock);
    return MidiInHeader.BytesRecorded;
}

void ClearKeypadVersion()
{
    std::lock_guard lock(g_lock);
    KeypadVersion[0] = 0;
}

void ClearFirstInputByte()
{
    std::lock_guard lock(g_lock);
    MidiInBuffer[0] = 0;
}

} // namespace zlv::detail
