#include "MainForm.h"

namespace zlv {

void TMainForm::setupSettingsPage() {}

} // namespace zlv
