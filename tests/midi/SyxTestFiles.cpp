#include "SyxTestFiles.h"

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace zlv::test {

namespace {
void pushNibbles(Bytes& out, std::uint8_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 4));
    out.push_back(static_cast<std::uint8_t>(value & 0x0F));
}

void pushName(Bytes& out, std::string name)
{
    name.resize(13, ' ');
    out.insert(out.end(), name.begin(), name.end());
}
} // namespace

Bytes DefaultPresetMessage(int index)
{
    Bytes m = {0xF0, 0x7D, 0x22, 0x31};
    pushNibbles(m, static_cast<std::uint8_t>(index));
    pushName(m, "New Name " + std::to_string(index + 1));
    m.insert(m.end(), {0x00, 0x00, 0x00});
    for (int i = 0; i < 48; ++i)
        pushNibbles(m, 0x80);
    m.insert(m.end(), {0x00, 0x00, 0xF7});
    return m;
}

Bytes DefaultChainMessage(int index)
{
    Bytes m = {0xF0, 0x7D, 0x22, 0x33};
    pushNibbles(m, static_cast<std::uint8_t>(index));
    pushName(m, "No Name Chain");
    for (int i = 0; i < 18; ++i)
        pushNibbles(m, 0xFF);
    m.insert(m.end(), {0x00, 0x00, 0xF7});
    return m;
}

Bytes SpeedDialMessage(int dial, std::uint8_t preset)
{
    Bytes m = {0xF0, 0x7D, 0x22, 0x22, static_cast<std::uint8_t>(16 + dial)};
    pushNibbles(m, preset);
    m.push_back(0xF7);
    return m;
}

Bytes DefaultBankFile()
{
    std::vector<Bytes> messages;
    for (int i = 0; i < 200; ++i)
        messages.push_back(DefaultPresetMessage(i));
    for (int i = 0; i < 99; ++i)
        messages.push_back(DefaultChainMessage(i));
    for (int i = 0; i < 9; ++i)
        messages.push_back(SpeedDialMessage(i, 0xFF));
    return Concat(messages);
}

Bytes FirmwareFile(int count, std::size_t size)
{
    Bytes file;
    for (int n = 0; n < count; ++n) {
        Bytes m(size, 0);
        m[0] = 0xF0;
        m[1] = 0x7D;
        m[2] = 0x21;
        for (std::size_t i = 3; i + 1 < size; ++i)
            m[i] = static_cast<std::uint8_t>((i * 7 + static_cast<std::size_t>(n) * 13) & 0x7F);
        m[size - 1] = 0xF7;
        file.insert(file.end(), m.begin(), m.end());
    }
    return file;
}

std::vector<Bytes> SplitMessages(const Bytes& file)
{
    std::vector<Bytes> messages;
    Bytes current;
    for (std::uint8_t b : file) {
        current.push_back(b);
        if (b == 0xF7) {
            messages.push_back(current);
            current.clear();
        }
    }
    if (!current.empty())
        messages.push_back(current);
    return messages;
}

Bytes Concat(const std::vector<Bytes>& messages)
{
    Bytes out;
    for (const auto& m : messages)
        out.insert(out.end(), m.begin(), m.end());
    return out;
}

TempFolder::TempFolder()
{
    static std::atomic<int> serial{0};
    m_path = std::filesystem::temp_directory_path() /
             ("zlv-midi-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(m_path);
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::PathOf(const std::string& name) const { return (m_path / name).string(); }

std::string TempFolder::Write(const std::string& name, const Bytes& bytes) const
{
    const std::string path = PathOf(name);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

} // namespace zlv::test
