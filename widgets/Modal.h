// Every modal window of the program is run through ExecModal, so that a test can
// answer it (set its controls, return a result) without a person at the screen.
#pragma once

#include <functional>

class QDialog;

namespace zlv {

using ModalHandler = std::function<int(QDialog* dialog)>;

// Runs dialog->exec(), or the installed test handler instead.
int ExecModal(QDialog* dialog);

// Installs a handler for the modal windows shown from now on; returns the previous one.
ModalHandler SetModalHandler(ModalHandler handler);

} // namespace zlv
