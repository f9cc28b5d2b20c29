// Shared by the fuzz targets: message boxes answered silently, and the checks
// that must hold after any input, whatever it was.
#pragma once

#include "Bank.h"
#include "UserMessage.h"

#include <cstdlib>

namespace zlv::fuzz {

inline void Silence()
{
    static const bool once = [] {
        SetMessageBoxHandler([](const std::string&, const std::string&, MsgIcon, MsgButtons) { return MsgResult::Ok; });
        return true;
    }();
    (void)once;
}

inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// What a reader stores obeys the record rules: names of 0x20..0x7F ended by a
// zero, 7-bit delays, chain links that point at a preset or are empty.
inline void CheckPresetRead(const PresetRecord& r)
{
    for (std::uint8_t c : r.Name)
        Require(c >= 0x20 && c <= 0x7F);
    Require(r.NameTerminator == 0);
    Require(r.PreDelay < 0x80 && r.Reserved < 0x80 && r.PostDelay < 0x80);
    for (std::uint8_t b : r.Tail)
        Require(b == 0);
}

inline void CheckChainRead(const ChainRecord& r)
{
    for (std::uint8_t c : r.Name)
        Require(c >= 0x20 && c <= 0x7F);
    Require(r.NameTerminator == 0 && r.Tail == 0);
    for (std::uint8_t link : r.Links)
        Require(link < kPresetCount || link == kEmpty);
}

} // namespace zlv::fuzz
