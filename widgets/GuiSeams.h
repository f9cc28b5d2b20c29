// Every place where a test stands in for the user, the desktop or a device.
// Include this one header to reach them all. Each seam is a Set... function that
// installs a handler for the calls from then on and returns the one it replaced,
// so a test puts the previous one back when it ends; with none installed the
// program's own behaviour runs.
//
// The windows (this layer):
// - Modal.h, SetModalHandler: every modal window run through ExecModal; the
//   handler may set the dialog's controls and returns its result instead of exec().
// - FileDialog.h, SetFileDialogHandler: every open and save dialog run through
//   RunFileDialog; the handler returns the chosen file or nothing (cancelled).
// - ShellOpen.h, SetShellOpenHandler: the desktop's "open" of a file (the manual,
//   a .syx file for an external sender); the handler records it or fails it.
// - DocumentsFolder.h, SetDocumentsFolderLookup: the user's documents folder, under
//   which the main window makes its working folder at creation.
// The message box these windows show is the bank layer's (below); QtMessageBox.h
// only puts the real Qt box behind it at start-up.
//
// The layers below, through their own seam headers:
// - BankSeams.h: the message box of the pure-C++ code and the file faults of the writers.
// - MidiSeams.h: the MIDI driver (a simulated keypad in tests) and the progress display.
#pragma once

#include "BankSeams.h"
#include "MidiSeams.h"

#include "DocumentsFolder.h"
#include "FileDialog.h"
#include "Modal.h"
#include "ShellOpen.h"
