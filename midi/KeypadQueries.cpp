#include "KeypadQueries.h"

#include "InputBuffer.h"
#include "MessageBuilder.h"
#include "MidiExchange.h"

namespace zlv {

std::int32_t ReadKeypadParameter(std::uint8_t parameter, std::uint8_t& value)
{
    // With the ports closed the buffer holds an earlier reply, not the keypad's answer.
    if (!MidiOpen)
        return trNoAcknowledge;
    std::uint8_t query[kParameterQuerySize];
    MessageBuilder m(query, scParameterQuery);
    m.Put(parameter);
    m.End();
    if (SendSysExAndWaitReply(query, kParameterQuerySize) != 0)
        return trNoAcknowledge;
    if (MidiInBuffer[kReplyCommandOffset] != scParameterQuery || MidiInBuffer[kReplyParameterOffset] != parameter)
        return trNoAcknowledge;
    // Both bytes taken whole, not masked to 4 bits.
    value = NibblePair{MidiInBuffer[kReplyValueOffset], MidiInBuffer[kReplyValueOffset + 1]}.Value();
    return trOk;
}

std::int32_t ReadKeypadPort(std::uint8_t& port)
{
    if (!MidiOpen)
        return trNoAcknowledge;
    std::uint8_t query[kPortQuerySize];
    MessageBuilder(query, scPortQuery).End();
    if (SendSysExAndWaitReply(query, kPortQuerySize) != 0)
        return trNoAcknowledge;
    if (MidiInBuffer[kReplyCommandOffset] != scPortQuery)
        return trNoAcknowledge;
    port = MidiInBuffer[kReplyPortOffset];
    return trOk;
}

std::int32_t ReadFirmwareVersion()
{
    detail::ClearSharedByte(KeypadVersion[0]);
    if (MidiOpen)
        SendSysExAndWaitReply(IdentityRequest, static_cast<std::int32_t>(kIdentityRequestSize));
    return KeypadVersion[0] == 0 ? trNoAcknowledge : trOk;
}

} // namespace zlv
