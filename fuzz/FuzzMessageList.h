// Shared by the targets of the two message-list loaders: the input goes through
// a real file, and the outcome is held against a plain model of the load rules.
#pragma once

#include "FuzzFile.h"
#include "SyxMessageList.h"

#include <cstring>
#include <vector>

namespace zlv::fuzz {

struct Piece {
    const std::uint8_t* Data;
    std::size_t Size;
};

// The input cut after every F7; the last piece holds what follows the last F7
// and may be empty.
inline std::vector<Piece> CutAtF7(const std::uint8_t* data, std::size_t size)
{
    std::vector<Piece> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == kSysExEnd) {
            pieces.push_back({data + start, i + 1 - start});
            start = i + 1;
        }
    }
    pieces.push_back({data + start, size - start});
    return pieces;
}

// Loads the input with `load` and requires: success exactly when every piece
// fits a node and, where it reaches `ruleOffset`, has a byte there that `allowed`
// takes; on success a list of exactly those pieces, each closed one in a node of
// its own size and the last in the 2048 bytes of the tail; on failure no list at all.
// The list is freed afterwards, as the callers do.
template <typename Allowed>
void CheckListLoad(const std::uint8_t* data, std::size_t size, std::int32_t (*load)(const std::string&),
                   std::size_t ruleOffset, Allowed allowed)
{
    const std::string& path = WriteInputFile(data, size);
    const std::vector<Piece> pieces = CutAtF7(data, size);
    bool fits = true;
    for (const Piece& p : pieces)
        fits = fits && p.Size <= kSyxNodeDataSize && (p.Size <= ruleOffset || allowed(p.Data[ruleOffset]));

    const std::int32_t result = load(path);
    if (!fits) {
        Require(result == trWrongFileType);
        Require(SyxListHead == nullptr && SyxListTail == nullptr && SyxNodeCount == 0);
        return;
    }
    Require(result == trOk);
    Require(SyxNodeCount == static_cast<std::int32_t>(pieces.size()));
    Require(SyxTailLength == static_cast<std::int32_t>(pieces.back().Size));
    static const std::uint8_t zeros[kSyxNodeDataSize] = {};
    const SyxMessageNode* node = SyxListHead;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        Require(node != nullptr);
        const Piece& p = pieces[i];
        const bool last = i + 1 == pieces.size();
        Require(node->size == (last ? kSyxNodeDataSize : p.Size));
        Require(p.Size == 0 || !std::memcmp(node->data, p.Data, p.Size));
        Require(!std::memcmp(node->data + p.Size, zeros, node->size - p.Size));
        if (last)
            Require(node == SyxListTail && node->next == nullptr);
        node = node->next;
    }
    FreeSyxMessageList();
    Require(SyxListHead == nullptr);
}

} // namespace zlv::fuzz
