#include "AppFixture.h"

#include <QFocusEvent>
#include <QLineEdit>

#include <cstring>

using namespace zlv;
using namespace zlv::test;

namespace {

class ChainsPage : public AppFixture {
protected:
    ChainsPage() : AppFixture({.showPresetList = true}) {}
};

TEST_F(ChainsPage, ShowsChainRowsHeadersAndLinkCells)
{
    setLinks(0, {4, 199});
    showChainsPage();

    ASSERT_EQ(MainForm->ChainList->count(), 99);
    EXPECT_EQ(MainForm->ChainList->item(0)->text(), "01.No Name Chain");
    EXPECT_EQ(MainForm->ChainList->item(98)->text(), "99.No Name Chain");
    EXPECT_EQ(cell(links(), 0, 0), " Link # ");
    EXPECT_EQ(cell(links(), 0, 1), " Preset ");
    EXPECT_EQ(cell(links(), 1, 0), "  1");
    EXPECT_EQ(cell(links(), 18, 0), "  18");
    EXPECT_EQ(cell(links(), 1, 1), "5.  New Name 5");
    EXPECT_EQ(cell(links(), 2, 1), "200.  New Name 200");
    EXPECT_EQ(cell(links(), 3, 1), kEmptyCell);
    EXPECT_EQ(MainForm->edChainName->text(), "No Name Chain");
}

TEST_F(ChainsPage, LinkValuesFrom200OnShowAsEmptyAndCountAsEmpty)
{
    setLinks(0, {3, 200, 6});
    ChainTable[0].Links[2] = 254;
    showChainsPage();
    EXPECT_EQ(cell(links(), 2, 1), kEmptyCell);
    EXPECT_EQ(cell(links(), 3, 1), kEmptyCell);

    clickCell(links(), 10);
    EXPECT_EQ(links()->currentRow(), 2);
    EXPECT_EQ(MainForm->CurrentLinkRow, 1);
}

TEST_F(ChainsPage, ChoosingAChainSelectsTheRowAfterItsLastLink)
{
    setLinks(4, {10, 11, 12});
    showChainsPage();
    clickChain(4);

    EXPECT_EQ(CurrentChain, 4);
    EXPECT_EQ(MainForm->edChain->text(), "5");
    EXPECT_EQ(links()->currentRow(), 4);
    EXPECT_EQ(MainForm->CurrentLinkRow, 3);
    EXPECT_EQ(cell(links(), 3, 1), "13.  New Name 13");

    clickChain(7); // no links at all
    EXPECT_EQ(links()->currentRow(), 1);
    EXPECT_EQ(MainForm->CurrentLinkRow, 0);
}

TEST_F(ChainsPage, ClickingPastTheLastLinkSelectsTheFirstEmptyRow)
{
    setLinks(0, {1, 2, 3});
    showChainsPage();
    clickCell(links(), 2);
    EXPECT_EQ(links()->currentRow(), 2);
    EXPECT_EQ(MainForm->CurrentLinkRow, 1);

    clickCell(links(), 10);
    EXPECT_EQ(links()->currentRow(), 4);
    EXPECT_EQ(MainForm->CurrentLinkRow, 3);
}

TEST_F(ChainsPage, KeyboardMovesFollowTheRowRuleAndStayOffTheHeader)
{
    setLinks(0, {1, 2});
    showChainsPage();
    clickCell(links(), 2);
    links()->setFocus();
    QTest::keyClick(links(), Qt::Key_Up);
    EXPECT_EQ(links()->currentRow(), 1);
    EXPECT_EQ(MainForm->CurrentLinkRow, 0);
    QTest::keyClick(links(), Qt::Key_Up);
    EXPECT_EQ(links()->currentRow(), 1);
    EXPECT_EQ(links()->currentColumn(), 1);

    QTest::keyClick(links(), Qt::Key_Down);
    QTest::keyClick(links(), Qt::Key_Down);
    EXPECT_EQ(links()->currentRow(), 3);
    EXPECT_EQ(MainForm->CurrentLinkRow, 2);
    QTest::keyClick(links(), Qt::Key_Down); // past the first empty link: back to it
    EXPECT_EQ(links()->currentRow(), 3);
    EXPECT_EQ(MainForm->CurrentLinkRow, 2);
}

TEST_F(ChainsPage, ClicksOnHeaderCellsChangeNothing)
{
    setLinks(0, {1, 2, 3});
    showChainsPage();
    clickCell(links(), 2);
    clickCell(links(), 0, 1);
    clickCell(links(), 3, 0);
    EXPECT_EQ(links()->currentRow(), 2);
    EXPECT_EQ(MainForm->CurrentLinkRow, 1);
}

// A bank reset keeps CurrentLinkRow and the grid's row; a click on that row (already selected)
// still runs the row rule and brings the selection back to the first empty link.
TEST_F(ChainsPage, LinkRowSurvivesABankResetUntilTheSelectedRowIsClicked)
{
    setLinks(0, {1, 2, 3, 4, 5});
    showChainsPage();
    clickCell(links(), 6);
    ASSERT_EQ(MainForm->CurrentLinkRow, 5);

    InitBankDefaults();
    MainForm->ShowCurrentChain();
    EXPECT_EQ(MainForm->CurrentLinkRow, 5);
    EXPECT_EQ(links()->currentRow(), 6);

    // A preset added now lands at the old row, with empty links before it.
    MainForm->PageControl1->setCurrentWidget(MainForm->tabChains);
    doubleClickPreset(9);
    EXPECT_EQ(linksOf(0)[5], 9);
    EXPECT_EQ(linksOf(0)[0], 0xFF);
    EXPECT_EQ(cell(links(), 6, 1), "10.  New Name 10");
    // The rule moved the selection back to the first empty link.
    EXPECT_EQ(links()->currentRow(), 1);
    EXPECT_EQ(MainForm->CurrentLinkRow, 0);

    MainForm->CurrentLinkRow = 4;
    MainForm->ShowCurrentChain(); // selects row 5, and the rule lowers it again
    EXPECT_EQ(links()->currentRow(), 1);
    EXPECT_EQ(MainForm->CurrentLinkRow, 0);

    // Same situation, but the reset leaves the selected row where it was: only a click on it mends it.
    setLinks(0, {1, 2, 3});
    clickCell(links(), 4);
    InitBankDefaults();
    MainForm->ShowCurrentChain();
    EXPECT_EQ(links()->currentRow(), 4);
    clickCell(links(), 4);
    EXPECT_EQ(links()->currentRow(), 1);
    EXPECT_EQ(MainForm->CurrentLinkRow, 0);
}

TEST_F(ChainsPage, FullChainDoubleClicksReplaceTheLastLink)
{
    std::vector<int> full;
    for (int i = 0; i < 18; ++i)
        full.push_back(20 + i);
    setLinks(2, full);
    showChainsPage();
    clickChain(2);
    EXPECT_EQ(links()->currentRow(), 18);
    EXPECT_EQ(MainForm->CurrentLinkRow, 17);

    doubleClickPreset(150);
    EXPECT_EQ(linksOf(2)[16], 36);
    EXPECT_EQ(linksOf(2)[17], 150);
    EXPECT_EQ(links()->currentRow(), 18);
    doubleClickPreset(151);
    EXPECT_EQ(linksOf(2)[16], 36);
    EXPECT_EQ(linksOf(2)[17], 151);
    EXPECT_EQ(cell(links(), 18, 1), "152.  New Name 152");
    EXPECT_EQ(links()->currentRow(), 18);
    EXPECT_EQ(MainForm->CurrentLinkRow, 17);
}

TEST_F(ChainsPage, PresetsInsertedFromTheListKeepTheirOrder)
{
    setLinks(0, {50, 51});
    showChainsPage();
    clickCell(links(), 1);

    doubleClickPreset(4);
    doubleClickPreset(7);
    doubleClickPreset(2);
    const std::vector<int> expected = {4, 7, 2, 50, 51, 0xFF};
    EXPECT_EQ(linksOf(0, 6), expected);
    EXPECT_EQ(links()->currentRow(), 4);
    EXPECT_EQ(MainForm->CurrentLinkRow, 3);
    EXPECT_EQ(cell(links(), 2, 1), "8.  New Name 8");
}

TEST_F(ChainsPage, DoubleClickWithNoListRowSelectedInsertsAnEmptyLinkAndStays)
{
    setLinks(0, {50, 51, 52});
    showChainsPage();
    clickCell(links(), 2);
    list()->clearSelection();

    PresetListForm->ListBox1DblClick();
    EXPECT_EQ(linksOf(0)[0], 50);
    EXPECT_EQ(linksOf(0)[1], 0xFF);
    EXPECT_EQ(linksOf(0)[2], 51);
    EXPECT_EQ(linksOf(0)[3], 52);
    EXPECT_EQ(cell(links(), 2, 1), kEmptyCell);
    EXPECT_EQ(links()->currentRow(), 2);
    EXPECT_EQ(MainForm->CurrentLinkRow, 1);
}

TEST_F(ChainsPage, DoubleClickOnOtherPagesLeavesChainsAndDialsAlone)
{
    MainForm->PageControl1->setCurrentWidget(MainForm->tabSettings);
    doubleClickPreset(3);
    EXPECT_EQ(linksOf(0)[0], 0xFF);
    EXPECT_EQ(SpeedDials[0], 0xFF);
}

TEST_F(ChainsPage, DeletingALinkAsksAndClosesTheGap)
{
    setLinks(0, {10, 11, 12, 13});
    showChainsPage();

    clickCell(links(), 2);
    messages.answerNext(MsgResult::Cancel);
    doubleClickCell(links(), 2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Delete Link?");
    EXPECT_EQ(messages[0].caption, "Confirm");
    EXPECT_EQ(messages[0].icon, MsgIcon::None);
    EXPECT_EQ(messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(linksOf(0)[1], 11);

    doubleClickCell(links(), 2);
    EXPECT_EQ(linksOf(0, 4), (std::vector<int>{10, 12, 13, 0xFF}));
    EXPECT_EQ(cell(links(), 2, 1), "13.  New Name 13");
    EXPECT_EQ(cell(links(), 4, 1), kEmptyCell);
    EXPECT_EQ(MainForm->CurrentLinkRow, 1);
}

TEST_F(ChainsPage, DeletingLinkSeventeenOfAFullChainMovesNothing)
{
    std::vector<int> full;
    for (int i = 0; i < 18; ++i)
        full.push_back(100 + i);
    setLinks(0, full);
    showChainsPage();
    clickCell(links(), 18);
    doubleClickCell(links(), 18);
    EXPECT_EQ(linksOf(0)[16], 116);
    EXPECT_EQ(linksOf(0)[17], 0xFF);
    EXPECT_EQ(cell(links(), 18, 1), kEmptyCell);
    EXPECT_EQ(cell(links(), 17, 1), "117.  New Name 117");
}

TEST_F(ChainsPage, DeletingAnEmptyRowAsksAndChangesNothingThatShows)
{
    setLinks(0, {10, 11});
    showChainsPage();
    clickCell(links(), 9); // lands on row 3, the first empty link
    const auto before = linksOf(0);
    doubleClickCell(links(), 3);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Delete Link?");
    EXPECT_EQ(linksOf(0), before);
    EXPECT_EQ(links()->currentRow(), 3);
}

TEST_F(ChainsPage, DeleteAllLinksKeepsTheNameAndSelectsRowOne)
{
    setLinks(0, {10, 11, 12, 13});
    showChainsPage();
    clickCell(links(), 4);
    MainForm->DeleteAllLinks->trigger();

    EXPECT_TRUE(messages.empty());
    for (int r = 1; r <= 18; ++r)
        EXPECT_EQ(cell(links(), r, 1), kEmptyCell) << r;
    EXPECT_EQ(links()->currentRow(), 1);
    EXPECT_EQ(MainForm->CurrentLinkRow, 0);
    EXPECT_EQ(MainForm->edChainName->text(), "No Name Chain");
}

TEST_F(ChainsPage, NameFollowsEachKeystrokeAndAnEmptyNameStoresBlanks)
{
    showChainsPage();
    clickChain(2);
    QLineEdit* edit = MainForm->edChainName;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[2].Name), 13), std::string(13, ' '));
    EXPECT_EQ(ChainTable[2].NameTerminator, 0);
    EXPECT_EQ(MainForm->ChainList->item(2)->text(), "03.  ");
    MainForm->ShowCurrentChain();
    EXPECT_EQ(MainForm->ChainList->item(2)->text(), "03." + QString(13, ' '));
    EXPECT_EQ(edit->text(), QString(13, ' '));

