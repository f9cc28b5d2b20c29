#include "LinkFixture.h"
#include "SpecialFiles.h"

#include <filesystem>

namespace zlv::test {
namespace {

class ListTest : public LinkTest {
protected:
    std::int32_t loadBank(const Bytes& bytes) { return LoadSyxFileMessages(folder.Write("bank.syx", bytes)); }
    std::int32_t loadFirmware(const Bytes& bytes) { return LoadUpgradeFileMessages(folder.Write("fw.syx", bytes)); }
};

TEST_F(ListTest, BankOf308MessagesSendsWholeWithProgressTo308Of310)
{
    const Bytes bank = DefaultBankFile();
    ASSERT_EQ(bank.size(), 30014u);
    ASSERT_EQ(loadBank(bank), trOk);
    EXPECT_EQ(SyxNodeCount, 309);
    openKeypad();
    EXPECT_EQ(SendSyxMessageList(), trOk);
    EXPECT_EQ(progress.Maximum, 310);
    EXPECT_EQ(progress.PositionAtHide, 308);
    EXPECT_FALSE(progress.Visible);
    EXPECT_EQ(Concat(keypad.Received), bank);
    EXPECT_EQ(keypad.Keypad.PresetsStored, 200);
    EXPECT_EQ(keypad.Keypad.ChainsStored, 99);
}

TEST_F(ListTest, EmptyFileIsOneEmptyNodeAndSendsNothing)
{
    ASSERT_EQ(loadBank({}), trOk);
    EXPECT_EQ(SyxNodeCount, 1);
    openKeypad();
    EXPECT_EQ(SendSyxMessageList(), trOk);
    EXPECT_TRUE(keypad.Received.empty());
    EXPECT_EQ(progress.HideCount, 1);
}

TEST_F(ListTest, LoadRulesOfTheTwoKinds)
{
    EXPECT_EQ(LoadSyxFileMessages(folder.PathOf("missing.syx")), trOpenFailed);
    Bytes select = {0xF0, 0x7D, 0x22, 0x07, 0x00, 0xF7};
    EXPECT_EQ(loadBank(Concat({DefaultPresetMessage(0), select})), trWrongFileType);
    EXPECT_EQ(SyxListHead, nullptr);
    EXPECT_EQ(loadBank(Concat({DefaultChainMessage(1), SpeedDialMessage(0, 3),
                               {0xF0, 0x7D, 0x22, 0x24, 0x05, 0xF7}})),
              trOk);
    EXPECT_EQ(SyxNodeCount, 4);

    EXPECT_EQ(loadFirmware(DefaultPresetMessage(0)), trWrongFileType);
    EXPECT_EQ(loadFirmware(FirmwareFile(3, 100)), trOk);
    EXPECT_EQ(SyxNodeCount, 4);
}

TEST_F(ListTest, AFolderOrAFifoCannotBeOpenedAndLeavesTheLoadedListAlone)
{
    const std::string dir = folder.PathOf("folder.syx");
    std::filesystem::create_directory(dir);
    ASSERT_EQ(loadBank(Concat({DefaultPresetMessage(0), DefaultPresetMessage(1)})), trOk);
    SyxMessageNode* const head = SyxListHead;
    SyxMessageNode* const tail = SyxListTail;
    EXPECT_EQ(LoadSyxFileMessages(dir), trOpenFailed);
    EXPECT_EQ(LoadUpgradeFileMessages(dir), trOpenFailed);
    // A FIFO put where the firmware file was: refused at once, not waited on.
    const std::string fifo = folder.PathOf("fifo.syx");
    ASSERT_TRUE(MakeFifo(fifo));
    {
        const FifoReaderRelease release(fifo);
        EXPECT_EQ(LoadUpgradeFileMessages(fifo), trOpenFailed);
        EXPECT_EQ(LoadSyxFileMessages(fifo), trOpenFailed);
        EXPECT_FALSE(release.Freed()) << "a loader waited for the FIFO's writer";
    }
    // Opens, but its first read fails: nothing is mapped at address 0.
    const std::string unreadable = "/proc/self/mem";
    if (std::filesystem::exists(unreadable)) {
        EXPECT_EQ(LoadSyxFileMessages(unreadable), trOpenFailed);
    }
    EXPECT_EQ(SyxListHead, head);
    EXPECT_EQ(SyxListTail, tail);
    EXPECT_EQ(SyxNodeCount, 3);
    EXPECT_EQ(SyxTailLength, 0);
    openKeypad();
    EXPECT_EQ(SendSyxMessageList(), trOk);
    EXPECT_EQ(keypad.Received.size(), 2u);
}

TEST_F(ListTest, MessageOf2048BytesLoadsOneMoreDoesNot)
{
    ASSERT_EQ(loadFirmware(FirmwareFile(2, 2048)), trOk);
    EXPECT_EQ(SyxNodeCount, 3);
    EXPECT_EQ(SyxListHead->data[2047], 0xF7);

    Bytes tooLong = FirmwareFile(1, 2049);
    EXPECT_EQ(loadFirmware(tooLong), trWrongFileType);
    EXPECT_EQ(SyxListHead, nullptr);
    // Refused byte by byte: the 2049th never lands in the node.
    ASSERT_EQ(loadFirmware({}), trOk);
    for (std::size_t i = 0; i < 2048; ++i)
        ASSERT_FALSE(AddUpgradeFileByte(tooLong[i])) << i;
    EXPECT_TRUE(AddUpgradeFileByte(0xF7));
    EXPECT_EQ(SyxTailLength, 2048);
}

// A run of F7 bytes is a run of one-byte messages: each takes its own byte,
// not a node's 2048, and the send still stops at the first of them.
TEST_F(ListTest, MessageFollowedByManyF7sTakesMemoryByTheFile)
{
    constexpr std::size_t kRun = 20000;
    openKeypad();
    for (const bool firmware : {false, true}) {
        SCOPED_TRACE(firmware ? "firmware" : "bank");
        const Bytes message = firmware ? FirmwareFile(1, 300) : DefaultPresetMessage(0);
        Bytes file = message;
        file.insert(file.end(), kRun, 0xF7);
        ASSERT_EQ(firmware ? loadFirmware(file) : loadBank(file), trOk);
        EXPECT_EQ(SyxNodeCount, static_cast<std::int32_t>(1 + kRun + 1));
        std::size_t held = 0;
        for (const SyxMessageNode* node = SyxListHead; node; node = node->next)
            held += node->size;
        // Every byte of the file once, and the room of the node being filled.
        EXPECT_EQ(held, file.size() + kSyxNodeDataSize);
        EXPECT_EQ(SyxListHead->size, message.size());
        EXPECT_EQ(SyxListTail->size, kSyxNodeDataSize);

        keypad.Received.clear();
        EXPECT_EQ(firmware ? SendUpgradeMessageList() : SendSyxMessageList(), trOk);
        EXPECT_EQ(keypad.Received, std::vector<Bytes>{message});
        EXPECT_EQ(progress.Maximum, static_cast<int>(kRun + 3));
        FreeSyxMessageList();
    }
}

TEST_F(ListTest, FirmwareOf2048ByteMessagesGoesOutWhole)
{
    const Bytes firmware = FirmwareFile(4, 2048);
    ASSERT_EQ(loadFirmware(firmware), trOk);
    openKeypad();
    EXPECT_EQ(SendUpgradeMessageList(), trOk);
    ASSERT_EQ(keypad.Received.size(), 4u);
    for (const auto& message : keypad.Received)
        EXPECT_EQ(message.size(), 2048u);
    EXPECT_EQ(Concat(keypad.Received), firmware);
}

TEST_F(ListTest, TrailingTextOrAShortRunEndsTheSendWithSuccess)
{
    ASSERT_EQ(loadBank(Concat({DefaultPresetMessage(0), {'x', 'y'}})), trOk);
    openKeypad();
    EXPECT_EQ(SendSyxMessageList(), trOk);
    EXPECT_EQ(keypad.Received.size(), 1u);

    ASSERT_EQ(loadBank(Concat({DefaultPresetMessage(0), {0x00, 0x00, 0xF7}, DefaultPresetMessage(1)})), trOk);
    keypad.Received.clear();
    EXPECT_EQ(SendSyxMessageList(), trOk);
    EXPECT_EQ(keypad.Received.size(), 1u);
    // Text whose byte 3 is no record command is refused at load.
    EXPECT_EQ(loadBank(Concat({DefaultPresetMessage(0), {'t', 'e', 'x', 't'}})), trWrongFileType);
}

TEST_F(ListTest, UnclosedLastMessageGoesOutAs2048BytesWithoutAcknowledge)
{
    Bytes last = DefaultPresetMessage(1);
    last.pop_back();
    ASSERT_EQ(loadBank(Concat({DefaultPresetMessage(0), last})), trOk);
    openKeypad();
    keypad.Responder = [](const Bytes& m, int, std::chrono::milliseconds&) -> std::optional<Bytes> {
        if (m.size() == 2048)
            return Bytes{0xF0, 0x00, 0xF7}; // answered, but no acknowledge
        return Bytes{0xF0, 0x7D, 0x22, 0x31, 0x00, 0x00, 0x41, 0xF7};
    };
    EXPECT_EQ(SendSyxMessageList(), trOk);
    ASSERT_EQ(keypad.Received.size(), 2u);
    Bytes expected = last;
    expected.resize(2048, 0);
    EXPECT_EQ(keypad.Received[1], expected);
}

TEST_F(ListTest, EleventhMessageWithoutReplyStopsTheSend)
{
    ASSERT_EQ(loadBank(DefaultBankFile()), trOk);
    openKeypad();
    KeypadModel model;
    keypad.Responder = [&model](const Bytes& m, int n, std::chrono::milliseconds&) -> std::optional<Bytes> {
        if (n == 11)
            return std::nullopt;
        return model.Answer(m);
    };
    EXPECT_EQ(SendSyxMessageList(), trSendFailed);
    EXPECT_EQ(keypad.Received.size(), 11u);
    EXPECT_EQ(progress.PositionAtHide, 10);
}

TEST_F(ListTest, ReplyArrivedBeforeAMessageWentOutIsNotItsAcknowledge)
{
    ASSERT_EQ(loadBank(Concat({DefaultPresetMessage(0), DefaultPresetMessage(1), DefaultPresetMessage(2),
                               DefaultChainMessage(0)})),
              trOk);
    openKeypad();
    // Every reply comes again 2 ms later, within the pause before the next
    // message; the third record gets no reply at all.
    KeypadModel model;
    keypad.Responder = [this, &model](const Bytes& m, int n, std::chrono::milliseconds&) -> std::optional<Bytes> {
        if (n == 3)
            return std::nullopt;
        auto reply = model.Answer(m);
        if (reply)
            keypad.Inject(*reply, 2ms);
        return reply;
    };
    EXPECT_EQ(SendSyxMessageList(), trSendFailed);
    EXPECT_EQ(keypad.Received.size(), 3u);
    EXPECT_EQ(progress.PositionAtHide, 2);
}

TEST_F(ListTest, AcknowledgeIsNotComparedWithTheRecordSent)
{
    ASSERT_EQ(loadBank(Concat({SpeedDialMessage(0, 1), DefaultChainMessage(0)})), trOk);
    openKeypad();
    answerAlways({0xF0, 0x7D, 0x22, 0x31, 0x00, 0x00, 0x41, 0xF7});
    EXPECT_EQ(SendSyxMessageList(), trOk);
    answerAlways({0xF0, 0x7D, 0x22, 0x22, 0x00, 0x00, 0x41, 0xF7}); // 'A' at 6, not at 5
    EXPECT_EQ(SendSyxMessageList(), trNoAcknowledge);
    EXPECT_EQ(progress.PositionAtHide, 1);
    answerAlways({0xF0, 0x7D, 0x22, 0x40, 0x00, 0x41, 0x41, 0xF7});
    EXPECT_EQ(SendSyxMessageList(), trNoAcknowledge);
}

TEST_F(ListTest, FirmwareAcknowledgeAtByteFourOnly)
{
    ASSERT_EQ(loadFirmware(FirmwareFile(2, 64)), trOk);
    openKeypad();
    answerAlways({0xF0, 0x00, 0x00, 0x00, 0x41, 0xF7});
    EXPECT_EQ(SendUpgradeMessageList(), trOk);
    answerAlways({0xF0, 0x00, 0x00, 0x00, 0x00, 0x41, 0xF7});
    EXPECT_EQ(SendUpgradeMessageList(), trNoAcknowledge);
    keypad.Mode = SimKeypad::Answering::Refusing;
    keypad.Responder = nullptr;
    EXPECT_EQ(SendUpgradeMessageList(), trNoAcknowledge);
}

TEST_F(ListTest, ClosedPortsSendNothingAndFail)
{
    ASSERT_EQ(loadBank(DefaultBankFile()), trOk);
    // An acknowledge left in the buffer by an earlier exchange proves nothing.
    openKeypad();
    SendSysExAndWaitReply(DefaultPresetMessage(0).data(), 121);
    CloseMidiPorts();
    keypad.Received.clear();
    EXPECT_EQ(SendSyxMessageList(), trSendFailed);
    ASSERT_EQ(loadFirmware(FirmwareFile(2, 64)), trOk);
    EXPECT_EQ(SendUpgradeMessageList(), trSendFailed);
    EXPECT_TRUE(keypad.Received.empty());
    EXPECT_EQ(progress.PositionAtHide, 0);
}

TEST_F(ListTest, FirstMessageFailingHidesTheBarAtZero)
{
    ASSERT_EQ(loadBank(DefaultBankFile()), trOk);
    openKeypad();
    keypad.FailSends = true;
    EXPECT_EQ(SendSyxMessageList(), trSendFailed);
    EXPECT_EQ(progress.PositionAtHide, 0);
    EXPECT_EQ(progress.HideCount, 1);
}

TEST_F(ListTest, ListCannotBeLoadedSentOrFreedWhileASendRuns)
{
    const Bytes bank = Concat({DefaultPresetMessage(0), DefaultPresetMessage(1), DefaultPresetMessage(2)});
    ASSERT_EQ(loadBank(bank), trOk);
    const std::string other = folder.Write("other.syx", DefaultBankFile());
    openKeypad();
    std::vector<std::int32_t> nested;
    progress.OnPendingMessages = [&] {
        EXPECT_TRUE(IsSyxListSending());
        nested.push_back(LoadSyxFileMessages(other));
        nested.push_back(LoadUpgradeFileMessages(other));
        nested.push_back(SendSyxMessageList());
        nested.push_back(SendUpgradeMessageList());
        FreeSyxMessageList();
    };
    EXPECT_EQ(SendSyxMessageList(), trOk);
    EXPECT_EQ(nested.size(), 4u * 4u); // before the first message and after each of the three
    for (std::int32_t r : nested)
        EXPECT_EQ(r, trListBusy);
    EXPECT_EQ(Concat(keypad.Received), bank);
    EXPECT_EQ(SyxNodeCount, 4);
    EXPECT_FALSE(IsSyxListSending());
    FreeSyxMessageList();
    EXPECT_EQ(SyxListHead, nullptr);
    FreeSyxMessageList(); // a second free is harmless
}

TEST_F(ListTest, PortsClosedBetweenTwoMessagesStopTheSend)
{
    ASSERT_EQ(loadBank(DefaultBankFile()), trOk);
    openKeypad();
    int steps = 0;
    progress.OnPendingMessages = [&] {
        if (++steps == 3)
            CloseMidiPorts();
    };
    EXPECT_EQ(SendSyxMessageList(), trSendFailed);
    EXPECT_EQ(keypad.Received.size(), 2u);
}

TEST_F(ListTest, QueryRunBetweenTwoMessagesDoesNotSpoilTheAcknowledge)
{
    ASSERT_EQ(loadBank(Concat({DefaultPresetMessage(0), DefaultPresetMessage(1)})), trOk);
    openKeypad();
    progress.OnPendingMessages = [] {
        std::uint8_t port = 0;
        ReadKeypadPort(port);
    };
    EXPECT_EQ(SendSyxMessageList(), trOk);
    EXPECT_EQ(keypad.Keypad.PresetsStored, 2);
}

TEST_F(ListTest, SendWithoutAListFails)
{
    openKeypad();
    EXPECT_EQ(SendSyxMessageList(), trSendFailed);
    EXPECT_TRUE(keypad.Received.empty());
}

} // namespace
} // namespace zlv::test
