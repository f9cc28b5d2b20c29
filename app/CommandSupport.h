// Small pieces the file and keypad commands of the main window share.
#pragma once

#include <QString>

#include <string>

namespace zlv {

// Offered after a preset's name as the file name of a single exported preset.
inline constexpr const char* kExportNameSuffix = "_ZLVpreset.syx";

// The codec and the link take paths as 8-bit text, in the file system's encoding.
std::string codecPath(const QString& path);

// The keypad's firmware version as the last identity reply left it; empty when none came.
QString keypadVersionText();

// The hourglass of a long command. Put back by release() where the command says
// so or, at the latest, when the command ends, exceptions included.
class WaitCursor {
public:
    WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { release(); }
    void release();

private:
    bool m_shown = true;
};

} // namespace zlv
