#include "MainForm.h"

#include "AboutForm.h"
#include "AppTitle.h"
#include "Bank.h"
#include "BankText.h"
#include "DocumentsFolder.h"
#include "FileDialog.h"
#include "MidiPorts.h"
#include "Modal.h"
#include "Pictures.h"
#include "PresetListForm.h"
#include "ShellOpen.h"
#include "UserMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QCursor>
#include <QTimer>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>

namespace zlv {

TMainForm* MainForm = nullptr;
std::uint8_t Refreshing = 0;
std::uint8_t Resetting = 0;
std::uint8_t ShowingPreset = 0;

namespace {

const char* const kSyxFilter = "(*.syx) Sys Ex Files|*.syx|(*.*) All Files|*.*";
const char* const kDesignFolder = "Syx";
const char* const kManualFile = "Zelvane.pdf";

// Tessarine, Zelvane and Syx below the documents folder, each level made only if
// missing. A level that cannot be made is passed over without a word: the path
// is still handed to the dialogs.
QString makeWorkingFolder()
{
    const QString documents = DocumentsFolder();
    if (documents.isEmpty())
        return kDesignFolder;
    // A desktop may name a documents folder that was never made; the program's
    // folders still belong there, so it is made like the levels below it.
    if (!QFileInfo(documents).isDir())
        QDir().mkpath(documents);
    QString path = documents;
    for (const char* level : {"Tessarine", "Zelvane", "Syx"}) {
        path += QDir::separator();
        path += level;
        if (!QFileInfo(path).isDir())
            QDir().mkdir(path);
    }
    return QDir::toNativeSeparators(path);
}

// The picture behind the page control.
class TPictureFrame : public QWidget {
public:
    explicit TPictureFrame(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_picture.size() != size())
            m_picture = FrameBackground(size());
        QPainter(this).drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
};

QFileDialog* makeFileDialog(TMainForm* owner, const char* name, const char* title, QFileDialog::AcceptMode mode,
                            const char* defaultSuffix, const char* firstName)
{
    auto* dialog = new QFileDialog(owner, title);
    dialog->setObjectName(name);
    dialog->setAcceptMode(mode);
    // The commands test for the file themselves, so a typed name of a missing
    // file is accepted, and a save replaces a file without asking.
    dialog->setFileMode(QFileDialog::AnyFile);
    if (mode == QFileDialog::AcceptSave)
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilters(NameFiltersFromPairs(kSyxFilter));
    dialog->setDefaultSuffix(defaultSuffix);
    dialog->setDirectory(owner->WorkingFolder);
    if (firstName)
        dialog->selectFile(firstName);
    return dialog;
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("MainForm");
    setWindowIcon(ToolBarIcon(ToolPicture::Midi));
    setContextMenuPolicy(Qt::NoContextMenu);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    buildToolBar();
    buildPages();

    auto onFirstUse = [this](const char* name, const char* title, QFileDialog::AcceptMode mode, const char* suffix,
                             const char* firstName = nullptr) {
        return LazyFileDialog([=, this] { return makeFileDialog(this, name, title, mode, suffix, firstName); });
    };
    OpenSyxDialog = onFirstUse("OpenSyxDialog", "Open .SYX File", QFileDialog::AcceptOpen, "syx");
    OpenSingleDialog = onFirstUse("OpenSingleDialog", "Import Single Preset", QFileDialog::AcceptOpen, "syx");
    SaveOneDialog = onFirstUse("SaveOneDialog", "Export Current Preset To", QFileDialog::AcceptSave, "Syx");
    SaveAllDialog =
        onFirstUse("SaveAllDialog", "Save ALL As", QFileDialog::AcceptSave, "Syx", "ZLV_keypad_ALL.syx");
    OpenUpgradeDialog =
        onFirstUse("OpenUpgradeDialog", "Open Firmware Upgrade File", QFileDialog::AcceptOpen, "syx");
    setupKeypadCommands();

    setupPresetsPage();
    setupChainsPage();
    setupSpeedDialsPage();
    setupSettingsPage();
    setupFileCommands();

    // A fixed border: the window keeps the size its contents ask for.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    FormCreate();
}

void TMainForm::buildToolBar()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(32, 32));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    auto makeMenu = [this](const char* name) {
        auto* menu = new QMenu(this);
        menu->setObjectName(name);
        return menu;
    };
    auto addItem = [](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    auto addButton = [this](const char* name, const char* caption, const char* hint, ToolPicture picture,
                            QMenu* menu) {
        auto* button = new QToolButton(ToolBar1);
        button->setObjectName(name);
        button->setText(caption);
        if (*hint)
            button->setToolTip(hint);
        button->setIcon(ToolBarIcon(picture));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
        button->setMinimumWidth(64);
        button->setAutoRaise(true);
        if (menu) {
            // The menu drops down on a plain click; the button has no click of its own.
            button->setMenu(menu);
            button->setPopupMode(QToolButton::InstantPopup);
            button->setStyleSheet("QToolButton::menu-indicator { image: none; width: 0px; }");
            // The menu holds the mouse while open, so the button never hears that
            // the pointer left it and would stay drawn raised after an item was chosen.
            connect(menu, &QMenu::aboutToHide, button, [button] {
                QTimer::singleShot(0, button, [button] {
                    if (!button->rect().contains(button->mapFromGlobal(QCursor::pos()))) {
                        button->setAttribute(Qt::WA_UnderMouse, false);
                        button->update();
                    }
                });
            });
        }
        ToolBar1->addWidget(button);
        return button;
    };

    MidiMenu = makeMenu("MidiMenu");
    mnuPickConnection = addItem(MidiMenu, "mnuPickConnection", "Choose a MIDI file/interface option below:");
    MidiMenu->addSeparator()->setObjectName("N3");
    mnuFileMode = addItem(MidiMenu, "mnuFileMode", "NONE - Save Presets to FILE ONLY");
    mnuDirectMIDI = addItem(MidiMenu, "mnuDirectMIDI", "MIDI - Choose MIDI Interface (ZLV keypad, USB, etc) ...");
    mnuExternalApp = addItem(MidiMenu, "mnuExternalApp", "RUN APP - Launch Other Application (MIDIOX, etc)");
    // The connection items carry check marks that only their handlers set: a
    // click does not tick or clear an item by itself.
    for (QAction* item : {mnuPickConnection, mnuFileMode, mnuDirectMIDI, mnuExternalApp}) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, item, [item](bool checked) { item->setChecked(!checked); });
    }

    OpenMenu = makeMenu("OpenMenu");
    OpenSyxFile = addItem(OpenMenu, "OpenSyxFile", "Open all from .SYX file");
    OpenSinglePreset1 = addItem(OpenMenu, "OpenSinglePreset1", "Import One Preset");
    SaveMenu = makeMenu("SaveMenu");
    SaveToSyxFile = addItem(SaveMenu, "SaveToSyxFile", "Save all to .SYX file");
    SaveOne = addItem(SaveMenu, "SaveOne", "Export Current Preset");
    DownloadMenu = makeMenu("DownloadMenu");
    mnuDownloadAll = addItem(DownloadMenu, "mnuDownloadAll", "Download All");
    mnuDownloadCurrent = addItem(DownloadMenu, "mnuDownloadCurrent", "Download Current Preset");
    HelpMenu = makeMenu("HelpMenu");
    About1 = addItem(HelpMenu, "About1", "About");
    PDFManual1 = addItem(HelpMenu, "PDFManual1", "PDF User Manual");

    btnAutoSend = addButton("btnAutoSend", "MIDI", "Select MIDI connection", ToolPicture::Midi, MidiMenu);
    ToolBar1->addSeparator();
    bntNew = addButton("bntNew", "New", "Clear all presets", ToolPicture::New, nullptr);
    btnOpenFile = addButton("btnOpenFile", "Open", "Open 1 or 100 presets", ToolPicture::Open, OpenMenu);
    btnSaveFile = addButton("btnSaveFile", "Save", "Save preset(s) as", ToolPicture::Save, SaveMenu);
    btnDownload = addButton("btnDownload", "Download", "", ToolPicture::Download, DownloadMenu);
    ToolBar1->addSeparator();
    btnUpgrade = addButton("btnUpgrade", "Upgrade", "Re-flash keypad firmware", ToolPicture::Upgrade, nullptr);
    ToolBar1->addSeparator();
    btnHelp = addButton("btnHelp", "Help", "PDF manual and links", ToolPicture::Help, HelpMenu);
    btnExit = addButton("btnExit", "Exit", "", ToolPicture::Exit, nullptr);

    // New, Upgrade and the items of the Open, Save, Download and MIDI menus are
    // connected where their commands are built.
    connect(btnExit, &QToolButton::clicked, this, &TMainForm::btnExitClick);
    connect(About1, &QAction::triggered, this, &TMainForm::About1Click);
    connect(PDFManual1, &QAction::triggered, this, &TMainForm::PDFManual1Click);
}

