#include "MidiEventsForm.h"

#include "StringGrid.h"
#include "UserMessage.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <cstring>

namespace zlv {

TMidiEventsForm* MidiEventsForm = nullptr;

namespace {

constexpr int kCellWidth = 28;
constexpr int kCellHeight = 21;
constexpr int kReadoutWidth = 44;
constexpr int kDecimalMaxLength = 3;
constexpr int kHexMaxLength = 2;

QLineEdit* makeReadout(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setFixedWidth(kReadoutWidth);
    return edit;
}

QSlider* makeTrackBar(const char* name, int min, int max, int position, int pageStep, int tickInterval, QWidget* parent)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setRange(min, max);
    bar->setValue(position);
    bar->setPageStep(pageStep);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(tickInterval);
    return bar;
}

QLabel* makeLabel(const char* name, const char* caption, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    return label;
}

QPushButton* makeButton(const char* name, const char* caption, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    // No default button: Enter presses only the button that has the focus.
    button->setAutoDefault(false);
    return button;
}

// The entry field's length limit of the current mode. Typing may not grow the
// text past it, but a longer text left from Decimal mode stays in the field
// after a switch to Hex until the user shortens it.
class ManualInputLimit : public QValidator {
public:
    ManualInputLimit(const int& maxLength, const QString& acceptedText, QObject* parent)
        : QValidator(parent), m_maxLength(maxLength), m_acceptedText(acceptedText)
    {
    }
    State validate(QString& input, int&) const override
    {
        return input.size() > m_maxLength && input.size() > m_acceptedText.size() ? Invalid : Acceptable;
    }

private:
    const int& m_maxLength;
    const QString& m_acceptedText;
};

// Keeps the layout still when a value row is hidden by a type button.
void keepSpaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

TMidiEventsForm::TMidiEventsForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("MidiEventsForm");
    setWindowTitle("Edit MIDI Data");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    std::memset(MidiData, kEmpty, sizeof MidiData);
    buildLayout();

    for (int i = 0; i < kEventButtonCount; ++i) {
        const auto button = static_cast<EventButton>(i);
        connect(TypeButtons[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, button](bool checked) {
            if (checked)
                TypeButtonClick(button);
        });
    }
    connect(tbMidiChannel, &QSlider::valueChanged, this, &TMidiEventsForm::UpdateEventDisplay);
    connect(tbMidiParam1, &QSlider::valueChanged, this, &TMidiEventsForm::UpdateEventDisplay);
    connect(tbMidiParam2, &QSlider::valueChanged, this, &TMidiEventsForm::UpdateEventDisplay);
    connect(btnInsert1, &QPushButton::clicked, this, &TMidiEventsForm::InsertStandardButtonClick);

    connect(rbHexadecimal, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            rbHexadecimalClick();
    });
    connect(rbDecimal, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            rbDecimalClick();
    });
    connect(edManualInput, &QLineEdit::textChanged, this, [this](const QString& text) { m_manualText = text; });
    connect(edManualInput, &QLineEdit::returnPressed, this, &TMidiEventsForm::edManualInputKeyPress);
    connect(btnInsert2, &QPushButton::clicked, this, &TMidiEventsForm::InsertCustomButtonClick);

    connect(Grid, &TStringGrid::selectCell, this, &TMidiEventsForm::GridSelectCell);
    connect(Grid, &TStringGrid::dblClick, this, &TMidiEventsForm::GridDblClick);
    connect(btnEraseAll, &QPushButton::clicked, this, &TMidiEventsForm::btnEraseAllClick);
    connect(tbarDelay, &QSlider::valueChanged, this, &TMidiEventsForm::tbarDelayChange);
    connect(Timer1, &QTimer::timeout, this, &TMidiEventsForm::Timer1Timer);
    connect(Button1, &QPushButton::clicked, this, [this] { done(kResultCancel); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(kResultAccept); });
}

