// Keys in the program's small dialogs: Enter clicks the focused button and
// nothing else, Escape closes nothing. No button of these windows is a default
// or cancel button.
#pragma once

class QDialog;
class QKeyEvent;
class QShowEvent;

namespace zlv {

// Handles Enter and Escape for the dialog; true when the key was taken.
bool HandleFormKey(QDialog* dialog, QKeyEvent* event);

// Puts the window in the middle of its screen.
void CentreOnScreen(QDialog* dialog);

} // namespace zlv
