#include "MainForm.h"

namespace zlv {

void TMainForm::setupChainsPage() {}
void TMainForm::ShowCurrentChain() {}

} // namespace zlv
