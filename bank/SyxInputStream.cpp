#include "SyxInputStream.h"

namespace zlv {

SyxInputStream::SyxInputStream(const std::string& path) : m_file(std::fopen(path.c_str(), "rb"))
{
    if (m_file)
        m_buffer = std::make_unique<std::uint8_t[]>(kBufferSize);
}

void SyxInputStream::Close()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_data = nullptr;
    m_size = m_pos = 0;
}

std::uint8_t SyxInputStream::refill()
{
    if (m_file) {
        // A read error ends the input like the end of the file does.
        const std::size_t n = std::fread(m_buffer.get(), 1, kBufferSize, m_file);
        if (n > 0) {
            m_data = m_buffer.get();
            m_size = n;
            m_pos = 1;
            return m_data[0];
        }
    }
    m_eof = true;
    return 0xFF;
}

} // namespace zlv
