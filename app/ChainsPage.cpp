#include "MainForm.h"

#include "Bank.h"
#include "BankEdits.h"
#include "BankText.h"
#include "ListControls.h"
#include "NameEdit.h"
#include "UserMessage.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <algorithm>

namespace zlv {

namespace {

constexpr int kLinkGridRows = static_cast<int>(kChainLinkCount) + 1;
static_assert(kLinkGridRows == 19);

void makeReadOnlyField(QLineEdit* edit)
{
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    edit->setPalette(palette);
}

} // namespace

void TMainForm::setupChainsPage()
{
    GroupBox5 = new QGroupBox(tabChains);
    GroupBox5->setObjectName("GroupBox5");
    GroupBox5->setGeometry(8, 6, 330, 46);
    Label26 = new QLabel("Chain:", GroupBox5);
    Label26->setObjectName("Label26");
    Label26->setGeometry(12, 14, 42, 22);
    edChain = new QLineEdit("1", GroupBox5);
    edChain->setObjectName("edChain");
    edChain->setGeometry(56, 13, 36, 24);
    makeReadOnlyField(edChain);
    Label27 = new QLabel("Name:", GroupBox5);
    Label27->setObjectName("Label27");
    Label27->setGeometry(112, 14, 40, 22);
    auto* nameEdit = new NameEdit(GroupBox5);
    edChainName = nameEdit;
    edChainName->setObjectName("edChainName");
    edChainName->setGeometry(156, 13, 160, 24);
    edChainName->setMaxLength(static_cast<int>(kNameLength));
    nameEdit->onKeyUp = [this] { edChainNameKeyUp(); };
    nameEdit->onExit = [this] { edChainNameExit(); };
    // A change made without a key (the context menu, the mouse, a drop) is stored at once too.
    nameEdit->onEdited = [this] { edChainNameExit(); };

    GroupBox7 = new QGroupBox(" Chain Selection ", tabChains);
    GroupBox7->setObjectName("GroupBox7");
    GroupBox7->setGeometry(8, 60, 250, 404);
    auto* chainList = new ClickListBox(GroupBox7);
    ChainList = chainList;
    ChainList->setObjectName("ChainList");
    ChainList->setGeometry(10, 26, 230, 366);
    chainList->onUserSelect = [this] { ChainListClick(); };

    GroupBox6 = new QGroupBox(" Chain Links ", tabChains);
    GroupBox6->setObjectName("GroupBox6");
    auto* grid = new FixedHeaderGrid(kLinkGridRows, 76, 228, 19, GroupBox6);
    gridChainLinks = grid;
    gridChainLinks->setObjectName("gridChainLinks");
    gridChainLinks->move(12, 26);
    GroupBox6->setGeometry(270, 60, grid->width() + 24, 404);
    // Any change of the selected row, by the user or from code, runs the click handler;
    // so does a click on the row already selected.
    connect(gridChainLinks, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                if (row >= 1 && row != previousRow)
                    gridChainLinksClick();
            });
    grid->onClickSelectedRow = [this] { gridChainLinksClick(); };
    grid->onDoubleClick = [this] { gridChainLinksDblClick(); };

    ChainLinkMenu = new QMenu(this);
    ChainLinkMenu->setObjectName("ChainLinkMenu");
    DeleteAllLinks = ChainLinkMenu->addAction("Delete All Links");
    DeleteAllLinks->setObjectName("DeleteAllLinks");
    connect(DeleteAllLinks, &QAction::triggered, this, &TMainForm::DeleteAllLinksClick);
    gridChainLinks->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(gridChainLinks, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        ChainLinkMenu->popup(gridChainLinks->viewport()->mapToGlobal(pos));
    });
}

void TMainForm::ShowCurrentChain()
{
    const ChainRecord& chain = ChainTable[CurrentChain];
    edChainName->setText(NameToText(chain.Name));

    for (int i = 0; i < static_cast<int>(kChainCount); ++i) {
        const QString row = QString::asprintf("%02d.", i + 1) + NameToText(ChainTable[i].Name);
        if (QListWidgetItem* item = ChainList->item(i))
            item->setText(row);
        else
            ChainList->addItem(row);
    }

    auto* grid = static_cast<FixedHeaderGrid*>(gridChainLinks);
    grid->setCellText(0, 0, " Link # ");
    grid->setCellText(0, 1, " Preset ");
    for (int r = 1; r < kLinkGridRows; ++r) {
        grid->setCellText(r, 0, "  " + QString::number(r));
        grid->setCellText(r, 1, PresetCellText(chain.Links[r - 1]));
    }

    // Selecting another row runs the row rule, which may lower CurrentLinkRow to the first empty link.
    const int row = CurrentLinkRow + 1;
    if (gridChainLinks->currentRow() != row)
        gridChainLinks->setCurrentCell(row, 1);
}

void TMainForm::ChainListClick()
{
    const int n = static_cast<ClickListBox*>(ChainList)->selectedRow();
    if (n < 0 || n >= static_cast<int>(kChainCount))
        return;
    edChain->setText(QString::number(n + 1));
    CurrentChain = static_cast<std::uint8_t>(n);
    ShowCurrentChain();
    const int row = std::min<int>(static_cast<int>(FirstEmptyLink(ChainTable[CurrentChain])) + 1, kLinkGridRows - 1);
    if (gridChainLinks->currentRow() != row)
        gridChainLinks->setCurrentCell(row, 1);
}

void TMainForm::edChainNameExit()
{
    const QString text = edChainName->text();
    if (QListWidgetItem* item = ChainList->item(CurrentChain))
        item->setText(NumberedLine(CurrentChain + 1, text));
    StoreTypedName(ChainTable[CurrentChain].Name, text.toStdU16String());
}

void TMainForm::edChainNameKeyUp()
{
    edChainNameExit();
}

void TMainForm::gridChainLinksClick()
{
    const std::size_t firstEmpty = FirstEmptyLink(ChainTable[CurrentChain]);
    const int selected = std::max(gridChainLinks->currentRow() - 1, 0);
    CurrentLinkRow = static_cast<std::uint8_t>(std::min<std::size_t>(firstEmpty, static_cast<std::size_t>(selected)));
    ShowCurrentChain();
}

void TMainForm::gridChainLinksDblClick()
{
    if (ShowMessage("Delete Link?", "Confirm", MsgIcon::None, MsgButtons::OkCancel) != MsgResult::Ok)
        return;
    const int selected = gridChainLinks->currentRow() - 1;
    if (selected < 0)
        return;
    DeleteChainLink(ChainTable[CurrentChain], static_cast<std::size_t>(selected));
    ShowCurrentChain();
}

void TMainForm::DeleteAllLinksClick()
{
    ClearChainLinks(ChainTable[CurrentChain]);
    CurrentLinkRow = 0;
    ShowCurrentChain();
}

void TMainForm::ShowChainNumber()
{
    edChain->setText(QString::number(CurrentChain + 1));
    if (CurrentChain < ChainList->count())
        ChainList->setCurrentRow(CurrentChain);
}

void TMainForm::PadChainNameEdit()
{
    QString text = edChainName->text();
    if (text.size() < static_cast<qsizetype>(kNameLength))
        edChainName->setText(text.leftJustified(static_cast<qsizetype>(kNameLength), ' '));
}

} // namespace zlv
