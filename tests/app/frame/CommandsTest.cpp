// The frame's own commands and the seams they go through: file dialogs, the
// desktop's "open", the message box, the About box.
#include "AppFixture.h"

#include "AboutForm.h"
#include "FileDialog.h"
#include "Modal.h"
#include "QtMessageBox.h"
#include "ShellOpen.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QToolButton>

using namespace zlv;
using namespace zlv::test;

using FrameCommands = AppFixture;

TEST_F(FrameCommands, TheManualIsHandedToTheDesktopFromTheProgramFolder)
{
    MainForm->PDFManual1->trigger();

    ASSERT_EQ(shellOpened.size(), 1u);
    EXPECT_EQ(shellOpened[0], QDir(QCoreApplication::applicationDirPath()).filePath("Zelvane.pdf"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(FrameCommands, AManualThatCannotBeOpenedGivesTheHelpMessageAndNothingElse)
{
    shellSucceeds = false;
    MainForm->PDFManual1->trigger();

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "ERROR: Could not find the file \"Zelvane.pdf\".");
    EXPECT_EQ(messages[0].caption, "Help");
    EXPECT_EQ(messages[0].icon, MsgIcon::None);
    EXPECT_EQ(messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(MainForm->PageControl1->currentIndex(), 0);
    EXPECT_TRUE(MainForm->mnuPickConnection->isChecked());
}

TEST(ShellOpen, RefusesAFileThatIsNotThere)
{
    EXPECT_FALSE(ShellOpen(QDir::temp().filePath("no-such-manual-here.pdf")));
}

TEST_F(FrameCommands, AboutShowsTheAboutBoxModally)
{
    std::vector<QDialog*> shown;
    answerWindow([&](QDialog* dialog) {
        shown.push_back(dialog);
        return 0;
    });
    MainForm->About1->trigger();
    EXPECT_EQ(shown, std::vector<QDialog*>{AboutForm});
}

TEST_F(FrameCommands, TheMenuItemsAndToolButtonsCarryTheirCaptionsAndHints)
{
    EXPECT_EQ(MainForm->btnAutoSend->text(), "MIDI");
    EXPECT_EQ(MainForm->btnAutoSend->toolTip(), "Select MIDI connection");
    EXPECT_EQ(MainForm->bntNew->toolTip(), "Clear all presets");
    EXPECT_EQ(MainForm->btnOpenFile->toolTip(), "Open 1 or 100 presets");
    EXPECT_EQ(MainForm->btnSaveFile->toolTip(), "Save preset(s) as");
    EXPECT_EQ(MainForm->btnDownload->toolTip(), "");
    EXPECT_EQ(MainForm->btnUpgrade->toolTip(), "Re-flash keypad firmware");
    EXPECT_EQ(MainForm->btnHelp->toolTip(), "PDF manual and links");
    EXPECT_EQ(MainForm->btnExit->toolTip(), "");

    // Each drop-down button opens its menu on a plain click.
    const std::pair<QToolButton*, QMenu*> dropDowns[] = {{MainForm->btnAutoSend, MainForm->MidiMenu},
                                                         {MainForm->btnOpenFile, MainForm->OpenMenu},
                                                         {MainForm->btnSaveFile, MainForm->SaveMenu},
                                                         {MainForm->btnDownload, MainForm->DownloadMenu},
                                                         {MainForm->btnHelp, MainForm->HelpMenu}};
    for (auto [button, menu] : dropDowns) {
        EXPECT_EQ(button->menu(), menu);
        EXPECT_EQ(button->popupMode(), QToolButton::InstantPopup);
    }
    EXPECT_EQ(MainForm->bntNew->menu(), nullptr);
    EXPECT_EQ(MainForm->btnExit->menu(), nullptr);

    QStringList midiItems;
    for (QAction* action : MainForm->MidiMenu->actions())
        midiItems << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(midiItems, QStringList({"Choose a MIDI file/interface option below:", "-",
                                      "NONE - Save Presets to FILE ONLY",
                                      "MIDI - Choose MIDI Interface (ZLV keypad, USB, etc) ...",
                                      "RUN APP - Launch Other Application (MIDIOX, etc)"}));
}

TEST_F(FrameCommands, AConnectionItemDoesNotTickItselfWhenChosen)
{
    // Direct MIDI with the chooser cancelled changes nothing, its mark included.
    answerWindow([](QDialog*) { return int(QDialog::Rejected); });
    MainForm->mnuDirectMIDI->trigger();
    EXPECT_FALSE(MainForm->mnuDirectMIDI->isChecked());
    EXPECT_TRUE(MainForm->mnuPickConnection->isChecked());
}

TEST_F(FrameCommands, TheFileDialogsHaveTheirTitlesFiltersAndFirstNames)
{
    struct Expected {
        const char* dialog;
        const char* title;
        QFileDialog::AcceptMode mode;
    };
    const Expected expected[] = {{"OpenSyxDialog", "Open .SYX File", QFileDialog::AcceptOpen},
                                 {"OpenSingleDialog", "Import Single Preset", QFileDialog::AcceptOpen},
                                 {"SaveAllDialog", "Save ALL As", QFileDialog::AcceptSave},
                                 {"SaveOneDialog", "Export Current Preset To", QFileDialog::AcceptSave},
                                 {"OpenUpgradeDialog", "Open Firmware Upgrade File", QFileDialog::AcceptOpen}};
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.title);
        QFileDialog* dialog = fileDialog(e.dialog);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), e.title);
        EXPECT_EQ(dialog->acceptMode(), e.mode);
        EXPECT_EQ(dialog->nameFilters(), QStringList({"(*.syx) Sys Ex Files (*.syx)", "(*.*) All Files (*)"}));
        EXPECT_TRUE(dialog->testOption(QFileDialog::HideNameFilterDetails));
        // Typed names of missing files pass; the commands test for the file.
        EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
        EXPECT_EQ(dialog->testOption(QFileDialog::DontConfirmOverwrite), e.mode == QFileDialog::AcceptSave);
    }
    EXPECT_EQ(QFileInfo(fileDialog("SaveAllDialog")->selectedFiles().value(0)).fileName(), "ZLV_keypad_ALL.syx");
}