    edit->selectAll();
    QTest::keyClicks(edit, "Live");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[2].Name), 13), "Live         ");
    EXPECT_EQ(MainForm->ChainList->item(2)->text(), "03.  Live");
    QTest::keyClicks(edit, "0123456789ABC"); // the edit takes 13 characters in all
    EXPECT_EQ(edit->text(), "Live012345678");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[2].Name), 13), "Live012345678");

    // Printable ASCII only, typed or pasted: the name travels raw in a SysEx message.
    edit->selectAll();
    typeInto(edit, QString::fromUtf8("Café €1"));
    EXPECT_EQ(edit->text(), "Caf 1");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[2].Name), 13), "Caf 1        ");
    edit->selectAll();
    pasteInto(edit, QString::fromUtf8("A日B—ok"));
    EXPECT_EQ(edit->text(), "ABok");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[2].Name), 13), "ABok         ");
    EXPECT_EQ(MainForm->ChainList->item(2)->text(), "03.  ABok");
}

TEST_F(ChainsPage, NameIsStoredWhenTheEditLosesTheFocus)
{
    showChainsPage();
    // Text the program put there is no edit: leaving the field stores nothing.
    MainForm->edChainName->setText("Set B");
    QFocusEvent focusOut(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(MainForm->edChainName, &focusOut);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[0].Name)), "No Name Chain");
    EXPECT_EQ(MainForm->ChainList->item(0)->text(), "01.No Name Chain");

    // An edit without a key (as a paste) is stored at once; leaving the field commits it again.
    MainForm->edChainName->insert("!");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[0].Name), 13), "Set B!       ");
    std::memcpy(ChainTable[0].Name, "Other", 6);
    QApplication::sendEvent(MainForm->edChainName, &focusOut);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[0].Name), 13), "Set B!       ");
    EXPECT_EQ(MainForm->ChainList->item(0)->text(), "01.  Set B!");
}