void TMidiEventsForm::buildLayout()
{
    const QIcon insertGlyph = style()->standardIcon(QStyle::SP_ArrowDown);

    // --- predefined messages
    GroupBox1 = new QGroupBox(" Type: Predefined ", this);
    GroupBox1->setObjectName("GroupBox1");
    auto* typeGroup = new QButtonGroup(this);
    auto* typeColumns = new QGridLayout;
    typeColumns->setVerticalSpacing(2);
    typeColumns->addWidget(makeLabel("Label4", "MIDI Event Type", GroupBox1), 0, 0, 1, 2);
    constexpr int kTypesPerColumn = 9;
    for (int i = 0; i < kEventButtonCount; ++i) {
        const EventButtonInfo& info = EventButtons[static_cast<std::size_t>(i)];
        auto* rb = new QRadioButton(QString::fromUtf8(info.Caption), GroupBox1);
        rb->setObjectName(info.Name);
        rb->setProperty("Tag", info.Tag);
        typeGroup->addButton(rb, i);
        TypeButtons[static_cast<std::size_t>(i)] = rb;
        const auto button = static_cast<EventButton>(i);
        const bool indented = button == EventButton::BankSelectMSB || button == EventButton::BankSelectLSB;
        if (indented)
            typeColumns->addItem(new QSpacerItem(18, 1, QSizePolicy::Fixed), 1 + i % kTypesPerColumn, 2 * (i / kTypesPerColumn));
        typeColumns->addWidget(rb, 1 + i % kTypesPerColumn, 2 * (i / kTypesPerColumn) + (indented ? 1 : 0), 1,
                               indented ? 1 : 2);
    }
    typeColumns->setColumnMinimumWidth(0, 18);
    typeColumns->setColumnStretch(1, 1);
    typeColumns->setColumnMinimumWidth(2, 18);
    typeColumns->setColumnStretch(3, 1);
    typeColumns->setRowStretch(kTypesPerColumn + 1, 1);
    typeButton(EventButton::NoteOn)->setChecked(true);

    lblMidiChannel = makeLabel("lblMidiChannel", "MIDI Channel :", GroupBox1);
    tbMidiChannel = makeTrackBar("tbMidiChannel", 1, 16, 1, 4, 1, GroupBox1);
    edMidiChannel = makeReadout("edMidiChannel", GroupBox1);
    lblParam1 = makeLabel("lblParam1", "Key (Note #) :", GroupBox1);
    tbMidiParam1 = makeTrackBar("tbMidiParam1", 0, 127, 60, 12, 4, GroupBox1);
    edMidiParam1 = makeReadout("edMidiParam1", GroupBox1);
    lblParam2 = makeLabel("lblParam2", "Velocity :", GroupBox1);
    tbMidiParam2 = makeTrackBar("tbMidiParam2", 0, 127, 127, 16, 4, GroupBox1);
    edMidiParam2 = makeReadout("edMidiParam2", GroupBox1);
    lblControllerName = makeLabel("lblControllerName", "", GroupBox1);
    lblControllerName->setVisible(false);
    for (QWidget* w : {static_cast<QWidget*>(lblParam1), static_cast<QWidget*>(tbMidiParam1),
                       static_cast<QWidget*>(edMidiParam1), static_cast<QWidget*>(lblParam2),
                       static_cast<QWidget*>(tbMidiParam2), static_cast<QWidget*>(edMidiParam2),
                       static_cast<QWidget*>(lblControllerName)})
        keepSpaceWhenHidden(w);
    btnInsert1 = makeButton("btnInsert1", "Insert     ", GroupBox1);
    btnInsert1->setIcon(insertGlyph);
    btnInsert1->setLayoutDirection(Qt::RightToLeft);

    auto* values = new QGridLayout;
    values->setVerticalSpacing(4);
    values->addWidget(makeLabel("Label5", "MIDI Event Values", GroupBox1), 0, 0, 1, 3);
    values->addWidget(lblMidiChannel, 1, 0);
    values->addWidget(tbMidiChannel, 1, 1);
    values->addWidget(edMidiChannel, 1, 2);
    values->addWidget(lblParam1, 2, 0);
    values->addWidget(tbMidiParam1, 2, 1);
    values->addWidget(edMidiParam1, 2, 2);
    values->addWidget(lblParam2, 3, 0);
    values->addWidget(tbMidiParam2, 3, 1);
    values->addWidget(edMidiParam2, 3, 2);
    values->addWidget(lblControllerName, 4, 1, 1, 2);
    values->setRowStretch(5, 1);
    values->addWidget(btnInsert1, 6, 1, 1, 2, Qt::AlignRight);
    values->setColumnMinimumWidth(0, 100);
    values->setColumnMinimumWidth(1, 200);

    auto* group1Layout = new QHBoxLayout(GroupBox1);
    group1Layout->addLayout(typeColumns);
    group1Layout->addSpacing(12);
    group1Layout->addLayout(values, 1);

    // --- custom byte
    GroupBox3 = new QGroupBox(" Type: Custom ", this);
    GroupBox3->setObjectName("GroupBox3");
    edManualInput = new QLineEdit(GroupBox3);
    edManualInput->setObjectName("edManualInput");
    // The hard limit is the longer of the two modes; each mode's own limit is
    // kept by a validator, since a shorter maximum would cut the text.
    edManualInput->setMaxLength(kDecimalMaxLength);
    edManualInput->setValidator(new ManualInputLimit(m_manualMaxLength, m_manualText, edManualInput));
    edManualInput->setFixedWidth(48);
    rbHexadecimal = new QRadioButton("Hex", GroupBox3);
    rbHexadecimal->setObjectName("rbHexadecimal");
    rbHexadecimal->setChecked(true);
    rbDecimal = new QRadioButton("Decimal", GroupBox3);
    rbDecimal->setObjectName("rbDecimal");
    btnInsert2 = makeButton("btnInsert2", "Insert     ", GroupBox3);
    btnInsert2->setIcon(insertGlyph);
    btnInsert2->setLayoutDirection(Qt::RightToLeft);
    auto* group3Layout = new QGridLayout(GroupBox3);
    group3Layout->addWidget(makeLabel("lblEnterData", "Enter data", GroupBox3), 0, 0);
    group3Layout->addWidget(makeLabel("lblManually", "manually:", GroupBox3), 1, 0);
    group3Layout->addWidget(edManualInput, 0, 1, 2, 1, Qt::AlignVCenter);
    group3Layout->addWidget(rbHexadecimal, 0, 2);
    group3Layout->addWidget(rbDecimal, 1, 2);
    group3Layout->setRowStretch(2, 1);
    group3Layout->addWidget(btnInsert2, 3, 0, 1, 3, Qt::AlignRight);

    // --- the block
    GroupBox2 = new QGroupBox(" Arbitrary MIDI Data ", this);
    GroupBox2->setObjectName("GroupBox2");
    tbarDelay = makeTrackBar("tbarDelay", 0, 127, 0, 10, 10, GroupBox2);
    edDelay = makeReadout("edDelay", GroupBox2);
    Grid = new TStringGrid(kGridColumns, kGridRows, GroupBox2);
    Grid->setObjectName("Grid");
    Grid->setFocusPolicy(Qt::ClickFocus);
    Grid->setCellSize(kCellWidth, kCellHeight);
    Grid->setShowGrid(true);
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c) {
            Grid->setCells(c, r, r * kGridColumns + c < kBlockSize ? " " : "");
            Grid->item(r, c)->setTextAlignment(Qt::AlignCenter);
        }
    auto* delayRow = new QHBoxLayout;
    delayRow->addWidget(makeLabel("Label1", "Inter-Byte Delay:", GroupBox2));
    delayRow->addWidget(tbarDelay, 1);
    delayRow->addWidget(edDelay);
    auto* group2Layout = new QVBoxLayout(GroupBox2);
    group2Layout->addLayout(delayRow);
    group2Layout->addWidget(Grid, 0, Qt::AlignHCenter);
    group2Layout->addWidget(makeLabel("Label2", "Click cell to select, double-click cell to erase", GroupBox2));

    // --- buttons and status bar
    btnEraseAll = makeButton("btnEraseAll", "Erase All", this);
    Button1 = makeButton("Button1", "Cancel", this);
    Button2 = makeButton("Button2", "Accept", this);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(btnEraseAll);
    buttonRow->addStretch(1);
    buttonRow->addWidget(Button1);
    buttonRow->addWidget(Button2);

    sbarMiniNoteOn = new QStatusBar(this);
    sbarMiniNoteOn->setObjectName("sbarMiniNoteOn");
    sbarMiniNoteOn->setSizeGripEnabled(false);
    static constexpr int kPanelStretch[4] = {0, 2, 1, 1};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(sbarMiniNoteOn);
        panel->setObjectName(QString("sbarMiniNoteOnPanel%1").arg(i));
        sbarMiniNoteOn->addWidget(panel, kPanelStretch[i]);
        m_panels[static_cast<std::size_t>(i)] = panel;
    }
    m_panels[0]->setText("MIDI Data (hexadecimal)");

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(500);

    auto* top = new QHBoxLayout;
    top->addWidget(GroupBox1, 1);
    top->addWidget(GroupBox3);
    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(GroupBox2);
    main->addLayout(buttonRow);
    main->addWidget(sbarMiniNoteOn);
    main->setSizeConstraint(QLayout::SetFixedSize);

    // Tab order as the user meets the controls; the read-only fields and the grid take no focus.
    setTabOrder(btnInsert1, edManualInput);
    setTabOrder(edManualInput, rbHexadecimal);
    setTabOrder(rbHexadecimal, btnInsert2);
    setTabOrder(btnInsert2, tbarDelay);
    setTabOrder(tbarDelay, btnEraseAll);
    setTabOrder(btnEraseAll, Button1);
    setTabOrder(Button1, Button2);
}

