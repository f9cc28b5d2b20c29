#include "Acknowledge.h"

#include "KeypadProtocol.h"

#include <cstddef>

namespace zlv {

namespace {

// A reply whose byte 3 is Command acknowledges when byte AckOffset is 'A'.
struct AcknowledgeRow {
    std::uint8_t Command;
    std::size_t AckOffset;
};

// The single-file sender takes 23 and 30 beside the preset commands, as it
// always has; it sends only presets.
constexpr AcknowledgeRow kSingleFileTable[] = {
    {0x23, kShortNumberAckOffset},
    {scOldPreset, kShortNumberAckOffset},
    {0x30, kLongNumberAckOffset},
    {scPreset, kLongNumberAckOffset},
};

constexpr AcknowledgeRow kMessageListTable[] = {
    {scSetting, kShortNumberAckOffset},
    {scOldPreset, kShortNumberAckOffset},
    {scPreset, kLongNumberAckOffset},
    {scChain, kLongNumberAckOffset},
};

template <std::size_t N>
const AcknowledgeRow* findRow(const AcknowledgeRow (&table)[N], const std::uint8_t* reply)
{
    for (const AcknowledgeRow& row : table)
        if (row.Command == reply[kReplyCommandOffset])
            return &row;
    return nullptr;
}

bool carriesA(const AcknowledgeRow& row, const std::uint8_t* reply) { return reply[row.AckOffset] == kAcknowledge; }

} // namespace

bool SingleFileAcknowledged(const std::uint8_t* reply)
{
    const AcknowledgeRow* row = findRow(kSingleFileTable, reply);
    return row && carriesA(*row, reply);
}

bool MessageListAcknowledged(const std::uint8_t* reply, bool lastNode)
{
    const AcknowledgeRow* row = findRow(kMessageListTable, reply);
    return row ? carriesA(*row, reply) : lastNode;
}

bool UpgradeAcknowledged(const std::uint8_t* reply, bool lastNode)
{
    return lastNode || reply[kFirmwareAckOffset] == kAcknowledge;
}

} // namespace zlv
