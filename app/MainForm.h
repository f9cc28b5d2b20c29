// The main window. Its handlers live in one source file per page or command
// group (PresetsPage.cpp, ChainsPage.cpp, ...); add members in the section of
// the file that implements them.
#pragma once

#include "DocumentsFolder.h" // the working folder is made under it at creation
#include "FileDialog.h"
#include "PageTabs.h"
#include "StatusBar.h"
#include "Bank.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>

class QAction;
class QFileDialog;
class QMenu;
class QToolBar;
class QToolButton;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
// Chains and Speed Dials pages
class QGroupBox;
class QListWidget;
class QTableWidget;

namespace zlv {

class TSpinEdit;

enum MidiModeValue : std::int32_t { mmNone = 0, mmFileOnly = 1, mmExternalApp = 2, mmDirectMidi = 3 };

// Redisplay flags read by SomethingChanged.
extern std::uint8_t Refreshing;
extern std::uint8_t Resetting;
extern std::uint8_t ShowingPreset;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    std::int32_t MidiMode = mmNone;
    bool PresetModified = false;

    // ---- frame (MainForm.cpp) ----
    // Size of every page's client area; the pages place their controls in it.
    static constexpr int kPageWidth = 800;
    static constexpr int kPageHeight = 480;

    QToolBar* ToolBar1 = nullptr;
    QToolButton* btnAutoSend = nullptr;
    QToolButton* bntNew = nullptr;
    QToolButton* btnOpenFile = nullptr;
    QToolButton* btnSaveFile = nullptr;
    QToolButton* btnDownload = nullptr;
    QToolButton* btnUpgrade = nullptr;
    QToolButton* btnHelp = nullptr;
    QToolButton* btnExit = nullptr;

    QMenu* MidiMenu = nullptr;
    QAction* mnuPickConnection = nullptr;
    QAction* mnuFileMode = nullptr;
    QAction* mnuDirectMIDI = nullptr;
    QAction* mnuExternalApp = nullptr;
    QMenu* OpenMenu = nullptr;
    QAction* OpenSyxFile = nullptr;
    QAction* OpenSinglePreset1 = nullptr;
    QMenu* SaveMenu = nullptr;
    QAction* SaveToSyxFile = nullptr;
    QAction* SaveOne = nullptr;
    QMenu* DownloadMenu = nullptr;
    QAction* mnuDownloadAll = nullptr;
    QAction* mnuDownloadCurrent = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* About1 = nullptr;
    QAction* PDFManual1 = nullptr;

    QWidget* imgFrame = nullptr;
    TPageControl* PageControl1 = nullptr;
    QWidget* tabPresets = nullptr;
    QWidget* tabChains = nullptr;
    QWidget* tabSpeedDials = nullptr;
    QWidget* tabSettings = nullptr;
    // The ">>>" buttons, one at the top right of each page (kShowPresetsButtonRect).
    QToolButton* btnShowPresets = nullptr;
    QToolButton* BitBtn1 = nullptr;
    QToolButton* BitBtn2 = nullptr;
    QToolButton* BitBtn3 = nullptr;
    static constexpr int kShowPresetsButtonX = 720;
    static constexpr int kShowPresetsButtonY = 6;
    static constexpr int kShowPresetsButtonWidth = 72;
    static constexpr int kShowPresetsButtonHeight = 40;

    // The MIDI input line and the MIDI output line, each with the same two panels.
    TStatusBar* StatusBar1 = nullptr;
    TStatusBar* StatusBar2 = nullptr;
    static constexpr int kConnectionPanel = 0; // the side's connection text
    static constexpr int kPortStatePanel = 1;  // "MIDI Open" or "MIDI Closed"
    static constexpr int kConnectionPanelWidth = 400;
    static constexpr int kPortStatePanelWidth = 50;

    // Each built on its first use, starting in WorkingFolder.
    LazyFileDialog OpenSyxDialog;
    LazyFileDialog OpenSingleDialog;
    LazyFileDialog SaveOneDialog;
    LazyFileDialog SaveAllDialog;
    LazyFileDialog OpenUpgradeDialog;
    // The folder the five dialogs start in, as set at creation; the download
    // commands put their temporary files there.
    QString WorkingFolder;

    void FormCreate();
    void FormShow();
    void UpdatePresetsList();
    void btnShowPresetsClick();
    void PageControl1Changing(bool* allowChange);
    void PageControl1Change();
    // After a command changed the bank: the Chains or Speed Dials page, if it is
    // the one shown, is redrawn from the bank as switching to it would.
    void RedrawShownBankPage();
    void btnExitClick();
    void About1Click();
    void PDFManual1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildToolBar();
    void buildPages();
    QToolButton* addShowPresetsButton(QWidget* page, const char* name);
    bool m_shownOnce = false;

public:

