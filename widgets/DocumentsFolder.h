// Where the user's documents folder is, for the working folder the main window
// makes at start-up. Tests install their own lookup; the program asks the desktop.
#pragma once

#include <QString>

#include <functional>

namespace zlv {

using DocumentsFolderLookup = std::function<QString()>;

// The documents folder: the installed lookup's answer, or else the desktop's;
// an empty text when there is none.
QString DocumentsFolder();

// Installs a lookup for the calls from now on; returns the previous one.
DocumentsFolderLookup SetDocumentsFolderLookup(DocumentsFolderLookup lookup);

} // namespace zlv
