// How the list senders show how far a bank or a firmware download went. The
// progress window implements it; without one installed the senders show nothing.
#pragma once

namespace zlv {

class TransferProgress {
public:
    // Sets the bar's maximum, puts it at 0, shows the window and repaints it.
    virtual void ShowProgress(int maximum) = 0;
    // Moves the bar one step on and repaints it.
    virtual void StepProgress() = 0;
    virtual void HideProgress() = 0;
    // Lets the application handle its pending window messages, so the windows
    // repaint and stay usable during a send.
    virtual void ProcessPendingMessages() = 0;

protected:
    ~TransferProgress() = default;
};

// Installs the progress shown by the senders from now on; returns the one it replaces.
TransferProgress* SetTransferProgress(TransferProgress* progress);
TransferProgress* InstalledTransferProgress();
// What the senders drive: the installed progress, or one that shows nothing.
TransferProgress& ActiveTransferProgress();

} // namespace zlv
