// The main window. Its handlers live in one source file per page or command
// group (PresetsPage.cpp, ChainsPage.cpp, ...); add members in the section of
// the file that implements them.
#pragma once

#include <QMainWindow>

#include <cstdint>

class QTabWidget;

namespace zlv {

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
    void setupPresetsPage();
    void ShowCurrentPreset();
    void StoreChannels();

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
