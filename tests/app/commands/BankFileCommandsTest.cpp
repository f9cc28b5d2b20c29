// New, Open all and Save all driven through the main window's tool button and
// menus, with the file dialogs, the summary and the message boxes answered.
#include "AppFixture.h"

#include "SafeFile.h"
#include "SpecialFiles.h"
#include "SyxReader.h"
#include "SyxRecords.h"
#include "SyxWriter.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <cstring>
#include <functional>
#include <string>

namespace zlv::test {
namespace {

using BankFile = AppFixture;

const Box kWriteFailed{"Could not write the file.", "File Error!", zlv::MsgIcon::Exclamation};

// Every field of every record away from its default, in ways a reader could
// get wrong: names of every length, data blocks from empty to full, chains with
// a gap between used links, an empty speed dial.
void setName(std::uint8_t (&name)[zlv::kNameLength], const char* text, std::size_t length)
{
    for (std::size_t i = 0; i < zlv::kNameLength; ++i)
        name[i] = i < length ? static_cast<std::uint8_t>(text[i]) : 0;
}

void fillBank()
{
    for (int i = 0; i < 200; ++i) {
        zlv::PresetRecord& p = zlv::PresetTable[i];
        setName(p.Name, "Zz Song ~#%&!", static_cast<std::size_t>(i % 14));
        p.PreDelay = static_cast<std::uint8_t>(i % 128);
        p.PostDelay = static_cast<std::uint8_t>((i * 7) % 128);
        auto* channels = reinterpret_cast<std::uint8_t*>(p.Channels);
        for (int b = 0; b < 48; ++b)
            channels[b] = static_cast<std::uint8_t>(i * 31 + b * 7);
        const int pre = i % 91, post = (200 - i) % 91;
        for (int k = 0; k < 90; ++k) {
            p.PreData[k] = k < pre ? static_cast<std::uint8_t>((i + k) % 255) : zlv::kEmpty;
            p.PostData[k] = k < post ? static_cast<std::uint8_t>((i * 3 + k) % 255) : zlv::kEmpty;
        }
    }
    for (int c = 0; c < 99; ++c) {
        zlv::ChainRecord& chain = zlv::ChainTable[c];
        const std::string name = "Chain " + std::to_string(c) + "       ";
        setName(chain.Name, name.c_str(), zlv::kNameLength);
        for (int k = 0; k < 18; ++k)
            chain.Links[k] = k < c % 19 ? static_cast<std::uint8_t>((c * 11 + k) % 200) : zlv::kEmpty;
    }
    zlv::ChainTable[5].Links[1] = zlv::kEmpty;
    for (int d = 0; d < 8; ++d)
        zlv::SpeedDials[d] = static_cast<std::uint8_t>(d * 24 + 3);
    zlv::SpeedDials[8] = zlv::kEmpty;
}

TEST_F(BankFile, SavedBankOpensBackByteForByteAfterNew)
{
    fillBank();
    makeCurrent(56);
    const QString path = workFile("bank.syx");
    chooseFile(path);
    form->SaveToSyxFile->trigger();
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].dialog, "SaveAllDialog");
    EXPECT_EQ(dialogs[0].offered, "ZLV_keypad_ALL.syx");
    EXPECT_EQ(zlv::CurrentPreset, 0);
    EXPECT_EQ(form->edPreset->text(), "1");
    EXPECT_EQ(form->edPresetName->text(), QString(13, ' '));
    const Bytes saved = BankBytes(); // the save fills names up with blanks in the bank

    QTest::mouseClick(form->bntNew, Qt::LeftButton);
    EXPECT_EQ(FirstDifference(BankBytes(), DefaultBankBytes()), -1);
    EXPECT_EQ(listLine(199), "200.  New Name 200");

    // Opened from the Chains page: the command returns to the Presets page
    // without the page events, so the list keeps the Chains page's caption.
    clickTab(1);
    ASSERT_EQ(zlv::PresetListForm->windowTitle(), "Add Preset (double-click)");
    makeCurrent(9);
    chooseFile(path);
    answerSummary(true);
    form->OpenSyxFile->trigger();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(summaryCounts, (QStringList{"0", "200", "99", "9"}));
    EXPECT_EQ(FirstDifference(BankBytes(), saved), -1);
    EXPECT_EQ(zlv::CurrentPreset, 0);
    EXPECT_EQ(form->edPreset->text(), "1");
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    EXPECT_EQ(zlv::PresetListForm->windowTitle(), "Add Preset (double-click)");
    EXPECT_EQ(listLine(13), "14.  Zz Song ~#%&!");
}

