// Builds the keypad's messages in place: F0 7D 22 <command>, the fields, F7.
// Every message the editor writes or sends comes from here, whether it is
// appended to a .syx stream or filled into a caller's fixed buffer.
#pragma once

#include "KeypadProtocol.h"

#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace zlv {

class MessageBuilder {
public:
    // Fills the `size` bytes at `at`.
    MessageBuilder(std::uint8_t* at, std::size_t size, SyxCommand command) : m_end(at + size), m_p(at)
    {
        *m_p++ = kSysExStart;
        *m_p++ = ManufacturerId;
        *m_p++ = KeypadDeviceId;
        *m_p++ = command;
    }
    // Fills a whole fixed buffer: a command to the keypad.
    template <std::size_t N>
    MessageBuilder(std::uint8_t (&buffer)[N], SyxCommand command) : MessageBuilder(buffer, N, command)
    {
    }
    // Appends a message of known size to `out`.
    MessageBuilder(std::vector<std::uint8_t>& out, std::size_t size, SyxCommand command)
        : MessageBuilder(grow(out, size), size, command)
    {
    }
    MessageBuilder(const MessageBuilder&) = delete;
    MessageBuilder& operator=(const MessageBuilder&) = delete;

    void Put(std::uint8_t b) { *m_p++ = b; }
    void Raw(const std::uint8_t* bytes, std::size_t count)
    {
        std::memcpy(m_p, bytes, count);
        m_p += count;
    }
    void Pair(std::uint8_t b)
    {
        const NibblePair pair = NibblePair::From(b);
        m_p[0] = pair.Hi;
        m_p[1] = pair.Lo;
        m_p += 2;
    }
    void Pairs(const std::uint8_t* bytes, std::size_t count)
    {
        std::size_t i = 0;
        if constexpr (std::endian::native == std::endian::little) {
            // Four bytes at a time: each spread to a 16-bit lane, then split
            // into its high nibble (first) and low nibble (second).
            for (; i + 4 <= count; i += 4) {
                std::uint32_t four;
                std::memcpy(&four, bytes + i, sizeof four);
                std::uint64_t x = four;
                x = (x | x << 16) & 0x0000FFFF0000FFFFu;
                x = (x | x << 8) & 0x00FF00FF00FF00FFu;
                const std::uint64_t pairs = (x >> 4 & 0x000F000F000F000Fu) | (x & 0x000F000F000F000Fu) << 8;
                std::memcpy(m_p, &pairs, sizeof pairs);
                m_p += sizeof pairs;
            }
        }
        for (; i < count; ++i)
            Pair(bytes[i]);
    }
    // Closes the message with F7; it must then be exactly as long as announced.
    void End()
    {
        *m_p++ = kSysExEnd;
        assert(m_p == m_end);
    }

private:
    static std::uint8_t* grow(std::vector<std::uint8_t>& out, std::size_t size)
    {
        out.resize(out.size() + size);
        return out.data() + out.size() - size;
    }

    [[maybe_unused]] const std::uint8_t* m_end;
    std::uint8_t* m_p;
};

} // namespace zlv
