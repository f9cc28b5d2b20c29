// Helpers shared by the codec tests: a scratch folder, whole-file I/O and a
// recorder that answers message boxes in the user's place.
#pragma once

#include "UserMessage.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zlv::test {

using Bytes = std::vector<std::uint8_t>;

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zlv-bank-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_path = pattern;
    }
    ~TempDir() { std::filesystem::remove_all(m_path); }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_path))
            names.push_back(e.path().filename().string());
        return names;
    }

private:
    std::filesystem::path m_path;
};

inline Bytes ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

struct ShownMessage {
    std::string Text;
    std::string Caption;
    MsgIcon Icon;
    MsgButtons Buttons;
    bool operator==(const ShownMessage&) const = default;
};

// Records every message box while alive and answers OK.
class MessageRecorder {
public:
    MessageRecorder()
    {
        m_previous = SetMessageBoxHandler([this](const std::string& t, const std::string& c, MsgIcon i, MsgButtons b) {
            Shown.push_back({t, c, i, b});
            return MsgResult::Ok;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler(m_previous); }
    std::vector<ShownMessage> Shown;

private:
    MessageBoxHandler m_previous;
};

// A plain box with OK and no icon, as every codec message is.
inline ShownMessage Plain(const std::string& text, const std::string& caption)
{
    return {text, caption, MsgIcon::None, MsgButtons::Ok};
}

} // namespace zlv::test
