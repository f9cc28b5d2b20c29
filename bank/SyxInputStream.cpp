#include "SyxInputStream.h"

#include "SyxFile.h"

#include <algorithm>

#include <sys/stat.h>

namespace zlv {

namespace {
// Any bank file fits in one read; larger files are read in pieces of this size.
constexpr std::size_t kMaxBufferSize = 1 << 20;
constexpr std::size_t kMinBufferSize = 4096;
} // namespace

SyxInputStream::SyxInputStream(const std::string& path) : m_file(OpenSyxFileForReading(path))
{
    if (!m_file)
        return;
    m_open = true;
    struct stat st{};
    const std::size_t size = ::fstat(::fileno(m_file), &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0;
    // One byte more than the file, so that its end shows in the first read.
    m_bufferSize = std::clamp(size + 1, kMinBufferSize, kMaxBufferSize);
    m_buffer.reset(new std::uint8_t[m_bufferSize]);
}

void SyxInputStream::Close()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_open = false;
    m_next = m_end = m_dataEnd = nullptr;
}

bool SyxInputStream::Rewind()
{
    if (!m_file || std::fseek(m_file, 0, SEEK_SET) != 0)
        return false;
    std::clearerr(m_file);
    m_next = m_end = nullptr;
    m_eof = false;
    return true;
}

std::uint8_t SyxInputStream::refill()
{
    if (m_file) {
        // A read error ends the input like the end of the file does.
        const std::size_t n = std::fread(m_buffer.get(), 1, m_bufferSize, m_file);
        if (n > 0) {
            m_next = m_buffer.get();
            m_end = m_next + n;
            return *m_next++;
        }
    } else if (m_next < m_dataEnd) {
        m_end = m_next + std::min<std::size_t>(m_pieceSize, static_cast<std::size_t>(m_dataEnd - m_next));
        return *m_next++;
    }
    m_eof = true;
    return 0xFF;
}

} // namespace zlv
