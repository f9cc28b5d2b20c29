// The data editor dialog driven as a user drives it: grid clicks, type buttons,
// track bars, the custom entry, Accept and Cancel.
#include "AppTitle.h"
#include "GuiTest.h"
#include "MidiEventsForm.h"
#include "StringGrid.h"
#include "UserMessage.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace zlv;

namespace {

using Bytes = std::vector<std::uint8_t>;

class DataEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The editor's cursor, length and type live for the whole run; each test
        // starts as the program does.
        GridIndex = 0;
        GridLength = 0;
        EventType = 0;
    }

    void open(const Bytes& data, std::uint8_t delay = 0)
    {
        std::memset(form.MidiData, kEmpty, sizeof form.MidiData);
        std::copy(data.begin(), data.end(), form.MidiData);
        form.InterByteDelay = delay;
        form.show();
    }
    void reopen(const Bytes& data)
    {
        form.hide();
        open(data);
    }
    Bytes data() const { return Bytes(form.MidiData, form.MidiData + GridLength); }
    QPoint cellCentre(int index) const
    {
        return form.Grid->visualRect(form.Grid->model()->index(index / kGridColumns, index % kGridColumns)).center();
    }
    void clickCell(int index) { QTest::mouseClick(form.Grid->viewport(), Qt::LeftButton, {}, cellCentre(index)); }
    void doubleClickCell(int index)
    {
        // A real double click: its first click, then the double-click event.
        clickCell(index);
        QTest::mouseDClick(form.Grid->viewport(), Qt::LeftButton, {}, cellCentre(index));
    }
    void choose(EventButton button) { form.typeButton(button)->click(); }
    void typeCustom(const char* text)
    {
        form.edManualInput->clear();
        form.edManualInput->setText(text);
    }
    int highlightedCells() const { return static_cast<int>(form.Grid->selectedItems().size()); }

    TMidiEventsForm form;
    test::MessageRecorder messages;
};

// The box an exception escaping a handler gives, for a decimal text that is no number.
test::ShownMessage notANumber(const std::string& text)
{
    return {"''" + text + "'' is not a valid integer value", AppTitle, MsgIcon::Error, MsgButtons::Ok};
}

Bytes counting(int n)
{
    Bytes b(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        b[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x10 + i % 0x60);
    return b;
}

} // namespace

TEST_F(DataEditor, FirstShowComposesNoteOnOnChannelOne)
{
    open({});
    EXPECT_EQ(EventType, 0x90);
    EXPECT_TRUE(form.typeButton(EventButton::NoteOn)->isChecked());
    EXPECT_EQ(form.edMidiParam1->text(), "C 5");
    EXPECT_EQ(form.edMidiParam2->text(), "127");
    EXPECT_EQ(form.statusPanelText(0), "MIDI Data (hexadecimal)");
    EXPECT_EQ(form.statusPanelText(1), "90 3C 7F");
    EXPECT_TRUE(form.tbMidiChannel->isEnabled());
    EXPECT_TRUE(form.lblControllerName->isHidden());
    EXPECT_EQ(form.focusWidget(), form.edManualInput);
    EXPECT_EQ(form.windowTitle(), "Edit MIDI Data");
    // Empty block: every data cell blank, cursor at 0.
    EXPECT_EQ(GridLength, 0);
    EXPECT_EQ(GridIndex, 0);
    EXPECT_EQ(form.Grid->cells(0, 0), " ");
    EXPECT_EQ(form.Grid->cells(9, 4), " ");
    EXPECT_EQ(form.Grid->cells(10, 4), "");
}

