#include "LoadForm.h"

namespace zlv {

TLoadForm* LoadForm = nullptr;

TLoadForm::TLoadForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("LoadForm");
}

} // namespace zlv
