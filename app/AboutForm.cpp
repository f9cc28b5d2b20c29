#include "AboutForm.h"

namespace zlv {

TAboutForm* AboutForm = nullptr;

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutForm");
}

} // namespace zlv
