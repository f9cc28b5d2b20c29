// Opening a .syx file for reading, the one rule the codec and the link share.
#pragma once

#include <cstdio>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zlv {

// Opens the file (8-bit path) for reading raw bytes, positioned at its start;
// the caller closes it. Null when it cannot be opened, and for anything but a
// regular file: a FIFO or a device would make the reader wait for a writer or
// read without end, and a folder is no empty file. A regular file whose first
// read fails with an error rather than at its end cannot be opened either.
inline std::FILE* OpenSyxFileForReading(const std::string& path)
{
    // Looked at first so that a device is not even opened; then, on what was
    // opened, in case the file was replaced in between. The open does not wait,
    // as it would on a FIFO without a writer.
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return nullptr;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    std::FILE* file = nullptr;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::fcntl(fd, F_SETFL, 0) == 0)
        file = ::fdopen(fd, "rb");
    if (!file) {
        ::close(fd);
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
