// The keypad's live protocol: one System Exclusive message out and the keypad's
// reply back, the input callback, the identity request, the select-preset command
// and the sending of a single .syx file with its acknowledge test.
#pragma once

#include "MidiPorts.h"

#include <cstddef>
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

constexpr std::uint8_t kSysExStart = 0xF0;
constexpr std::uint8_t kSysExEnd = 0xF7;
constexpr std::uint8_t ManufacturerId = 0x7D;
constexpr std::uint8_t KeypadDeviceId = 0x22;
constexpr std::uint8_t UpgradeDeviceId = 0x21;
constexpr std::uint8_t kAcknowledge = 0x41; // 'A'

// Byte 3 of the keypad's messages.
enum SyxCommand : std::uint8_t {
    scPortQuery = 0x05,
    scSelectPreset = 0x07,
    scParameterQuery = 0x21,
    scSetting = 0x22,
    scOldPreset = 0x24,
    scPreset = 0x31,
    scChain = 0x33,
};

enum KeypadParameter : std::uint8_t {
    kpMidiChannel = 8,
    kpPatchChangeRange = 9,
    kpPresetMode = 14,
    kpRxPgmChgCh = 15,
    kpSpeedDial1 = 16,
    kpSpeedDial2 = 17,
    kpSpeedDial3 = 18,
    kpSpeedDial4 = 19,
    kpSpeedDial5 = 20,
    kpSpeedDial6 = 21,
    kpSpeedDial7 = 22,
    kpSpeedDial8 = 23,
    kpSpeedDial9 = 24,
    kpMidiPassThru = 25,
};

enum KeypadPort : std::uint8_t {
    ptMidiInterface = 0x4D, // 'M'
    ptUsb = 0x55,           // 'U'
};

constexpr std::size_t kIdentityRequestSize = 6;
constexpr std::uint8_t IdentityRequest[kIdentityRequestSize] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
// The identity reply: F0, six bytes not examined, 16 characters of version, F7.
constexpr std::size_t kIdentityReplySize = 24;
constexpr std::size_t kVersionOffset = 7;
constexpr std::size_t kVersionLength = 16;
static_assert(kVersionOffset + kVersionLength + 1 == kIdentityReplySize);

constexpr std::size_t kSingleFileBufferSize = 528;

// Notification codes of the input callback.
constexpr std::uint32_t kMimData = 0x3C3;
constexpr std::uint32_t kMimLongData = 0x3C4;

// The keypad's firmware version: 16 characters and a NUL, empty when none was
// received. Filled by MidiInCallback on the MIDI thread during an exchange;
// read it on the UI thread after the exchange (RequestKeypadIdentity,
// ReadFirmwareVersion) has returned.
extern char KeypadVersion[kVersionLength + 1];
// The contents of the single .syx file being sent.
extern std::uint8_t SingleFileBuffer[kSingleFileBufferSize];

// Sends one message and waits for any System Exclusive reply: 0 a reply arrived
// (it is in MidiInBuffer); 1 zero length, the ports closed, the send failed or
// no reply came within 100 ms after the output ended (at least 10 ms after the
// send). A message never goes out sooner than 10 ms after the one before.
std::int32_t SendSysExAndWaitReply(const std::uint8_t* message, std::int32_t length);

// Called on the MIDI thread when the driver hands MidiInBuffer back: for
// kMimLongData, copies the version of an identity reply (F0 at byte 0, F7 at
// byte 23) into KeypadVersion. Everything else is ignored.
void MidiInCallback(MidiPortHandle input, std::uint32_t message, std::uintptr_t instance, std::uintptr_t param1,
                    std::uintptr_t param2);

// Right after OpenMidiPorts: clears KeypadVersion and sends IdentityRequest on
// the buffer the open queued, waiting only the 10 ms pause and the output time.
// True when no reply arrived; whether it carried a version shows in KeypadVersion.
bool RequestKeypadIdentity();

// Selects preset `index` (0 to 199) on the keypad when the ports are open; a
// larger index is dropped. Reports nothing.
void SendPresetSelect(std::uint8_t index);

// Sends the first 528 bytes of a single-preset file as one message and tests the
// keypad's acknowledge: trOk, trOpenFailed, trReadFailed, trNoF0, trSendFailed
// (ports closed, send failed, no reply) or trNoAcknowledge.
std::int32_t SendSingleSyxFile(const std::string& path);

} // namespace zlv
