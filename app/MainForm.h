// The main window. Its handlers live in one source file per page or command
// group (PresetsPage.cpp, ChainsPage.cpp, ...); add members in the section of
// the file that implements them.
#pragma once

#include <QMainWindow>

#include <cstdint>

class QTabWidget;
// Chains and Speed Dials pages
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;
class QTableWidget;

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
    void setupSettingsPage();

    // ---- file, connection, download and upgrade commands (Commands.cpp) ----
};

extern TMainForm* MainForm;

} // namespace zlv
