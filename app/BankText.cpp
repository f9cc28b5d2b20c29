#include "BankText.h"

#include "BankEdits.h"

namespace zlv {

QString NameToText(const std::uint8_t (&name)[kNameLength]) { return QString::fromLatin1(NameText(name)); }

QString PresetCellText(std::uint8_t presetIndex)
{
    if (IsEmptyPresetIndex(presetIndex))
        return QStringLiteral("   \u00B7\u00B7\u00B7");
    return QString::number(presetIndex + 1) + QStringLiteral(".  ") + NameToText(PresetTable[presetIndex].Name);
}

QString NumberedLine(int number, const QString& text) { return QString::asprintf("%02d.  ", number) + text; }

} // namespace zlv
