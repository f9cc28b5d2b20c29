#include "MainForm.h"

namespace zlv {

void TMainForm::setupPresetsPage() {}
void TMainForm::ShowCurrentPreset() {}
void TMainForm::StoreChannels() {}

} // namespace zlv
