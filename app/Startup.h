#pragma once

#include <QApplication>

#include <functional>

namespace zlv {

// The application object: an exception that escapes an event handler is shown
// in a message box and the program goes on.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs one event handler; an exception escaping it is shown (its text, the
// application title, the error icon) and the handler counts as not done.
bool RunHandlerShowingExceptions(const std::function<bool()>& handler);

// Creates the nine windows at once, in the order the rest of the program relies on.
void CreateApplicationWindows();

// Creates the eight windows after the main one, in their order; all start hidden.
void CreateHiddenWindows();

// The program's start: creates and shows the main window, and creates the eight
// hidden windows right after its first paint (or before a click or key press
// that comes earlier), then fills the preset list as showing the main window
// would have done.
void StartApplicationWindows();

// Deletes the nine windows and clears their globals (the program's end, and tests).
void DestroyApplicationWindows();

// The program: application object, title, the nine windows, the message loop.
// An exception escaping any of it is shown and ends the program. Returns 0.
int WinMain(int argc, char** argv);

} // namespace zlv
