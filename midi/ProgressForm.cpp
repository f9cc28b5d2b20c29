#include "ProgressForm.h"

#include <QApplication>
#include <QProgressBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zlv {

TfrmProgress* frmProgress = nullptr;

namespace {
constexpr int kClientWidth = 408;
constexpr int kClientHeight = 27;
constexpr int kDesignMaximum = 120;
} // namespace

TfrmProgress::TfrmProgress(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName("frmProgress");
    setWindowTitle("frmProgress");
    setFixedSize(kClientWidth, kClientHeight);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, kDesignMaximum);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ProgressBar1);

    SetTransferProgress(this);
}

TfrmProgress::~TfrmProgress()
{
    if (InstalledTransferProgress() == this)
        SetTransferProgress(nullptr);
}

void TfrmProgress::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Over the middle of the main window.
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
        QRect frame = geometry();
        frame.moveCenter(owner->geometry().center());
        move(frame.topLeft());
    }
}

void TfrmProgress::ShowProgress(int maximum)
{
    ProgressBar1->setMaximum(maximum);
    ProgressBar1->setValue(0);
    show();
    repaint();
}

void TfrmProgress::StepProgress()
{
    ProgressBar1->setValue(ProgressBar1->value() + 1);
    repaint();
}

void TfrmProgress::HideProgress() { hide(); }

void TfrmProgress::ProcessPendingMessages() { QApplication::processEvents(); }

} // namespace zlv
