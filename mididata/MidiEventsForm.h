#pragma once

#include "Bank.h"

#include <QDialog>

#include <cstdint>

class QSlider;

namespace zlv {

// The MIDI data editor: edits one data block and its delay. The caller copies
// them into MidiData and tbarDelay, runs the dialog modally and, on Accept
// (result 1; Cancel is 2), copies MidiData and InterByteDelay back.
class TMidiEventsForm : public QDialog {
    Q_OBJECT
public:
    explicit TMidiEventsForm(QWidget* parent = nullptr);

    MidiDataBlock MidiData;
    std::uint8_t InterByteDelay = 0;
    QSlider* tbarDelay = nullptr;
};

extern TMidiEventsForm* MidiEventsForm;

} // namespace zlv
