#include "AppFixture.h"

#include "SpinEdit.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>

#include <cstring>

using namespace zlv;
using namespace zlv::test;

namespace {

std::string presetName(int index)
{
    return reinterpret_cast<const char*>(PresetTable[index].Name);
}

class PresetList : public AppFixture {
protected:
    PresetList() : AppFixture({.showPresetList = true}) {}

    // A point inside row `row`, scrolling it into view first.
    static QPoint rowPoint(int row)
    {
        list()->scrollToItem(list()->item(row));
        return list()->visualItemRect(list()->item(row)).center();
    }
    // The user's drag of row `src` (already selected) dropped on row `dst`, as the list hands it over.
    static void dragRowOnto(int src, int dst)
    {
        list()->setCurrentRow(src);
        PresetListForm->ListBox1DragDrop(list(), rowPoint(dst));
    }
};

TEST_F(PresetList, DocksAtTheMainWindowsRightEdgeWithoutACloseBox)
{
    PresetListForm->hide();
    MainForm->move(40, 30);
    PresetListForm->show();
    const QRect mainFrame = MainForm->frameGeometry();
    EXPECT_EQ(PresetListForm->frameGeometry().topLeft(), QPoint(mainFrame.x() + mainFrame.width(), mainFrame.y()));
    EXPECT_EQ(PresetListForm->width(), 192);
    EXPECT_EQ(PresetListForm->height(), MainForm->height());
    EXPECT_FALSE(PresetListForm->windowFlags().testFlag(Qt::WindowCloseButtonHint));

    QTest::keyClick(PresetListForm, Qt::Key_Escape);
    EXPECT_TRUE(PresetListForm->isVisible());
    PresetListForm->close();
    EXPECT_FALSE(PresetListForm->isVisible());
}

TEST_F(PresetList, ClickOnThePresetsPageMakesThePresetCurrent)
{
    MainForm->PageControl1->setCurrentWidget(MainForm->tabPresets);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(41));
    EXPECT_EQ(CurrentPreset, 41);
    EXPECT_EQ(Selecting, 0);
    if (auto* edPreset = MainForm->findChild<QLineEdit*>("edPreset")) {
        EXPECT_EQ(edPreset->text(), "42");
    }

    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(CurrentPreset, 42);

    QTest::mouseClick(list()->viewport(), Qt::RightButton, {}, rowPoint(50)); // picks nothing
    EXPECT_EQ(CurrentPreset, 42);
    EXPECT_EQ(PresetListForm->selectedRow(), 42);

    list()->setCurrentRow(7); // a selection from code runs nothing
    EXPECT_EQ(CurrentPreset, 42);

    MainForm->PageControl1->setCurrentWidget(MainForm->tabChains);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(3));
    EXPECT_EQ(CurrentPreset, 42);
    EXPECT_EQ(list()->currentRow(), 3);
}

TEST_F(PresetList, DraggingPresetOneOntoRow200ShiftsTheOthersUp)
{
    PresetTable[0].Channels[0].BankMsb = 0x11;
    PresetTable[0].PreData[0] = 0xC0;
    PresetTable[0].Tail[0] = 0x5A; // whole records move, even the bytes nothing shows
    const PresetRecord first = PresetTable[0];
    MainForm->ShowCurrentPreset(); // the page shows the record it will store before the move
    list()->scrollToBottom();
    const int top = PresetListForm->topRow();
    ASSERT_GT(top, 0);

    dragRowOnto(0, 199);
    EXPECT_EQ(std::memcmp(&PresetTable[199], &first, sizeof first), 0);
    EXPECT_EQ(presetName(0), "New Name 2");
    EXPECT_EQ(presetName(198), "New Name 200");
    EXPECT_EQ(PresetListForm->topRow(), top);
}

TEST_F(PresetList, DroppingARowOntoItselfChangesNoRecordAndKeepsTheScroll)
{
    PresetRecord before[kPresetCount];
    std::memcpy(before, PresetTable, sizeof before);
    scrollListTo(60);
    list()->setCurrentRow(70);
    PresetListForm->ListBox1DragDrop(list(), list()->visualItemRect(list()->item(70)).center());
    EXPECT_EQ(std::memcmp(before, PresetTable, sizeof before), 0);
    EXPECT_EQ(PresetListForm->topRow(), 60);
}

TEST_F(PresetList, RefillAfterAMoveShowsTheNewOrderKeepsTheScrollAndSelectsNothing)
{
    scrollListTo(100);
    list()->setCurrentRow(110);
    PresetListForm->ListBox1DragDrop(list(), list()->visualItemRect(list()->item(105)).center());
    QApplication::processEvents(); // let the list lay out its new rows
    EXPECT_EQ(list()->count(), 200);
    EXPECT_EQ(list()->item(104)->text(), "105.  New Name 105");
    EXPECT_EQ(list()->item(105)->text(), "106.  New Name 111");
    EXPECT_EQ(list()->item(106)->text(), "107.  New Name 106");
    EXPECT_EQ(list()->item(110)->text(), "111.  New Name 110");
    EXPECT_EQ(list()->item(111)->text(), "112.  New Name 112");
    EXPECT_EQ(PresetListForm->selectedRow(), -1);
    EXPECT_EQ(PresetListForm->topRow(), 100);
}

TEST_F(PresetList, DropsWithoutASourceOrATargetRowDoNothing)
{
    PresetRecord before[kPresetCount];
    std::memcpy(before, PresetTable, sizeof before);

    list()->setCurrentRow(4);
    PresetListForm->ListBox1DragDrop(list(), QPoint(5, 100000)); // below the last row
    list()->clearSelection();
    PresetListForm->ListBox1DragDrop(list(), rowPoint(9)); // nothing dragged
    EXPECT_EQ(std::memcmp(before, PresetTable, sizeof before), 0);
}

