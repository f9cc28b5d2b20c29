// What a keypad answers, shared by the simulated keypad of the unit tests and by
// the emulator process of the end-to-end test: acknowledges for records and
// firmware messages, replies to the parameter, port and identity queries from its
// own settings.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zlv::test {

using Bytes = std::vector<std::uint8_t>;

struct KeypadModel {
    // 16 characters: the identity reply carries them at bytes 7 to 22.
    std::string Version = "ZLV 2.07 Mar2024";
    std::map<std::uint8_t, std::uint8_t> Parameters = {
        {8, 0}, {9, 1}, {14, 0}, {15, 17}, {25, 0},
        {16, 0xFF}, {17, 0xFF}, {18, 0xFF}, {19, 0xFF}, {20, 0xFF}, {21, 0xFF}, {22, 0xFF}, {23, 0xFF}, {24, 0xFF},
    };
    std::uint8_t Port = 0x55;
    int SelectedPreset = -1;
    int PresetsStored = 0;
    int ChainsStored = 0;
    int FirmwareMessages = 0;

    // The keypad's answer to one message it received, or nothing.
    std::optional<Bytes> Answer(const Bytes& message);
};

// The reply to an identity request carrying `version` (padded or cut to 16 characters).
Bytes IdentityReplyFor(const std::string& version);

} // namespace zlv::test
