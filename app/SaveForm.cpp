#include "SaveForm.h"

namespace zlv {

TSaveForm* SaveForm = nullptr;

TSaveForm::TSaveForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("SaveForm");
}

} // namespace zlv
