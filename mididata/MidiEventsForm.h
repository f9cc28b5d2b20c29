#pragma once

#include "Bank.h"
#include "MidiEvents.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QStatusBar;
class QTimer;

namespace zlv {

class TStringGrid;

// The MIDI data editor: edits one data block and its delay. The caller copies
// the block into MidiData and the delay into InterByteDelay, runs the dialog
// modally and, on Accept (result 1; Cancel is 2), copies MidiData back and takes
// the delay from tbarDelay's position.
class TMidiEventsForm : public QDialog {
    Q_OBJECT
public:
    explicit TMidiEventsForm(QWidget* parent = nullptr);

    static constexpr int kResultAccept = 1;
    static constexpr int kResultCancel = 2;

    MidiDataBlock MidiData;
    std::uint8_t InterByteDelay = 0;

    // " Type: Predefined "
    QGroupBox* GroupBox1 = nullptr;
    std::array<QRadioButton*, kEventButtonCount> TypeButtons{};
    QLabel* lblMidiChannel = nullptr;
    QSlider* tbMidiChannel = nullptr;
    QLineEdit* edMidiChannel = nullptr;
    QLabel* lblParam1 = nullptr;
    QSlider* tbMidiParam1 = nullptr;
    QLineEdit* edMidiParam1 = nullptr;
    QLabel* lblParam2 = nullptr;
    QSlider* tbMidiParam2 = nullptr;
    QLineEdit* edMidiParam2 = nullptr;
    QLabel* lblControllerName = nullptr;
    QPushButton* btnInsert1 = nullptr;
    // " Type: Custom "
    QGroupBox* GroupBox3 = nullptr;
    QLineEdit* edManualInput = nullptr;
    QRadioButton* rbHexadecimal = nullptr;
    QRadioButton* rbDecimal = nullptr;
    QPushButton* btnInsert2 = nullptr;
    // " Arbitrary MIDI Data "
    QGroupBox* GroupBox2 = nullptr;
    QSlider* tbarDelay = nullptr;
    QLineEdit* edDelay = nullptr;
    TStringGrid* Grid = nullptr;
    QPushButton* btnEraseAll = nullptr;
    QPushButton* Button1 = nullptr; // Cancel
    QPushButton* Button2 = nullptr; // Accept
    QStatusBar* sbarMiniNoteOn = nullptr;
    QTimer* Timer1 = nullptr;

    QRadioButton* typeButton(EventButton button) const { return TypeButtons[static_cast<std::size_t>(button)]; }
    QString statusPanelText(int panel) const;
    // Data index of the grid's current cell.
    int currentCellIndex() const;

    // Runs from the show event; prepares the dialog for the block handed in.
    void FormShow();
    void ShowMidiData();
    void UpdateEventDisplay();
    void GridSelectCell(int ACol, int ARow, bool& CanSelect);
    void GridDblClick();
    void btnEraseAllClick();
    void tbarDelayChange();
    void Timer1Timer();
    // Every type button: its tag, captions and value rows come from EventButtons.
    void TypeButtonClick(EventButton button);
    void InsertStandardButtonClick();
    void rbHexadecimalClick();
    void rbDecimalClick();
    void edManualInputKeyPress();
    // A decimal text that is no whole number is shown as the application shows
    // an exception escaping a handler, and nothing is inserted.
    void InsertCustomButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    EventButton checkedType() const;
    void moveCursorColThenRow(int index);

    std::array<QLabel*, 4> m_panels{};
    int m_manualMaxLength = 2;
    QString m_manualText;
};

extern TMidiEventsForm* MidiEventsForm;

} // namespace zlv
