// The seam between the keypad link and the operating system's MIDI: exactly the
// calls the link relies on (device counts and capabilities, one output and one
// input port, whole long messages out, complete System Exclusive input in on the
// driver's own thread). The program runs on the RtMidi backend; tests install a
// simulated keypad with SetMidiDriver (defined with the ports, which use the driver).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zlv {

// What a device offers about itself. Drivers that know no ids leave them 0.
struct MidiDeviceCaps {
    std::uint16_t ManufacturerId = 0;
    std::uint16_t ProductId = 0;
    std::string Name;
};

// Receives input from an open input port. Called on the driver's thread, never
// on the UI thread, and only between StartInput and StopInput.
class MidiInputSink {
public:
    // One complete System Exclusive message, F0 to F7 (or as much of a longer one
    // as the driver holds). Channel and real-time messages are not delivered,
    // but a real-time byte that came inside the message may still be in it.
    virtual void OnSysExInput(const std::uint8_t* data, std::size_t size) = 0;

protected:
    ~MidiInputSink() = default;
};

class MidiDriver {
public:
    virtual ~MidiDriver() = default;

    // Device lists. A count reads the system's list afresh; the ids of the
    // capability reads and of the opens refer to the list read last.
    virtual int OutDeviceCount() = 0;
    virtual int InDeviceCount() = 0;
    // False when the device's capabilities cannot be read.
    virtual bool GetOutDeviceCaps(int id, MidiDeviceCaps& caps) = 0;
    virtual bool GetInDeviceCaps(int id, MidiDeviceCaps& caps) = 0;

    // One output port at a time. False when it cannot be opened (also for an id
    // outside the list); nothing is then open.
    virtual bool OpenOutput(int id) = 0;
    virtual void CloseOutput() = 0;
    // Sends one whole message and returns once the driver is done with the bytes.
    // False when the message did not go out whole (refused, dropped, port closed).
    virtual bool SendLongMessage(const std::uint8_t* data, std::size_t size) = 0;

    // One input port at a time; the sink is kept until CloseInput succeeds.
    virtual bool OpenInput(int id, MidiInputSink& sink) = 0;
    virtual bool StartInput() = 0;
    virtual void StopInput() = 0;
    // False when the port did not close and the call must be made again.
    virtual bool CloseInput() = 0;
};

// An open port: the driver it was opened on; null when closed.
using MidiPortHandle = MidiDriver*;

// The link's input callback, called on the driver's thread as the system calls
// an input callback: with the port, a notification code and three parameters.
using MidiInProc = void (*)(MidiPortHandle input, std::uint32_t message, std::uintptr_t instance,
                            std::uintptr_t param1, std::uintptr_t param2);
// Notification codes of the input callback: a short message, a filled buffer.
constexpr std::uint32_t kMimData = 0x3C3;
constexpr std::uint32_t kMimLongData = 0x3C4;

// The driver the ports are listed and opened on from now on; returns the one it
// replaces. Null goes back to the RtMidi backend, the program's driver.
MidiDriver* SetMidiDriver(MidiDriver* driver);
// The driver in use: the one installed, or else the RtMidi backend (created at first use).
MidiDriver& ActiveMidiDriver();

} // namespace zlv