QToolButton* TMainForm::addShowPresetsButton(QWidget* page, const char* name)
{
    auto* button = new QToolButton(page);
    button->setObjectName(name);
    button->setText(">>>");
    button->setToolTip("Show/Hide preset list");
    button->setIcon(PresetListGlyph());
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setGeometry(kShowPresetsButtonX, kShowPresetsButtonY, kShowPresetsButtonWidth, kShowPresetsButtonHeight);
    connect(button, &QToolButton::clicked, this, &TMainForm::btnShowPresetsClick);
    return button;
}

void TMainForm::buildPages()
{
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    imgFrame = new TPictureFrame(central);
    imgFrame->setObjectName("imgFrame");
    auto* frameLayout = new QVBoxLayout(imgFrame);
    frameLayout->setContentsMargins(10, 10, 10, 10);

    PageControl1 = new TPageControl(imgFrame);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setUsesScrollButtons(false);
    auto makePage = [this](const char* name, const char* caption) {
        auto* page = new QWidget;
        page->setObjectName(name);
        page->setFixedSize(kPageWidth, kPageHeight);
        PageControl1->addTab(page, caption);
        return page;
    };
    tabPresets = makePage("tabPresets", " Presets ");
    tabChains = makePage("tabChains", " Chains ");
    tabSpeedDials = makePage("tabSpeedDials", "Speed Dials");
    tabSettings = makePage("tabSettings", "Settings");
    PageControl1->setCurrentIndex(0);
    frameLayout->addWidget(PageControl1);

    btnShowPresets = addShowPresetsButton(tabPresets, "btnShowPresets");
    BitBtn1 = addShowPresetsButton(tabChains, "BitBtn1");
    BitBtn2 = addShowPresetsButton(tabSpeedDials, "BitBtn2");
    BitBtn3 = addShowPresetsButton(tabSettings, "BitBtn3");

    connect(PageControl1, &TPageControl::changing, this, &TMainForm::PageControl1Changing);
    connect(PageControl1, &TPageControl::changed, this, &TMainForm::PageControl1Change);

    StatusBar1 = new TStatusBar({kConnectionPanelWidth, kPortStatePanelWidth}, central);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar2 = new TStatusBar({kConnectionPanelWidth, kPortStatePanelWidth}, central);
    StatusBar2->setObjectName("StatusBar2");
    StatusBar1->setPanelText(kConnectionPanel, "MIDI:");
    StatusBar2->setPanelText(kConnectionPanel, "MIDI:");

    column->addWidget(imgFrame);
    column->addWidget(StatusBar1);
    column->addWidget(StatusBar2);
    setCentralWidget(central);
}