TEST_F(ChainsPage, PaddingTheNameEditTouchesNoChain)
{
    showChainsPage();
    MainForm->edChainName->setText("Gig");
    MainForm->PadChainNameEdit();
    EXPECT_EQ(MainForm->edChainName->text(), "Gig          ");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[0].Name)), "No Name Chain");
}


// Notes the reason of each focus-out the watched widget gets.
class FocusOutReasons : public QObject {
public:
    std::vector<Qt::FocusReason> reasons;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut)
            reasons.push_back(static_cast<QFocusEvent*>(event)->reason());
        return QObject::eventFilter(watched, event);
    }
};

// Makes `window` the active window as a click into it does. Waiting on the window's own
// activity is not enough: the preset list counts as active while its owner is.
bool activate(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

TEST_F(ChainsPage, SwitchingToThePresetListOrMovingTheFocusOnLeavesAnUneditedNameAlone)
{
    std::memcpy(ChainTable[0].Name, "Gig\0\0\0\0\0\0\0\0\0\0", kNameLength);
    showChainsPage();
    QLineEdit* edit = MainForm->edChainName;
    ASSERT_TRUE(activate(MainForm));
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    FocusOutReasons focusOuts;
    edit->installEventFilter(&focusOuts);

    ASSERT_TRUE(activate(PresetListForm));
    ASSERT_EQ(focusOuts.reasons, std::vector<Qt::FocusReason>{Qt::ActiveWindowFocusReason});
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[0].Name), kNameLength),
              std::string("Gig\0\0\0\0\0\0\0\0\0\0", kNameLength));
    EXPECT_EQ(MainForm->ChainList->item(0)->text(), "01.Gig");

    // Nor does a focus move within the window while the name is not edited.
    ASSERT_TRUE(activate(MainForm));
    ASSERT_TRUE(edit->hasFocus());
    MainForm->ChainList->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ChainTable[0].Name), kNameLength),
              std::string("Gig\0\0\0\0\0\0\0\0\0\0", kNameLength));
    EXPECT_EQ(MainForm->ChainList->item(0)->text(), "01.Gig");
}