TEST_F(DataEditor, GridShowsBytesAndSelectsOnlyDataAndTheNextCell)
{
    open({0x0A, 0xF7, 0x90});
    EXPECT_EQ(form.Grid->cells(0, 0), "0A");
    EXPECT_EQ(form.Grid->cells(1, 0), "F7");
    EXPECT_EQ(form.Grid->cells(3, 0), " ");
    EXPECT_EQ(form.currentCellIndex(), 3);

    clickCell(1);
    EXPECT_EQ(form.currentCellIndex(), 1);
    EXPECT_EQ(GridIndex, 1);

    // Two cells past the data: refused, the highlight stays, the cursor goes to the end.
    clickCell(25);
    EXPECT_EQ(form.currentCellIndex(), 1);
    EXPECT_EQ(GridIndex, 3);
    EXPECT_EQ(highlightedCells(), 1);
    EXPECT_TRUE(form.Grid->item(0, 1)->isSelected());

    // The keyboard passes the same rule.
    form.Grid->setFocus();
    clickCell(3);
    QTest::keyClick(form.Grid, Qt::Key_Right);
    EXPECT_EQ(form.currentCellIndex(), 3);
    EXPECT_EQ(GridIndex, 3);
    QTest::keyClick(form.Grid, Qt::Key_Left);
    EXPECT_EQ(form.currentCellIndex(), 2);
    EXPECT_EQ(GridIndex, 2);
}

TEST_F(DataEditor, FullBlockSelectsTheCellAfterTheLastByteOnly)
{
    open(counting(90));
    EXPECT_EQ(GridLength, 90);
    EXPECT_EQ(form.currentCellIndex(), 90);
    clickCell(10);
    clickCell(91);
    EXPECT_EQ(form.currentCellIndex(), 10);
    EXPECT_EQ(GridIndex, 90);
    clickCell(90);
    EXPECT_EQ(form.currentCellIndex(), 90);
}

TEST_F(DataEditor, DoubleClickErasesTheByteOfThatCellOnly)
{
    open({0x01, 0x02, 0x03});
    doubleClickCell(1);
    EXPECT_EQ(data(), (Bytes{0x01, 0x03}));
    EXPECT_EQ(form.Grid->cells(1, 0), "03");
    EXPECT_EQ(form.Grid->cells(2, 0), " ");
    EXPECT_EQ(GridIndex, 1);
    EXPECT_EQ(form.MidiData[89], kEmpty);

    // The cell just after the data holds nothing to erase.
    doubleClickCell(2);
    EXPECT_EQ(data(), (Bytes{0x01, 0x03}));

    // A double click far past the data is refused with its first click and
    // erases neither that cell nor the highlighted one.
    clickCell(0);
    doubleClickCell(30);
    EXPECT_EQ(data(), (Bytes{0x01, 0x03}));
    EXPECT_EQ(GridIndex, 2);

    // Clicking the highlighted cell puts the cursor back on it.
    doubleClickCell(0);
    EXPECT_EQ(data(), Bytes{0x03});
    doubleClickCell(0);
    EXPECT_EQ(GridLength, 0);
    EXPECT_EQ(GridIndex, 0);
    EXPECT_EQ(form.Grid->cells(0, 0), " ");
}

TEST_F(DataEditor, EraseAllFromALaterRowKeepsTheHighlightUntilCellZeroIsChosen)
{
    open(counting(50));
    form.MidiData[60] = 0x33; // leftover after the end marker
    clickCell(2 * kGridColumns + 5);
    form.btnEraseAll->click();
    EXPECT_EQ(Bytes(form.MidiData, form.MidiData + kBlockSize), Bytes(kMidiDataBlockSize, kEmpty));
    EXPECT_EQ(GridIndex, 0);
    EXPECT_EQ(GridLength, 0);
    EXPECT_EQ(form.currentCellIndex(), 45);
    EXPECT_EQ(form.Grid->cells(5, 2), " ");

    form.btnInsert1->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Cell chosen beyond end of data.");
    EXPECT_EQ(messages[0].caption, "Error");
    EXPECT_EQ(messages[0].icon, MsgIcon::None);
    EXPECT_EQ(GridLength, 0);

    clickCell(0);
    form.btnInsert1->click();
    EXPECT_EQ(data(), (Bytes{0x90, 0x3C, 0x7F}));
    EXPECT_EQ(form.currentCellIndex(), 3);
}

