#pragma once

#include <QDialog>

namespace zlv {

class TfrmOpenFileSummary : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOpenFileSummary(QWidget* parent = nullptr);
};

extern TfrmOpenFileSummary* frmOpenFileSummary;

} // namespace zlv