// On a MIDI cable a byte of 0x80 or more ends a System Exclusive message early:
// names typed or pasted with characters outside ASCII must not put one there.
TEST_F(BankFile, NamesEnteredOutsideAsciiSaveAsSevenBitMessagesAndOpenBackTheSame)
{
    showActive();
    form->edPresetName->setFocus();
    form->edPresetName->selectAll();
    typeInto(form->edPresetName, QString::fromUtf8("Café €1"));
    showChainsPage();
    form->edChainName->setFocus();
    form->edChainName->selectAll();
    pasteInto(form->edChainName, QString::fromUtf8("Zoë—A日B"));
    const QString path = workFile("names.syx");
    chooseFile(path);
    form->SaveToSyxFile->trigger();
    const Bytes saved = BankBytes();
    EXPECT_EQ(std::memcmp(zlv::PresetTable[0].Name, "Caf 1        ", 13), 0);
    EXPECT_EQ(std::memcmp(zlv::ChainTable[0].Name, "ZoAB         ", 13), 0);

    const Bytes file = ReadFile(path);
    long firstHighByte = -1;
    bool inMessage = false;
    for (std::size_t i = 0; i < file.size() && firstHighByte < 0; ++i) {
        if (!inMessage)
            inMessage = file[i] == 0xF0;
        else if (file[i] == 0xF7)
            inMessage = false;
        else if (file[i] >= 0x80)
            firstHighByte = static_cast<long>(i);
    }
    EXPECT_EQ(firstHighByte, -1);

    // Opened with the focus still in the chain name, which the switch to the
    // Presets page takes away: the loaded chain keeps the file's name.
    QTest::mouseClick(form->bntNew, Qt::LeftButton);
    ASSERT_TRUE(form->edChainName->hasFocus());
    chooseFile(path);
    answerSummary(true);
    form->OpenSyxFile->trigger();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(FirstDifference(BankBytes(), saved), -1);
}

// Save all is a menu item and takes no focus, so a name changed with the mouse
// alone (no key released in the field, no focus moved on) must already be in
// the bank: the file holds what the field showed, and the field still shows it.
TEST_F(BankFile, NameEditsMadeWithoutAKeyAreSaved)
{
    showActive();
    const QString path = workFile("names.syx");
    const struct {
        QLineEdit* edit;
        std::size_t nameInFile; // chain 1 follows 200 presets without data
    } fields[] = {{form->edPresetName, zlv::kPresetNameOffset},
                  {form->edChainName, zlv::kPresetCount * zlv::kPresetMessageMinSize + zlv::kPresetNameOffset}};
    for (const auto& field : fields) {
        QLineEdit* edit = field.edit;
        if (edit == form->edChainName)
            showChainsPage();
        const std::string which = edit->objectName().toStdString();
        auto saveAll = [&](const char* step) {
            const QString shown = edit->text().leftJustified(zlv::kNameLength, ' ');
            chooseFile(path);
            form->SaveToSyxFile->trigger();
            const Bytes file = ReadFile(path);
            ASSERT_GE(file.size(), field.nameInFile + zlv::kNameLength);
            const auto name = file.begin() + static_cast<long>(field.nameInFile);
            EXPECT_EQ(std::string(name, name + zlv::kNameLength), shown.toStdString()) << which << ", " << step;
            EXPECT_EQ(edit->text().leftJustified(zlv::kNameLength, ' '), shown) << which << ", " << step;
        };
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "Typed");
        QGuiApplication::clipboard()->setText("CtxTwo");
        edit->selectAll();
        chooseContextMenuItem(edit, "&Paste");
        EXPECT_EQ(edit->text(), "CtxTwo");
        saveAll("Paste");

        edit->setSelection(0, 3);
        chooseContextMenuItem(edit, "Delete");
        EXPECT_TRUE(edit->text().startsWith("Two")) << edit->text().toStdString();
        saveAll("Delete");

        edit->selectAll();
        QTest::keyClicks(edit, "Ab");
        chooseContextMenuItem(edit, "&Undo");
        EXPECT_NE(edit->text(), "Ab");
        saveAll("Undo");

        edit->selectAll();
        QTest::keyClicks(edit, "Ab");
        dropText(edit, "Zq", QPoint(edit->width() - 2, edit->height() / 2));
        EXPECT_EQ(edit->text(), "AbZq");
        saveAll("drop");
    }
    EXPECT_EQ(listLine(0).trimmed(), "01.  AbZq");
    EXPECT_EQ(form->ChainList->item(0)->text(), "01.  AbZq");
    EXPECT_TRUE(messages.empty());
}

