#include "MidiEventsForm.h"

namespace zlv {

TMidiEventsForm* MidiEventsForm = nullptr;

TMidiEventsForm::TMidiEventsForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("MidiEventsForm");
}

} // namespace zlv
