#include "AppFixture.h"

using namespace zlv;
using namespace zlv::test;

namespace {

class SpeedDialsPage : public AppFixture {
protected:
    SpeedDialsPage() : AppFixture({.showPresetList = true}) {}
};

TEST_F(SpeedDialsPage, ShowingThePageWritesEveryRowFromTheDials)
{
    SpeedDials[0] = 0;
    SpeedDials[4] = 11;
    SpeedDials[8] = 230; // from a file: reads as empty
    showSpeedDialsPage();

    EXPECT_EQ(cell(dials(), 0, 0), "Speed Dial #");
    EXPECT_EQ(cell(dials(), 0, 1), " Preset ");
    EXPECT_EQ(cell(dials(), 1, 0), "   1");
    EXPECT_EQ(cell(dials(), 9, 0), "   9");
    EXPECT_EQ(cell(dials(), 1, 1), "1.  New Name 1");
    EXPECT_EQ(cell(dials(), 5, 1), "12.  New Name 12");
    EXPECT_EQ(cell(dials(), 2, 1), kEmptyCell);
    EXPECT_EQ(cell(dials(), 9, 1), kEmptyCell);
    EXPECT_EQ(dials()->currentRow(), 1);

    // Every switch back to the page redisplays it.
    MainForm->PageControl1->setCurrentWidget(MainForm->tabSettings);
    InitBankDefaults();
    showSpeedDialsPage();
    for (int d = 1; d <= 9; ++d)
        EXPECT_EQ(cell(dials(), d, 1), kEmptyCell) << d;
}

TEST_F(SpeedDialsPage, DoubleClicksInThePresetListFillDialsAndMoveDown)
{
    showSpeedDialsPage();
    clickCell(dials(), 8);
    doubleClickPreset(3);
    EXPECT_EQ(SpeedDials[7], 3);
    EXPECT_EQ(cell(dials(), 8, 1), "4.  New Name 4");
    EXPECT_EQ(dials()->currentRow(), 9);

    doubleClickPreset(5);
    doubleClickPreset(6); // the last dial is replaced, the selection stays on it
    EXPECT_EQ(SpeedDials[8], 6);
    EXPECT_EQ(dials()->currentRow(), 9);
    EXPECT_EQ(SpeedDials[7], 3);

    list()->clearSelection();
    PresetListForm->ListBox1DblClick();
    EXPECT_EQ(SpeedDials[8], 0xFF);
    EXPECT_EQ(cell(dials(), 9, 1), kEmptyCell);
}

TEST_F(SpeedDialsPage, DeletingADialAsksFirst)
{
    SpeedDials[2] = 40;
    SpeedDials[3] = 41;
    showSpeedDialsPage();
    clickCell(dials(), 3);

    messages.answerNext(MsgResult::Cancel);
    doubleClickCell(dials(), 3);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Delete Speed Dial?");
    EXPECT_EQ(messages[0].caption, "Confirm");
    EXPECT_EQ(messages[0].icon, MsgIcon::None);
    EXPECT_EQ(messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(SpeedDials[2], 40);

    doubleClickCell(dials(), 3);
    EXPECT_EQ(SpeedDials[2], 0xFF);
    EXPECT_EQ(SpeedDials[3], 41);
    EXPECT_EQ(cell(dials(), 3, 1), kEmptyCell);
    EXPECT_EQ(cell(dials(), 4, 1), "42.  New Name 42");

    doubleClickCell(dials(), 3); // already empty: asked again, nothing changes
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(SpeedDials[3], 41);
}

TEST_F(SpeedDialsPage, DeleteAllEmptiesEveryDialAndKeepsTheSelectedRow)
{
    for (int d = 0; d < 9; ++d)
        SpeedDials[d] = static_cast<std::uint8_t>(d * 3);
    showSpeedDialsPage();
    clickCell(dials(), 6);
    MainForm->DeleteAllSpeedDials->trigger();
    EXPECT_TRUE(messages.empty());
    for (int d = 1; d <= 9; ++d) {
        EXPECT_EQ(SpeedDials[d - 1], 0xFF);
        EXPECT_EQ(cell(dials(), d, 1), kEmptyCell);
    }
    EXPECT_EQ(dials()->currentRow(), 6);
}

} // namespace
