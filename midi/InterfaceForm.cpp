#include "InterfaceForm.h"

#include "MidiPorts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace zlv {

TInterfaceForm* InterfaceForm = nullptr;

namespace {
const char* const kNoInterfaces = "No MIDI interfaces found";
constexpr int kComboWidth = 320;

void fillBox(QComboBox* box, const MidiDeviceEntry (&devices)[kMaxMidiDevices], std::int32_t count)
{
    // Entry 0 goes in even when empty, so a box always offers something to pick.
    box->addItem(QString::fromLocal8Bit(devices[0].Name));
    for (std::int32_t id = 1; id < count && id < kMaxMidiDevices; ++id)
        box->addItem(QString::fromLocal8Bit(devices[id].Name));
    box->setCurrentIndex(0);
}
} // namespace

TInterfaceForm::TInterfaceForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("InterfaceForm");
    setWindowTitle("Choose MIDI Interface");

    Label1 = new QLabel("Select a MIDI interface or ZLV Keypad from the list:", this);
    Label1->setObjectName("Label1");
    btnOK = new QPushButton("OK", this);
    btnOK->setObjectName("btnOK");
    btnOK->setEnabled(false);
    btnCancel = new QPushButton("Cancel", this);
    btnCancel->setObjectName("btnCancel");
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    Label2 = new QLabel("MIDI Input Devices: ", this);
    Label2->setObjectName("Label2");
    Label3 = new QLabel("MIDI Output Devices: ", this);
    Label3->setObjectName("Label3");
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName("ComboBox2");
    for (QComboBox* box : {ComboBox1, ComboBox2}) {
        box->setMinimumWidth(kComboWidth);
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setPlaceholderText(kNoInterfaces);
        // The mouse, the keys and the wheel pass over a disabled item; a pick
        // from code does not, so it is undone here.
        connect(box, &QComboBox::currentIndexChanged, this, [box](int index) {
            if (index >= 0 && !(box->model()->index(index, 0).flags() & Qt::ItemIsEnabled))
                box->setCurrentIndex(-1);
        });
    }
    Label2->setBuddy(ComboBox1);
    Label3->setBuddy(ComboBox2);

    auto* lists = new QVBoxLayout;
    lists->setSpacing(4);
    lists->addWidget(Label2);
    lists->addWidget(ComboBox1);
    lists->addSpacing(8);
    lists->addWidget(Label3);
    lists->addWidget(ComboBox2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addSpacing(6);
    layout->addLayout(lists);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    // A dialog border: the window keeps the size its contents give it.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(btnOK, btnCancel);
    setTabOrder(btnCancel, ComboBox1);
    setTabOrder(ComboBox1, ComboBox2);

    connect(btnOK, &QPushButton::clicked, this, [this] {
        btnOKClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TInterfaceForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TInterfaceForm::FormShow()
{
    ComboBox1->clear();
    ComboBox2->clear();
    if (EnumerateMidiDevices() == 0) {
        // Shown but not selected, and not selectable: btnOK keeps the state an
        // earlier showing left, and OK must then give no device.
        for (QComboBox* box : {ComboBox1, ComboBox2}) {
            box->addItem(kNoInterfaces);
            static_cast<QStandardItemModel*>(box->model())->item(0)->setEnabled(false);
            box->setCurrentIndex(-1);
        }
        return;
    }
    fillBox(ComboBox1, MidiInDevices, MidiInDeviceCount);
    fillBox(ComboBox2, MidiOutDevices, MidiOutDeviceCount);
    btnOK->setEnabled(true);
}

void TInterfaceForm::btnOKClick()
{
    SelectedMidiIn = ComboBox1->currentIndex();
    SelectedMidiOut = ComboBox2->currentIndex();
}

} // namespace zlv
