// The keypad's own settings, read on demand: one parameter, the port by which the
// keypad is attached, and the firmware version. Each is one exchange with the
// keypad; a missing or unfitting reply gives trNoAcknowledge and leaves the
// output untouched.
#pragma once

#include "MidiExchange.h"

#include <cstdint>

namespace zlv {

// Queries a KeypadParameter; on success `value` is (reply byte 5 x 16 + byte 6)
// modulo 256. trOk or trNoAcknowledge (also with the ports closed).
std::int32_t ReadKeypadParameter(std::uint8_t parameter, std::uint8_t& value);
// Queries the port: on success `port` is the reply's byte 4 (ptUsb, ptMidiInterface
// or anything else). trOk or trNoAcknowledge (also with the ports closed).
std::int32_t ReadKeypadPort(std::uint8_t& port);
// Clears KeypadVersion and sends the identity request; trOk when a reply filled
// KeypadVersion, else trNoAcknowledge.
std::int32_t ReadFirmwareVersion();

} // namespace zlv
