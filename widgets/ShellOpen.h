// Hands a file to the desktop's "open" action (the PDF manual, a .syx file for
// an external sender). Tests install a handler to record the call or fail it.
#pragma once

#include <QString>

#include <functional>

namespace zlv {

using ShellOpenHandler = std::function<bool(const QString& path)>;

// Opens the file with the application the desktop associates with it; false
// when the file is missing or nothing could be started.
bool ShellOpen(const QString& path);

// Installs a handler for the calls from now on; returns the previous one.
ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler);

} // namespace zlv
