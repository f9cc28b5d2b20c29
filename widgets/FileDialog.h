// Running the program's open and save dialogs. The dialogs are QFileDialog
// objects owned by their window; a test installs a handler that answers in the
// user's place (a file name, or cancel) without showing anything.
#pragma once

#include <QString>

#include <functional>
#include <optional>

class QFileDialog;

namespace zlv {

using FileDialogHandler = std::function<std::optional<QString>(QFileDialog* dialog)>;

// Runs the dialog (or the installed handler): the chosen file, or nothing when
// cancelled. A chosen file is offered again the next time the dialog runs.
std::optional<QString> RunFileDialog(QFileDialog* dialog);

// Installs a handler for the file dialogs run from now on; returns the previous one.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

// Turns a filter written as "description|patterns|description|patterns" (patterns
// separated by ';') into Qt name filters; "*.*" means every file.
QStringList NameFiltersFromPairs(const QString& filter);

} // namespace zlv
