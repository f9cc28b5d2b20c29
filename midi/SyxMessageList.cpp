#include "SyxMessageList.h"

#include "Acknowledge.h"
#include "MidiExchange.h"
#include "SyxFile.h"
#include "TransferProgress.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace zlv {

SyxMessageNode* SyxListHead = nullptr;
SyxMessageNode* SyxListTail = nullptr;
std::int32_t SyxTailLength = 0;
std::int32_t SyxNodeCount = 0;

namespace {

bool g_sending = false;
// The link that points at the tail: SyxListHead or the next of the node before it.
SyxMessageNode** g_tailLink = nullptr;

// One allocation: the node, then its `size` data bytes, zeroed.
SyxMessageNode* newNode(std::size_t size)
{
    void* block = ::operator new(sizeof(SyxMessageNode) + size, std::nothrow);
    if (!block)
        return nullptr;
    auto* bytes = static_cast<std::uint8_t*>(block) + sizeof(SyxMessageNode);
    std::memset(bytes, 0, size);
    return new (block) SyxMessageNode{bytes, size, nullptr};
}

void deleteNode(SyxMessageNode* node) { ::operator delete(node); }

// Stores one byte in the tail node; `refuse` tells whether the byte breaks the
// file's rule at its position.
template <typename Rule>
bool addByte(std::uint8_t byte, Rule refuse)
{
    if (!SyxListTail || SyxTailLength == static_cast<std::int32_t>(kSyxNodeDataSize))
        return true;
    SyxListTail->data[SyxTailLength] = byte;
    if (refuse(SyxTailLength, byte))
        return true;
    ++SyxTailLength;
    if (byte == kSysExEnd) {
        // The message moves into a node of its own size, put in the tail's
        // place; the tail's room is cleared for the next message.
        const auto length = static_cast<std::size_t>(SyxTailLength);
        SyxMessageNode* closed = newNode(length);
        if (!closed)
            return true;
        std::memcpy(closed->data, SyxListTail->data, length);
        std::memset(SyxListTail->data, 0, length);
        closed->next = SyxListTail;
        *g_tailLink = closed;
        g_tailLink = &closed->next;
        SyxTailLength = 0;
        ++SyxNodeCount;
    }
    return false;
}

std::int32_t load(const std::string& path, bool (*add)(std::uint8_t))
{
    if (g_sending)
        return trListBusy;
    std::FILE* file = OpenSyxFileForReading(path);
    if (!file)
        return trOpenFailed;
    FreeSyxMessageList();
    SyxNodeCount = 0;
    auto* first = newNode(kSyxNodeDataSize);
    if (!first) {
        std::fclose(file);
        return trReadFailed;
    }
    SyxListHead = first;
    SyxListTail = first;
    g_tailLink = &SyxListHead;
    SyxTailLength = 0;
    SyxNodeCount = 1;
    for (;;) {
        const int c = std::fgetc(file);
        if (c == EOF) {
            const bool failed = std::ferror(file) != 0;
            std::fclose(file);
            if (failed) {
                FreeSyxMessageList();
                return trWrongFileType;
            }
            return trOk;
        }
        if (add(static_cast<std::uint8_t>(c))) {
            FreeSyxMessageList();
            std::fclose(file);
            return trWrongFileType;
        }
    }
}

std::size_t messageLength(const SyxMessageNode& node)
{
    for (std::size_t i = 0; i < node.size; ++i)
        if (node.data[i] == kSysExEnd)
            return i + 1;
    return node.size;
}

class SendingGuard {
public:
    SendingGuard() { g_sending = true; }
    ~SendingGuard() { g_sending = false; }
    SendingGuard(const SendingGuard&) = delete;
    SendingGuard& operator=(const SendingGuard&) = delete;
};

std::int32_t send(bool (*acknowledged)(const std::uint8_t* reply, bool lastNode))
{
    if (g_sending)
        return trListBusy;
    if (!SyxListHead)
        return trSendFailed;
    SendingGuard guard;
    TransferProgress& bar = ActiveTransferProgress();
    bar.ShowProgress(SyxNodeCount + 1);
    bar.ProcessPendingMessages();
    const auto finish = [&bar](std::int32_t result) {
        bar.HideProgress();
        return result;
    };
    for (SyxMessageNode* node = SyxListHead; node; node = node->next) {
        if (node->data[0] != kSysExStart)
            return finish(trOk);
        // Closed ports (also closed by a command run between two messages): the
        // rest of the list cannot go out, and an old reply proves nothing.
        if (!MidiOpen)
            return finish(trSendFailed);
        const auto length = static_cast<std::int32_t>(messageLength(*node));
        if (SendSysExAndWaitReply(node->data, length) != 0)
            return finish(trSendFailed);
        const bool lastNode = node->next == nullptr;
        // Tested before the window messages run: a command run meanwhile may
        // make an exchange of its own and overwrite the reply.
        const bool ok = acknowledged(MidiInBuffer, lastNode);
        bar.StepProgress();
        bar.ProcessPendingMessages();
        if (!ok)
            return finish(trNoAcknowledge);
        if (lastNode)
            return finish(trOk);
    }
    return finish(trOk);
}

} // namespace

bool AddSyxFileByte(std::uint8_t byte)
{
    return addByte(byte, [](std::int32_t position, std::uint8_t b) {
        return position == static_cast<std::int32_t>(kCommandOffset) && !IsRecordCommand(b);
    });
}

bool AddUpgradeFileByte(std::uint8_t byte)
{
    return addByte(byte, [](std::int32_t position, std::uint8_t b) {
        return position == static_cast<std::int32_t>(kDeviceIdOffset) && b != UpgradeDeviceId;
    });
}

std::int32_t LoadSyxFileMessages(const std::string& path) { return load(path, &AddSyxFileByte); }

std::int32_t LoadUpgradeFileMessages(const std::string& path) { return load(path, &AddUpgradeFileByte); }

std::int32_t SendSyxMessageList() { return send(&MessageListAcknowledged); }

std::int32_t SendUpgradeMessageList() { return send(&UpgradeAcknowledged); }

void FreeSyxMessageList()
{
    if (g_sending)
        return;
    SyxMessageNode* node = SyxListHead;
    while (node) {
        SyxMessageNode* next = node->next;
        deleteNode(node);
        node = next;
    }
    SyxListHead = nullptr;
    SyxListTail = nullptr;
    g_tailLink = nullptr;
    SyxTailLength = 0;
    SyxNodeCount = 0;
}

bool IsSyxListSending() { return g_sending; }

} // namespace zlv
