#include "DocumentsFolder.h"

#include <QStandardPaths>

#include <utility>

namespace zlv {

namespace {
DocumentsFolderLookup& installedLookup()
{
    static DocumentsFolderLookup lookup;
    return lookup;
}
} // namespace

QString DocumentsFolder()
{
    if (auto& lookup = installedLookup())
        return lookup();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

DocumentsFolderLookup SetDocumentsFolderLookup(DocumentsFolderLookup lookup)
{
    return std::exchange(installedLookup(), std::move(lookup));
}

} // namespace zlv
