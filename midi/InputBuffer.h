// The hand-over of MidiInBuffer between the UI thread and the MIDI thread.
// Internal to the link. The buffer is either queued (the MIDI thread may fill it
// and hand it back, once) or held by the UI thread; one lock orders every step,
// so what the MIDI thread wrote, KeypadVersion included, is visible to the UI
// thread once it sees the buffer back.
#pragma once

#include "MidiDriver.h"
#include "MidiPorts.h"

#include <chrono>
#include <cstddef>

namespace zlv::detail {

using Clock = std::chrono::steady_clock;

// Where the open input port delivers System Exclusive input.
MidiInputSink& InputSink();

// Zeroes MidiInBuffer and queues it for `input`, taking it back first if it was
// still queued.
void ArmInputBuffer(MidiPortHandle input);
// Takes the buffer back whether or not it was filled; later input is dropped.
void TakeInputBufferBack();
// Waits until the buffer came back filled or the deadline passed, sleeping
// meanwhile. True when it came back; otherwise it is taken back (a reply that
// completes later is dropped).
bool WaitInputBufferReturned(Clock::time_point deadline);
// How many bytes the last reply put into MidiInBuffer.
std::size_t InputBytesRecorded();

// Writes to KeypadVersion and MidiInBuffer that the UI thread makes while the
// buffer may be queued.
void ClearKeypadVersion();
void ClearFirstInputByte();

} // namespace zlv::detail
