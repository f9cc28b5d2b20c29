// How the editor reaches the keypad: not yet chosen, file only, through an
// external application, or directly over one MIDI input and output pair.
#include "MainForm.h"

#include "CommandSupport.h"

#include "InterfaceForm.h"
#include "MidiExchange.h"
#include "MidiPorts.h"
#include "Modal.h"
#include "UserMessage.h"

#include <QAction>
#include <QComboBox>
#include <QToolButton>

namespace zlv {

namespace {

const char* const kMidiOpenText = "MIDI Open";
const char* const kMidiClosedText = "MIDI Closed";

// The text the chooser shows for its selected device, as the user saw it.
QString chosenDeviceText(const char* boxName)
{
    if (!InterfaceForm)
        return {};
    const auto* box = InterfaceForm->findChild<QComboBox*>(boxName);
    return box ? box->currentText() : QString();
}

} // namespace

void TMainForm::setupKeypadCommands()
{
    connect(mnuPickConnection, &QAction::triggered, this, &TMainForm::mnuPickConnectionClick);
    connect(mnuFileMode, &QAction::triggered, this, &TMainForm::mnuFileModeClick);
    connect(mnuDirectMIDI, &QAction::triggered, this, &TMainForm::mnuDirectMIDIClick);
    connect(mnuExternalApp, &QAction::triggered, this, &TMainForm::mnuExternalAppClick);
    connect(mnuDownloadAll, &QAction::triggered, this, &TMainForm::mnuDownloadAllClick);
    connect(mnuDownloadCurrent, &QAction::triggered, this, &TMainForm::mnuDownloadCurrentClick);
    connect(btnUpgrade, &QToolButton::clicked, this, &TMainForm::btnUpgradeClick);
}

void TMainForm::ShowMidiClosed()
{
    StatusBar1->setPanelText(kConnectionPanel, QString());
    StatusBar1->setPanelText(kPortStatePanel, kMidiClosedText);
    StatusBar2->setPanelText(kConnectionPanel, QString());
    StatusBar2->setPanelText(kPortStatePanel, kMidiClosedText);
}

void TMainForm::mnuPickConnectionClick()
{
    if (IsMidiOpen()) {
        CloseMidiPorts();
        StatusBar1->setPanelText(kPortStatePanel, kMidiClosedText);
        StatusBar2->setPanelText(kPortStatePanel, kMidiClosedText);
    }
    MidiMode = mmNone;
    mnuPickConnection->setChecked(true);
    mnuFileMode->setChecked(false);
    mnuExternalApp->setChecked(false);
    mnuDirectMIDI->setChecked(false);
    StatusBar1->setPanelText(kConnectionPanel, "MIDI In: None (please select)");
    StatusBar2->setPanelText(kConnectionPanel, "MIDI Out: None (please select)");
}

void TMainForm::mnuFileModeClick()
{
    if (IsMidiOpen()) {
        CloseMidiPorts();
        ShowMidiClosed();
    }
    MidiMode = mmFileOnly;
    mnuPickConnection->setChecked(false);
    mnuFileMode->setChecked(true);
    mnuExternalApp->setChecked(false);
    mnuDirectMIDI->setChecked(false);
    StatusBar1->setPanelText(kConnectionPanel, "MIDI In: None (save to file only)");
    StatusBar2->setPanelText(kConnectionPanel, "MIDI Out: None (save to file only)");
}

void TMainForm::mnuExternalAppClick()
{
    if (IsMidiOpen()) {
        CloseMidiPorts();
        ShowMidiClosed();
    }
    MidiMode = mmExternalApp;
    mnuPickConnection->setChecked(false);
    mnuFileMode->setChecked(false);
    mnuExternalApp->setChecked(true);
    mnuDirectMIDI->setChecked(false);
    StatusBar1->setPanelText(kConnectionPanel, "MIDI In: External App (MIDIOX, SendSX, SyxLoader, etc)");
    StatusBar2->setPanelText(kConnectionPanel, "MIDI Out: External App (MIDIOX, SendSX, SyxLoader, etc)");
}

void TMainForm::mnuDirectMIDIClick()
{
    // A second choice of direct MIDI turns it off; the devices are chosen anew
    // with the choice after that.
    if (IsMidiOpen()) {
        MidiMode = mmNone;
        CloseMidiPorts();
        mnuDirectMIDI->setChecked(false);
        ShowMidiClosed();
        return;
    }

    if (!InterfaceForm || ExecModal(InterfaceForm) != QDialog::Accepted)
        return;
    if (SelectedMidiIn == -1 || SelectedMidiOut == -1) {
        ShowMessage("Interface did not respond. Deselecting.", "MIDI Error!", MsgIcon::Exclamation, MsgButtons::Ok);
        mnuPickConnection->trigger();
        return;
    }

    MidiMode = mmDirectMidi;
    mnuPickConnection->setChecked(false);
    mnuFileMode->setChecked(false);
    mnuExternalApp->setChecked(false);
    mnuDirectMIDI->setChecked(true);
    StatusBar1->setPanelText(kConnectionPanel, "MIDI In: " + chosenDeviceText("ComboBox1"));
    StatusBar2->setPanelText(kConnectionPanel, "MIDI Out: " + chosenDeviceText("ComboBox2"));

    // A pair that will not open is left chosen without a word: the transfers
    // then fail with their own messages.
    if (OpenMidiPorts() == 0) {
        StatusBar1->setPanelText(kPortStatePanel, kMidiOpenText);
        StatusBar2->setPanelText(kPortStatePanel, kMidiOpenText);
        if (RequestKeypadIdentity()) {
            ShowMessage("Keypad not found (could not read the version number).\r\n"
                        "Reset the MIDI Interface and/or replug the keypad",
                        "MIDI Error?", MsgIcon::None, MsgButtons::Ok);
            CloseMidiPorts();
            MidiMode = mmNone;
            mnuDirectMIDI->setChecked(false);
            ShowMidiClosed();
            return;
        }
    }

    const QString version = keypadVersionText();
    StatusBar1->setPanelText(kConnectionPanel, StatusBar1->panelText(kConnectionPanel) +
                                                   (version.isEmpty() ? " [ ]" : " [" + version + "]"));
}

} // namespace zlv
