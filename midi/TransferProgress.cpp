#include "TransferProgress.h"

#include <utility>

namespace zlv {

namespace {

TransferProgress* g_progress = nullptr;

class NoProgress final : public TransferProgress {
public:
    void ShowProgress(int) override {}
    void StepProgress() override {}
    void HideProgress() override {}
    void ProcessPendingMessages() override {}
};

} // namespace

TransferProgress* SetTransferProgress(TransferProgress* progress) { return std::exchange(g_progress, progress); }

TransferProgress* InstalledTransferProgress() { return g_progress; }

TransferProgress& ActiveTransferProgress()
{
    static NoProgress none;
    return g_progress ? *g_progress : none;
}

} // namespace zlv
