#include "AppFixture.h"

#include "MidiEventsForm.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <cstring>
#include <vector>

namespace {

class PresetsPage : public zlv::test::AppFixture {
protected:
    PresetsPage() : AppFixture({.showMainWindow = false}) {}
};

std::string nameBytes(const zlv::PresetRecord& rec) { return std::string(reinterpret_cast<const char*>(rec.Name), 13); }

void setBlock(zlv::MidiDataBlock& block, const std::vector<std::uint8_t>& bytes)
{
    std::memset(block, 0xFF, sizeof block);
    std::copy(bytes.begin(), bytes.end(), block);
}

TEST_F(PresetsPage, TypedNameIsStoredBlankFilledAndRewritesItsListRow)
{
    showActive();
    zlv::CurrentPreset = 4;
    form->ShowCurrentPreset();
    EXPECT_EQ(form->edPresetName->text(), "New Name 5");
    EXPECT_FALSE(form->PresetModified);

    form->edPresetName->setFocus();
    form->edPresetName->clear();
    QTest::keyClicks(form->edPresetName, "Piano");
    EXPECT_EQ(nameBytes(current()), "Piano        ");
    EXPECT_EQ(current().NameTerminator, 0);
    EXPECT_EQ(zlv::PresetListForm->ListBox1->item(4)->text(), "05.  Piano");
    EXPECT_EQ(zlv::PresetListForm->ListBox1->item(3)->text(), "04.  New Name 4");
    EXPECT_TRUE(form->PresetModified);

    zlv::CurrentPreset = 122;
    form->ShowCurrentPreset();
    form->edPresetName->setFocus();
    form->edPresetName->selectAll();
    QTest::keyClicks(form->edPresetName, "Strings and more");
    EXPECT_EQ(form->edPresetName->text(), "Strings and m"); // 13 at most
    EXPECT_EQ(nameBytes(current()), "Strings and m");
    EXPECT_EQ(zlv::PresetListForm->ListBox1->item(122)->text(), "123.  Strings and m");
}

// The field shows printable ASCII only, so it may not show every byte of the
// stored name: the zeros after a default name, or the 0x7F that a name byte of
// 0x80 or more from another program's file is read as. Only an edit of the
// field stores its text; the focus passing through it, key releases in it and
// clicks in the preset list leave the name byte for byte.
TEST_F(PresetsPage, OnlyAnEditOfTheFieldChangesTheStoredName)
{
    showActive();
    const std::string defaultName("New Name 1\0\0\0", 13);
    const std::string foreignName("Caf\x7F Pad\0\0\0\0\0", 13);
    std::memcpy(zlv::PresetTable[1].Name, foreignName.data(), 13);
    form->UpdatePresetsList();
    const QString foreignRow = listLine(1);
    form->ShowCurrentPreset();
    ASSERT_EQ(nameBytes(current()), defaultName);
    QLineEdit* edit = form->edPresetName;

    // Tabbed into from the control before it: the Tab key is released in the field.
    form->btnPreMidiData->setFocus(Qt::TabFocusReason);
    QTest::keyPress(form->btnPreMidiData, Qt::Key_Tab);
    ASSERT_TRUE(edit->hasFocus());
    QTest::keyRelease(edit, Qt::Key_Tab);
    QTest::keyRelease(edit, Qt::Key_Shift);
    form->m_cboxCh[0][0]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(nameBytes(current()), defaultName);
    EXPECT_FALSE(form->PresetModified);

    clickPreset(1);
    ASSERT_EQ(edit->text(), "Caf Pad");
    QTest::mouseClick(edit, Qt::LeftButton);
    ASSERT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_FALSE(edit->hasFocus());
    clickPreset(0);
    clickPreset(1);
    EXPECT_EQ(nameBytes(zlv::PresetTable[1]), foreignName);
    EXPECT_EQ(listLine(1), foreignRow);
    EXPECT_FALSE(form->PresetModified);

    // Nor by a paste or a drop that brings nothing a name can hold.
    QTest::mouseClick(edit, Qt::LeftButton);
    pasteInto(edit, QString::fromUtf8("é"));
    edit->setSelection(1, 3);
    pasteInto(edit, QString::fromUtf8("é"));
    chooseContextMenuItem(edit, "&Paste");
    dropText(edit, QString::fromUtf8("é"), edit->rect().center(), false);
    EXPECT_EQ(edit->text(), "Caf Pad");
    EXPECT_EQ(edit->selectedText(), "af ");
    EXPECT_FALSE(edit->isUndoAvailable());
    EXPECT_EQ(nameBytes(zlv::PresetTable[1]), foreignName);

    // An edit is stored at once, and leaving the field commits it again; the
    // window losing the activation does not.
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(nameBytes(current()), "Caf Pa       ");
    std::memcpy(current().Name, "Old\0", 4);
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(edit, &deactivated);
    EXPECT_EQ(nameBytes(current()).substr(0, 4), std::string("Old\0", 4));
    form->m_cboxCh[0][0]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(nameBytes(current()), "Caf Pa       ");

    // Emptied by the user, the name is 13 blanks.
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(nameBytes(current()), std::string(13, ' '));
    EXPECT_EQ(listLine(1), "02.  ");
}

// Name bytes travel raw between F0 and F7, where one of 0x80 or more would end
// the message: the field takes printable ASCII only, and shows what it stores.
TEST_F(PresetsPage, NameFieldTakesPrintableAsciiOnlyAndShowsWhatItStores)
{
    showActive();
    QLineEdit* edit = form->edPresetName;
    edit->setFocus();
    edit->clear();
    typeInto(edit, QString::fromUtf8("Café €1"));
    EXPECT_EQ(edit->text(), "Caf 1");
    EXPECT_EQ(nameBytes(current()), "Caf 1        ");
    EXPECT_EQ(zlv::PresetListForm->ListBox1->item(0)->text(), "01.  Caf 1");

    edit->selectAll();
    pasteInto(edit, QString::fromUtf8("Zoë—ok\t"));
    EXPECT_EQ(edit->text(), "Zook");
    EXPECT_EQ(nameBytes(current()), "Zook         ");

    // What a paste loses does not count against the 13 characters.
    edit->setText("0123456789");
    edit->end(false);
    pasteInto(edit, QString::fromUtf8("A日B—C"));
    EXPECT_EQ(edit->text(), "0123456789ABC");
    EXPECT_EQ(nameBytes(current()), "0123456789ABC");

    // A typed character the name cannot hold is a key that does nothing: the
    // selection, the stored name and the undo history stay; so does one
    // composed through an input method.
    edit->selectAll();
    QTest::keyClicks(edit, "HelloX");
    QTest::keySequence(edit, QKeySequence::Undo);
    const QString undone = edit->text();
    ASSERT_FALSE(undone.isEmpty() || undone == "HelloX");
    QTest::keySequence(edit, QKeySequence::Redo);
    ASSERT_EQ(edit->text(), "HelloX");
    edit->selectAll();
    typeInto(edit, QString::fromUtf8("é"));
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("ü"));
    QApplication::sendEvent(edit, &composed);
    EXPECT_EQ(edit->text(), "HelloX");
    EXPECT_EQ(edit->selectedText(), "HelloX");
    EXPECT_EQ(nameBytes(current()), "HelloX       ");
    QTest::keySequence(edit, QKeySequence::Undo);
    EXPECT_EQ(edit->text(), undone);
    EXPECT_EQ(nameBytes(current()), undone.leftJustified(13, ' ').toStdString());

