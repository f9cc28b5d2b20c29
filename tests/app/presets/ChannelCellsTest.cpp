#include "AppFixture.h"

#include <QPalette>
#include <QPushButton>
#include <QToolButton>

#include <cstring>

namespace {

class ChannelCells : public zlv::test::AppFixture {
protected:
    ChannelCells() : AppFixture({.showMainWindow = false}) {}
};
constexpr int kMsb = 0, kLsb = 1, kPgm = 2;

std::uint8_t& channelByte(zlv::PresetRecord& rec, int ch, int kind)
{
    return reinterpret_cast<std::uint8_t*>(&rec)[17 + 3 * ch + kind];
}

TEST_F(ChannelCells, CellsCarryTheirNamesAndRanges)
{
    for (int ch = 0; ch < 16; ++ch)
        for (int kind = 0; kind < 3; ++kind) {
            const QString suffix = QStringLiteral("Ch%1%2").arg(ch + 1).arg(kind == kMsb ? "MSB" : kind == kLsb ? "LSB" : "Pgm");
            EXPECT_EQ(form->findChild<zlv::TSpinEdit*>("spin" + suffix), spin(ch, kind));
            EXPECT_EQ(form->findChild<QCheckBox*>("cbox" + suffix), box(ch, kind));
            EXPECT_EQ(spin(ch, kind)->minValue(), kind == kPgm ? 1 : 0);
            EXPECT_EQ(spin(ch, kind)->maxValue(), kind == kPgm ? 128 : 127);
        }
}

// Every byte value in every cell: shown as the rules say, stored back unchanged,
// and a display never marks the page modified.
TEST_F(ChannelCells, DisplayAndStoreAreExactInversesForAllByteValues)
{
    for (int v = 0; v < 256; ++v) {
        for (int ch = 0; ch < 16; ++ch)
            for (int kind = 0; kind < 3; ++kind)
                channelByte(current(), ch, kind) = static_cast<std::uint8_t>(v + 5 * ch + 101 * kind);
        zlv::PresetRecord before = current();
        form->ShowCurrentPreset();
        for (int ch = 0; ch < 16; ++ch)
            for (int kind = 0; kind < 3; ++kind) {
                const std::uint8_t b = channelByte(before, ch, kind);
                const int shown = (b & 0x7F) + (kind == kPgm ? 1 : 0);
                ASSERT_EQ(spin(ch, kind)->text(), QString::number(shown)) << "byte " << int(b);
                ASSERT_EQ(box(ch, kind)->isChecked(), !(b & 0x80)) << "byte " << int(b);
                ASSERT_EQ(ownEnabled(spin(ch, kind)), !(b & 0x80)) << "byte " << int(b);
            }
        std::memset(current().Channels, 0x55, sizeof current().Channels);
        form->StoreChannels();
        ASSERT_EQ(std::memcmp(&before, &current(), sizeof before), 0) << "value " << v;
    }
    EXPECT_FALSE(form->PresetModified);
}

TEST_F(ChannelCells, DefaultPresetShowsEverythingSwitchedOff)
{
    form->ShowCurrentPreset();
    for (int ch = 0; ch < 16; ++ch)
        for (int kind = 0; kind < 3; ++kind) {
            EXPECT_FALSE(box(ch, kind)->isChecked());
            EXPECT_FALSE(ownEnabled(spin(ch, kind)));
            EXPECT_EQ(spin(ch, kind)->text(), kind == kPgm ? "1" : "0");
        }
}

TEST_F(ChannelCells, TickingASwitchedOffProgramBringsItsValueBack)
{
    showActive();
    current().Channels[0].Program = 0x85;
    form->ShowCurrentPreset();
    ASSERT_EQ(spin(0, kPgm)->text(), "6");
    ASSERT_FALSE(box(0, kPgm)->isChecked());

    // Stored untouched, the byte keeps its off bit and value.
    form->StoreChannels();
    EXPECT_EQ(current().Channels[0].Program, 0x85);
    EXPECT_FALSE(form->PresetModified);

    QTest::mouseClick(box(0, kPgm), Qt::LeftButton);
    EXPECT_TRUE(box(0, kPgm)->isChecked());
    EXPECT_TRUE(ownEnabled(spin(0, kPgm)));
    EXPECT_TRUE(spin(0, kPgm)->hasFocus());
    EXPECT_EQ(spin(0, kPgm)->text(), "6");
    EXPECT_TRUE(form->PresetModified);
    form->StoreChannels();
    EXPECT_EQ(current().Channels[0].Program, 0x05);

    // The space bar on the box switches it off again.
    box(0, kPgm)->setFocus();
    QTest::keyClick(box(0, kPgm), Qt::Key_Space);
    EXPECT_FALSE(ownEnabled(spin(0, kPgm)));
    form->StoreChannels();
    EXPECT_EQ(current().Channels[0].Program, 0x85);
}

TEST_F(ChannelCells, BadOrOutOfRangeTextIsStoredAsABound)
{
    showActive();
    std::memset(current().Channels, 0x00, sizeof current().Channels);
    form->ShowCurrentPreset();

    spin(0, kPgm)->setText("");
    spin(0, kMsb)->setFocus();
    spin(0, kMsb)->lineEdit()->selectAll();
    QTest::keyClicks(spin(0, kMsb)->lineEdit(), "200");
    ASSERT_EQ(spin(0, kMsb)->text(), "200"); // the focus never left it
    form->PresetModified = false;
    form->StoreChannels();
    EXPECT_EQ(current().Channels[0].BankMsb, 127);
    EXPECT_EQ(current().Channels[0].Program, 0);
    EXPECT_EQ(spin(0, kPgm)->text(), "1");
    // Putting the minimum back into the emptied field is a change of its text.
    EXPECT_TRUE(form->PresetModified);
}

TEST_F(ChannelCells, TypingArrowsAndButtonsMarkThePageModifiedButADisplayDoesNot)
{
    showActive();
    std::memset(current().Channels, 0x10, sizeof current().Channels);
    form->ShowCurrentPreset();
    EXPECT_FALSE(form->PresetModified);

    QTest::keyClick(spin(3, kLsb)->lineEdit(), Qt::Key_Up);
    EXPECT_TRUE(form->PresetModified);
    form->PresetModified = false;
    QTest::mouseClick(spin(3, kLsb)->downButton(), Qt::LeftButton);
    EXPECT_TRUE(form->PresetModified);

    form->PresetModified = false;
    for (auto* flag : {&zlv::Refreshing, &zlv::Resetting}) {
        *flag = 1;
        QTest::keyClick(spin(3, kLsb)->lineEdit(), Qt::Key_Up);
        *flag = 0;
        EXPECT_FALSE(form->PresetModified);
    }
}

TEST_F(ChannelCells, EnterMovesTheFocusOnInTabOrder)
{
    showActive();
    std::memset(current().Channels, 0x00, sizeof current().Channels);
    form->ShowCurrentPreset();

    spin(0, kMsb)->setFocus();
    spin(0, kMsb)->setValue(12);
    QTest::keyClick(spin(0, kMsb)->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(box(0, kLsb)->hasFocus());
    EXPECT_EQ(spin(0, kMsb)->text(), "12"); // swallowed, not typed

    spin(0, kPgm)->setFocus();
    QTest::keyClick(spin(0, kPgm)->lineEdit(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(box(1, kMsb)->hasFocus());

    spin(15, kPgm)->setFocus();
    QTest::keyClick(spin(15, kPgm)->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(form->btnPostMidiData->hasFocus());

    // Tab from a box passes over its disabled spin edit.
    box(2, kMsb)->setChecked(false);
    box(2, kMsb)->setFocus();
    QTest::keyClick(box(2, kMsb), Qt::Key_Tab);
    EXPECT_TRUE(box(2, kLsb)->hasFocus());
}

TEST_F(ChannelCells, DisplayLeavesTheFocusOnTheLastSpinEditSwitchedOn)
{
    showActive();
    form->ShowCurrentPreset(); // all off
    form->edPresetName->setFocus();
    current().Channels[2].Program = 0x07;
    current().Channels[6].BankLsb = 0x00;
    form->ShowCurrentPreset();
    EXPECT_TRUE(spin(6, kLsb)->hasFocus());
    EXPECT_FALSE(form->PresetModified);
}

TEST_F(ChannelCells, WhileTheListSelectsABoxChangeNeitherFocusesNorMarks)
{
    showActive();
    form->ShowCurrentPreset();
    form->edPresetName->setFocus();
    zlv::Selecting = 1;
    box(4, kMsb)->setChecked(true);
    EXPECT_TRUE(ownEnabled(spin(4, kMsb)));
    EXPECT_TRUE(form->edPresetName->hasFocus());
    EXPECT_FALSE(form->PresetModified);

    current().Channels[9].Program = 0x00;
    form->ShowCurrentPreset();
    EXPECT_TRUE(form->edPresetName->hasFocus());
}

TEST_F(ChannelCells, DisplayFromAnotherPageLeavesTheFocusAlone)
{
    showActive();
    form->ShowCurrentPreset();
    form->PageControl1->setCurrentIndex(3);
    QWidget* focusBefore = QApplication::focusWidget();
    current().Channels[0].BankMsb = 0x01;
    form->ShowCurrentPreset();
    EXPECT_EQ(QApplication::focusWidget(), focusBefore);
    EXPECT_TRUE(ownEnabled(spin(0, kMsb)));
    EXPECT_EQ(zlv::ShowingPreset, 0);
}

TEST_F(ChannelCells, FocusedBoxTurnsBlueAndBackToButtonFace)
{
    showActive();
    const QColor face = QApplication::palette().color(QPalette::Button);
    box(5, kLsb)->setFocus();
    EXPECT_EQ(box(5, kLsb)->palette().color(box(5, kLsb)->backgroundRole()), QColor(Qt::blue));
    box(5, kPgm)->setFocus();
    EXPECT_EQ(box(5, kLsb)->palette().color(box(5, kLsb)->backgroundRole()), face);
    EXPECT_EQ(box(5, kPgm)->palette().color(box(5, kPgm)->backgroundRole()), QColor(Qt::blue));
}


TEST_F(ChannelCells, DigitsTypedAfterATickReplaceTheValue)
{
    showActive();
    form->ShowCurrentPreset(); // program of channel 1 off, showing 1
    ASSERT_EQ(spin(0, kPgm)->text(), "1");
    QTest::mouseClick(box(0, kPgm), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), spin(0, kPgm)->lineEdit());
    QTest::keyClicks(QApplication::focusWidget(), "12");
    EXPECT_EQ(spin(0, kPgm)->value(), 12);
}

} // namespace
