// The Settings page: what the keypad keeps itself, read over direct MIDI on
// "Refresh Settings" and shown as text. The editor never stores or changes it.
#include "MainForm.h"

#include "CommandSupport.h"
#include "Pictures.h"

#include "KeypadQueries.h"
#include "MidiExchange.h"
#include "UserMessage.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace zlv {

namespace {

const char* const kUnknown = "??";

// Layout of the rows in GroupBox10.
constexpr int kRowsLeft = 8;
constexpr int kRowsTop = 60;
constexpr int kRowsWidth = 560;
constexpr int kRowHeight = 30;
constexpr int kRowCount = 7;
constexpr int kCaptionX = 16;
constexpr int kCaptionWidth = 250;
constexpr int kValueX = 280;
constexpr int kValueWidth = 260;
constexpr int kLabelHeight = 22;
// The ">>>" button of the frame stands at the top right of the page; nothing here reaches it.
static_assert(kRowsLeft + kRowsWidth < TMainForm::kShowPresetsButtonX);

QString presetModeText(std::uint8_t v)
{
    switch (v) {
    case 0: return "Normal";
    case 1: return "Browse";
    default: return kUnknown;
    }
}

QString receiveChannelText(std::uint8_t v)
{
    if (v == 0)
        return "Off";
    if (v <= 16)
        return "Channel " + QString::number(v);
    if (v == 17)
        return "All";
    return kUnknown;
}

QString portText(std::uint8_t v)
{
    switch (v) {
    case ptUsb: return "Direct via USB";
    case ptMidiInterface: return "Connected via MIDI interface";
    default: return kUnknown;
    }
}

QString passThruText(std::uint8_t v)
{
    switch (v) {
    case 0: return "Pass-Thru Off";
    case 1: return "Pass-Thru On";
    default: return kUnknown;
    }
}

} // namespace

void TMainForm::setupSettingsPage()
{
    GroupBox9 = new QGroupBox(tabSettings);
    GroupBox9->setObjectName("GroupBox9");
    GroupBox9->setGeometry(kRowsLeft, 6, 330, 46);
    Label30 = new QLabel("View Keypad Settings", GroupBox9);
    Label30->setObjectName("Label30");
    QFont heading = Label30->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.15);
    Label30->setFont(heading);
    Label30->setGeometry(12, 12, 300, 24);

    GroupBox10 = new QGroupBox(tabSettings);
    GroupBox10->setObjectName("GroupBox10");
    GroupBox10->setGeometry(kRowsLeft, kRowsTop, kRowsWidth, kRowCount * kRowHeight + 20);
    QFont valueFont = font();
    valueFont.setBold(true);
    auto addRow = [&](int row, const char* captionName, const char* caption, const char* valueName,
                      QLabel*& captionLabel, QLabel*& valueLabel) {
        const int y = 12 + row * kRowHeight;
        captionLabel = new QLabel(caption, GroupBox10);
        captionLabel->setObjectName(captionName);
        captionLabel->setGeometry(kCaptionX, y, kCaptionWidth, kLabelHeight);
        valueLabel = new QLabel(kUnknown, GroupBox10);
        valueLabel->setObjectName(valueName);
        valueLabel->setTextFormat(Qt::PlainText);
        valueLabel->setFont(valueFont);
        valueLabel->setGeometry(kValueX, y, kValueWidth, kLabelHeight);
    };
    addRow(0, "Label31", "Manual Mode Midi Channel: ", "lblMidiChannel", Label31, lblMidiChannel);
    addRow(1, "Label32", "Keypad Attached Via:", "lblPort", Label32, lblPort);
    addRow(2, "Label33", "Preset Mode Browsing:", "lblPresetMode", Label33, lblPresetMode);
    addRow(3, "Label34", "Receive MIDI Program Change:", "lblRxPgmChgCh", Label34, lblRxPgmChgCh);
    addRow(4, "Label35", "MIDI Pass-Thru: *", "lblMidiPassThru", Label35, lblMidiPassThru);
    addRow(5, "Label36", "Keypad Firmware Version:", "lblFirmwareVersion", Label36, lblFirmwareVersion);
    addRow(6, "Label37", "Keypad views Patch Change #'s as:  ", "lblPatchChangeRange", Label37,
           lblPatchChangeRange);

    const int belowRows = GroupBox10->geometry().bottom() + 12;
    btnGetSettings = new QPushButton("Refresh Settings", tabSettings);
    SetIconWhenFirstShown(btnGetSettings, [this] { return style()->standardIcon(QStyle::SP_BrowserReload); });
    btnGetSettings->setObjectName("btnGetSettings");
    btnGetSettings->setGeometry(kRowsLeft, belowRows, 160, 32);
    connect(btnGetSettings, &QPushButton::clicked, this, &TMainForm::btnGetSettingsClick);

    Label28 = new QLabel("* You must turn MIDI Pass-Thru OFF from the keypad before using this software.", tabSettings);
    Label28->setObjectName("Label28");
    Label28->setGeometry(kRowsLeft, belowRows + 44, 620, kLabelHeight);
}

void TMainForm::btnGetSettingsClick()
{
    if (MidiMode != mmDirectMidi) {
        ShowMessage("No MIDI interface selected.", "Error!");
        return;
    }

    WaitCursor hourglass;
    // The old texts go first, and visibly, so that no value of an earlier
    // refresh stands beside a query that fails now.
    for (QLabel* value : {lblMidiChannel, lblPresetMode, lblRxPgmChgCh, lblPort, lblMidiPassThru, lblFirmwareVersion,
                          lblPatchChangeRange})
        value->setText(kUnknown);
    repaint();

    std::uint8_t v = 0;
    if (ReadKeypadParameter(kpMidiChannel, v) == trOk)
        lblMidiChannel->setText("Channel " + QString::number(v + 1));
    if (ReadKeypadParameter(kpPresetMode, v) == trOk)
        lblPresetMode->setText(presetModeText(v));
    if (ReadKeypadParameter(kpRxPgmChgCh, v) == trOk)
        lblRxPgmChgCh->setText(receiveChannelText(v));
    if (ReadKeypadParameter(kpPatchChangeRange, v) == trOk)
        lblPatchChangeRange->setText(v == 0 ? "0 to 127" : "1 to 128");
    if (ReadKeypadPort(v) == trOk)
        lblPort->setText(portText(v));
    if (ReadKeypadParameter(kpMidiPassThru, v) == trOk)
        lblMidiPassThru->setText(passThruText(v));
    if (ReadFirmwareVersion() == trOk)
        lblFirmwareVersion->setText(keypadVersionText());
}

} // namespace zlv
