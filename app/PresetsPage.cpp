// The Presets page: one preset's name, its 48 channel values and its two MIDI
// data blocks. Name and blocks go into the record at once; the channel values
// stay in the controls until StoreChannels.
#include "MainForm.h"

#include "BankEdits.h"
#include "BankText.h"
#include "FocusChange.h"
#include "Modal.h"
#include "MidiEventsForm.h"
#include "NameEdit.h"
#include "PresetListForm.h"
#include "SpinEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <functional>
#include <utility>

namespace zlv {

namespace {

constexpr int kKindBankMsb = 0;
constexpr int kKindBankLsb = 1;
constexpr int kKindProgram = 2;
constexpr int kKindCount = 3;
static_assert(offsetof(ChannelPatch, BankMsb) == kKindBankMsb && offsetof(ChannelPatch, BankLsb) == kKindBankLsb &&
              offsetof(ChannelPatch, Program) == kKindProgram && sizeof(ChannelPatch) == kKindCount);

constexpr const char* kKindSuffix[kKindCount] = {"MSB", "LSB", "Pgm"};
constexpr const char* kColumnHeading[kKindCount] = {"Bank Select MSB (0-127)", "Bank Select LSB (0-127)",
                                                    "Program Change (1 to 128)"};

// Page geometry, within TMainForm::kPageWidth x kPageHeight; the top group stops
// short of the ">>>" button that the frame puts at TMainForm::kShowPresetsButtonX.
constexpr int kRowPitch = 18;
constexpr int kFieldHeight = 22;
constexpr int kColumnX[kKindCount] = {112, 336, 560};
constexpr int kColumnWidth = 200;
constexpr int kCheckWidth = 22;
constexpr int kSpinWidth = 64;

// Runs callbacks for the focus events of the check boxes without each box
// needing a class of its own.
class EventHook : public QObject {
public:
    using Callback = std::function<void(QEvent*)>;
    EventHook(QObject* watched, QEvent::Type type, Callback callback)
        : QObject(watched), m_type(type), m_callback(std::move(callback))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == m_type && !isActivationFocusChange(event))
            m_callback(event);
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type m_type;
    Callback m_callback;
};

std::uint8_t& channelByte(int channel, int kind)
{
    ChannelPatch& patch = PresetTable[CurrentPreset].Channels[channel];
    return kind == kKindBankMsb ? patch.BankMsb : kind == kKindBankLsb ? patch.BankLsb : patch.Program;
}

// Whether the control itself is switched on, whatever its parents say.
bool ownEnabled(const QWidget* w) { return !w->testAttribute(Qt::WA_ForceDisabled); }

QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }

void setBackground(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(w->backgroundRole(), colour);
    w->setPalette(p);
}

// A read-only field that shows data and delays: no tab stop, button-face colour.
QLineEdit* displayField(QWidget* parent, const char* name, QRect geometry)
{
    auto* ed = new QLineEdit(parent);
    ed->setObjectName(name);
    ed->setReadOnly(true);
    ed->setFocusPolicy(Qt::ClickFocus);
    QPalette p = ed->palette();
    p.setColor(QPalette::Base, buttonFace());
    ed->setPalette(p);
    ed->setGeometry(geometry);
    return ed;
}

QLabel* label(QWidget* parent, const QString& text, QRect geometry, Qt::Alignment align = Qt::AlignVCenter)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    l->setAlignment(align);
    return l;
}

// The speed-dial marker: a gold disc with a white star.
QPixmap speedDialMarker()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 100, 0), 1));
    p.setBrush(QColor(240, 180, 20));
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = (i % 2 == 0) ? 8.5 : 3.6;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(12 + r * std::cos(a), 12.5 + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(star);
    return pm;
}

// Data text: two upper-case hex digits and a blank per byte, up to the first 0xFF.
QString dataText(const MidiDataBlock& block)
{
    QString text;
    for (std::uint8_t b : block) {
        if (b == kEmpty)
            break;
        text += QStringLiteral("%1 ").arg(b, 2, 16, QChar(u'0')).toUpper();
    }
    return text;
}

struct DataBlockRef {
    MidiDataBlock& data;
    std::uint8_t& delay;
    const char* caption;
};

// Hands one data block and its delay to the MIDI data editor and takes them back
// only when the user accepts.
void editDataBlock(TMainForm* form, bool post)
{
    form->StoreChannels();
    if (!MidiEventsForm)
        return;
    PresetRecord& rec = PresetTable[CurrentPreset];
    DataBlockRef ref = post ? DataBlockRef{rec.PostData, rec.PostDelay, "Edit POST-Patch MIDI Data"}
                            : DataBlockRef{rec.PreData, rec.PreDelay, "Edit PRE-Patch MIDI Data"};
    std::memcpy(MidiEventsForm->MidiData, ref.data, kMidiDataBlockSize);
    MidiEventsForm->InterByteDelay = ref.delay;
    MidiEventsForm->setWindowTitle(QString::fromLatin1(ref.caption));
    if (ExecModal(MidiEventsForm) != TMidiEventsForm::kResultAccept)
        return;
    std::memcpy(ref.data, MidiEventsForm->MidiData, kMidiDataBlockSize);
    ref.delay = static_cast<std::uint8_t>(std::clamp(MidiEventsForm->tbarDelay->value(), 0, 127));
    form->ShowCurrentPreset();
}

} // namespace

