#include "SaveForm.h"

#include "SpinEdit.h"

#include <QLayout>
#include <QPushButton>

namespace zlv {

TSaveForm* SaveForm = nullptr;

TSaveForm::TSaveForm(QWidget* parent)
    : TPresetPromptForm("SaveForm", "Export To Which Preset?", "Export Current Preset to this Preset Number: ", parent)
{
    setTabOrder(spinPreset, btnContinue);
    setTabOrder(btnContinue, btnCancel);
    // A fixed dialog frame.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace zlv
