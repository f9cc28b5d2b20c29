#include "PresetListForm.h"

#include <QVBoxLayout>

namespace zlv {

TPresetListForm* PresetListForm = nullptr;
std::uint8_t Selecting = 0;

TPresetListForm::TPresetListForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("PresetListForm");
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName("ListBox1");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListBox1);
}

} // namespace zlv