// The field shows printable ASCII only; a chain name from another program's
// file may hold 0x7F (read from a byte of 0x80 or more). Clicks in the field,
// the chain list and the Chains tab leave it byte for byte, also after Export
// has filled the field up; only an edit of the field changes it.
TEST_F(ChainsPage, ANameTheFieldCannotShowWholeChangesOnlyByAnEdit)
{
    const std::string foreignName("Caf\x7F Pad\0\0\0\0\0", kNameLength);
    std::memcpy(ChainTable[2].Name, foreignName.data(), kNameLength);
    ASSERT_TRUE(activate(MainForm));
    clickTab(1);
    clickChain(2);
    QLineEdit* edit = MainForm->edChainName;
    ASSERT_EQ(edit->text(), "Caf Pad");
    const QString row = MainForm->ChainList->item(2)->text();
    const auto name = [] { return std::string(reinterpret_cast<const char*>(ChainTable[2].Name), kNameLength); };

    QTest::mouseClick(edit, Qt::LeftButton);
    ASSERT_TRUE(edit->hasFocus());
    clickChain(2);
    ASSERT_FALSE(edit->hasFocus());
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_Tab);
    QTest::mouseClick(edit, Qt::LeftButton);
    clickTab(1);
    clickTab(0);
    clickTab(1);
    EXPECT_EQ(name(), foreignName);
    EXPECT_EQ(MainForm->ChainList->item(2)->text(), row);

    // Nor by a paste or a drop that brings nothing a name can hold.
    QTest::mouseClick(edit, Qt::LeftButton);
    pasteInto(edit, QString::fromUtf8("é"));
    edit->setSelection(1, 3);
    pasteInto(edit, QString::fromUtf8("é"));
    dropText(edit, QString::fromUtf8("é"), edit->rect().center(), false);
    EXPECT_EQ(edit->text(), "Caf Pad");
    EXPECT_EQ(edit->selectedText(), "af ");
    EXPECT_EQ(name(), foreignName);

    // Nor after Export has filled the field up with blanks.
    answerPrompt(1);
    acceptOfferedFile();
    MainForm->SaveOne->trigger();
    ASSERT_EQ(edit->text(), "Caf Pad      ");
    QTest::mouseClick(edit, Qt::LeftButton);
    clickChain(2);
    EXPECT_EQ(name(), foreignName);
}

} // namespace
