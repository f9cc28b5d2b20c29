// Opening a .syx file that the link reads and sends.
#pragma once

#include <cstdio>
#include <string>

namespace zlv {

// Opens the file (8-bit path) for reading raw bytes, positioned at its start;
// the caller closes it. Null when it cannot be opened: also for a folder, and for
// a file whose first read fails with an error rather than at its end, so that
// neither is taken for an empty file.
std::FILE* OpenSyxFileForReading(const std::string& path);

} // namespace zlv
