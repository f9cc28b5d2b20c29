#include "MainForm.h"

#include "AppTitle.h"

namespace zlv {

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("MainForm");
    setWindowTitle(QString::fromStdString(AppTitle));
}

} // namespace zlv
