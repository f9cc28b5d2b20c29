#include "AppFixture.h"

#include "AboutForm.h"
#include "AppTitle.h"
#include "Bank.h"
#include "InterfaceForm.h"
#include "LoadForm.h"
#include "MidiEventsForm.h"
#include "OpenFileSummaryForm.h"
#include "PresetListForm.h"
#include "ProgressForm.h"
#include "SaveForm.h"
#include "Startup.h"
#include "StatusBar.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstring>
#include <stdexcept>

using namespace zlv;
using namespace zlv::test;

using AfterStartUp = AppFixture;

namespace {

void expectTheHiddenWindowsMadeInTheirOrder()
{
    // Windows created after the main window are its children, in creation order.
    const std::vector<QWidget*> expected = {SaveForm,      LoadForm,       MidiEventsForm,
                                            AboutForm,     PresetListForm, InterfaceForm,
                                            frmProgress,   frmOpenFileSummary};
    std::vector<QWidget*> created;
    for (QObject* child : MainForm->children())
        if (std::find(expected.begin(), expected.end(), child) != expected.end())
            created.push_back(static_cast<QWidget*>(child));
    EXPECT_EQ(created, expected);
    for (QWidget* window : expected)
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
}

} // namespace

TEST_F(AfterStartUp, TheNineWindowsExistInTheirOrderAndOnlyTheMainWindowIsShown)
{
    expectTheHiddenWindowsMadeInTheirOrder();
    EXPECT_TRUE(MainForm->isVisible());
}

TEST_F(AfterStartUp, TheProgramPaintsTheMainWindowBeforeMakingTheHiddenOnesInTheirOrder)
{
    DestroyApplicationWindows();
    StartApplicationWindows();
    EXPECT_TRUE(MainForm->isVisible());
    EXPECT_EQ(SaveForm, nullptr);
    EXPECT_EQ(PresetListForm, nullptr);

    ASSERT_TRUE(QTest::qWaitFor([] { return frmOpenFileSummary != nullptr; }));
    expectTheHiddenWindowsMadeInTheirOrder();
    ASSERT_EQ(PresetListForm->ListBox1->count(), 200);
    EXPECT_EQ(PresetListForm->ListBox1->item(199)->text(), "200.  New Name 200");
    EXPECT_EQ(PresetListForm->ListBox1->currentRow(), -1);
}

TEST_F(AfterStartUp, AClickBeforeTheMainWindowIsPaintedFindsTheHiddenWindowsMade)
{
    DestroyApplicationWindows();
    StartApplicationWindows();
    QTest::mouseClick(MainForm->btnShowPresets, Qt::LeftButton);
    ASSERT_NE(PresetListForm, nullptr);
    EXPECT_TRUE(PresetListForm->isVisible());
    EXPECT_EQ(PresetListForm->ListBox1->count(), 200);
    EXPECT_NE(frmOpenFileSummary, nullptr);
}

TEST_F(AfterStartUp, WindowStateIsTheStartingOne)
{
    EXPECT_EQ(MainForm->windowTitle().toStdString(), "Zelvane Editor");
    EXPECT_EQ(MainForm->StatusBar1->panelText(0), "MIDI In: None (please select)");
    EXPECT_EQ(MainForm->StatusBar2->panelText(0), "MIDI Out: None (please select)");
    EXPECT_EQ(MainForm->StatusBar1->panelText(1), "");
    EXPECT_EQ(MainForm->StatusBar2->panelText(1), "");
    EXPECT_EQ(MainForm->MidiMode, mmNone);
    EXPECT_TRUE(MainForm->mnuPickConnection->isChecked());
    EXPECT_FALSE(MainForm->mnuFileMode->isChecked());
    EXPECT_FALSE(MainForm->mnuDirectMIDI->isChecked());
    EXPECT_FALSE(MainForm->mnuExternalApp->isChecked());
    EXPECT_FALSE(MainForm->PresetModified);
    EXPECT_EQ(Refreshing, 0);
    EXPECT_EQ(Resetting, 0);
    EXPECT_EQ(ShowingPreset, 0);
    EXPECT_EQ(CurrentPreset, 0);
    EXPECT_EQ(CurrentChain, 0);
    EXPECT_EQ(MainForm->PageControl1->currentWidget(), MainForm->tabPresets);
    EXPECT_EQ(MainForm->btnShowPresets->text(), ">>>");
    EXPECT_EQ(MainForm->minimumSize(), MainForm->maximumSize()) << "a fixed border";
    EXPECT_TRUE(messages.empty());
}

