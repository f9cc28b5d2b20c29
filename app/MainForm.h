#pragma once

#include <QMainWindow>

namespace zlv {

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);
};

extern TMainForm* MainForm;

} // namespace zlv