TEST_F(DataEditor, ReopeningWithAShorterBlockPutsTheCursorAtItsEnd)
{
    open(counting(70));
    clickCell(65);
    reopen({0x01, 0x02});
    // Column 5 of row 3 is refused, so is row 0 with column 5: the highlight stays.
    EXPECT_EQ(form.currentCellIndex(), 65);
    EXPECT_EQ(GridIndex, 2);
    form.btnInsert1->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Cell chosen beyond end of data.");

    // A block ending in the same row as the highlight: the column move is taken.
    reopen(counting(62));
    EXPECT_EQ(form.currentCellIndex(), 62);
    EXPECT_EQ(GridIndex, 62);

    // Column first, then row: from cell 5 the way to cell 22 leads through cell 2,
    // where a row-first move would have been refused at cell 25.
    clickCell(5);
    reopen(counting(22));
    EXPECT_EQ(form.currentCellIndex(), 22);
}

TEST_F(DataEditor, InsertingComposedMessagesLeavesTheCursorAtTheEnd)
{
    open({0x01, 0x02, 0x03, 0x04, 0x05, 0x06});
    clickCell(2);
    form.tbMidiChannel->setValue(3);
    choose(EventButton::KorgTritonProg);
    EXPECT_EQ(form.statusPanelText(1), "F0 42 32 50 4E 02 F7");
    form.btnInsert1->click();
    EXPECT_EQ(data(), (Bytes{0x01, 0x02, 0xF0, 0x42, 0x32, 0x50, 0x4E, 0x02, 0xF7, 0x03, 0x04, 0x05, 0x06}));
    EXPECT_EQ(GridIndex, 13);
    EXPECT_EQ(form.currentCellIndex(), 13);

    choose(EventButton::ProgramChange);
    form.tbMidiParam1->setValue(0);
    EXPECT_EQ(form.edMidiParam1->text(), "1");
    form.btnInsert1->click();
    EXPECT_EQ(data().back(), 0x00);
    EXPECT_EQ(data()[13], 0xC2);

    // 88 bytes of data leave no room for three more.
    reopen(counting(88));
    choose(EventButton::NoteOn);
    form.btnInsert1->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Not enough room!");
    EXPECT_EQ(messages[0].icon, MsgIcon::None);
    EXPECT_EQ(GridLength, 88);
}

TEST_F(DataEditor, TypeButtonsSetTagCaptionsAndValueRows)
{
    open({});
    for (int i = 0; i < kEventButtonCount; ++i) {
        const auto button = static_cast<EventButton>(i);
        const EventButtonInfo& info = ButtonInfo(button);
        SCOPED_TRACE(info.Name);
        QRadioButton* rb = form.findChild<QRadioButton*>(info.Name);
        ASSERT_NE(rb, nullptr);
        EXPECT_EQ(rb->text(), info.Caption);
        rb->click();
        EXPECT_EQ(EventType, info.Tag);
        EXPECT_EQ(form.lblParam1->text(), info.Param1Caption ? info.Param1Caption : "");
        EXPECT_EQ(form.lblParam2->text(), info.Param2Caption ? info.Param2Caption : "");
        EXPECT_EQ(form.tbMidiParam1->isHidden(), info.Param1Caption == nullptr);
        EXPECT_EQ(form.edMidiParam2->isHidden(), info.Param2Caption == nullptr);
        // System messages carry no channel; Korg and channel messages do.
        EXPECT_EQ(form.tbMidiChannel->isEnabled(), info.Tag < 0xF0);
        EXPECT_EQ(form.statusPanelText(1).toStdString(),
                  MessagePreview(button, form.tbMidiChannel->value(), form.tbMidiParam1->value(),
                                 form.tbMidiParam2->value()));
    }
}

