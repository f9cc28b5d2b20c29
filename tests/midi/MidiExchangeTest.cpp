#include "LinkFixture.h"

#include <cstring>
#include <filesystem>

namespace zlv::test {
namespace {

using ExchangeTest = LinkTest;

const Bytes kQuery = {0xF0, 0x7D, 0x22, 0x05, 0xF7};

TEST_F(ExchangeTest, ZeroLengthSendsNothingAndLeavesTheBufferAlone)
{
    openKeypad();
    MidiInBuffer[0] = 0x99;
    EXPECT_EQ(SendSysExAndWaitReply(kQuery.data(), 0), 1);
    EXPECT_EQ(MidiInBuffer[0], 0x99);
    EXPECT_TRUE(keypad.Received.empty());
}

TEST_F(ExchangeTest, ReplyFiftyMillisecondsAfterTheOutputIsFoundOneAtOneFiftyIsNot)
{
    openKeypad();
    // The output wait ends 10 ms after the send.
    keypad.ReplyDelay = 60ms;
    EXPECT_EQ(SendSysExAndWaitReply(kQuery.data(), 5), 0);
    EXPECT_EQ(MidiInBuffer[3], 0x05);
    EXPECT_EQ(MidiInBuffer[4], 0x55);

    keypad.ReplyDelay = 160ms;
    EXPECT_EQ(SendSysExAndWaitReply(kQuery.data(), 5), 1);
    keypad.WaitIdle();
    // The late reply was not left to land in the buffer afterwards.
    EXPECT_EQ(MidiInBuffer[0], 0);
}

TEST_F(ExchangeTest, SlowOutputExtendsTheWaitFromItsEnd)
{
    openKeypad();
    keypad.OutputTime = 40ms;
    keypad.ReplyDelay = 90ms; // counted from the send's start: 50 ms after a 40 ms output
    EXPECT_EQ(SendSysExAndWaitReply(kQuery.data(), 5), 0);
}

TEST_F(ExchangeTest, MessagesGoOutAtLeastTenMillisecondsApart)
{
    openKeypad();
    for (int i = 0; i < 5; ++i) {
        // A hand-over held up by a busy machine or a slow driver does not
        // shorten the pause after it.
        keypad.NextHandOverHold = i == 1 ? 12ms : i == 3 ? 7ms : 0ms;
        ASSERT_EQ(SendSysExAndWaitReply(kQuery.data(), 5), 0);
    }
    ASSERT_EQ(keypad.SendTimes.size(), 5u);
    for (std::size_t i = 1; i < keypad.SendTimes.size(); ++i)
        EXPECT_GE(keypad.SendTimes[i] - keypad.SendTimes[i - 1], 10ms) << i;
}

TEST_F(ExchangeTest, FailedSendOrClosedPortsFail)
{
    EXPECT_EQ(SendSysExAndWaitReply(kQuery.data(), 5), 1);
    openKeypad();
    keypad.FailSends = true;
    EXPECT_EQ(SendSysExAndWaitReply(kQuery.data(), 5), 1);
}

TEST_F(ExchangeTest, ReplyLongerThanTheBufferFillsItAndNoMore)
{
    openKeypad();
    Bytes longReply(1500, 0x11);
    longReply.front() = 0xF0;
    longReply[1023] = 0x22;
    longReply[1024] = 0x33;
    longReply.back() = 0xF7;
    answerAlways(longReply);
    EXPECT_EQ(SendSysExAndWaitReply(kQuery.data(), 5), 0);
    EXPECT_EQ(MidiInBuffer[0], 0xF0);
    EXPECT_EQ(MidiInBuffer[1023], 0x22);
}

TEST_F(ExchangeTest, FloodOfInputKeepsTheFirstReplyOnly)
{
    openKeypad();
    // The reply, then a flood right behind it.
    keypad.Responder = [this](const Bytes&, int, std::chrono::milliseconds&) -> std::optional<Bytes> {
        keypad.Inject({0xF0, 0x7D, 0x22, 0x05, 0x7F, 0xF7});
        for (int i = 0; i < 300; ++i)
            keypad.Inject({0xF0, 0x7D, 0x22, 0x05, static_cast<std::uint8_t>(i & 0x3F), 0xF7});
        return std::nullopt;
    };
    EXPECT_EQ(SendSysExAndWaitReply(kQuery.data(), 5), 0);
    keypad.WaitIdle();
    EXPECT_EQ(Bytes(MidiInBuffer, MidiInBuffer + 7), Bytes({0xF0, 0x7D, 0x22, 0x05, 0x7F, 0xF7, 0x00}));
}

TEST_F(ExchangeTest, RealTimeBytesInsideAReplyAreNoPartOfIt)
{
    openKeypad();
    answerAlways({0xF0, 0x7D, 0x22, 0xF8, 0x31, 0x00, 0x00, 0xFE, 0x41, 0xFF, 0xF7});
    EXPECT_EQ(SendSingleSyxFile(folder.Write("one.syx", DefaultPresetMessage(0))), trOk);
    EXPECT_EQ(Bytes(MidiInBuffer, MidiInBuffer + 9), Bytes({0xF0, 0x7D, 0x22, 0x31, 0x00, 0x00, 0x41, 0xF7, 0x00}));

    Bytes identity = IdentityReplyFor("CLOCKED VERSION ");
    identity.insert(identity.begin() + 12, 0xF8);
    answerAlways(identity);
    EXPECT_EQ(ReadFirmwareVersion(), trOk);
    EXPECT_STREQ(KeypadVersion, "CLOCKED VERSION ");
}

using IdentityTest = LinkTest;

TEST_F(IdentityTest, IdentityReplyFillsTheVersionWhole)
{
    keypad.Keypad.Version = "V1.23 (c)2024 ZL"; // 16 characters
    openKeypad();
    std::strcpy(KeypadVersion, "old");
    EXPECT_FALSE(RequestKeypadIdentity());
    EXPECT_STREQ(KeypadVersion, "V1.23 (c)2024 ZL");
    ASSERT_EQ(keypad.Received.size(), 1u);
    EXPECT_EQ(keypad.Received[0], Bytes({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}));
}

TEST_F(IdentityTest, OnlyATwentyFourByteSysExCarriesAVersion)
{
    openKeypad();
    Bytes longer = IdentityReplyFor("ABCDEFGHIJKLMNOP");
    longer.insert(longer.end() - 1, 0x00); // 25 bytes
    answerAlways(longer);
    EXPECT_FALSE(RequestKeypadIdentity()); // a reply all the same
    EXPECT_EQ(KeypadVersion[0], 0);

    CloseMidiPorts();
    openKeypad();
    answerAlways(IdentityReplyFor("ABCDEFGHIJKLMNOP"));
    EXPECT_EQ(ReadFirmwareVersion(), trOk);
    EXPECT_STREQ(KeypadVersion, "ABCDEFGHIJKLMNOP");
    // The callback looks at the buffer only; a 24-byte reply without F0 there is no identity.
    MidiInBuffer[0] = 0x00;
    KeypadVersion[0] = 0;
    MidiInCallback(nullptr, kMimLongData, 0, 0, 0);
    EXPECT_EQ(KeypadVersion[0], 0);
    MidiInBuffer[0] = 0xF0;
    MidiInCallback(nullptr, kMimData, 0, 0, 0);
    EXPECT_EQ(KeypadVersion[0], 0);
}

TEST_F(IdentityTest, ReplyAsSlowAsAJackPeriodOfAThousandFramesIsFoundOneTooLateIsNot)
{
    keypad.Keypad.Version = "SLOW TRANSPORT 1";
    openKeypad();
    keypad.ReplyDelay = 40ms;
    EXPECT_FALSE(RequestKeypadIdentity());
    EXPECT_STREQ(KeypadVersion, "SLOW TRANSPORT 1");

    CloseMidiPorts(); // a fresh connection, as the editor opens before each identity request
    openKeypad();
    keypad.ReplyDelay = 160ms;
    EXPECT_TRUE(RequestKeypadIdentity());
    keypad.WaitIdle();
    EXPECT_EQ(KeypadVersion[0], 0);
}

TEST_F(IdentityTest, SysExArrivedSinceTheOpenIsNotTakenForTheAnswer)
{
    keypad.Keypad.Version = "AFTER THE STRAY ";
    openKeypad();
    keypad.Inject({0xF0, 0x7D, 0x22, 0x05, 0x55, 0xF7});
    keypad.WaitIdle();
    EXPECT_FALSE(RequestKeypadIdentity());
    EXPECT_STREQ(KeypadVersion, "AFTER THE STRAY ");

    // A device that only ever talks on its own is no keypad.
    CloseMidiPorts();
    keypad.Mode = SimKeypad::Answering::Silent;
    openKeypad();
    keypad.Inject(IdentityReplyFor("NOT AN ANSWER   "));
    keypad.WaitIdle();
    EXPECT_TRUE(RequestKeypadIdentity());
    EXPECT_EQ(KeypadVersion[0], 0);
}

TEST_F(IdentityTest, SilentKeypadIsNotFound)
{
    keypad.Mode = SimKeypad::Answering::Silent;
    openKeypad();
    EXPECT_TRUE(RequestKeypadIdentity());
}

using PresetSelectTest = LinkTest;

TEST_F(PresetSelectTest, SelectsAPresetAndDropsAnIndexOutOfRange)
{
    openKeypad();
    SendPresetSelect(199);
    SendPresetSelect(200);
    SendPresetSelect(255);
    ASSERT_EQ(keypad.Received.size(), 1u);
    EXPECT_EQ(keypad.Received[0], Bytes({0xF0, 0x7D, 0x22, 0x07, 0xC7, 0xF7}));
    CloseMidiPorts();
    SendPresetSelect(0);
    EXPECT_EQ(keypad.Received.size(), 1u);
}

class SingleFileTest : public LinkTest {
protected:
    std::int32_t sendWithReply(const Bytes& reply)
    {
        answerAlways(reply);
        return SendSingleSyxFile(folder.Write("one.syx", DefaultPresetMessage(0)));
    }
};

TEST_F(SingleFileTest, FileErrorsComeBeforeAnySend)
{
    openKeypad();
    EXPECT_EQ(SendSingleSyxFile(folder.PathOf("missing.syx")), trOpenFailed);
    // A folder is no empty file: it cannot be opened.
    const std::string dir = folder.PathOf("folder.syx");
    std::filesystem::create_directory(dir);
    EXPECT_EQ(SendSingleSyxFile(dir), trOpenFailed);
    // Opens, but its first read fails: nothing is mapped at address 0.
    if (std::filesystem::exists("/proc/self/mem")) {
        EXPECT_EQ(SendSingleSyxFile("/proc/self/mem"), trOpenFailed);
    }
    EXPECT_EQ(SendSingleSyxFile(folder.Write("empty.syx", {})), trNoF0);
    EXPECT_EQ(SendSingleSyxFile(folder.Write("text.syx", {'h', 'i', 0xF7})), trNoF0);
    EXPECT_TRUE(keypad.Received.empty());
}

TEST_F(SingleFileTest, LongFileGoesOutAsItsFirst528Bytes)
{
    openKeypad();
    Bytes file(600, 0x01);
    file[0] = 0xF0;
    file[527] = 0x02;
    answerAlways({0xF0, 0x7D, 0x22, 0x31, 0x00, 0x00, 0x41, 0xF7});
    EXPECT_EQ(SendSingleSyxFile(folder.Write("long.syx", file)), trOk);
    ASSERT_EQ(keypad.Received.size(), 1u);
    EXPECT_EQ(keypad.Received[0], Bytes(file.begin(), file.begin() + 528));
}

TEST_F(SingleFileTest, AcknowledgeTable)
{
    openKeypad();
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x31, 0x01, 0x0A, 0x41, 0xF7}), trOk);
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x31, 0x01, 0x0A, 0x4E, 0xF7}), trNoAcknowledge);
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x30, 0x01, 0x0A, 0x41, 0xF7}), trOk);
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x30, 0x01, 0x41, 0x00, 0xF7}), trNoAcknowledge);
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x23, 0x01, 0x41, 0xF7}), trOk);
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x23, 0x01, 0x00, 0x41, 0xF7}), trNoAcknowledge);
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x24, 0x01, 0x41, 0xF7}), trOk);
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x24, 0x01, 0x4E, 0xF7}), trNoAcknowledge);
    // Any other reply is no acknowledge, 'A' or not: the keypad names the preset
    // record it acknowledges, and a stray message from another device on the
    // same input must not read as "Downloaded OK!".
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x33, 0x00, 0x00, 0x00, 0xF7}), trNoAcknowledge);
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x33, 0x00, 0x00, 0x41, 0xF7}), trNoAcknowledge);
    EXPECT_EQ(sendWithReply({0xF0, 0x7D, 0x22, 0x22, 0x00, 0x00, 0xF7}), trNoAcknowledge);
    EXPECT_EQ(sendWithReply({0xF0, 0x5C, 0x09, 0x6D, 0x01, 0x02, 0x03, 0xF7}), trNoAcknowledge);
}

TEST_F(SingleFileTest, NoReplyFailedSendAndClosedPortsAreFailuresNotSuccess)
{
    const std::string path = folder.Write("one.syx", DefaultPresetMessage(3));
    EXPECT_EQ(SendSingleSyxFile(path), trSendFailed);
    openKeypad();
    keypad.Mode = SimKeypad::Answering::Silent;
    EXPECT_EQ(SendSingleSyxFile(path), trSendFailed);
    keypad.Mode = SimKeypad::Answering::Normal;
    keypad.FailSends = true;
    EXPECT_EQ(SendSingleSyxFile(path), trSendFailed);
    keypad.FailSends = false;
    EXPECT_EQ(SendSingleSyxFile(path), trOk);
    EXPECT_EQ(keypad.Received.back(), DefaultPresetMessage(3));
}

TEST_F(SingleFileTest, RefusingKeypadIsNoAcknowledge)
{
    openKeypad();
    keypad.Mode = SimKeypad::Answering::Refusing;
    EXPECT_EQ(SendSingleSyxFile(folder.Write("one.syx", DefaultPresetMessage(3))), trNoAcknowledge);
}

} // namespace
} // namespace zlv::test
