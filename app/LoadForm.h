#pragma once

#include "PresetPrompt.h"

namespace zlv {

// Asks which preset an imported single preset replaces.
class TLoadForm : public TPresetPromptForm {
    Q_OBJECT
public:
    explicit TLoadForm(QWidget* parent = nullptr);
};

extern TLoadForm* LoadForm;

} // namespace zlv