    // Text set from code is held to the same rule.
    edit->setText(QString(QChar(0x0141)) + "b\x01" "c\x7F");
    form->edPresetNameExit();
    EXPECT_EQ(edit->text(), "bc");
    EXPECT_EQ(nameBytes(current()), "bc           ");
}

TEST_F(PresetsPage, DataFieldsShowHexPairsAndDelaysInDecimal)
{
    setBlock(current().PreData, {0xC0, 0x05});
    setBlock(current().PostData, {});
    current().PreDelay = 0;
    current().PostDelay = 127;
    form->ShowCurrentPreset();
    EXPECT_EQ(form->edPreMidiData->text(), "C0 05 ");
    EXPECT_EQ(form->edPostMidiData->text(), "");
    EXPECT_EQ(form->edPreDelay->text(), "0");
    EXPECT_EQ(form->edPostDelay->text(), "127");

    for (int i = 0; i < 90; ++i)
        current().PostData[i] = static_cast<std::uint8_t>(0xA0 + i % 16);
    current().PreData[2] = 0x0A; // data after the end marker is not shown
    current().PreData[3] = 0xFF;
    current().PreData[4] = 0x33;
    form->ShowCurrentPreset();
    EXPECT_EQ(form->edPostMidiData->text().size(), 270);
    EXPECT_TRUE(form->edPostMidiData->text().startsWith("A0 A1 A2 "));
    EXPECT_EQ(form->edPreMidiData->text(), "C0 05 0A ");
}

