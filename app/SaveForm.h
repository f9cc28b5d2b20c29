#pragma once

#include "PresetPrompt.h"

namespace zlv {

// Asks for the number a single preset goes out under (export, download); each
// caller sets the caption and Label1 in its own words.
class TSaveForm : public TPresetPromptForm {
    Q_OBJECT
public:
    explicit TSaveForm(QWidget* parent = nullptr);
};

extern TSaveForm* SaveForm;

} // namespace zlv
