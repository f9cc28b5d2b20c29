// Small pieces the file and keypad commands of the main window share.
#pragma once

#include <QString>

#include <string>

namespace zlv {

// The file name offered for the current preset written as a single file (Export
// Current Preset, Download Current Preset through an application): its name,
// then "_ZLVpreset.syx". A name can hold '/' or '\', from the keyboard or from a
// shared bank; each becomes '_' here, so that the offer always names a file in
// the dialog's folder, and so does a leading '.', which would hide the file from
// the editor's own dialogs and most file managers. The name in the bank stays
// as it is.
QString offeredPresetFileName();

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
