#pragma once

#include <QDialog>

namespace zlv {

class TInterfaceForm : public QDialog {
    Q_OBJECT
public:
    explicit TInterfaceForm(QWidget* parent = nullptr);
};

extern TInterfaceForm* InterfaceForm;

} // namespace zlv
