// The program's message boxes as Qt shows them. Installed once at start-up
// behind ShowMessage; the box itself runs through ExecModal, so a test can look
// at the real box and answer it.
#pragma once

#include "UserMessage.h"

namespace zlv {

// Builds and runs one message box: the caption and text exactly as given.
MsgResult ShowQtMessageBox(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons);

// Makes ShowQtMessageBox the handler of ShowMessage.
void InstallQtMessageBox();

} // namespace zlv