void TMainForm::setupPresetsPage()
{
    QWidget* page = tabPresets;

    // Preset number and name, the speed-dial marker to the left.
    imgSpeedDialOn = new QLabel(page);
    imgSpeedDialOn->setObjectName("imgSpeedDialOn");
    imgSpeedDialOn->setPixmap(speedDialMarker());
    imgSpeedDialOn->setGeometry(12, 15, 24, 24);
    imgSpeedDialOn->hide();

    auto* top = new QGroupBox(page);
    top->setGeometry(44, 4, 668, 46);
    label(top, "Preset:", QRect(12, 12, 48, kFieldHeight));
    edPreset = displayField(top, "edPreset", QRect(62, 12, 44, kFieldHeight));
    edPreset->setText("1");
    label(top, "Name:", QRect(130, 12, 42, kFieldHeight));
    auto* nameEdit = new NameEdit(top);
    edPresetName = nameEdit;
    edPresetName->setObjectName("edPresetName");
    edPresetName->setMaxLength(static_cast<int>(kNameLength));
    edPresetName->setGeometry(174, 12, 150, kFieldHeight);
    connect(edPresetName, &QLineEdit::textChanged, this, &TMainForm::SomethingChanged);
    nameEdit->onKeyUp = [this] { edPresetNameKeyUp(); };
    nameEdit->onExit = [this] { edPresetNameExit(); };
    // A change made without a key (the context menu, the mouse, a drop) is stored at once too.
    nameEdit->onEdited = [this] { edPresetNameExit(); };

    // One data block: "Data: " field, "Delay: " field and the Edit... button.
    auto dataGroup = [page](const char* title, int y, const char* dataName, const char* delayName,
                            const char* buttonName, QLineEdit*& data, QLineEdit*& delay, QPushButton*& button) {
        auto* g = new QGroupBox(title, page);
        g->setGeometry(8, y, 784, 48);
        label(g, "Data: ", QRect(10, 18, 40, kFieldHeight));
        data = displayField(g, dataName, QRect(50, 18, 524, kFieldHeight));
        label(g, "Delay: ", QRect(590, 18, 44, kFieldHeight));
        delay = displayField(g, delayName, QRect(634, 18, 40, kFieldHeight));
        button = new QPushButton("Edit...", g);
        button->setObjectName(buttonName);
        button->setGeometry(688, 17, 84, kFieldHeight + 2);
    };
    dataGroup("BEFORE Patch MIDI Data ", 52, "edPreMidiData", "edPreDelay", "btnPreMidiData", edPreMidiData,
              edPreDelay, btnPreMidiData);

    // The channel cells: 16 rows of three columns, a check box left of its spin edit.
    auto* channels = new QGroupBox(" Bank/Patch Data ", page);
    channels->setGeometry(8, 102, 784, 326);
    for (int kind = 0; kind < kKindCount; ++kind)
        label(channels, kColumnHeading[kind], QRect(kColumnX[kind], 16, kColumnWidth, 18), Qt::AlignCenter);
    const int cellX = (kColumnWidth - kCheckWidth - kSpinWidth) / 2;
    for (int ch = 0; ch < static_cast<int>(kChannelCount); ++ch) {
        const int y = 36 + ch * kRowPitch;
        label(channels, QStringLiteral("MIDI Ch %1: ").arg(ch + 1), QRect(16, y, 90, kRowPitch));
        for (int kind = 0; kind < kKindCount; ++kind) {
            const QString suffix = QStringLiteral("Ch%1%2").arg(ch + 1).arg(QLatin1String(kKindSuffix[kind]));
            auto* box = new QCheckBox(" ", channels);
            box->setObjectName("cbox" + suffix);
            box->setGeometry(kColumnX[kind] + cellX, y, kCheckWidth, kRowPitch);
            box->setBackgroundRole(QPalette::Window);
            box->setAutoFillBackground(true);
            setBackground(box, buttonFace());
            auto* spin = new TSpinEdit(channels);
            spin->setObjectName("spin" + suffix);
            spin->setMinValue(kind == kKindProgram ? 1 : 0);
            spin->setMaxValue(kind == kKindProgram ? 128 : 127);
            spin->setValue(spin->minValue());
            spin->setEnabled(false);
            spin->setGeometry(kColumnX[kind] + cellX + kCheckWidth, y, kSpinWidth, kRowPitch);
            m_cboxCh[ch][kind] = box;
            m_spinCh[ch][kind] = spin;
            // toggled, not clicked: a change made by the program must act as a click does.
            connect(box, &QCheckBox::toggled, this, [this, spin, box] { cboxClick(spin, box); });
            new EventHook(box, QEvent::FocusIn, [this, box](QEvent*) { cboxEnter(box); });
            new EventHook(box, QEvent::FocusOut, [this, box](QEvent*) { cboxExit(box); });
            connect(spin, &TSpinEdit::changed, this, &TMainForm::SomethingChanged);
            connect(spin, &TSpinEdit::keyPressed, this, &TMainForm::spinChxxKeyPress);
        }
    }

    dataGroup("AFTER Patch MIDI Data ", 430, "edPostMidiData", "edPostDelay", "btnPostMidiData", edPostMidiData,
              edPostDelay, btnPostMidiData);
    connect(btnPreMidiData, &QPushButton::clicked, this, &TMainForm::btnPreMidiDataClick);
    connect(btnPostMidiData, &QPushButton::clicked, this, &TMainForm::btnPostMidiDataClick);

    // Tab order: the channel cells row by row, then the POST and PRE buttons, then the name.
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (std::size_t ch = 0; ch < kChannelCount; ++ch)
        for (int kind = 0; kind < kKindCount; ++kind) {
            chain(m_cboxCh[ch][kind]);
            chain(m_spinCh[ch][kind]->lineEdit());
        }
    chain(btnPostMidiData);
    chain(btnPreMidiData);
    chain(edPresetName);
}