void TMainForm::FormCreate()
{
    Resetting = 1;
    InitBankDefaults();
    PresetModified = false;
    setWindowTitle(QString::fromStdString(AppTitle));
    MidiMode = mmNone;
    mnuPickConnection->setChecked(true);
    StatusBar1->setPanelText(kConnectionPanel, "MIDI In: None (please select)");
    StatusBar2->setPanelText(kConnectionPanel, "MIDI Out: None (please select)");
    // The five dialogs start here when they are first built.
    WorkingFolder = makeWorkingFolder();
    Resetting = 0;
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    if (!m_shownOnce) {
        m_shownOnce = true;
        if (QScreen* s = screen())
            move(s->availableGeometry().center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    FormShow();
}

void TMainForm::FormShow()
{
    Refreshing = 1;
    ShowCurrentPreset();
    UpdatePresetsList();
    Refreshing = 0;
}

void TMainForm::UpdatePresetsList()
{
    if (!PresetListForm)
        return;
    QListWidget* list = PresetListForm->ListBox1;
    // Filling the list from here runs none of its handlers.
    const QSignalBlocker quiet(list);
    list->clear();
    for (std::size_t i = 0; i < kPresetCount; ++i)
        list->addItem(NumberedLine(static_cast<int>(i + 1), NameToText(PresetTable[i].Name)));
    list->setCurrentRow(-1);
    list->clearSelection();
}

void TMainForm::btnShowPresetsClick()
{
    if (!PresetListForm)
        return;
    if (PresetListForm->isVisible()) {
        PresetListForm->hide();
        btnShowPresets->setText(">>>");
    } else {
        PresetListForm->show();
        btnShowPresets->setText("<<<");
    }
}

void TMainForm::PageControl1Changing(bool* allowChange)
{
    if (PageControl1->currentIndex() == 0)
        StoreChannels();
    *allowChange = true;
}

void TMainForm::PageControl1Change()
{
    const int page = PageControl1->currentIndex();
    auto setListCaption = [](const char* caption) {
        if (PresetListForm)
            PresetListForm->setWindowTitle(caption);
    };
    switch (page) {
    case 0:
        setListCaption("Preset Selection (click)");
        ShowCurrentPreset();
        break;
    case 1:
        setListCaption("Add Preset (double-click)");
        ShowCurrentChain();
        break;
    case 2:
        setListCaption("Add Preset (double-click)");
        ShowSpeedDials();
        break;
    case 3:
        setListCaption("Preset List");
        break;
    default: break;
    }
}

void TMainForm::RedrawShownBankPage()
{
    QWidget* page = PageControl1->currentWidget();
    if (page == tabChains)
        ShowCurrentChain();
    else if (page == tabSpeedDials)
        ShowSpeedDials();
}

void TMainForm::btnExitClick()
{
    if (IsMidiOpen())
        CloseMidiPorts();
    close();
}

void TMainForm::About1Click()
{
    if (AboutForm)
        ExecModal(AboutForm);
}

void TMainForm::PDFManual1Click()
{
    const QString manual = QDir(QCoreApplication::applicationDirPath()).filePath(kManualFile);
    if (!ShellOpen(manual))
        ShowMessage("ERROR: Could not find the file \"Zelvane.pdf\".", "Help");
}

} // namespace zlv
