#pragma once

#include <QDialog>

namespace zlv {

class TMidiEventsForm : public QDialog {
    Q_OBJECT
public:
    explicit TMidiEventsForm(QWidget* parent = nullptr);
};

extern TMidiEventsForm* MidiEventsForm;

} // namespace zlv
