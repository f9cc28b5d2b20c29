// The progress window: a bare bar shown over the main window while a whole bank
// or a firmware file is sent. The list senders drive it through TransferProgress;
// the window installs itself as their progress when it is created.
#pragma once

#include "TransferProgress.h"

#include <QDialog>

class QProgressBar;
class QShowEvent;

namespace zlv {

class TfrmProgress : public QDialog, public TransferProgress {
    Q_OBJECT
public:
    explicit TfrmProgress(QWidget* parent = nullptr);
    ~TfrmProgress() override;

    QProgressBar* ProgressBar1;

    void ShowProgress(int maximum) override;
    void StepProgress() override;
    void HideProgress() override;
    void ProcessPendingMessages() override;

protected:
    void showEvent(QShowEvent* event) override;
};

extern TfrmProgress* frmProgress;

} // namespace zlv