    // ---- Presets page (PresetsPage.cpp) ----
    QLineEdit* edPreset = nullptr;
    QLineEdit* edPresetName = nullptr;
    QLineEdit* edPreMidiData = nullptr;
    QLineEdit* edPreDelay = nullptr;
    QPushButton* btnPreMidiData = nullptr;
    QLineEdit* edPostMidiData = nullptr;
    QLineEdit* edPostDelay = nullptr;
    QPushButton* btnPostMidiData = nullptr;
    QLabel* imgSpeedDialOn = nullptr;
    // The 48 channel cells (spinCh1MSB ... spinCh16Pgm and their boxes), indexed
    // [channel 0..15][kind]; kind 0 bank MSB, 1 bank LSB, 2 program.
    std::array<std::array<TSpinEdit*, 3>, kChannelCount> m_spinCh{};
    std::array<std::array<QCheckBox*, 3>, kChannelCount> m_cboxCh{};
    void setupPresetsPage();
    void ShowCurrentPreset();
    void ShowChannelValue(std::uint8_t value, TSpinEdit* spin, int kind, QCheckBox* box);
    void StoreChannels();
    void StoreChannelValue(int channel, TSpinEdit* spin, int kind);
    void SomethingChanged();
    void cboxClick(TSpinEdit* spin, QCheckBox* box);
    void cboxEnter(QCheckBox* box);
    void cboxExit(QCheckBox* box);
    void spinChxxKeyPress(QKeyEvent* event);
    void edPresetNameExit();
    void edPresetNameKeyUp();
    void btnPreMidiDataClick();
    void btnPostMidiDataClick();

    // ---- Chains page (ChainsPage.cpp) ----
    QGroupBox* GroupBox5 = nullptr;
    QLabel* Label26 = nullptr;
    QLineEdit* edChain = nullptr;
    QLabel* Label27 = nullptr;
    QLineEdit* edChainName = nullptr;
    QGroupBox* GroupBox7 = nullptr;
    QListWidget* ChainList = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    // 19 rows x 2 columns; row 0 and column 0 are the fixed header cells.
    QTableWidget* gridChainLinks = nullptr;
    QMenu* ChainLinkMenu = nullptr;
    QAction* DeleteAllLinks = nullptr;
    // Link index of the selected link row; kept across bank resets.
    std::uint8_t CurrentLinkRow = 0;
    void setupChainsPage();
    void ShowCurrentChain();
    void ChainListClick();
    void edChainNameExit();
    void edChainNameKeyUp();
    void gridChainLinksClick();
    void gridChainLinksDblClick();
    void DeleteAllLinksClick();
    void PadChainNameEdit();
    // After a bank reset: the chain number and the chain list's selection
    // follow CurrentChain (set from code, so no handler runs).
    void ShowChainNumber();

    // ---- Speed Dials page (SpeedDialsPage.cpp) ----
    QGroupBox* GroupBox8 = nullptr;
    QLabel* Label29 = nullptr;
    QGroupBox* groupSpeedDials = nullptr;
    // 10 rows x 2 columns; row 0 and column 0 are the fixed header cells.
    QTableWidget* gridSpeedDials = nullptr;
    QMenu* SpeedDialsMenu = nullptr;
    QAction* DeleteAllSpeedDials = nullptr;
    void setupSpeedDialsPage();
    void ShowSpeedDials();
    void tabSpeedDialsShow();
    void gridSpeedDialsDblClick();
    void DeleteAllSpeedDialsClick();

    // ---- Settings page (SettingsPage.cpp) ----
    QGroupBox* GroupBox9 = nullptr;
    QLabel* Label30 = nullptr;
    QGroupBox* GroupBox10 = nullptr;
    QLabel* Label31 = nullptr;
    QLabel* Label32 = nullptr;
    QLabel* Label33 = nullptr;
    QLabel* Label34 = nullptr;
    QLabel* Label35 = nullptr;
    QLabel* Label36 = nullptr;
    QLabel* Label37 = nullptr;
    // The value labels: "??" until a refresh reads the keypad.
    QLabel* lblMidiChannel = nullptr;
    QLabel* lblPort = nullptr;
    QLabel* lblPresetMode = nullptr;
    QLabel* lblRxPgmChgCh = nullptr;
    QLabel* lblMidiPassThru = nullptr;
    QLabel* lblFirmwareVersion = nullptr;
    QLabel* lblPatchChangeRange = nullptr;
    QPushButton* btnGetSettings = nullptr;
    QLabel* Label28 = nullptr;
    void setupSettingsPage();
    void btnGetSettingsClick();

    // ---- connection modes (ConnectionCommands.cpp) ----
    // Connects the MIDI menu, the Download menu and the Upgrade button.
    void setupKeypadCommands();
    void mnuPickConnectionClick();
    void mnuFileModeClick();
    void mnuExternalAppClick();
    void mnuDirectMIDIClick();
    // Both status bars after the ports were closed: panel 0 empty, panel 1 "MIDI Closed".
    void ShowMidiClosed();

    // ---- download and upgrade commands (DownloadCommands.cpp) ----
    void mnuDownloadCurrentClick();
    void mnuDownloadAllClick();
    void btnUpgradeClick();

    // ---- file commands (FileCommands.cpp) ----
    void setupFileCommands();
    // The pending-edit step: stores the channel controls when they hold edits.
    void storePendingEdits();
    void mnuNewClick();
    void OpenSyxFileClick();
    void mnuOpenSingleClick();
    void SaveToSyxFileClick();
    void mnuSaveSingleAsClick();
};

extern TMainForm* MainForm;

} // namespace zlv
