#include "MainForm.h"

namespace zlv {

void TMainForm::setupSpeedDialsPage() {}
void TMainForm::ShowSpeedDials() {}

} // namespace zlv