TEST_F(BankFile, SaveAllStoresPendingEditsAndOffersItsLastName)
{
    makeCurrent(56);
    editFirstProgram(42);
    cancelFileDialog();
    form->SaveToSyxFile->trigger();
    // Cancelled: the edits stay pending and nothing moves.
    EXPECT_TRUE(form->PresetModified);
    EXPECT_EQ(zlv::PresetTable[56].Channels[0].Program, zlv::kChannelOff);
    EXPECT_EQ(zlv::CurrentPreset, 56);

    const QString path = workFile("mine.syx");
    chooseFile(path);
    form->SaveToSyxFile->trigger();
    EXPECT_FALSE(form->PresetModified);
    EXPECT_EQ(zlv::CurrentPreset, 0);
    EXPECT_EQ(form->edPreset->text(), "1");
    zlv::InitBankDefaults();
    ASSERT_EQ(zlv::LoadBankFromFile(QFile::encodeName(path).toStdString()), 0);
    EXPECT_EQ(zlv::PresetTable[56].Channels[0].Program, 41);

    chooseFile(workFile("other.syx"));
    form->SaveToSyxFile->trigger();
    ASSERT_EQ(dialogs.size(), 3u);
    EXPECT_EQ(dialogs[2].offered, "mine.syx");
    EXPECT_TRUE(messages.empty());
}

TEST_F(BankFile, FailedSaveIsReportedAndKeepsThePreviousFile)
{
    const QString path = workFile("keep.syx");
    const Bytes previous{0xF0, 0x7D, 0x22, 0x22, 0x10, 0x00, 0x01, 0xF7};
    WriteFile(path, previous);
    zlv::FileFaults faults;
    faults.FailRename = true;
    const zlv::FileFaults before = zlv::SetFileFaults(faults);
    makeCurrent(30);
    chooseFile(path);
    form->SaveToSyxFile->trigger();
    zlv::SetFileFaults(before);
    EXPECT_EQ(messages.boxes(), std::vector<Box>{kWriteFailed});
    EXPECT_EQ(ReadFile(path), previous);
    EXPECT_EQ(zlv::CurrentPreset, 0);

    // A folder that does not exist.
    messages.clear();
    chooseFile(workFile("no such folder/bank.syx"));
    form->SaveToSyxFile->trigger();
    EXPECT_EQ(messages.boxes(), std::vector<Box>{kWriteFailed});
}

TEST_F(BankFile, OpenAllCancelledAtTheSummaryChangesNothing)
{
    const QString path = workFile("bank.syx");
    ASSERT_EQ(zlv::SaveBankToFile(QFile::encodeName(path).toStdString()), 0);
    zlv::PresetTable[3].Name[0] = 'X';
    zlv::SpeedDials[2] = 77;
    makeCurrent(9);
    const Bytes before = BankBytes();
    chooseFile(path);
    answerSummary(false);
    form->OpenSyxFile->trigger();
    EXPECT_EQ(summaryCounts, (QStringList{"0", "200", "99", "9"}));
    EXPECT_EQ(FirstDifference(BankBytes(), before), -1);
    EXPECT_EQ(zlv::CurrentPreset, 9);
    EXPECT_EQ(form->edPreset->text(), "10");
    EXPECT_TRUE(messages.empty());

    // A typed name of a missing file ends the command before the summary.
    chooseFile(workFile("missing.syx"));
    form->OpenSyxFile->trigger();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(FirstDifference(BankBytes(), before), -1);
}

// A file deleted, moved, emptied or replaced while the summary is shown
// (another program, a stick pulled) must not cost the bank in memory.
TEST_F(BankFile, OpenAllOnAFileGoneOrEmptiedWhileTheSummaryShowsKeepsTheBank)
{
    const QString path = workFile("bank.syx");
    ASSERT_EQ(zlv::SaveBankToFile(QFile::encodeName(path).toStdString()), 0);
    const Bytes defaultBank = ReadFile(path);
    fillBank();
    makeCurrent(9);
    const Bytes before = BankBytes();
    const Box nothingToLoad{"Nothing to load.", "File Open Error!"};
    const struct {
        const char* meanwhile;
        std::function<void()> change;
        Box shown;
    } cases[] = {
        {"removed", [&path] { ASSERT_TRUE(QFile::remove(path)); },
         {"Could not open the file.", "File Open Error!", zlv::MsgIcon::Exclamation}},
        {"emptied", [&path] { ASSERT_TRUE(QFile::resize(path, 0)); }, nothingToLoad},
        {"replaced by text", [&path] { WriteFile(path, BytesOf("hello")); }, nothingToLoad},
        // Last: a FIFO no longer takes the file's bytes. Opened, it would keep
        // the window waiting for a writer.
        {"replaced by a FIFO",
         [&path] { ASSERT_TRUE(QFile::remove(path) && MakeFifo(QFile::encodeName(path).toStdString())); },
         {"Could not open the file.", "File Open Error!", zlv::MsgIcon::Exclamation}},
    };
    for (const auto& c : cases) {
        WriteFile(path, defaultBank);
        messages.clear();
        chooseFile(path);
        answerSummary(true, c.change);
        {
            const FifoReaderRelease release(QFile::encodeName(path).toStdString());
            form->OpenSyxFile->trigger();
            EXPECT_FALSE(release.Freed()) << c.meanwhile;
        }
        EXPECT_EQ(summaryCounts, (QStringList{"0", "200", "99", "9"})) << c.meanwhile;
        EXPECT_EQ(messages.boxes(), std::vector<Box>{c.shown}) << c.meanwhile;
        EXPECT_EQ(FirstDifference(BankBytes(), before), -1) << c.meanwhile;
        EXPECT_EQ(zlv::CurrentPreset, 9) << c.meanwhile;
        EXPECT_EQ(form->edPreset->text(), "10") << c.meanwhile;
    }
}

