#include "OpenFileSummaryForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zlv {

TfrmOpenFileSummary* frmOpenFileSummary = nullptr;

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QStyle::StandardPixmap icon)
{
    auto* button = new QPushButton(parent->style()->standardIcon(icon), caption, parent);
    button->setObjectName(name);
    button->setMinimumWidth(88);
    return button;
}

} // namespace

TfrmOpenFileSummary::TfrmOpenFileSummary(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName("frmOpenFileSummary");
    setWindowTitle("Open .SYX File Summary");

    // Declaration order of the form: buttons, captions, values, question.
    BitBtn1 = makeButton(this, "BitBtn1", "Contine", QStyle::SP_DialogOkButton);
    BitBtn2 = makeButton(this, "BitBtn2", "Cancel", QStyle::SP_DialogCancelButton);
    Label1 = makeLabel(this, "Label1", "This file contains: ");
    Label2 = makeLabel(this, "Label2", QStringLiteral(u"\u00B7 # Presets (old format): "));
    Label3 = makeLabel(this, "Label3", QStringLiteral(u"\u00B7 # Presets (new format): "));
    Label4 = makeLabel(this, "Label4", QStringLiteral(u"\u00B7 # Chains: "));
    Label5 = makeLabel(this, "Label5", QStringLiteral(u"\u00B7 # Speed Dials: "));
    Label6 = makeLabel(this, "Label6", QStringLiteral(u"\u00B7 # Other Settings: "));
    lblNumOldPresets = makeLabel(this, "lblNumOldPresets", "0");
    lblNumNewPresets = makeLabel(this, "lblNumNewPresets", "0");
    lblNumChains = makeLabel(this, "lblNumChains", "0");
    lblNumSpeedDials = makeLabel(this, "lblNumSpeedDials", "0");
    lblNumOtherSettings = makeLabel(this, "lblNumOtherSettings", "0");
    Label7 = makeLabel(this, "Label7", "Clear all data and load this file?");

    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);
    // The count of other settings is kept in the form but never shown.
    Label6->hide();
    lblNumOtherSettings->hide();

    auto* rows = new QGridLayout;
    rows->setContentsMargins(12, 0, 0, 0);
    rows->setHorizontalSpacing(8);
    rows->setVerticalSpacing(4);
    QLabel* captions[] = {Label2, Label3, Label4, Label5, Label6};
    QLabel* values[] = {lblNumOldPresets, lblNumNewPresets, lblNumChains, lblNumSpeedDials, lblNumOtherSettings};
    for (int row = 0; row < 5; ++row) {
        rows->addWidget(captions[row], row, 0);
        values[row]->setMinimumWidth(values[row]->fontMetrics().horizontalAdvance("0000"));
        rows->addWidget(values[row], row, 1, Qt::AlignLeft);
    }
    rows->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addSpacing(12);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->setSpacing(8);
    layout->addWidget(Label1);
    layout->addLayout(rows);
    layout->addSpacing(6);
    layout->addWidget(Label7);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    // Fixed size: the dialog takes the size of its contents and cannot be resized.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace zlv
