// When a field counts as entered or left: the focus moving between controls of
// the window does; the window itself losing or regaining the activation (a click
// into another window, a menu or popup opening) does not, so a field commits
// nothing just because the user looked elsewhere.
#pragma once

class QEvent;

namespace zlv {

// True for a focus-in or focus-out caused by window activation or a popup; false
// for every other event, focus moves within the window included.
bool isActivationFocusChange(const QEvent* event);

} // namespace zlv
