// The hand-over of the one receive buffer between the UI thread and the MIDI
// thread. Internal to the link. The buffer is either queued (the MIDI thread may
// fill it and hand it back, once) or held by the UI thread; one lock orders every
// step, so what the MIDI thread wrote, the input callback's writes included, is
// visible to the UI thread once it sees the buffer back.
#pragma once

#include "MidiDriver.h"

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace zlv::detail {

using Clock = std::chrono::steady_clock;

// Where an input port delivers System Exclusive input: into the `size` bytes at
// `buffer` while they are queued, then to `callback` with kMimLongData, still on
// the MIDI thread and under the lock.
MidiInputSink& InputSink(std::uint8_t* buffer, std::size_t size, MidiInProc callback);

// Zeroes the buffer and queues it for `input`, taking it back first if it was
// still queued.
void ArmInputBuffer(MidiPortHandle input);
// Takes the buffer back whether or not it was filled; later input is dropped.
void TakeInputBufferBack();
// Waits until the buffer came back filled or the deadline passed, sleeping
// meanwhile. True when it came back; otherwise it is taken back (a reply that
// completes later is dropped).
bool WaitInputBufferReturned(Clock::time_point deadline);

// Zeroes a byte that the MIDI thread may write while the buffer is queued (the
// buffer's first byte, the first of KeypadVersion).
void ClearSharedByte(std::uint8_t& byte);
void ClearSharedByte(char& byte);

} // namespace zlv::detail
