// The program's pictures, drawn once in code: the tool bar images, the glyph of
// the preset-list buttons, the main window's background and the About logo.
#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>

class QAbstractButton;

namespace zlv {

enum class ToolPicture { Midi, New, Open, Save, Download, Upgrade, Help, Exit };

QIcon ToolBarIcon(ToolPicture picture);
QIcon PresetListGlyph();
QPixmap FrameBackground(const QSize& size);
QPixmap ProductLogo(const QSize& size);

// Gives `button` the icon that `make` returns when the button is first shown,
// for buttons on windows or pages hidden at start: a style's standard icon may
// read the desktop's icon theme, which start-up need not wait for.
void SetIconWhenFirstShown(QAbstractButton* button, std::function<QIcon()> make);

} // namespace zlv
