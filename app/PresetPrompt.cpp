#include "PresetPrompt.h"

#include "FormKeys.h"
#include "SpinEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zlv {

TPresetPromptForm::TPresetPromptForm(const char* name, const char* caption, const char* prompt, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);

    Label1 = new QLabel(prompt, this);
    Label1->setObjectName("Label1");
    Label2 = new QLabel("Preset Number: ", this);
    Label2->setObjectName("Label2");
    spinPreset = new TSpinEdit(this);
    spinPreset->setObjectName("spinPreset");
    spinPreset->setMinValue(kFirstPreset);
    spinPreset->setMaxValue(kLastPreset);
    spinPreset->setValue(kFirstPreset);
    spinPreset->setFixedWidth(72);
    Label6 = new QLabel("(1 - 200)", this);
    Label6->setObjectName("Label6");
    btnContinue = new QPushButton("Continue", this);
    btnContinue->setObjectName("btnContinue");
    btnCancel = new QPushButton("Cancel", this);
    btnCancel->setObjectName("btnCancel");
    for (QPushButton* button : {btnContinue, btnCancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumWidth(88);
    }
    connect(btnContinue, &QPushButton::clicked, this, [this] { done(ResultContinue); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(ResultCancel); });

    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(Label2);
    numberRow->addWidget(spinPreset);
    numberRow->addWidget(Label6);
    numberRow->addStretch(1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(btnContinue);
    buttonRow->addWidget(btnCancel);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 18, 20, 16);
    column->setSpacing(12);
    column->addWidget(Label1);
    column->addLayout(numberRow);
    column->addStretch(1);
    column->addLayout(buttonRow);
    setMinimumWidth(380);
}

void TPresetPromptForm::reject() { done(ResultCancel); }

void TPresetPromptForm::keyPressEvent(QKeyEvent* event)
{
    if (!HandleFormKey(this, event))
        QDialog::keyPressEvent(event);
}

void TPresetPromptForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        CentreOnScreen(this);
}

} // namespace zlv
