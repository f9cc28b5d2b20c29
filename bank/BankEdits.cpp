#include "BankEdits.h"

#include <algorithm>
#include <cstring>

namespace zlv {

std::size_t FirstEmptyLink(const ChainRecord& chain)
{
    for (std::size_t i = 0; i < kChainLinkCount; ++i) {
        if (IsEmptyPresetIndex(chain.Links[i]))
            return i;
    }
    return kChainLinkCount;
}

void InsertChainLink(ChainRecord& chain, std::size_t at, std::uint8_t preset)
{
    if (at >= kChainLinkCount)
        return;
    for (std::size_t j = kChainLinkCount - 1; j > at; --j)
        chain.Links[j] = chain.Links[j - 1];
    chain.Links[at] = preset;
}

void DeleteChainLink(ChainRecord& chain, std::size_t at)
{
    if (at >= kChainLinkCount)
        return;
    for (std::size_t j = at; j + 1 < kChainLinkCount; ++j)
        chain.Links[j] = chain.Links[j + 1];
    chain.Links[kChainLinkCount - 1] = kEmpty;
}

void ClearChainLinks(ChainRecord& chain)
{
    std::memset(chain.Links, kEmpty, sizeof chain.Links);
}

std::string NameText(const std::uint8_t (&name)[kNameLength])
{
    std::string text;
    for (std::uint8_t c : name) {
        if (c == 0)
            break;
        text.push_back(static_cast<char>(c));
    }
    return text;
}

void StoreTypedName(std::uint8_t (&name)[kNameLength], std::u16string_view text)
{
    const std::size_t n = std::min(text.size(), kNameLength);
    for (std::size_t i = 0; i < n; ++i)
        name[i] = static_cast<std::uint8_t>(text[i] & 0xFF);
    for (std::size_t i = n; i < kNameLength; ++i)
        name[i] = ' ';
}

bool MovePresetRecord(int src, int dst)
{
    constexpr int count = static_cast<int>(kPresetCount);
    if (src < 0 || src >= count || dst < 0 || dst >= count)
        return false;
    const PresetRecord moved = PresetTable[src];
    if (src > dst) {
        for (int k = src; k > dst; --k)
            PresetTable[k] = PresetTable[k - 1];
    } else {
        for (int k = src; k < dst; ++k)
            PresetTable[k] = PresetTable[k + 1];
    }
    PresetTable[dst] = moved;
    return true;
}

bool MoveChangesRecordAt(int src, int dst, int index)
{
    if (src == dst)
        return false;
    return index >= std::min(src, dst) && index <= std::max(src, dst);
}

} // namespace zlv
