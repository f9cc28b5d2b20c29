#pragma once

#include <string>

namespace zlv {
// The application title: task-bar text and main window caption.
inline const std::string AppTitle = "Zelvane Editor";
} // namespace zlv
