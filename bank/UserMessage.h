// The one way the program's pure-C++ parts talk to the user: a modal message box
// with a text, a caption, an icon and buttons. The Qt layer installs the real
// box; tests install a recorder that answers in the user's place.
#pragma once

#include <functional>
#include <string>

namespace zlv {

enum class MsgIcon { None, Information, Exclamation, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgResult { Ok, Cancel, Yes, No };

using MessageBoxHandler =
    std::function<MsgResult(const std::string& text, const std::string& caption, MsgIcon icon, MsgButtons buttons)>;

// Shows a message box through the installed handler and returns the button chosen.
MsgResult ShowMessage(const std::string& text, const std::string& caption, MsgIcon icon = MsgIcon::None,
                      MsgButtons buttons = MsgButtons::Ok);

// Installs the handler used from now on; returns the one it replaces. Without a
// handler the text goes to stderr and the answer is OK.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Shows the text of the exception being handled under the application title
// with the error icon, as for one escaping an event handler; call only inside
// a catch block.
void ShowCurrentException();

} // namespace zlv
