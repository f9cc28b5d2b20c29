// Every header of the protocol, the bank and the link in one translation unit:
// a name that two of them define, or a header that leans on an include it does
// not make, fails to compile here first.
#include "KeypadProtocol.h"
#include "MessageBuilder.h"
#include "SyxFile.h"

#include "Bank.h"
#include "BankEdits.h"
#include "BankSeams.h"
#include "OpenFileSummaryForm.h"
#include "SafeFile.h"
#include "SyxInputStream.h"
#include "SyxReader.h"
#include "SyxRecords.h"
#include "SyxWriter.h"
#include "UserMessage.h"

#include "Acknowledge.h"
#include "InputBuffer.h"
#include "InterfaceForm.h"
#include "KeypadLink.h"
#include "KeypadQueries.h"
#include "MidiDriver.h"
#include "MidiExchange.h"
#include "MidiPorts.h"
#include "MidiSeams.h"
#include "ProgressForm.h"
#include "RtMidiDriver.h"
#include "SyxMessageList.h"
#include "TransferProgress.h"

#include "KeypadModel.h"
#include "SyxTestFiles.h"

#include <gtest/gtest.h>

namespace zlv::test {
namespace {

// The largest bank, as the bank writer builds it, goes through the link's loader
// message for message, and the keypad's acknowledge of each passes the list
// sender's test.
TEST(AllHeaders, TheFullestBankLoadsOneNodePerRecordAndEachAcknowledgePasses)
{
    InitBankDefaults();
    for (std::size_t p = 0; p < kPresetCount; ++p)
        for (std::size_t i = 0; i < kMidiDataBlockSize; ++i) {
            PresetTable[p].PreData[i] = static_cast<std::uint8_t>((p + i * 3) % kEmpty);
            PresetTable[p].PostData[i] = static_cast<std::uint8_t>((p * 7 + i) % kEmpty);
        }
    for (std::size_t c = 0; c < kChainCount; ++c)
        ChainTable[c].Links[c % kChainLinkCount] = static_cast<std::uint8_t>(kPresetCount - 1 - c);
    SpeedDials[kSpeedDialCount - 1] = 0xC7;
    SyxOutputStream bytes;
    WriteBankMessages(bytes);
    ASSERT_EQ(bytes.size(), kBankFileMaxSize);

    TempFolder folder;
    ASSERT_EQ(LoadSyxFileMessages(folder.Write("full.syx", bytes)), trOk);
    const std::vector<Bytes> written = SplitMessages(bytes);
    ASSERT_EQ(written.size(), kPresetCount + kChainCount + kSpeedDialCount);
    EXPECT_EQ(SyxNodeCount, static_cast<std::int32_t>(written.size() + 1));

    KeypadModel keypad;
    std::size_t n = 0;
    for (const SyxMessageNode* node = SyxListHead; node && n < written.size(); node = node->next, ++n) {
        const Bytes message(node->data, node->data + written[n].size());
        ASSERT_EQ(message, written[n]) << "message " << n;
        const std::optional<Bytes> reply = keypad.Answer(message);
        ASSERT_TRUE(reply) << "message " << n;
        EXPECT_TRUE(MessageListAcknowledged(reply->data(), false)) << "message " << n;
    }
    EXPECT_EQ(n, written.size());
    EXPECT_EQ(keypad.PresetsStored, static_cast<int>(kPresetCount));
    EXPECT_EQ(keypad.ChainsStored, static_cast<int>(kChainCount));
    EXPECT_EQ(keypad.Parameters[kpSpeedDial9], 0xC7);
    FreeSyxMessageList();
}

} // namespace
} // namespace zlv::test
