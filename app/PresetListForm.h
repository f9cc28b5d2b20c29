#pragma once

#include <QDialog>
#include <QListWidget>

#include <cstdint>

namespace zlv {

class TPresetListForm : public QDialog {
    Q_OBJECT
public:
    explicit TPresetListForm(QWidget* parent = nullptr);

    QListWidget* ListBox1 = nullptr;
};

extern TPresetListForm* PresetListForm;
// 1 while a click in the list stores and redisplays the Presets page.
extern std::uint8_t Selecting;

} // namespace zlv