QString TMidiEventsForm::statusPanelText(int panel) const { return m_panels.at(static_cast<std::size_t>(panel))->text(); }

int TMidiEventsForm::currentCellIndex() const { return Grid->row() * Grid->columnCount() + Grid->col(); }

EventButton TMidiEventsForm::checkedType() const
{
    for (int i = 0; i < kEventButtonCount; ++i)
        if (TypeButtons[static_cast<std::size_t>(i)]->isChecked())
            return static_cast<EventButton>(i);
    return EventButton::NoteOn;
}

void TMidiEventsForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    FormShow();
}

void TMidiEventsForm::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // Neither button is the cancel button: Escape does not end the dialog.
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TMidiEventsForm::FormShow()
{
    if (EventType == 0)
        EventType = ButtonInfo(EventButton::NoteOn).Tag;
    ShowMidiData();
    UpdateEventDisplay();
    moveCursorColThenRow(GridLength);
    GridIndex = GridLength;
    edManualInput->setFocus();
    tbarDelay->setValue(InterByteDelay);
    // The number handed in, also when the track bar had to stop at 127.
    edDelay->setText(QString::number(InterByteDelay));
}

void TMidiEventsForm::ShowMidiData()
{
    GridLength = 0;
    while (GridLength < kBlockSize && MidiData[GridLength] != kEmpty) {
        Grid->setCells(GridLength % kGridColumns, GridLength / kGridColumns,
                       QString::fromStdString(HexPair(MidiData[GridLength])));
        ++GridLength;
    }
    for (int i = GridLength; i < kBlockSize; ++i)
        Grid->setCells(i % kGridColumns, i / kGridColumns, " ");
}

