// The program's pictures, drawn once in code: the tool bar images, the glyph of
// the preset-list buttons, the main window's background and the About logo.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace zlv {

enum class ToolPicture { Midi, New, Open, Save, Download, Upgrade, Help, Exit };

QIcon ToolBarIcon(ToolPicture picture);
QIcon PresetListGlyph();
QPixmap FrameBackground(const QSize& size);
QPixmap ProductLogo(const QSize& size);

} // namespace zlv
