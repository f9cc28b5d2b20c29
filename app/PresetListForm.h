// The narrow side window beside the main window that lists all 200 presets:
// a click picks the preset shown on the Presets page, a double-click adds the
// preset to the current chain or speed dial, and a drag reorders the bank.
#pragma once

#include <QDialog>
#include <QListWidget>

#include <cstdint>

namespace zlv {

class TPresetListForm : public QDialog {
    Q_OBJECT
public:
    explicit TPresetListForm(QWidget* parent = nullptr);

    QListWidget* ListBox1 = nullptr;

    void FormCreate();
    void FormShow();
    void ListBox1Click();
    void ListBox1DblClick();
    // Answers whether a drag from `source` may be dropped here, and scrolls one row
    // when `y` (list client coordinates) lies near the top or bottom edge.
    bool ListBox1DragOver(QObject* source, int y);
    // Moves the dragged (selected) preset record to the row under `pos`.
    void ListBox1DragDrop(QObject* source, QPoint pos);

    // The list's selected row, or -1 when none is selected.
    int selectedRow() const;
    // Index of the first visible row.
    int topRow() const;

public slots:
    // No close box: Escape does not hide the window either; the main window's buttons do.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

extern TPresetListForm* PresetListForm;
// 1 while a click in the list stores and redisplays the Presets page.
extern std::uint8_t Selecting;

} // namespace zlv