TEST_F(PresetList, DragsFromElsewhereAreRefused)
{
    PresetRecord before[kPresetCount];
    std::memcpy(before, PresetTable, sizeof before);
    list()->setCurrentRow(2);

    EXPECT_FALSE(PresetListForm->ListBox1DragOver(MainForm->ChainList, 100));
    EXPECT_FALSE(PresetListForm->ListBox1DragOver(nullptr, 100));
    EXPECT_TRUE(PresetListForm->ListBox1DragOver(list(), 100));
    PresetListForm->ListBox1DragDrop(MainForm->ChainList, rowPoint(8));

    // A drag from another program carries no source widget: refused on entry and on drop.
    QMimeData mime;
    mime.setText("05.  New Name 5");
    const QPoint at = rowPoint(8);
    QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list()->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::MoveAction | Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list()->viewport(), &drop);
    EXPECT_FALSE(drop.isAccepted());

    EXPECT_EQ(std::memcmp(before, PresetTable, sizeof before), 0);
}

TEST_F(PresetList, DragNearAnEdgeScrollsOneRowPerMove)
{
    scrollListTo(50);
    QScrollBar* scroll = list()->verticalScrollBar();
    const int h = list()->sizeHintForRow(0);
    ASSERT_GT(h, 0);

    PresetListForm->ListBox1DragOver(list(), 0);
    EXPECT_EQ(scroll->value(), 49);
    PresetListForm->ListBox1DragOver(list(), h / 2);
    EXPECT_EQ(scroll->value(), 48);
    PresetListForm->ListBox1DragOver(list(), h / 2 + 1);
    PresetListForm->ListBox1DragOver(list(), list()->height() / 2);
    PresetListForm->ListBox1DragOver(list(), list()->height() - h - 1);
    EXPECT_EQ(scroll->value(), 48);
    PresetListForm->ListBox1DragOver(list(), list()->height() - h);
    EXPECT_EQ(scroll->value(), 49);
}

TEST_F(PresetList, MovesLeaveLinkAndDialIndexesPointingAtWhateverLiesThere)
{
    setLinks(0, {0, 5, 12});
    SpeedDials[0] = 0;
    SpeedDials[1] = 12;
    dragRowOnto(0, 10);

    EXPECT_EQ(linksOf(0, 3), (std::vector<int>{0, 5, 12}));
    EXPECT_EQ(SpeedDials[0], 0);
    EXPECT_EQ(SpeedDials[1], 12);

    showChainsPage();
    EXPECT_EQ(cell(links(), 1, 1), "1.  New Name 2");
    EXPECT_EQ(cell(links(), 2, 1), "6.  New Name 7");
    EXPECT_EQ(cell(links(), 3, 1), "13.  New Name 13");
    showSpeedDialsPage();
    EXPECT_EQ(cell(dials(), 1, 1), "1.  New Name 2");

    // A move made while the links or dials are shown redraws them at once.
    dragRowOnto(0, 4);
    EXPECT_EQ(cell(dials(), 1, 1), "1.  New Name 3");
    showChainsPage();
    EXPECT_EQ(cell(links(), 1, 1), "1.  New Name 3");
    dragRowOnto(4, 0);
    EXPECT_EQ(cell(links(), 1, 1), "1.  New Name 2");
    EXPECT_EQ(cell(links(), 2, 1), "6.  New Name 7");
}

// The Presets page holds the record at CurrentPreset in its controls; a move that puts
// another record there must not let the next store write those values into it.
TEST_F(PresetList, AMoveUnderTheCurrentPresetNeverStoresThePageIntoAnotherRecord)
{
    MainForm->PageControl1->setCurrentWidget(MainForm->tabPresets);
    PresetTable[0].Channels[0].BankMsb = 0x05;
    PresetTable[1].Channels[0].BankMsb = 0x80 | 0x09;
    PresetTable[1].Channels[3].Program = 0x22;
    const PresetRecord second = PresetTable[1];
    MainForm->ShowCurrentPreset();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(0)); // shows preset 1
    ASSERT_EQ(CurrentPreset, 0);

    dragRowOnto(0, 3);
    ASSERT_EQ(presetName(0), "New Name 2");
    EXPECT_EQ(PresetTable[3].Channels[0].BankMsb, 0x05);

    // The next click stores the page into the record now at index 0.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(20));
    EXPECT_EQ(std::memcmp(&PresetTable[0], &second, sizeof second), 0);
    EXPECT_EQ(PresetTable[3].Channels[0].BankMsb, 0x05);
}

TEST_F(PresetList, UnstoredPageEditsMoveWithTheirRecord)
{
    auto* box = MainForm->findChild<QCheckBox*>("cboxCh1MSB");
    auto* spin = MainForm->findChild<TSpinEdit*>("spinCh1MSB");
    ASSERT_TRUE(box && spin);
    MainForm->PageControl1->setCurrentWidget(MainForm->tabPresets);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowPoint(2));
    ASSERT_EQ(CurrentPreset, 2);
    box->setChecked(true);
    spin->setValue(33);

    dragRowOnto(2, 0);
    EXPECT_EQ(PresetTable[0].Channels[0].BankMsb, 33);
    EXPECT_EQ(PresetTable[2].Channels[0].BankMsb, 0x80);
    // The page now shows the record at index 2, which came from index 1.
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(presetName(2), "New Name 2");
}

} // namespace
