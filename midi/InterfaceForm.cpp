#include "InterfaceForm.h"

namespace zlv {

TInterfaceForm* InterfaceForm = nullptr;

TInterfaceForm::TInterfaceForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("InterfaceForm");
}

} // namespace zlv