TEST_F(DataEditor, ReadoutsAndControllerNameFollowTheTrackBars)
{
    open({});
    form.tbMidiParam1->setValue(120);
    form.tbMidiParam2->setValue(64);
    EXPECT_EQ(form.edMidiParam1->text(), "---");
    EXPECT_EQ(form.statusPanelText(1), "90 78 40");

    choose(EventButton::ControlChange);
    form.tbMidiParam1->setValue(92);
    EXPECT_FALSE(form.lblControllerName->isHidden());
    EXPECT_EQ(form.lblControllerName->text(), "Tremelo Level");
    form.tbMidiParam1->setValue(102);
    EXPECT_TRUE(form.lblControllerName->isHidden());
    form.tbMidiParam1->setValue(7);
    choose(EventButton::KorgM1Combi);
    EXPECT_TRUE(form.lblControllerName->isHidden());

    choose(EventButton::Stop);
    form.tbMidiChannel->setValue(16);
    EXPECT_FALSE(form.tbMidiChannel->isEnabled());
    EXPECT_EQ(form.edMidiChannel->text(), "16");
    EXPECT_EQ(form.statusPanelText(1), "FC");
    choose(EventButton::NoteOn);
    EXPECT_TRUE(form.tbMidiChannel->isEnabled());
    EXPECT_EQ(form.statusPanelText(1).left(2), "9F");
}

TEST_F(DataEditor, ChosenTypeAndControlsStayAcrossShows)
{
    open({});
    choose(EventButton::KorgM1Prog);
    form.tbMidiChannel->setValue(5);
    form.hide();
    open({});
    EXPECT_TRUE(form.typeButton(EventButton::KorgM1Prog)->isChecked());
    EXPECT_EQ(EventType, kKorgM1Prog);
    EXPECT_EQ(form.statusPanelText(1), "F0 42 34 19 4E 02 00 F7");
    form.btnInsert1->click();
    EXPECT_EQ(data(), (Bytes{0xF0, 0x42, 0x34, 0x19, 0x4E, 0x02, 0x00, 0xF7}));
}

TEST_F(DataEditor, DelayAndTheTwoResults)
{
    open({0x01}, 200);
    EXPECT_EQ(form.edDelay->text(), "200");
    EXPECT_EQ(form.tbarDelay->value(), 127);
    form.tbarDelay->setValue(30);
    EXPECT_EQ(form.edDelay->text(), "30");
    EXPECT_EQ(form.InterByteDelay, 200);

    form.Button2->click();
    EXPECT_EQ(form.result(), TMidiEventsForm::kResultAccept);
    EXPECT_EQ(form.result(), 1);
    EXPECT_FALSE(form.isVisible());
    open({0x01}, 10);
    form.Button1->click();
    EXPECT_EQ(form.result(), 2);

    // Escape ends nothing: neither button is the cancel button; Enter presses
    // only the button that has the focus.
    open({0x01}, 10);
    QTest::keyClick(&form, Qt::Key_Escape);
    QTest::keyClick(form.tbarDelay, Qt::Key_Return);
    EXPECT_TRUE(form.isVisible());
    form.Button2->setFocus();
    QTest::keyClick(form.Button2, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), 1);
}

TEST_F(DataEditor, CustomHexEntryInsertsAtTheCursorAndEmptiesTheField)
{
    open({0xA1, 0xA2, 0xA3, 0xA4});
    clickCell(1);
    typeCustom("55");
    form.btnInsert2->click();
    EXPECT_EQ(data(), (Bytes{0xA1, 0x55, 0xA2, 0xA3, 0xA4}));
    EXPECT_EQ(form.currentCellIndex(), 5);
    EXPECT_EQ(GridIndex, 5);
    EXPECT_TRUE(form.edManualInput->text().isEmpty());

    // Enter in the field does what the button does; an empty field is 00.
    form.edManualInput->setFocus();
    QTest::keyClicks(form.edManualInput, "g1");
    QTest::keyClick(form.edManualInput, Qt::Key_Return);
    QTest::keyClick(form.edManualInput, Qt::Key_Return);
    EXPECT_EQ(data(), (Bytes{0xA1, 0x55, 0xA2, 0xA3, 0xA4, 0x01, 0x00}));
    EXPECT_TRUE(form.isVisible());

    // Typing stops at two characters in Hex mode.
    QTest::keyClicks(form.edManualInput, "7F1");
    EXPECT_EQ(form.edManualInput->text(), "7F");
}

