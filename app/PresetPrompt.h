// The two preset-number prompts share their controls: the caller sets the
// number (1-based), shows the window modally and reads the number back after
// "Continue" (result 1); "Cancel" and the close box give 2.
#pragma once

#include "Bank.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace zlv {

class TSpinEdit;

class TPresetPromptForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int ResultContinue = QDialog::Accepted;
    static constexpr int ResultCancel = 2;
    static constexpr int kFirstPreset = 1;
    static constexpr int kLastPreset = static_cast<int>(kPresetCount);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    TSpinEdit* spinPreset = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* btnContinue = nullptr;
    QPushButton* btnCancel = nullptr;

    void reject() override;

protected:
    TPresetPromptForm(const char* name, const char* caption, const char* prompt, QWidget* parent);
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace zlv
