#include "LinkFixture.h"

namespace zlv::test {
namespace {

using QueryTest = LinkTest;

TEST_F(QueryTest, ParameterReplyGivesItsValue)
{
    openKeypad();
    std::uint8_t value = 0xAA;
    answerAlways({0xF0, 0x7D, 0x22, 0x21, 0x08, 0x00, 0x05, 0xF7});
    EXPECT_EQ(ReadKeypadParameter(kpMidiChannel, value), trOk);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(keypad.Received.back(), Bytes({0xF0, 0x7D, 0x22, 0x21, 0x08, 0xF7}));

    answerAlways({0xF0, 0x7D, 0x22, 0x21, 0x0E, 0x00, 0x01, 0xF7});
    value = 0xAA;
    EXPECT_EQ(ReadKeypadParameter(kpPatchChangeRange, value), trNoAcknowledge);
    EXPECT_EQ(value, 0xAA);

    answerAlways({0xF0, 0x7D, 0x22, 0x21, 0x0F, 0x1F, 0x02, 0xF7});
    EXPECT_EQ(ReadKeypadParameter(kpRxPgmChgCh, value), trOk);
    EXPECT_EQ(value, 242);

    answerAlways({0xF0, 0x7D, 0x22, 0x05, 0x0F, 0x01, 0x02, 0xF7});
    EXPECT_EQ(ReadKeypadParameter(kpRxPgmChgCh, value), trNoAcknowledge);
}

TEST_F(QueryTest, KeypadAnswersFromItsSettings)
{
    keypad.Keypad.Parameters[kpRxPgmChgCh] = 17;
    keypad.Keypad.Parameters[kpSpeedDial3] = 0xFF;
    openKeypad();
    std::uint8_t value = 0;
    EXPECT_EQ(ReadKeypadParameter(kpRxPgmChgCh, value), trOk);
    EXPECT_EQ(value, 17);
    EXPECT_EQ(ReadKeypadParameter(kpSpeedDial3, value), trOk);
    EXPECT_EQ(value, 0xFF);
}

TEST_F(QueryTest, PortReplyGivesAnyByte)
{
    openKeypad();
    std::uint8_t port = 0xAA;
    answerAlways({0xF0, 0x7D, 0x22, 0x05, 0x55, 0xF7});
    EXPECT_EQ(ReadKeypadPort(port), trOk);
    EXPECT_EQ(port, ptUsb);
    answerAlways({0xF0, 0x7D, 0x22, 0x05, 0x00, 0xF7});
    EXPECT_EQ(ReadKeypadPort(port), trOk);
    EXPECT_EQ(port, 0);
    EXPECT_EQ(keypad.Received.back(), Bytes({0xF0, 0x7D, 0x22, 0x05, 0xF7}));
    keypad.Responder = nullptr;
    keypad.Mode = SimKeypad::Answering::Garbage;
    port = 0xAA;
    EXPECT_EQ(ReadKeypadPort(port), trNoAcknowledge);
    EXPECT_EQ(port, 0xAA);
}

TEST_F(QueryTest, SilentKeypadGivesNoAcknowledgeEverywhere)
{
    openKeypad();
    keypad.Mode = SimKeypad::Answering::Silent;
    std::uint8_t value = 0xAA;
    EXPECT_EQ(ReadKeypadParameter(kpMidiChannel, value), trNoAcknowledge);
    EXPECT_EQ(ReadKeypadPort(value), trNoAcknowledge);
    EXPECT_EQ(value, 0xAA);
    EXPECT_EQ(ReadFirmwareVersion(), trNoAcknowledge);
    EXPECT_EQ(KeypadVersion[0], 0);
}

TEST_F(QueryTest, ClosedPortsDoNotReadAnEarlierReplyAgain)
{
    openKeypad();
    std::uint8_t value = 0;
    ASSERT_EQ(ReadKeypadParameter(kpMidiChannel, value), trOk);
    CloseMidiPorts();
    value = 0xAA;
    EXPECT_EQ(ReadKeypadParameter(kpMidiChannel, value), trNoAcknowledge);
    EXPECT_EQ(ReadKeypadPort(value), trNoAcknowledge);
    EXPECT_EQ(value, 0xAA);
    EXPECT_EQ(ReadFirmwareVersion(), trNoAcknowledge);
    EXPECT_EQ(keypad.Received.size(), 1u);
}

TEST_F(QueryTest, FirmwareVersionComesFromTheIdentityReply)
{
    keypad.Keypad.Version = "ZLV 3.00 beta   ";
    openKeypad();
    EXPECT_EQ(ReadFirmwareVersion(), trOk);
    EXPECT_STREQ(KeypadVersion, "ZLV 3.00 beta   ");
}

} // namespace
} // namespace zlv::test
