#include "MainForm.h"

#include "AppTitle.h"

#include <QTabWidget>

namespace zlv {

TMainForm* MainForm = nullptr;
std::uint8_t Refreshing = 0;
std::uint8_t Resetting = 0;
std::uint8_t ShowingPreset = 0;

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("MainForm");
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    tabPresets = new QWidget;
    tabPresets->setObjectName("tabPresets");
    tabChains = new QWidget;
    tabChains->setObjectName("tabChains");
    tabSpeedDials = new QWidget;
    tabSpeedDials->setObjectName("tabSpeedDials");
    tabSettings = new QWidget;
    tabSettings->setObjectName("tabSettings");
    PageControl1->addTab(tabPresets, " Presets ");
    PageControl1->addTab(tabChains, " Chains ");
    PageControl1->addTab(tabSpeedDials, "Speed Dials");
    PageControl1->addTab(tabSettings, "Settings");
    setCentralWidget(PageControl1);
    setupPresetsPage();
    setupChainsPage();
    setupSpeedDialsPage();
    setupSettingsPage();
    FormCreate();
}

void TMainForm::FormCreate()
{
    setWindowTitle(QString::fromStdString(AppTitle));
}

void TMainForm::FormShow() {}
void TMainForm::UpdatePresetsList() {}

} // namespace zlv
