#include "CommandSupport.h"

#include "Bank.h"
#include "BankText.h"
#include "MidiExchange.h"

#include <QApplication>
#include <QFile>

#include <cstring>

namespace zlv {

std::string codecPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString offeredPresetFileName()
{
    QString name = NameToText(PresetTable[CurrentPreset].Name);
    name.replace(u'/', u'_').replace(u'\\', u'_');
    if (name.startsWith(u'.'))
        name[0] = u'_';
    return name + "_ZLVpreset.syx";
}

QString keypadVersionText()
{
    return QString::fromLatin1(KeypadVersion, static_cast<qsizetype>(strnlen(KeypadVersion, kVersionLength)));
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
