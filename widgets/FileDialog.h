// Running the program's open and save dialogs. The dialogs are QFileDialog
// objects owned by their window, each built on its first use; a test installs a
// handler that answers in the user's place (a file name, or cancel) without
// showing anything.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <utility>

class QFileDialog;

namespace zlv {

// A window's file dialog, built by `build` the first time it is used rather than
// with the window: building one reads the file system, which would slow the
// program's start for dialogs most runs never open. Like QPointer it stands for
// the dialog (it converts to QFileDialog* and forwards ->), building it on the
// first such use; from then on the same dialog keeps its folder, file name and
// filter from use to use.
class LazyFileDialog {
public:
    using Builder = std::function<QFileDialog*()>;

    LazyFileDialog() = default;
    explicit LazyFileDialog(Builder build) : m_build(std::move(build)) {}
    LazyFileDialog(LazyFileDialog&&) = default;
    LazyFileDialog& operator=(LazyFileDialog&&) = default;

    QFileDialog* get() const
    {
        if (!m_dialog && m_build)
            m_dialog = m_build();
        return m_dialog;
    }
    operator QFileDialog*() const { return get(); }
    QFileDialog* operator->() const { return get(); }

private:
    Builder m_build;
    mutable QFileDialog* m_dialog = nullptr;
};

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
