#include "FileDialog.h"

#include "Modal.h"

#include <QFileDialog>

#include <utility>

namespace zlv {

namespace {
FileDialogHandler& installedHandler()
{
    static FileDialogHandler handler;
    return handler;
}
} // namespace

std::optional<QString> RunFileDialog(QFileDialog* dialog)
{
    std::optional<QString> chosen;
    if (auto& handler = installedHandler()) {
        chosen = handler(dialog);
    } else if (ExecModal(dialog) == QDialog::Accepted) {
        const QStringList files = dialog->selectedFiles();
        if (!files.isEmpty())
            chosen = files.first();
    }
    if (chosen)
        dialog->selectFile(*chosen);
    return chosen;
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

QStringList NameFiltersFromPairs(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& p : patterns)
            if (p == "*.*")
                p = "*";
        result << QString("%1 (%2)").arg(parts[i], patterns.join(' '));
    }
    return result;
}

} // namespace zlv
