#pragma once

#include <QDialog>

namespace zlv {

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);
};

extern TAboutForm* AboutForm;

} // namespace zlv