void TMidiEventsForm::moveCursorColThenRow(int index)
{
    Grid->setCol(index % kGridColumns);
    Grid->setRow(index / kGridColumns);
}

void TMidiEventsForm::GridSelectCell(int ACol, int ARow, bool& CanSelect)
{
    const int index = ARow * kGridColumns + ACol;
    CanSelect = CellSelectable(index, GridLength);
    GridIndex = CanSelect ? index : GridLength;
}

void TMidiEventsForm::GridDblClick()
{
    const int index = currentCellIndex();
    // A double click whose first click was refused left the cursor at the end
    // of the data, away from the highlight: it erases nothing.
    if (index != GridIndex)
        return;
    if (EraseByte(MidiData, GridLength, index))
        ShowMidiData();
}

void TMidiEventsForm::btnEraseAllClick()
{
    EraseAll(MidiData, GridIndex, GridLength);
    Grid->setRow(0);
    Grid->setCol(0);
    GridIndex = 0;
    ShowMidiData();
}

void TMidiEventsForm::tbarDelayChange() { edDelay->setText(QString::number(tbarDelay->value())); }

void TMidiEventsForm::Timer1Timer()
{
    m_panels[2]->setText(QString("GridIndex: %1").arg(GridIndex));
    m_panels[3]->setText(QString("GridLength: %1").arg(GridLength));
}