TEST_F(DataEditor, ValueOver254IsReportedBeforeRoomAndStillMovesTheCursor)
{
    open(counting(90));
    typeCustom("7F");
    form.btnInsert2->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Not enough room!");
    EXPECT_EQ(form.edManualInput->text(), "7F");

    reopen(counting(10));
    clickCell(4);
    typeCustom("ff");
    form.btnInsert2->click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, "Value exceeds 254 (decimal).");
    EXPECT_EQ(messages[1].caption, "Error");
    EXPECT_EQ(messages[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(GridLength, 10);
    EXPECT_EQ(form.edManualInput->text(), "ff");
    EXPECT_EQ(form.currentCellIndex(), 10);
    EXPECT_EQ(GridIndex, 10);
}

TEST_F(DataEditor, DecimalEntryReadsNumbersAndRefusesTheRest)
{
    open({});
    form.rbDecimal->click();
    form.edManualInput->clear();
    QTest::keyClicks(form.edManualInput, "2541");
    EXPECT_EQ(form.edManualInput->text(), "254");
    form.btnInsert2->click();
    EXPECT_EQ(data(), Bytes{0xFE});

    for (const char* tooLarge : {"255", "999"}) {
        typeCustom(tooLarge);
        form.btnInsert2->click();
        EXPECT_EQ(messages.back().text, "Value exceeds 254 (decimal).");
    }

    for (const char* bad : {"abc", ""}) {
        typeCustom(bad);
        EXPECT_NO_THROW(form.btnInsert2->click());
        EXPECT_EQ(messages.back(), notANumber(bad));
    }

    // A negative number is refused with what is allowed; nothing is stored.
    const std::size_t before = messages.size();
    typeCustom("-1");
    form.btnInsert2->click();
    ASSERT_EQ(messages.size(), before + 1);
    EXPECT_EQ(messages.back().text, "Value must be from 0 to 254 (decimal).");
    EXPECT_EQ(messages.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(data(), Bytes{0xFE});
    EXPECT_EQ(form.MidiData[1], kEmpty);
    EXPECT_EQ(form.edManualInput->text(), "-1");

    // A decimal text left in the field after a switch to Hex is read as hex digits.
    typeCustom("123");
    form.rbHexadecimal->click();
    EXPECT_EQ(form.edManualInput->text(), "123");
    form.btnInsert2->click();
    EXPECT_EQ(data(), (Bytes{0xFE, 0x12}));
}

// Enter in the field, Enter on the focused Insert button and a click on it: the
// conversion error is shown as the application shows an escaped exception, and
// none leaves the handler into Qt's event code.
TEST_F(DataEditor, DecimalTextThatIsNoNumberIsShownAndNothingLeavesTheHandler)
{
    open({0x05});
    form.rbDecimal->click();
    form.edManualInput->setFocus();
    QTest::keyClicks(form.edManualInput, "x");
    EXPECT_NO_THROW(QTest::keyClick(form.edManualInput, Qt::Key_Return));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.back(), notANumber("x"));

    form.btnInsert2->setFocus();
    EXPECT_NO_THROW(QTest::keyClick(form.btnInsert2, Qt::Key_Return));
    EXPECT_NO_THROW(QTest::mouseClick(form.btnInsert2, Qt::LeftButton));
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[1], notANumber("x"));
    EXPECT_EQ(messages[2], notANumber("x"));
    EXPECT_EQ(data(), Bytes{0x05});
    EXPECT_EQ(form.edManualInput->text(), "x");
}

TEST_F(DataEditor, Screenshot)
{
    open({0xB0, 0x00, 0x05, 0xB0, 0x20, 0x00, 0xC0, 0x07, 0xF0, 0x42, 0x30, 0x50, 0x4E, 0x02, 0xF7,
          0x90, 0x3C, 0x7F, 0x80, 0x3C, 0x00, 0xFA, 0xE0, 0x00, 0x40, 0xD0, 0x22},
         25);
    choose(EventButton::ControlChange);
    form.tbMidiParam1->setValue(7);
    form.tbMidiParam2->setValue(100);
    form.tbMidiChannel->setValue(2);
    clickCell(6);
    ASSERT_TRUE(test::saveScreenshot(&form, "midi-events-form"));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
}
