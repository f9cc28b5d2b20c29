// Byte-at-a-time input for the .syx readers. A read at the end yields 0xFF and
// puts the stream into its end state, which the readers test only where the
// format says so; everywhere else the 0xFF simply fails the tests that follow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace zlv {

class SyxInputStream {
public:
    // Reads from bytes held by the caller, which must outlive the stream.
    SyxInputStream(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    // Opens a file (UTF-8 path) for buffered reading; IsOpen() tells whether that worked.
    explicit SyxInputStream(const std::string& path);
    SyxInputStream(const SyxInputStream&) = delete;
    SyxInputStream& operator=(const SyxInputStream&) = delete;
    ~SyxInputStream() { Close(); }

    bool IsOpen() const { return m_data != nullptr || m_file != nullptr; }

    std::uint8_t Get()
    {
        if (m_pos < m_size)
            return m_data[m_pos++];
        return refill();
    }

    bool Eof() const { return m_eof; }

    // Releases the file; later reads are at the end.
    void Close();

private:
    std::uint8_t refill();

    static constexpr std::size_t kBufferSize = 64 * 1024;

    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_pos = 0;
    bool m_eof = false;
    std::FILE* m_file = nullptr;
    std::unique_ptr<std::uint8_t[]> m_buffer;
};

} // namespace zlv
