// The main window. Its handlers live in one source file per page or command
// group (PresetsPage.cpp, ChainsPage.cpp, ...); add members in the section of
// the file that implements them.
#pragma once

#include "Bank.h"

#include <QMainWindow>

#include <array>
#include <cstdint>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

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
    QTabWidget* PageControl1 = nullptr;
    QWidget* tabPresets = nullptr;
    QWidget* tabChains = nullptr;
    QWidget* tabSpeedDials = nullptr;
    QWidget* tabSettings = nullptr;
    void FormCreate();
    void FormShow();
    void UpdatePresetsList();

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
    void setupChainsPage();
    void ShowCurrentChain();

    // ---- Speed Dials page (SpeedDialsPage.cpp) ----
    void setupSpeedDialsPage();
    void ShowSpeedDials();

    // ---- Settings page (SettingsPage.cpp) ----
    void setupSettingsPage();

    // ---- file, connection, download and upgrade commands (Commands.cpp) ----
};

extern TMainForm* MainForm;

} // namespace zlv
