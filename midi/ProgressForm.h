#pragma once

#include <QDialog>

namespace zlv {

class TfrmProgress : public QDialog {
    Q_OBJECT
public:
    explicit TfrmProgress(QWidget* parent = nullptr);
};

extern TfrmProgress* frmProgress;

} // namespace zlv
