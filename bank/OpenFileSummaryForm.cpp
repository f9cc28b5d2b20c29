#include "OpenFileSummaryForm.h"

namespace zlv {

TfrmOpenFileSummary* frmOpenFileSummary = nullptr;

TfrmOpenFileSummary::TfrmOpenFileSummary(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmOpenFileSummary");
}

} // namespace zlv