void TMainForm::ShowCurrentPreset()
{
    if (ShowingPreset)
        return;
    ShowingPreset = 1;
    const PresetRecord& rec = PresetTable[CurrentPreset];
    edPresetName->setText(NameToText(rec.Name));
    edPreDelay->setText(QString::number(rec.PreDelay));
    edPostDelay->setText(QString::number(rec.PostDelay));
    for (std::size_t ch = 0; ch < kChannelCount; ++ch)
        for (int kind = 0; kind < kKindCount; ++kind)
            ShowChannelValue(channelByte(static_cast<int>(ch), kind), m_spinCh[ch][kind], kind, m_cboxCh[ch][kind]);
    edPreMidiData->setText(dataText(rec.PreData));
    edPostMidiData->setText(dataText(rec.PostData));
    bool speedDial = false;
    for (std::uint8_t entry : SpeedDials)
        speedDial = speedDial || entry == CurrentPreset;
    imgSpeedDialOn->setVisible(speedDial);
    ShowingPreset = 0;
}

void TMainForm::ShowChannelValue(std::uint8_t value, TSpinEdit* spin, int kind, QCheckBox* box)
{
    const int shown = value & 0x7F;
    spin->setValue(kind == kKindProgram ? shown + 1 : shown);
    // Changing the box runs cboxClick, which toggles the spin edit; the explicit
    // state set afterwards is what counts.
    if (value & kChannelOff) {
        box->setChecked(false);
        spin->setEnabled(false);
    } else {
        box->setChecked(true);
        spin->setEnabled(true);
    }
}

void TMainForm::StoreChannels()
{
    for (std::size_t ch = 0; ch < kChannelCount; ++ch)
        for (int kind = 0; kind < kKindCount; ++kind)
            StoreChannelValue(static_cast<int>(ch), m_spinCh[ch][kind], kind);
}

void TMainForm::StoreChannelValue(int channel, TSpinEdit* spin, int kind)
{
    const int v = spin->value();
    std::uint8_t byte = static_cast<std::uint8_t>((kind == kKindProgram ? v - 1 : v) & 0x7F);
    if (!ownEnabled(spin))
        byte |= kChannelOff;
    channelByte(channel, kind) = byte;
}

void TMainForm::SomethingChanged()
{
    if (!Refreshing && !Resetting && !ShowingPreset)
        PresetModified = true;
}

void TMainForm::cboxClick(TSpinEdit* spin, QCheckBox* /*box*/)
{
    spin->setEnabled(!ownEnabled(spin));
    if (Selecting == 1)
        return;
    // A spin edit on a page that is not showing cannot take the focus; it stays where it is.
    // The whole text is selected, as when the user tabs in, so typing replaces the value.
    if (ownEnabled(spin) && spin->isVisible() && spin->isEnabled()) {
        spin->setFocus(Qt::OtherFocusReason);
        spin->lineEdit()->selectAll();
    }
    SomethingChanged();
}

void TMainForm::cboxEnter(QCheckBox* box) { setBackground(box, Qt::blue); }
void TMainForm::cboxExit(QCheckBox* box) { setBackground(box, buttonFace()); }

void TMainForm::spinChxxKeyPress(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return;
    event->accept();
    focusNextPrevChild(true);
}

void TMainForm::edPresetNameKeyUp() { edPresetNameExit(); }

void TMainForm::edPresetNameExit()
{
    const QString text = edPresetName->text();
    if (PresetListForm) {
        if (QListWidgetItem* row = PresetListForm->ListBox1->item(CurrentPreset))
            row->setText(NumberedLine(CurrentPreset + 1, text));
    }
    StoreTypedName(PresetTable[CurrentPreset].Name, text.toStdU16String());
}

void TMainForm::btnPreMidiDataClick() { editDataBlock(this, false); }
void TMainForm::btnPostMidiDataClick() { editDataBlock(this, true); }

} // namespace zlv
