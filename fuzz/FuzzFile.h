// What every fuzz target needs, the link's as well as the codec's: a check that
// ends the run, and one scratch file in a folder of this process's own that
// each input is written over, for readers that take a path.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace zlv::fuzz {

inline void Require(bool condition)
{
    if (!condition)
        std::abort();
}

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zlv-fuzz-XXXXXX").string();
        Require(::mkdtemp(pattern.data()) != nullptr);
        m_dir = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string File(const char* name) const { return (m_dir / name).string(); }

private:
    std::filesystem::path m_dir;
};

// Writes the input to the scratch file and returns its path.
inline const std::string& WriteInputFile(const std::uint8_t* data, std::size_t size)
{
    static const ScratchFolder folder;
    static const std::string path = folder.File("input.syx");
    std::FILE* f = std::fopen(path.c_str(), "wb");
    Require(f != nullptr);
    Require(size == 0 || std::fwrite(data, 1, size, f) == size);
    Require(std::fclose(f) == 0);
    return path;
}

} // namespace zlv::fuzz
