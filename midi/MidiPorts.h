// The editor's one connection to the keypad: the driver, the device tables, the
// chosen pair, the open output and input ports, the one buffer every reply
// arrives in and the input callback that reads the keypad's version out of it.
// Process-wide; every function here runs on the UI thread, except the callback.
#pragma once

#include "KeypadProtocol.h"
#include "MidiDriver.h"

#include <cstddef>
#include <cstdint>

namespace zlv {

constexpr int kMaxMidiDevices = 10;
constexpr std::size_t kMidiDeviceNameSize = 32; // at most 31 characters and a NUL
constexpr std::size_t kMidiInBufferSize = 1024;

struct MidiDeviceEntry {
    std::uint16_t ManufacturerId;
    std::uint16_t ProductId;
    char Name[kMidiDeviceNameSize];
};
static_assert(sizeof(MidiDeviceEntry::Name) == 32);

// Entry i describes device id i; ids 10 and above are never listed.
extern MidiDeviceEntry MidiOutDevices[kMaxMidiDevices];
extern MidiDeviceEntry MidiInDevices[kMaxMidiDevices];
// The number of devices the system reported at the last enumeration (may exceed 10).
extern std::int32_t MidiOutDeviceCount;
extern std::int32_t MidiInDeviceCount;
// The device ids chosen in the interface chooser; -1 = none. 0 until the first enumeration.
extern std::int32_t SelectedMidiOut;
extern std::int32_t SelectedMidiIn;
extern MidiPortHandle MidiOutHandle;
extern MidiPortHandle MidiInHandle;
// 1 while both ports are open.
extern std::uint8_t MidiOpen;
// The one receive buffer: a reply of the keypad lands here from index 0. The MIDI
// thread writes it only while an exchange waits for a reply; read it on the UI
// thread once an exchange has returned.
extern std::uint8_t MidiInBuffer[kMidiInBufferSize];
// The keypad's firmware version: 16 characters and a NUL, empty when none was
// received. Filled by MidiInCallback on the MIDI thread during an exchange;
// read it on the UI thread after the exchange (RequestKeypadIdentity,
// ReadFirmwareVersion) has returned.
extern char KeypadVersion[kVersionLength + 1];

// Called on the MIDI thread when the driver hands MidiInBuffer back: for
// kMimLongData, copies the version of an identity reply (F0 at byte 0, F7 at
// byte 23) into KeypadVersion. Everything else is ignored.
void MidiInCallback(MidiPortHandle input, std::uint32_t message, std::uintptr_t instance, std::uintptr_t param1,
                    std::uintptr_t param2);

// Refreshes both tables and sets both selections to -1. Returns 0 when the ports
// are open (nothing changes) or when no device of either direction was listed.
std::int32_t EnumerateMidiDevices();
// The number of entries listed, 0 to 10: stops at the first device whose
// capabilities cannot be read.
std::int32_t EnumerateMidiOutDevices();
std::int32_t EnumerateMidiInDevices();

bool IsMidiOpen();

// Opens SelectedMidiOut, then SelectedMidiIn, and starts input with the buffer
// queued. 0 opened; -1 a port failed to open (nothing is left open); -2 the input
// buffer could not be handed to the driver (kept for callers; this driver layer
// cannot fail there).
std::int32_t OpenMidiPorts();
// Closes whatever is open; the input port is retried for at most a second and
// then given up. Leaves both handles null and MidiOpen 0.
void CloseMidiPorts();

} // namespace zlv
