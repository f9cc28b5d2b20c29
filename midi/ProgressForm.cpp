#include "ProgressForm.h"

namespace zlv {

TfrmProgress* frmProgress = nullptr;

TfrmProgress::TfrmProgress(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmProgress");
}

} // namespace zlv
