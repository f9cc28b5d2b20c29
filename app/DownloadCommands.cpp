// Moving data to the keypad: the current preset, the whole bank (through an
// external application or directly over MIDI) and a firmware upgrade.
#include "MainForm.h"

#include "CommandSupport.h"

#include "Bank.h"
#include "FileDialog.h"
#include "MidiExchange.h"
#include "MidiPorts.h"
#include "Modal.h"
#include "SaveForm.h"
#include "ShellOpen.h"
#include "SpinEdit.h"
#include "SyxMessageList.h"
#include "SyxWriter.h"
#include "UserMessage.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

#include <string>

namespace zlv {

namespace {

const char* const kTempPresetFile = "ZLVTempDownloadPreset.syx";
const char* const kTempBankFile = "ZLVTempDownloadFile.syx";
const char* const kNoInterface = "No MIDI interface selected.";
const char* const kHalted = "Download Halted!";
const char* const kFail = "Download Fail!";
const char* const kFailAsk = "Download Fail?";
const char* const kShellFailed = "ERROR: Could not find the .SYX file and/or MIDIOX";

void failure(const char* text, const char* caption = kFail)
{
    ShowMessage(text, caption, MsgIcon::Exclamation, MsgButtons::Ok);
}

// The window stays usable while a list goes out message by message, but no
// command that talks to the keypad or closes its ports may run meanwhile: the
// tool bar and Refresh Settings are out of reach until the send ends.
class KeypadCommandsLocked {
public:
    explicit KeypadCommandsLocked(TMainForm& form) : m_form(form)
    {
        m_form.ToolBar1->setEnabled(false);
        if (m_form.btnGetSettings)
            m_form.btnGetSettings->setEnabled(false);
    }
    KeypadCommandsLocked(const KeypadCommandsLocked&) = delete;
    KeypadCommandsLocked& operator=(const KeypadCommandsLocked&) = delete;
    ~KeypadCommandsLocked()
    {
        m_form.ToolBar1->setEnabled(true);
        if (m_form.btnGetSettings)
            m_form.btnGetSettings->setEnabled(true);
    }

private:
    TMainForm& m_form;
};

// The target prompt of Download Current Preset; false when not continued.
bool askDownloadTarget()
{
    SaveForm->setWindowTitle("Download To Which Preset?");
    SaveForm->Label1->setText("Download Current Preset to this Preset Number:");
    if (ExecModal(SaveForm) != TSaveForm::ResultContinue)
        return false;
    FilePresetNumber = static_cast<std::uint8_t>(SaveForm->spinPreset->value() - 1);
    return true;
}

// The temporary file goes whether or not it was sent. A FIFO or a device under
// its name was refused by the writer and is not the command's to delete.
void removeTemporaryFile(const QString& path)
{
    if (QFileInfo(path).isFile())
        QFile::remove(path);
}

// A firmware file holding no message would send nothing at all.
bool loadedListHoldsAMessage() { return SyxListHead != nullptr && SyxListHead->data[0] == kSysExStart; }

} // namespace

void TMainForm::mnuDownloadCurrentClick()
{
    storePendingEdits();
    SaveForm->spinPreset->setValue(CurrentPreset + 1);

    if (MidiMode == mmExternalApp) {
        if (!askDownloadTarget())
            return;
        SaveOneDialog->selectFile(offeredPresetFileName());
        const auto chosen = RunFileDialog(SaveOneDialog);
        if (!chosen)
            return;
        // A file that was not written must not reach the application: an older
        // file of that name would go to the keypad in its place.
        if (ExportPresetToFile(codecPath(*chosen)) != 0 || !ShellOpen(*chosen))
            ShowMessage(kShellFailed, kFail);
        return;
    }

    if (MidiMode == mmDirectMidi) {
        if (!askDownloadTarget())
            return;
        const QString path = QDir(WorkingFolder).filePath(kTempPresetFile);
        // Unwritten, the file counts as one that cannot be opened: a stale
        // temporary file is never sent.
        const std::int32_t r =
            ExportPresetToFile(codecPath(path)) == 0 ? SendSingleSyxFile(codecPath(path)) : trOpenFailed;
        switch (r) {
        case trOk:
            SendPresetSelect(CurrentPreset);
            ShowMessage("Downloaded OK!", "Download Success", MsgIcon::Information, MsgButtons::Ok);
            break;
        case trOpenFailed: failure("Bad filename or unable to access directory."); break;
        case trReadFailed: failure("File read error."); break;
        case trNoF0: failure("File F0 or F7 missing."); break;
        // The keypad did not answer, or the ports are closed: nothing arrived.
        case trSendFailed: failure("Burn Preset failed."); break;
        case trNoAcknowledge: failure("No acknowledge from keypad.", kFailAsk); break;
        default: break;
        }
        removeTemporaryFile(path);
        return;
    }

    ShowMessage(kNoInterface, kHalted);
}

void TMainForm::mnuDownloadAllClick()
{
    storePendingEdits();

    if (MidiMode == mmExternalApp) {
        if (const auto chosen = RunFileDialog(SaveAllDialog)) {
            WaitCursor hourglass;
            if (SaveBankToFile(codecPath(*chosen)) != 0 || !ShellOpen(*chosen))
                ShowMessage(kShellFailed, kFail);
        }
    } else if (MidiMode == mmDirectMidi) {
        WaitCursor hourglass;
        const QString path = QDir(WorkingFolder).filePath(kTempBankFile);
        std::int32_t r = SaveBankToFile(codecPath(path)) == 0 ? LoadSyxFileMessages(codecPath(path)) : trOpenFailed;
        if (r != trOk) {
            switch (r) {
            case trOpenFailed: failure("Bad file name or unable to access directory."); break;
            case trReadFailed: failure("Memory allocation failure."); break;
            case trWrongFileType: failure("Wrong file type."); break;
            default: break;
            }
            removeTemporaryFile(path);
            return;
        }
        {
            KeypadCommandsLocked locked(*this);
            r = SendSyxMessageList();
        }
        FreeSyxMessageList();
        if (r == trSendFailed)
            failure("Burn Preset failed.");
        else if (r == trNoAcknowledge)
            failure("No acknowledge from keypad. ", kFailAsk);
        removeTemporaryFile(path);
        hourglass.release();
        if (r == trOk) {
            SendPresetSelect(0);
            ShowMessage("Downloaded OK!", "Download Success", MsgIcon::Information, MsgButtons::Ok);
        }
    } else {
        ShowMessage(kNoInterface, kHalted);
    }

    CurrentPreset = 0;
    edPreset->setText("1");
    ShowCurrentPreset();
}

void TMainForm::btnUpgradeClick()
{
    if (ShowMessage("Select your MIDI connection and put the keypad into UPGRADE mode.\n"
                    "NOTE: You MUST use the interface box.",
                    "Firmware Upgrade", MsgIcon::Information, MsgButtons::OkCancel) != MsgResult::Ok)
        return;
    const auto chosen = RunFileDialog(OpenUpgradeDialog);
    if (!chosen || !QFileInfo(*chosen).isFile())
        return;

    std::int32_t r = LoadUpgradeFileMessages(codecPath(*chosen));
    // Refused before anything is sent: a file without a single message would
    // otherwise be reported as a finished upgrade.
    if (r == trOk && !loadedListHoldsAMessage()) {
        FreeSyxMessageList();
        r = trWrongFileType;
    }
    switch (r) {
    case trOk: break;
    case trOpenFailed: failure("Bad file name."); return;
    case trReadFailed: failure("Memory allocation failure."); return;
    case trWrongFileType: failure("Wrong file type."); return;
    default: return;
    }

    {
        KeypadCommandsLocked locked(*this);
        r = SendUpgradeMessageList();
    }
    FreeSyxMessageList();
    switch (r) {
    case trOk:
        // The keypad restarts with its new firmware: the connection is gone.
        MidiMode = mmNone;
        CloseMidiPorts();
        mnuDirectMIDI->setChecked(false);
        ShowMidiClosed();
        ShowMessage("Success! Please perform a Factory Reset on the keypad.", "Upgrade Complete",
                    MsgIcon::Information, MsgButtons::Ok);
        break;
    case trSendFailed: failure("Burn failed. Did you enable upgrade mode?"); break;
    case trNoAcknowledge: failure("No acknowledge from keypad. Did you enable upgrade mode?", kFailAsk); break;
    default: break;
    }
}

} // namespace zlv
