#include "SyxFile.h"

#include <sys/stat.h>

namespace zlv {

std::FILE* OpenSyxFileForReading(const std::string& path)
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
