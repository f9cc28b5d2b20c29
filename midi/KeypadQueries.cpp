#include "KeypadQueries.h"

#include "InputBuffer.h"
#include "MidiExchange.h"

namespace zlv {

namespace {
constexpr std::int32_t kParameterQuerySize = 6;
constexpr std::int32_t kPortQuerySize = 5;
} // namespace

std::int32_t ReadKeypadParameter(std::uint8_t parameter, std::uint8_t& value)
{
    // With the ports closed the buffer holds an earlier reply, not the keypad's answer.
    if (!MidiOpen)
        return trNoAcknowledge;
    const std::uint8_t query[kParameterQuerySize] = {kSysExStart,      ManufacturerId, KeypadDeviceId,
                                                     scParameterQuery, parameter,      kSysExEnd};
    if (SendSysExAndWaitReply(query, kParameterQuerySize) != 0)
        return trNoAcknowledge;
    if (MidiInBuffer[3] != scParameterQuery || MidiInBuffer[4] != parameter)
        return trNoAcknowledge;
    // Both bytes taken whole, not masked to 4 bits.
    value = static_cast<std::uint8_t>(MidiInBuffer[5] * 16 + MidiInBuffer[6]);
    return trOk;
}

std::int32_t ReadKeypadPort(std::uint8_t& port)
{
    if (!MidiOpen)
        return trNoAcknowledge;
    const std::uint8_t query[kPortQuerySize] = {kSysExStart, ManufacturerId, KeypadDeviceId, scPortQuery, kSysExEnd};
    if (SendSysExAndWaitReply(query, kPortQuerySize) != 0)
        return trNoAcknowledge;
    if (MidiInBuffer[3] != scPortQuery)
        return trNoAcknowledge;
    port = MidiInBuffer[4];
    return trOk;
}

std::int32_t ReadFirmwareVersion()
{
    detail::ClearKeypadVersion();
    if (MidiOpen)
        SendSysExAndWaitReply(IdentityRequest, static_cast<std::int32_t>(kIdentityRequestSize));
    return KeypadVersion[0] == 0 ? trNoAcknowledge : trOk;
}

} // namespace zlv