TEST_F(PresetsPage, SpeedDialMarkerShowsExactlyWhenADialHoldsThePreset)
{
    zlv::CurrentPreset = 7;
    form->ShowCurrentPreset();
    EXPECT_TRUE(form->imgSpeedDialOn->isHidden());
    zlv::SpeedDials[8] = 7;
    EXPECT_TRUE(form->imgSpeedDialOn->isHidden()); // only a display updates it
    form->ShowCurrentPreset();
    EXPECT_FALSE(form->imgSpeedDialOn->isHidden());
    zlv::SpeedDials[8] = 0xFF;
    zlv::SpeedDials[0] = 6;
    form->ShowCurrentPreset();
    EXPECT_TRUE(form->imgSpeedDialOn->isHidden());
}

TEST_F(PresetsPage, ADisplayNeverNests)
{
    form->ShowCurrentPreset();
    std::memcpy(current().Name, "Other", 5);
    current().Channels[0].BankMsb = 0x01;
    zlv::ShowingPreset = 1;
    form->ShowCurrentPreset();
    EXPECT_EQ(form->edPresetName->text(), "New Name 1");
    EXPECT_FALSE(form->m_cboxCh[0][0]->isChecked());
    EXPECT_EQ(zlv::ShowingPreset, 1);
}

// The data-block hand-off, answered in the user's place.
class DataHandOff : public PresetsPage {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(PresetsPage::SetUp());
        setBlock(current().PreData, {0xB0, 0x00, 0x01});
        setBlock(current().PostData, {0xC0, 0x05});
        current().PreDelay = 3;
        current().PostDelay = 9;
        form->ShowCurrentPreset();
        // An unstored channel edit, which the hand-off stores first.
        form->m_cboxCh[1][2]->setChecked(true);
        form->m_spinCh[1][2]->setValue(40);
        form->PresetModified = false;
    }

    // Answers the editor: checks what it was given, edits it, and closes with result.
    // The edit is kept by value: the answer runs after this call has returned.
    void answer(int result, std::vector<std::uint8_t> edited, int delay)
    {
        answerWindow([=, this](QDialog* dialog) {
            EXPECT_EQ(dialog, zlv::MidiEventsForm);
            seenCaption = dialog->windowTitle();
            std::memcpy(seenData, zlv::MidiEventsForm->MidiData, sizeof seenData);
            seenDelay = zlv::MidiEventsForm->InterByteDelay;
            setBlock(zlv::MidiEventsForm->MidiData, edited);
            zlv::MidiEventsForm->tbarDelay->setValue(delay);
            return result;
        });
    }

    QString seenCaption;
    zlv::MidiDataBlock seenData{};
    int seenDelay = -1;
};

