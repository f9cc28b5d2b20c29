#include "ShellOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace zlv {

namespace {
ShellOpenHandler& installedHandler()
{
    static ShellOpenHandler handler;
    return handler;
}
} // namespace

bool ShellOpen(const QString& path)
{
    if (auto& handler = installedHandler())
        return handler(path);
    // The desktop launcher reports success for a file that is not there, so a
    // missing file is refused here.
    if (!QFileInfo(path).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

ShellOpenHandler SetShellOpenHandler(ShellOpenHandler handler)
{
    return std::exchange(installedHandler(), std::move(handler));
}

} // namespace zlv
