// The confirmation shown before a whole .syx file replaces the bank: what the
// file holds, and whether to go on. Passive: the open command fills the count
// labels from SyxFileCounts, runs it modally and reads the result.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zlv {

class TfrmOpenFileSummary : public QDialog {
    Q_OBJECT
public:
    explicit TfrmOpenFileSummary(QWidget* parent = nullptr);

    QPushButton* BitBtn1;             // "Contine": OK, the default button
    QPushButton* BitBtn2;             // "Cancel"
    QLabel* Label1;                   // heading
    QLabel* Label2;                   // row captions
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;                   // hidden row
    QLabel* lblNumOldPresets;
    QLabel* lblNumNewPresets;
    QLabel* lblNumChains;
    QLabel* lblNumSpeedDials;
    QLabel* lblNumOtherSettings;      // hidden, never set
    QLabel* Label7;                   // the question
};

extern TfrmOpenFileSummary* frmOpenFileSummary;

} // namespace zlv
