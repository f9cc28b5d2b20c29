#include "MidiExchange.h"

#include "Acknowledge.h"
#include "InputBuffer.h"
#include "MessageBuilder.h"
#include "SyxFile.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace zlv {

std::uint8_t SingleFileBuffer[kMaxSinglePresetFileSize];

namespace {

using detail::Clock;

// The keypad needs this long between two messages, and a reply counts when it
// completes within the reply window after the output ended.
constexpr auto kMessagePause = std::chrono::milliseconds(10);
constexpr auto kReplyWindow = std::chrono::milliseconds(100);

Clock::time_point g_lastSend{};

// Sends one message no sooner than the pause after the driver was done with the
// one before; false when the message did not go out. The pause counts from the
// driver's return, so a send held up on its way to the driver cannot shorten
// it; `outputEnd` is set to the end of this send's pause. The input buffer is
// armed after the pause, right before the bytes go out: a message that completed
// before the send (a keypad answering twice, a stray message) cannot pass for
// the reply to this one.
bool pacedSend(const std::uint8_t* message, std::size_t length, Clock::time_point& outputEnd)
{
    if (MidiOutHandle)
        std::this_thread::sleep_until(g_lastSend + kMessagePause);
    detail::ArmInputBuffer(MidiInHandle);
    if (!MidiOutHandle)
        return false;
    const bool sent = MidiOutHandle->SendLongMessage(message, length);
    g_lastSend = Clock::now();
    outputEnd = g_lastSend + kMessagePause;
    return sent;
}

} // namespace

std::int32_t SendSysExAndWaitReply(const std::uint8_t* message, std::int32_t length)
{
    if (length <= 0 || !message)
        return 1;
    if (!MidiOutHandle || !MidiInHandle)
        return 1;
    Clock::time_point outputEnd;
    if (!pacedSend(message, static_cast<std::size_t>(length), outputEnd)) {
        detail::TakeInputBufferBack();
        return 1;
    }
    return detail::WaitInputBufferReturned(outputEnd + kReplyWindow) ? 0 : 1;
}

bool RequestKeypadIdentity()
{
    std::uint8_t request[kIdentityRequestSize];
    std::memcpy(request, IdentityRequest, sizeof request);
    detail::ClearSharedByte(MidiInBuffer[0]);
    detail::ClearSharedByte(KeypadVersion[0]);
    // Armed afresh right before the send, as for every exchange: a message that
    // came in since the open must not pass for the keypad's answer. It gets the
    // reply window of every other exchange: behind a transport with a long
    // period (JACK at 1024 frames) the keypad's answer takes some 40 ms.
    Clock::time_point outputEnd;
    if (!pacedSend(request, sizeof request, outputEnd))
        outputEnd = Clock::now();
    return !detail::WaitInputBufferReturned(outputEnd + kReplyWindow);
}

void SendPresetSelect(std::uint8_t index)
{
    if (index >= kPresetCount)
        return;
    std::uint8_t message[kSelectPresetSize];
    MessageBuilder m(message, scSelectPreset);
    m.Put(index);
    m.End();
    if (MidiOpen)
        SendSysExAndWaitReply(message, kSelectPresetSize);
}

std::int32_t SendSingleSyxFile(const std::string& path)
{
    std::memset(SingleFileBuffer, 0, sizeof SingleFileBuffer);
    std::FILE* file = OpenSyxFileForReading(path);
    if (!file)
        return trOpenFailed;
    const std::size_t read = std::fread(SingleFileBuffer, 1, sizeof SingleFileBuffer, file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return trReadFailed;
    if (SingleFileBuffer[0] != kSysExStart)
        return trNoF0;
    // A keypad that never answered, a failed send and closed ports are failures,
    // not a silent success.
    if (!MidiOpen)
        return trSendFailed;
    if (SendSysExAndWaitReply(SingleFileBuffer, static_cast<std::int32_t>(read)) != 0)
        return trSendFailed;
    return SingleFileAcknowledged(MidiInBuffer) ? trOk : trNoAcknowledge;
}

} // namespace zlv
