#include "CommandSupport.h"

#include <QApplication>
#include <QFile>

#include <cstring>

namespace zlv {

std::string codecPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString presetName(const PresetRecord& preset)
{
    const auto* name = reinterpret_cast<const char*>(preset.Name);
    return QString::fromLatin1(name, static_cast<qsizetype>(strnlen(name, kNameLength)));
}

WaitCursor::WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void WaitCursor::release()
{
    if (m_shown) {
        m_shown = false;
        QApplication::restoreOverrideCursor();
    }
}

} // namespace zlv
