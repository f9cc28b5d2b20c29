// Shared by the targets of the two message-list loaders: the input goes through
// a real file, and the outcome is held against a plain model of the load rules.
#pragma once

#include "FuzzFile.h"
#include "SyxMessageList.h"

#include <cstring>
#include <vector>

namespace zlv::fuzz {

// The input cut after every F7; the last piece holds what follows the last F7
// and may be empty.
inline std::vector<std::vector<std::uint8_t>> CutAtF7(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::vector<std::uint8_t>> pieces(1);
    for (std::size_t i = 0; i < size; ++i) {
        pieces.back().push_back(data[i]);
        if (data[i] == kSysExEnd)
            pieces.emplace_back();
    }
    return pieces;
}

// Loads the input with `load` and requires: success exactly when every piece
// fits a node and, where it reaches `ruleOffset`, has a byte there that `allowed`
// takes; on success a list of exactly those pieces; on failure no list at all.
// The list is freed afterwards, as the callers do.
template <typename Allowed>
void CheckListLoad(const std::uint8_t* data, std::size_t size, std::int32_t (*load)(const std::string&),
                   std::size_t ruleOffset, Allowed allowed)
{
    const std::string& path = WriteInputFile(data, size);
    const auto pieces = CutAtF7(data, size);
    bool fits = true;
    for (const auto& piece : pieces)
        fits = fits && piece.size() <= kSyxNodeDataSize && (piece.size() <= ruleOffset || allowed(piece[ruleOffset]));

    const std::int32_t result = load(path);
    if (!fits) {
        Require(result == trWrongFileType);
        Require(SyxListHead == nullptr && SyxListTail == nullptr && SyxNodeCount == 0);
        return;
    }
    Require(result == trOk);
    Require(SyxNodeCount == static_cast<std::int32_t>(pieces.size()));
    Require(SyxTailLength == static_cast<std::int32_t>(pieces.back().size()));
    const SyxMessageNode* node = SyxListHead;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        Require(node != nullptr);
        const auto& piece = pieces[i];
        Require(piece.empty() || !std::memcmp(node->data, piece.data(), piece.size()));
        for (std::size_t j = piece.size(); j < kSyxNodeDataSize; ++j)
            Require(node->data[j] == 0);
        if (i + 1 == pieces.size())
            Require(node == SyxListTail && node->next == nullptr);
        node = node->next;
    }
    FreeSyxMessageList();
    Require(SyxListHead == nullptr);
}

} // namespace zlv::fuzz
