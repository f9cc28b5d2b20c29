// The interface chooser: the modal dialog in which the user picks the MIDI input
// and output device of direct MIDI mode. Each showing lists the devices afresh;
// OK stores the two item indexes (the device ids) in SelectedMidiIn and
// SelectedMidiOut, -1 for a box without a selected item. The caller runs it
// through ExecModal and then reads the selections and the two boxes' texts.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QShowEvent;

namespace zlv {

class TInterfaceForm : public QDialog {
    Q_OBJECT
public:
    explicit TInterfaceForm(QWidget* parent = nullptr);

    QLabel* Label1;
    QPushButton* btnOK;     // disabled until a showing finds devices
    QPushButton* btnCancel;
    QComboBox* ComboBox1;   // input devices; item index = device id
    QLabel* Label2;
    QLabel* Label3;
    QComboBox* ComboBox2;   // output devices; item index = device id

    // Runs each time the dialog is shown: fills both boxes from a fresh enumeration.
    void FormShow();
    // OK clicked, before the dialog closes with the OK result.
    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;
};

extern TInterfaceForm* InterfaceForm;

} // namespace zlv