TEST_F(DataHandOff, AcceptWritesBlockAndDelayBackAndRedisplays)
{
    const zlv::PresetRecord before = current();
    answer(1, {0x90, 0x3C, 0x7F}, 127);
    QTest::mouseClick(form->btnPreMidiData, Qt::LeftButton);
    EXPECT_EQ(seenCaption, "Edit PRE-Patch MIDI Data");
    EXPECT_EQ(std::memcmp(seenData, before.PreData, 90), 0);
    EXPECT_EQ(seenDelay, 3);

    EXPECT_EQ(current().Channels[1].Program, 39);
    EXPECT_EQ(current().PreData[2], 0x7F);
    EXPECT_EQ(current().PreData[3], 0xFF);
    EXPECT_EQ(current().PreDelay, 127);
    EXPECT_EQ(std::memcmp(current().PostData, before.PostData, 90), 0);
    EXPECT_EQ(current().PostDelay, 9);
    EXPECT_EQ(form->edPreMidiData->text(), "90 3C 7F ");
    EXPECT_EQ(form->edPreDelay->text(), "127");
    EXPECT_FALSE(form->PresetModified);

    answer(1, {}, 0);
    QTest::mouseClick(form->btnPostMidiData, Qt::LeftButton);
    EXPECT_EQ(seenCaption, "Edit POST-Patch MIDI Data");
    EXPECT_EQ(seenDelay, 9);
    EXPECT_EQ(current().PostData[0], 0xFF);
    EXPECT_EQ(current().PostDelay, 0);
    EXPECT_EQ(form->edPostMidiData->text(), "");
    EXPECT_EQ(form->edPreMidiData->text(), "90 3C 7F ");
}

TEST_F(DataHandOff, CancelKeepsBlockDelayAndPageButChannelsAreStored)
{
    const zlv::PresetRecord before = current();
    form->edPostMidiData->setText("shown before"); // the page is not redisplayed
    answer(2, {0x90}, 50);
    QTest::mouseClick(form->btnPostMidiData, Qt::LeftButton);
    EXPECT_EQ(std::memcmp(current().PostData, before.PostData, 90), 0);
    EXPECT_EQ(current().PostDelay, 9);
    EXPECT_EQ(form->edPostMidiData->text(), "shown before");
    EXPECT_EQ(current().Channels[1].Program, 39);

    answer(0, {0x90}, 50); // window closed without a button
    QTest::mouseClick(form->btnPreMidiData, Qt::LeftButton);
    EXPECT_EQ(std::memcmp(current().PreData, before.PreData, 90), 0);
    EXPECT_EQ(current().PreDelay, 3);
}

// A preset with data in both blocks, saved for a look at the page.
TEST_F(PresetsPage, Screenshot)
{
    zlv::CurrentPreset = 11;
    std::memcpy(current().Name, "Grand Piano  ", 13);
    setBlock(current().PreData, {0xB0, 0x00, 0x01, 0xB0, 0x20, 0x02, 0xC0, 0x05});
    setBlock(current().PostData, {0xB0, 0x07, 0x64, 0xF0, 0x42, 0x30, 0x50, 0x4E, 0x00, 0xF7});
    current().PreDelay = 10;
    current().PostDelay = 25;
    current().Channels[0] = {0x00, 0x02, 0x04};
    current().Channels[1] = {0x81, 0x05, 0x8F};
    current().Channels[9] = {0x80, 0x80, 0x19};
    zlv::SpeedDials[2] = 11;
    form->edPreset->setText("12");
    form->show();
    const QSize page = form->tabPresets->size();
    if (page.width() < 800 || page.height() < 480)
        form->resize(form->size() + QSize(800, 480) - page.boundedTo(QSize(800, 480)));
    form->ShowCurrentPreset();
    ASSERT_TRUE(zlv::test::saveScreenshot(form, "presets-page"));
    EXPECT_GE(form->tabPresets->width(), 800);
    EXPECT_FALSE(form->imgSpeedDialOn->isHidden());
}

} // namespace