TEST_F(AfterStartUp, CreatingTheMainWindowResetsTheBank)
{
    DestroyApplicationWindows();
    std::memcpy(PresetTable[7].Name, "Changed      ", kNameLength);
    CurrentPreset = 9;
    CreateApplicationWindows();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(PresetTable[7].Name)), "New Name 8");
    EXPECT_EQ(CurrentPreset, 0);
}

TEST_F(AfterStartUp, ThePresetListHoldsTwoHundredNumberedNamesWithNoneSelected)
{
    QListWidget* list = PresetListForm->ListBox1;
    ASSERT_EQ(list->count(), 200);
    EXPECT_EQ(list->item(0)->text(), "01.  New Name 1");
    EXPECT_EQ(list->item(8)->text(), "09.  New Name 9");
    EXPECT_EQ(list->item(98)->text(), "99.  New Name 99");
    EXPECT_EQ(list->item(99)->text(), "100.  New Name 100");
    EXPECT_EQ(list->item(199)->text(), "200.  New Name 200");
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_TRUE(list->selectedItems().isEmpty());
}

TEST_F(AfterStartUp, ARefillShowsNamesUpToTheirEndBlanksIncludedAndClearsTheSelection)
{
    std::memcpy(PresetTable[4].Name, "Lamp         ", kNameLength);
    std::memcpy(PresetTable[5].Name, "Full13Letters", kNameLength);
    PresetListForm->ListBox1->setCurrentRow(3);
    int rowSignals = 0;
    QObject::connect(PresetListForm->ListBox1, &QListWidget::currentRowChanged, [&] { ++rowSignals; });

    MainForm->UpdatePresetsList();

    EXPECT_EQ(PresetListForm->ListBox1->item(4)->text(), "05.  Lamp         ");
    EXPECT_EQ(PresetListForm->ListBox1->item(5)->text(), "06.  Full13Letters");
    EXPECT_EQ(PresetListForm->ListBox1->count(), 200);
    EXPECT_EQ(PresetListForm->ListBox1->currentRow(), -1);
    EXPECT_EQ(rowSignals, 0) << "filling the list from code runs none of its handlers";
}

TEST_F(AfterStartUp, ExitClosesTheMainWindowWithoutAsking)
{
    MainForm->PresetModified = true;
    MainForm->btnExit->click();
    EXPECT_FALSE(MainForm->isVisible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(AfterStartUp, AnExceptionEscapingAHandlerIsShownAndTheHandlerCountsAsNotDone)
{
    EXPECT_FALSE(RunHandlerShowingExceptions([]() -> bool { throw std::runtime_error("List index out of bounds (7)"); }));
    EXPECT_FALSE(RunHandlerShowingExceptions([]() -> bool { throw 42; }));
    EXPECT_TRUE(RunHandlerShowingExceptions([] { return true; }));

    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "List index out of bounds (7)");
    EXPECT_EQ(messages[0].caption, AppTitle);
    EXPECT_EQ(messages[0].icon, MsgIcon::Error);
    EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
    EXPECT_FALSE(messages[1].text.empty());
    EXPECT_EQ(messages[1].caption, AppTitle);
}

TEST(StatusBarPanels, KeepTheirDesignWidthButNeverCutAStateShort)
{
    TStatusBar bar({400, 50});
    bar.setPanelText(1, "");
    EXPECT_EQ(bar.panel(1)->width(), 50);
    bar.setPanelText(1, "MIDI Closed");
    const QLabel* panel = bar.panel(1);
    EXPECT_GE(panel->contentsRect().width() - panel->indent(), panel->fontMetrics().horizontalAdvance("MIDI Closed"));
    bar.setPanelText(0, "MIDI In: Sim Keypad In [ZLV 2.07 Mar2024]");
    EXPECT_EQ(bar.panel(0)->width(), 400);
}
