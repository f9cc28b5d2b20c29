// Byte-at-a-time input for the .syx readers. A read at the end yields 0xFF and
// puts the stream into its end state, which the readers test only where the
// format says so; everywhere else the 0xFF simply fails the tests that follow.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace zlv {

class SyxInputStream {
public:
    // Reads from bytes held by the caller, which must outlive the stream. A
    // piece size other than 0 hands them out in pieces of that size, as a file
    // read in small pieces would come, so that tests reach every way through the readers.
    SyxInputStream(const std::uint8_t* data, std::size_t size, std::size_t pieceSize = 0)
        : m_next(data), m_end(data + (pieceSize ? std::min(pieceSize, size) : size)), m_open(true),
          m_dataEnd(data + size), m_pieceSize(pieceSize ? pieceSize : size)
    {
    }
    // Opens a file (UTF-8 path) for buffered reading, without waiting; IsOpen()
    // tells whether that worked. Anything but a regular file (a folder, a FIFO,
    // a device), or a file whose first read fails with an error rather than at
    // its end, is not open.
    explicit SyxInputStream(const std::string& path);
    SyxInputStream(const SyxInputStream&) = delete;
    SyxInputStream& operator=(const SyxInputStream&) = delete;
    ~SyxInputStream() { Close(); }

    bool IsOpen() const { return m_open; }

    std::uint8_t Get()
    {
        if (m_next < m_end)
            return *m_next++;
        return refill();
    }

    bool Eof() const { return m_eof; }

    // The bytes already buffered, for readers that take a run of bytes at once;
    // Skip(n) with n at most Buffered() consumes them.
    std::size_t Buffered() const { return static_cast<std::size_t>(m_end - m_next); }
    const std::uint8_t* Next() const { return m_next; }
    void Skip(std::size_t n) { m_next += n; }

    // Reads the same open file again from its first byte; false for a stream
    // that holds no open file, or when the file cannot be read from its start.
    bool Rewind();

    // Releases the file; later reads are at the end.
    void Close();

private:
    std::uint8_t refill();

    const std::uint8_t* m_next = nullptr;
    const std::uint8_t* m_end = nullptr;
    bool m_open = false;
    bool m_eof = false;
    const std::uint8_t* m_dataEnd = nullptr;
    std::size_t m_pieceSize = 0;
    std::FILE* m_file = nullptr;
    std::unique_ptr<std::uint8_t[]> m_buffer;
    std::size_t m_bufferSize = 0;
};

} // namespace zlv
