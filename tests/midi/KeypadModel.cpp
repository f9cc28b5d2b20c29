#include "KeypadModel.h"

namespace zlv::test {

Bytes IdentityReplyFor(const std::string& version)
{
    Bytes reply = {0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x7D, 0x22};
    std::string text = version.substr(0, 16);
    text.resize(16, ' ');
    reply.insert(reply.end(), text.begin(), text.end());
    reply.push_back(0xF7);
    return reply;
}

std::optional<Bytes> KeypadModel::Answer(const Bytes& m)
{
    if (m.size() < 5 || m.front() != 0xF0 || m.back() != 0xF7)
        return std::nullopt;
    if (m.size() == 6 && m[1] == 0x7E && m[3] == 0x06 && m[4] == 0x01)
        return IdentityReplyFor(Version);
    if (m[2] == 0x21) {
        // A firmware message: 'A' at byte 4.
        ++FirmwareMessages;
        return Bytes{0xF0, m[1], 0x21, m[3], 0x41, 0xF7};
    }
    if (m[1] != 0x7D || m[2] != 0x22)
        return std::nullopt;
    const std::uint8_t command = m[3];
    switch (command) {
    case 0x05:
        return Bytes{0xF0, 0x7D, 0x22, 0x05, Port, 0xF7};
    case 0x07:
        SelectedPreset = m[4];
        return Bytes{0xF0, 0x7D, 0x22, 0x07, m[4], 0x41, 0xF7};
    case 0x21: {
        const auto it = Parameters.find(m[4]);
        const std::uint8_t value = it == Parameters.end() ? 0 : it->second;
        return Bytes{0xF0, 0x7D, 0x22, 0x21, m[4], static_cast<std::uint8_t>(value >> 4),
                     static_cast<std::uint8_t>(value & 0x0F), 0xF7};
    }
    case 0x22: // a setting: one-byte number, 'A' at byte 5
        if (m.size() >= 8)
            Parameters[m[4]] = static_cast<std::uint8_t>(m[5] * 16 + m[6]);
        return Bytes{0xF0, 0x7D, 0x22, command, m[4], 0x41, 0xF7};
    case 0x24:
        ++PresetsStored;
        return Bytes{0xF0, 0x7D, 0x22, command, m[4], 0x41, 0xF7};
    case 0x31: // a preset or a chain: two-byte number, 'A' at byte 6
    case 0x33:
        if (m.size() < 7)
            return std::nullopt;
        ++(command == 0x31 ? PresetsStored : ChainsStored);
        return Bytes{0xF0, 0x7D, 0x22, command, m[4], m[5], 0x41, 0xF7};
    default:
        return std::nullopt;
    }
}

} // namespace zlv::test
