#include "MidiEventsForm.h"

#include <QSlider>

#include <cstring>

namespace zlv {

TMidiEventsForm* MidiEventsForm = nullptr;

TMidiEventsForm::TMidiEventsForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("MidiEventsForm");
    std::memset(MidiData, kEmpty, sizeof MidiData);
    tbarDelay = new QSlider(Qt::Horizontal, this);
    tbarDelay->setObjectName("tbarDelay");
    tbarDelay->setRange(0, 127);
}

} // namespace zlv
