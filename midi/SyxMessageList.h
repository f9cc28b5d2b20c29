// A whole bank or a firmware upgrade goes to the keypad as a .syx file loaded
// into a list of messages, sent one message at a time, each acknowledged before
// the next goes out. There is one list in the process.
#pragma once

#include "MidiExchange.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace zlv {

constexpr std::size_t kSyxNodeDataSize = 2048;

struct SyxMessageNode {
    // One message from byte 0, normally F0 ... F7. The node being filled (the
    // tail) has room for 2048 bytes, 0 after those stored so far; a node closed
    // by its F7 holds that message and nothing more, so that memory follows the
    // file however short its messages are.
    std::uint8_t* data;
    std::size_t size; // bytes at data
    SyxMessageNode* next;
};

// Every F7 closes the node being filled and starts a new, empty one, so a file
// ending with F7 leaves an empty last node: SyxNodeCount is then the number of
// messages plus 1.
extern SyxMessageNode* SyxListHead;
extern SyxMessageNode* SyxListTail;
extern std::int32_t SyxTailLength;
extern std::int32_t SyxNodeCount;

// Loads a bank-type file: byte 3 of every message must be 22, 24, 31 or 33.
// trOk, trOpenFailed, trReadFailed (no memory for the first node), trWrongFileType
// (a refused byte, a message over 2048 bytes, a read error: nothing stays loaded),
// or trListBusy while a send runs. A list still loaded is freed first.
std::int32_t LoadSyxFileMessages(const std::string& path);
// Loads a firmware file: byte 2 of every message must be 21. Results as above.
std::int32_t LoadUpgradeFileMessages(const std::string& path);
// The per-byte rules of the two loaders: true when the byte is refused.
bool AddSyxFileByte(std::uint8_t byte);
bool AddUpgradeFileByte(std::uint8_t byte);

// Send the loaded list with the progress window and the keypad's acknowledge
// after each message: trOk, trSendFailed (ports closed, a send failed or got no
// reply; no later message goes out), trNoAcknowledge, or trListBusy when called
// again while a send runs. A node that does not start with F0 ends the send with
// trOk. The list stays loaded for the caller to free.
std::int32_t SendSyxMessageList();
std::int32_t SendUpgradeMessageList();

// Releases the list; a second call, or one while a send runs, does nothing.
void FreeSyxMessageList();

// True while SendSyxMessageList or SendUpgradeMessageList runs.
bool IsSyxListSending();

} // namespace zlv