TEST_F(BankFile, FileWithoutRecordsIsNothingToLoad)
{
    const QString path = workFile("text.syx");
    WriteFile(path, {'h', 'e', 'l', 'l', 'o'});
    zlv::PresetTable[3].Name[0] = 'X';
    const Bytes before = BankBytes();
    chooseFile(path);
    answerSummary(true);
    form->OpenSyxFile->trigger();
    EXPECT_EQ(summaryCounts, (QStringList{"0", "0", "0", "0"}));
    EXPECT_EQ(messages.boxes(), (std::vector<Box>{{"Nothing to load.", "File Open Error!"}}));
    EXPECT_EQ(FirstDifference(BankBytes(), before), -1);
}

// Settings the bank does not hold are counted but not shown; the bank is still
// reset and the loader stops at them with its own message.
TEST_F(BankFile, FileOfUnknownSettingsStillResetsTheBank)
{
    const QString path = workFile("settings.syx");
    WriteFile(path, {0xF0, 0x7D, 0x22, 0x22, 0x05, 0x00, 0x01, 0xF7, 0xF0, 0x7D, 0x22, 0x22, 0x1E, 0x00, 0x01, 0xF7});
    fillBank();
    makeCurrent(20);
    chooseFile(path);
    answerSummary(true);
    form->OpenSyxFile->trigger();
    EXPECT_EQ(summaryCounts, (QStringList{"0", "0", "0", "0"}));
    EXPECT_EQ(messages.boxes(), (std::vector<Box>{{"File does not start with 0xF0.", "File Open Error!"}}));
    EXPECT_EQ(FirstDifference(BankBytes(), DefaultBankBytes()), -1);
    EXPECT_EQ(zlv::CurrentPreset, 0);
    EXPECT_EQ(form->edPreset->text(), "1");
    EXPECT_EQ(listLine(19), "20.  New Name 20");
}

TEST_F(BankFile, NewAsksNothingAndKeepsPageAndConnection)
{
    fillBank();
    makeCurrent(40);
    editFirstProgram(5);
    clickTab(2);
    form->setWindowTitle("changed");
    const QString status = form->StatusBar1->panelText(0);
    QTest::mouseClick(form->bntNew, Qt::LeftButton);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(form->PresetModified);
    EXPECT_EQ(FirstDifference(BankBytes(), DefaultBankBytes()), -1);
    EXPECT_EQ(zlv::CurrentPreset, 0);
    EXPECT_EQ(form->edPreset->text(), "1");
    EXPECT_EQ(form->windowTitle(), "Zelvane Editor");
    EXPECT_EQ(form->PageControl1->currentIndex(), 2);
    EXPECT_EQ(form->StatusBar1->panelText(0), status);
    EXPECT_EQ(form->MidiMode, zlv::mmNone);
    // The redisplay of the Presets page is not an edit.
    EXPECT_FALSE(form->PresetModified);
}

// New resets the bank under the page shown: the Chains or Speed Dials page shows
// the new bank at once, or a name typed next would go to chain 1 under chain 6.
TEST_F(BankFile, NewRedrawsTheChainsOrSpeedDialsPageShown)
{
    fillBank();
    clickTab(1);
    clickChain(5);
    ASSERT_EQ(form->edChainName->text(), "Chain 5      ");
    QTest::mouseClick(form->bntNew, Qt::LeftButton);
    EXPECT_EQ(form->edChain->text(), "1");
    EXPECT_EQ(form->ChainList->currentRow(), 0);
    EXPECT_EQ(form->edChainName->text(), "No Name Chain");
    EXPECT_EQ(form->ChainList->item(5)->text(), "06.No Name Chain");
    for (int r = 1; r <= 18; ++r)
        EXPECT_EQ(cell(links(), r, 1), kEmptyCell) << r;

    fillBank();
    clickTab(2);
    ASSERT_NE(cell(dials(), 1, 1), kEmptyCell);
    QTest::mouseClick(form->bntNew, Qt::LeftButton);
    for (int d = 1; d <= 9; ++d)
        EXPECT_EQ(cell(dials(), d, 1), kEmptyCell) << d;
}

} // namespace
} // namespace zlv::test
