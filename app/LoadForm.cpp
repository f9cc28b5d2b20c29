#include "LoadForm.h"

#include "SpinEdit.h"

#include <QPushButton>

namespace zlv {

TLoadForm* LoadForm = nullptr;

TLoadForm::TLoadForm(QWidget* parent)
    : TPresetPromptForm("LoadForm", "Import into which Preset?", "Import new Preset into this Preset Number:  ", parent)
{
    setTabOrder(spinPreset, btnCancel);
    setTabOrder(btnCancel, btnContinue);
}

} // namespace zlv