void TMidiEventsForm::TypeButtonClick(EventButton button)
{
    const EventButtonInfo& info = ButtonInfo(button);
    EventType = info.Tag;
    lblParam1->setText(info.Param1Caption ? QString::fromUtf8(info.Param1Caption) : QString());
    lblParam2->setText(info.Param2Caption ? QString::fromUtf8(info.Param2Caption) : QString());
    const bool param1 = info.Param1Caption != nullptr;
    const bool param2 = info.Param2Caption != nullptr;
    lblParam1->setVisible(param1);
    tbMidiParam1->setVisible(param1);
    edMidiParam1->setVisible(param1);
    lblParam2->setVisible(param2);
    tbMidiParam2->setVisible(param2);
    edMidiParam2->setVisible(param2);
    UpdateEventDisplay();
}

void TMidiEventsForm::UpdateEventDisplay()
{
    // The checked button and EventType agree from the first show on; the button
    // also holds before it, when EventType is still 0.
    const EventButton button = checkedType();
    const EventButtonInfo& info = ButtonInfo(button);
    const int channel = tbMidiChannel->value();
    const int param1 = tbMidiParam1->value();
    const int param2 = tbMidiParam2->value();

    // Korg kinds (1..4) carry the channel too; system messages do not.
    const bool channelled = info.Tag < 0xF0;
    lblMidiChannel->setEnabled(channelled);
    tbMidiChannel->setEnabled(channelled);
    edMidiChannel->setEnabled(channelled);
    edMidiChannel->setText(QString::number(channel));

    if (IsKorgKind(info.Tag)) {
        lblControllerName->setVisible(false);
    } else {
        edMidiParam1->setText(QString::fromStdString(Param1Readout(button, param1)));
        const char* controller = ControllerNames[static_cast<std::size_t>(param1)];
        if (button == EventButton::ControlChange && controller) {
            lblControllerName->setText(QString::fromUtf8(controller));
            lblControllerName->setVisible(true);
        } else {
            lblControllerName->setVisible(false);
        }
        edMidiParam2->setText(QString::number(param2));
    }
    m_panels[1]->setText(QString::fromStdString(MessagePreview(button, channel, param1, param2)));
}

void TMidiEventsForm::InsertStandardButtonClick()
{
    const std::vector<std::uint8_t> message =
        ComposeMessage(checkedType(), tbMidiChannel->value(), tbMidiParam1->value(), tbMidiParam2->value());
    switch (InsertBytes(MidiData, GridIndex, GridLength, currentCellIndex(), message)) {
    case InsertResult::BeyondEnd:
        ShowMessage(kMsgBeyondEnd, kMsgCaption);
        return;
    case InsertResult::NoRoom:
        ShowMessage(kMsgNoRoom, kMsgCaption);
        return;
    case InsertResult::Inserted:
        break;
    }
    ShowMidiData();
    moveCursorColThenRow(GridLength);
}

void TMidiEventsForm::rbHexadecimalClick() { m_manualMaxLength = kHexMaxLength; }

void TMidiEventsForm::rbDecimalClick() { m_manualMaxLength = kDecimalMaxLength; }

void TMidiEventsForm::edManualInputKeyPress() { btnInsert2->click(); }

void TMidiEventsForm::InsertCustomButtonClick()
{
    const std::string text = edManualInput->text().toStdString();
    CustomEntryResult result;
    try {
        result = InsertCustomByte(MidiData, GridIndex, GridLength, currentCellIndex(), text, rbDecimal->isChecked());
    } catch (const ConversionError&) {
        // Caught here: Qt's signal and event code must not be unwound by it.
        ShowCurrentException();
        return;
    }
    switch (result) {
    case CustomEntryResult::BeyondEnd:
        ShowMessage(kMsgBeyondEnd, kMsgCaption);
        return;
    case CustomEntryResult::NoRoom:
        ShowMessage(kMsgNoRoom, kMsgCaption);
        return;
    case CustomEntryResult::TooLarge:
        ShowMessage(kMsgTooLarge, kMsgCaption, MsgIcon::Exclamation);
        break;
    case CustomEntryResult::Negative:
        ShowMessage(kMsgNegative, kMsgCaption, MsgIcon::Exclamation);
        break;
    case CustomEntryResult::Inserted:
        edManualInput->clear();
        break;
    }
    ShowMidiData();
    edManualInput->setFocus();
    moveCursorColThenRow(GridLength);
}

} // namespace zlv
