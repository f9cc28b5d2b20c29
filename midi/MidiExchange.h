// The keypad's live protocol: one System Exclusive message out and the keypad's
// reply back, the identity request, the select-preset command and the sending of
// a single .syx file with its acknowledge test. The messages themselves are the
// protocol's (KeypadProtocol.h).
#pragma once

#include "KeypadProtocol.h"
#include "MidiPorts.h"

#include <cstdint>
#include <string>

namespace zlv {

// Results of the file and transfer operations of the link.
enum TransferResult : std::int32_t {
    trOk = 0,
    trOpenFailed = 1,
    trReadFailed = 2,
    trWrongFileType = 3,
    trNoF0 = 4,
    trSendFailed = 5,
    trBadDevice = 6,
    trNoAcknowledge = 7,
    // The one message list is being sent: a load, send or free asked for meanwhile
    // did nothing. No command shows a message for it.
    trListBusy = 8,
};

// The contents of the single .syx file being sent.
extern std::uint8_t SingleFileBuffer[kMaxSinglePresetFileSize];

// Sends one message and waits for any System Exclusive reply: 0 a reply arrived
// (it is in MidiInBuffer); 1 zero length, the ports closed, the send failed or
// no reply came within 100 ms after the output ended (10 ms after the driver
// was done with the message). A message never goes out sooner than 10 ms after
// the driver was done with the one before.
std::int32_t SendSysExAndWaitReply(const std::uint8_t* message, std::int32_t length);

// Right after OpenMidiPorts: clears KeypadVersion, arms the input buffer and
// sends IdentityRequest, waiting for the reply as every exchange does.
// True when no reply arrived; whether it carried a version shows in KeypadVersion.
bool RequestKeypadIdentity();

// Selects preset `index` (0 to 199) on the keypad when the ports are open; a
// larger index is dropped. Reports nothing.
void SendPresetSelect(std::uint8_t index);

// Sends the first 528 bytes of a single-preset file as one message and tests the
// keypad's acknowledge: trOk, trOpenFailed, trReadFailed, trNoF0, trSendFailed
// (ports closed, send failed, no reply) or trNoAcknowledge (a reply that is not
// the acknowledge of a record, or one that lacks the 'A').
std::int32_t SendSingleSyxFile(const std::string& path);

} // namespace zlv