TEST_F(FrameCommands, AFileDialogAnsweredByATestGivesTheNameOrCancelAndRemembersTheName)
{
    QFileDialog* saveAll = fileDialog("SaveAllDialog");
    const QString chosen = workFile("mine.syx");
    std::optional<QString> answer = chosen;
    QFileDialog* asked = nullptr;
    auto previous = SetFileDialogHandler([&](QFileDialog* dialog) {
        asked = dialog;
        return answer;
    });
    EXPECT_EQ(RunFileDialog(saveAll), chosen);
    EXPECT_EQ(asked, saveAll);
    EXPECT_EQ(saveAll->selectedFiles().value(0), chosen);

    answer.reset();
    EXPECT_EQ(RunFileDialog(saveAll), std::nullopt);
    SetFileDialogHandler(previous);
}

TEST(FileDialogFilter, TurnsDescriptionPatternPairsIntoNameFilters)
{
    EXPECT_EQ(NameFiltersFromPairs("Text|*.txt;*.log|(*.*) All|*.*"), QStringList({"Text (*.txt *.log)", "(*.*) All (*)"}));
    EXPECT_EQ(NameFiltersFromPairs(""), QStringList());
}

namespace {

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::TextFormat format = Qt::AutoText;
};

// Shows one message through the Qt box, answering it with `answer`.
std::pair<MsgResult, SeenBox> throughQtBox(const std::string& text, const std::string& caption, MsgIcon icon,
                                           MsgButtons buttons, int answer)
{
    SeenBox seen;
    auto previousModal = SetModalHandler([&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box)
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->textFormat()};
        return answer;
    });
    auto previousBox = SetMessageBoxHandler(&ShowQtMessageBox);
    const MsgResult result = ShowMessage(text, caption, icon, buttons);
    SetMessageBoxHandler(previousBox);
    SetModalHandler(previousModal);
    return {result, seen};
}

} // namespace

TEST(QtMessageBox, ShowsTheExactTextAndCaptionWithTheMappedIconAndButtons)
{
    auto [result, seen] = throughQtBox("ERROR: Could not find the file \"Zelvane.pdf\".", "Help", MsgIcon::None,
                                       MsgButtons::Ok, QMessageBox::Ok);
    EXPECT_EQ(result, MsgResult::Ok);
    EXPECT_EQ(seen.title, "Help");
    EXPECT_EQ(seen.text, "ERROR: Could not find the file \"Zelvane.pdf\".");
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
    EXPECT_EQ(seen.format, Qt::PlainText);

    const std::tuple<MsgIcon, QMessageBox::Icon> icons[] = {{MsgIcon::Information, QMessageBox::Information},
                                                            {MsgIcon::Exclamation, QMessageBox::Warning},
                                                            {MsgIcon::Error, QMessageBox::Critical},
                                                            {MsgIcon::Question, QMessageBox::Question}};
    for (auto [ours, qt] : icons)
        EXPECT_EQ(throughQtBox("t", "c", ours, MsgButtons::Ok, QMessageBox::Ok).second.icon, qt);
}

TEST(QtMessageBox, GivesTheButtonChosenAndTheWayOutWhenClosedOtherwise)
{
    auto [cancel, seen] = throughQtBox("Delete Link?", "Confirm", MsgIcon::None, MsgButtons::OkCancel,
                                       QMessageBox::Cancel);
    EXPECT_EQ(cancel, MsgResult::Cancel);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(throughQtBox("q", "c", MsgIcon::None, MsgButtons::OkCancel, QMessageBox::Ok).first, MsgResult::Ok);
    EXPECT_EQ(throughQtBox("q", "c", MsgIcon::None, MsgButtons::OkCancel, 0).first, MsgResult::Cancel);
    EXPECT_EQ(throughQtBox("q", "c", MsgIcon::None, MsgButtons::YesNo, QMessageBox::Yes).first, MsgResult::Yes);
    EXPECT_EQ(throughQtBox("q", "c", MsgIcon::None, MsgButtons::YesNo, 0).first, MsgResult::No);
}
