#pragma once

#include <QDialog>

namespace zlv {

class TSaveForm : public QDialog {
    Q_OBJECT
public:
    explicit TSaveForm(QWidget* parent = nullptr);
};

extern TSaveForm* SaveForm;

} // namespace zlv
