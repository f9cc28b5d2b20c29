#include "AppFixture.h"

#include "Bank.h"
#include "PresetListForm.h"
#include "SpinEdit.h"

#include <QTabBar>
#include <QTest>
#include <QToolButton>

using namespace zlv;
using namespace zlv::test;

namespace {

QString listCaption() { return PresetListForm->windowTitle(); }

} // namespace

using PageSwitching = AppFixture;

TEST_F(PageSwitching, TheFourPagesAreOfTheLayoutSizeWithTheirCaptionsInOrder)
{
    TPageControl* pages = MainForm->PageControl1;
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(0), " Presets ");
    EXPECT_EQ(pages->tabText(1), " Chains ");
    EXPECT_EQ(pages->tabText(2), "Speed Dials");
    EXPECT_EQ(pages->tabText(3), "Settings");
    EXPECT_EQ(pages->widget(0), MainForm->tabPresets);
    EXPECT_EQ(pages->widget(3), MainForm->tabSettings);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pages->widget(i)->size(), QSize(800, 480)) << i;
        EXPECT_EQ(pages->tabBar()->tabRect(i).width(), pages->tabBar()->tabRect(0).width()) << "equal tab widths";
    }
}

TEST_F(PageSwitching, EachPageCarriesItsShowPresetsButtonAtTheTopRight)
{
    const std::pair<QToolButton*, QWidget*> buttons[] = {{MainForm->btnShowPresets, MainForm->tabPresets},
                                                         {MainForm->BitBtn1, MainForm->tabChains},
                                                         {MainForm->BitBtn2, MainForm->tabSpeedDials},
                                                         {MainForm->BitBtn3, MainForm->tabSettings}};
    for (auto [button, page] : buttons) {
        EXPECT_EQ(button->parentWidget(), page);
        EXPECT_EQ(button->geometry(), QRect(720, 6, 72, 40));
        EXPECT_EQ(button->text(), ">>>");
        EXPECT_EQ(button->toolTip(), "Show/Hide preset list");
    }
}

TEST_F(PageSwitching, AUserSwitchSetsThePresetListCaptionForTheNewPage)
{
    clickTab(3);
    EXPECT_EQ(MainForm->PageControl1->currentIndex(), 3);
    EXPECT_EQ(listCaption(), "Preset List");
    clickTab(1);
    EXPECT_EQ(listCaption(), "Add Preset (double-click)");
    clickTab(3);
    clickTab(2);
    EXPECT_EQ(listCaption(), "Add Preset (double-click)");
    clickTab(0);
    EXPECT_EQ(listCaption(), "Preset Selection (click)");

    // The arrow keys on the tab bar are the user's too.
    QTest::keyClick(MainForm->PageControl1->tabBar(), Qt::Key_Right);
    EXPECT_EQ(MainForm->PageControl1->currentIndex(), 1);
    QTest::keyClick(MainForm->PageControl1->tabBar(), Qt::Key_Right);
    QTest::keyClick(MainForm->PageControl1->tabBar(), Qt::Key_Right);
    EXPECT_EQ(listCaption(), "Preset List");
}

TEST_F(PageSwitching, ASwitchMadeByCodeRunsNeitherPageEvent)
{
    clickTab(3);
    ASSERT_EQ(listCaption(), "Preset List");
    MainForm->PageControl1->setCurrentIndex(0);
    EXPECT_EQ(MainForm->PageControl1->currentIndex(), 0);
    EXPECT_EQ(listCaption(), "Preset List");
}

TEST_F(PageSwitching, LeavingThePresetsPageStoresItsChannelsAndOtherSwitchesDoNot)
{
    ASSERT_NE(MainForm->findChild<TSpinEdit*>("spinCh1MSB"), nullptr);
    // The page shows the defaults (switched off); a byte changed behind its back
    // is overwritten exactly when the page's controls are stored.
    auto plant = [] { PresetTable[0].Channels[0].BankMsb = 0x05; };
    auto stored = [] { return PresetTable[0].Channels[0].BankMsb == kChannelOff; };

    plant();
    MainForm->PageControl1->setCurrentIndex(1);
    EXPECT_FALSE(stored()) << "a switch made by code stores nothing";
    MainForm->PageControl1->setCurrentIndex(0);

    clickTab(1);
    EXPECT_TRUE(stored()) << "leaving the Presets page stores even when nothing was edited";
    EXPECT_FALSE(MainForm->PresetModified);

    plant();
    clickTab(2);
    clickTab(3);
    EXPECT_FALSE(stored()) << "a switch between two other pages stores nothing";
}

TEST_F(PageSwitching, TheShowPresetsButtonsShowAndHideTheListAndOnlyThePresetsButtonChangesCaption)
{
    clickTab(2);
    MainForm->BitBtn2->click();
    EXPECT_TRUE(PresetListForm->isVisible());
    EXPECT_EQ(MainForm->btnShowPresets->text(), "<<<");
    EXPECT_EQ(MainForm->BitBtn2->text(), ">>>");

    MainForm->BitBtn2->click();
    EXPECT_FALSE(PresetListForm->isVisible());
    EXPECT_EQ(MainForm->btnShowPresets->text(), ">>>");

    clickTab(0);
    MainForm->btnShowPresets->click();
    EXPECT_TRUE(PresetListForm->isVisible());
    EXPECT_EQ(MainForm->btnShowPresets->text(), "<<<");
    MainForm->btnShowPresets->click();
    EXPECT_FALSE(PresetListForm->isVisible());
    EXPECT_EQ(MainForm->btnShowPresets->text(), ">>>");
}

TEST(PageControl, RaisesItsEventsAroundAUserSwitchOnlyAndCanRefuseIt)
{
    TPageControl pages;
    for (const char* caption : {"A", "B", "C"})
        pages.addTab(new QWidget, caption);
    pages.show();
    std::vector<std::string> seen;
    bool allow = true;
    QObject::connect(&pages, &TPageControl::changing, [&](bool* allowChange) {
        seen.push_back("changing on " + std::to_string(pages.currentIndex()) + " showing "
                       + std::to_string(pages.indexOf(pages.currentWidget())));
        *allowChange = allow;
    });
    QObject::connect(&pages, &TPageControl::changed,
                     [&] { seen.push_back("changed to " + std::to_string(pages.currentIndex())); });

    pages.setCurrentIndex(2);
    pages.setCurrentIndex(0);
    EXPECT_TRUE(seen.empty());

    QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, pages.tabBar()->tabRect(1).center());
    EXPECT_EQ(seen, (std::vector<std::string>{"changing on 0 showing 0", "changed to 1"}));

    // A click on the tab already shown is no switch.
    seen.clear();
    QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, pages.tabBar()->tabRect(1).center());
    EXPECT_TRUE(seen.empty());

    // Ctrl+Tab wraps round; a refused change leaves the page where it was.
    pages.setCurrentIndex(2);
    QTest::keyClick(&pages, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages.currentIndex(), 0);
    seen.clear();
    allow = false;
    QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, pages.tabBar()->tabRect(2).center());
    QTest::keyClick(pages.tabBar(), Qt::Key_Right);
    EXPECT_EQ(pages.currentIndex(), 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"changing on 0 showing 0", "changing on 0 showing 0"}));

    // Left from the first page goes nowhere and raises nothing.
    seen.clear();
    allow = true;
    QTest::keyClick(pages.tabBar(), Qt::Key_Left);
    EXPECT_TRUE(seen.empty());
}
