// New, Open all, Import One Preset, Save all and Export Current Preset: the
// commands that reset the bank or move it between memory and .syx files.
#include "MainForm.h"

#include "CommandSupport.h"

#include "AppTitle.h"
#include "Bank.h"
#include "FileDialog.h"
#include "LoadForm.h"
#include "Modal.h"
#include "OpenFileSummaryForm.h"
#include "PageTabs.h"
#include "SaveForm.h"
#include "SpinEdit.h"
#include "SyxReader.h"
#include "SyxRecords.h"
#include "SyxWriter.h"
#include "UserMessage.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <cstring>
#include <string>

namespace zlv {

namespace {

// A typed name of a missing file ends a command without a word.
bool fileExists(const QString& path) { return QFileInfo(path).isFile(); }

// The writers leave an existing file as it was when they fail; the user must
// still learn that nothing was saved.
void reportWriteFailure(std::uint8_t result)
{
    if (result != 0)
        ShowMessage("Could not write the file.", "File Error!", MsgIcon::Exclamation, MsgButtons::Ok);
}

void reportOpenFailure()
{
    ShowMessage("Could not open the file.", "File Open Error!", MsgIcon::Exclamation, MsgButtons::Ok);
}

// A file without one record the counter knows would only reset the bank.
bool reportNothingToLoad(const SyxFileCountsRecord& counts)
{
    if (counts.OldPresetCount != 0 || counts.NewPresetCount != 0 || counts.ChainCount != 0 ||
        counts.SpeedDialCount != 0 || counts.OtherSettingCount != 0)
        return false;
    ShowMessage("Nothing to load.", "File Open Error!");
    return true;
}

} // namespace

void TMainForm::setupFileCommands()
{
    connect(bntNew, &QToolButton::clicked, this, &TMainForm::mnuNewClick);
    connect(OpenSyxFile, &QAction::triggered, this, &TMainForm::OpenSyxFileClick);
    connect(OpenSinglePreset1, &QAction::triggered, this, &TMainForm::mnuOpenSingleClick);
    connect(SaveToSyxFile, &QAction::triggered, this, &TMainForm::SaveToSyxFileClick);
    connect(SaveOne, &QAction::triggered, this, &TMainForm::mnuSaveSingleAsClick);
}

void TMainForm::storePendingEdits()
{
    if (PresetModified) {
        PresetModified = false;
        StoreChannels();
    }
}

void TMainForm::mnuNewClick()
{
    Resetting = 1;
    InitBankDefaults();
    ShowChainNumber();
    PresetModified = false;
    setWindowTitle(QString::fromStdString(AppTitle));
    Resetting = 0;
    edPreset->setText("1");
    Refreshing = 1;
    ShowCurrentPreset();
    Refreshing = 0;
    UpdatePresetsList();
    RedrawShownBankPage();
}

void TMainForm::mnuOpenSingleClick()
{
    storePendingEdits();
    const auto chosen = RunFileDialog(OpenSingleDialog);
    if (!chosen || !fileExists(*chosen))
        return;
    if (QFileInfo(*chosen).size() > static_cast<qint64>(kMaxSinglePresetFileSize)) {
        ShowMessage("This file is too big to be a single Preset file.", "File Open Error!");
        return;
    }
    if (ImportPresetFile(codecPath(*chosen)) != 0)
        return;
    LoadForm->spinPreset->setValue(FilePresetNumber + 1);
    if (ExecModal(LoadForm) != TLoadForm::ResultContinue)
        return;
    CurrentPreset = static_cast<std::uint8_t>(LoadForm->spinPreset->value() - 1);
    std::memcpy(&PresetTable[CurrentPreset], &PresetStaging, kPresetRecordSize);
    ShowCurrentPreset();
    edPreset->setText(QString::number(CurrentPreset + 1));
    UpdatePresetsList();
    // The preset may stand in the links and dials shown.
    RedrawShownBankPage();
}

void TMainForm::OpenSyxFileClick()
{
    // The whole bank is replaced, so pending edits are neither stored nor cleared.
    const auto chosen = RunFileDialog(OpenSyxDialog);
    if (!chosen || !fileExists(*chosen))
        return;
    const std::string path = codecPath(*chosen);
    CountSyxFileMessages(path);
    const SyxFileCountsRecord counts = SyxFileCounts;
    frmOpenFileSummary->lblNumOldPresets->setText(QString::number(counts.OldPresetCount));
    frmOpenFileSummary->lblNumNewPresets->setText(QString::number(counts.NewPresetCount));
    frmOpenFileSummary->lblNumChains->setText(QString::number(counts.ChainCount));
    frmOpenFileSummary->lblNumSpeedDials->setText(QString::number(counts.SpeedDialCount));
    if (ExecModal(frmOpenFileSummary) != QDialog::Accepted)
        return;
    if (reportNothingToLoad(counts))
        return;

    // The file is opened, and counted again as it is now, before the bank is
    // reset: while the summary was shown it may have gone, been emptied or been
    // replaced (another program, a stick pulled, a FIFO that would keep the
    // window waiting), and then the bank and every unsaved edit in it stay. The
    // count and the load read the one file opened here, so what was counted is
    // what is loaded.
    SyxInputStream in(path);
    if (!in.IsOpen()) {
        reportOpenFailure();
        return;
    }
    CountSyxMessages(in);
    if (reportNothingToLoad(SyxFileCounts))
        return;
    if (!in.Rewind()) {
        reportOpenFailure();
        return;
    }
    WaitCursor hourglass;
    // A switch made from code: the channel controls are not stored and the
    // preset list keeps its caption. It comes before the reset: hiding the
    // Chains page takes the focus from its name edit, which then commits what it
    // shows, and that must reach the chain it shows, not the one loaded.
    PageControl1->setCurrentIndex(0);
    InitBankDefaults();
    ShowChainNumber();
    LoadBankFromStream(in); // a malformed file has shown its message; what was read stays
    repaint();
    CurrentPreset = 0;
    edPreset->setText("1");
    ShowCurrentPreset();
    hourglass.release();
    UpdatePresetsList();
}

void TMainForm::SaveToSyxFileClick()
{
    const auto chosen = RunFileDialog(SaveAllDialog);
    if (!chosen)
        return;
    WaitCursor hourglass;
    storePendingEdits();
    const std::uint8_t result = SaveBankToFile(codecPath(*chosen));
    CurrentPreset = 0;
    edPreset->setText("1");
    ShowCurrentPreset();
    hourglass.release();
    reportWriteFailure(result);
}

void TMainForm::mnuSaveSingleAsClick()
{
    storePendingEdits();
    PadChainNameEdit();
    SaveForm->spinPreset->setValue(CurrentPreset + 1);
    SaveForm->setWindowTitle("Export To Which Preset?");
    SaveForm->Label1->setText("Export Current Preset to this Preset Number: ");
    if (ExecModal(SaveForm) != TSaveForm::ResultContinue)
        return;
    FilePresetNumber = static_cast<std::uint8_t>(SaveForm->spinPreset->value() - 1);
    SaveOneDialog->selectFile(offeredPresetFileName());
    const auto chosen = RunFileDialog(SaveOneDialog);
    if (!chosen)
        return;
    reportWriteFailure(ExportPresetToFile(codecPath(*chosen)));
}

} // namespace zlv
