#pragma once

#include <QDialog>

namespace zlv {

class TLoadForm : public QDialog {
    Q_OBJECT
public:
    explicit TLoadForm(QWidget* parent = nullptr);
};

extern TLoadForm* LoadForm;

} // namespace zlv
