// Opening a .syx file for reading, the one rule the codec and the link share.
#pragma once

#include <cstdio>
#include <string>

#include <sys/stat.h>

namespace zlv {

// Opens the file (8-bit path) for reading raw bytes, positioned at its start;
// the caller closes it. Null when it cannot be opened: also for a folder, and for
// a file whose first read fails with an error rather than at its end, so that
// neither is taken for an empty file.
inline std::FILE* OpenSyxFileForReading(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return nullptr;
    struct stat st{};
    if (::fstat(::fileno(file), &st) == 0 && S_ISDIR(st.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    // The first byte is read and put back: the callers read from the start.
    const int first = std::fgetc(file);
    if (first == EOF ? std::ferror(file) != 0 : std::ungetc(first, file) == EOF) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

} // namespace zlv
