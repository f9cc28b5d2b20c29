#include "PresetListForm.h"

#include "Bank.h"
#include "BankEdits.h"
#include "MainForm.h"
#include "ListControls.h"

#include <QCloseEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

namespace zlv {

TPresetListForm* PresetListForm = nullptr;
std::uint8_t Selecting = 0;

namespace {

constexpr int kClientWidth = 192;
constexpr int kLastLinkRow = static_cast<int>(kChainLinkCount);
constexpr int kLastDialRow = static_cast<int>(kSpeedDialCount);

QPixmap crossCursor()
{
    QPixmap pixmap(21, 21);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawLine(10, 0, 10, 20);
    painter.drawLine(0, 10, 20, 10);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(10, 0, 10, 20);
    painter.drawLine(0, 10, 20, 10);
    return pixmap;
}

// The list takes drags only from itself; what a drag over it and a drop do is the form's.
class PresetListBox : public ClickListBox {
public:
    explicit PresetListBox(QWidget* parent) : ClickListBox(parent)
    {
        setDragEnabled(true);
        setAcceptDrops(true);
        setDragDropMode(QAbstractItemView::DragDrop);
        setDefaultDropAction(Qt::MoveAction);
        setDropIndicatorShown(false);
        // The drag-over handler scrolls one row per move near the edges instead.
        setAutoScroll(false);
    }

    std::function<bool(QObject*, int)> onDragOver;
    std::function<void(QObject*, QPoint)> onDragDrop;

protected:
    void startDrag(Qt::DropActions) override
    {
        const QModelIndexList indexes = selectedIndexes();
        if (indexes.isEmpty())
            return;
        auto* drag = new QDrag(this);
        drag->setMimeData(model()->mimeData(indexes));
        drag->setDragCursor(crossCursor(), Qt::MoveAction);
        drag->exec(Qt::MoveAction);
    }
    void dragEnterEvent(QDragEnterEvent* event) override
    {
        if (event->source() == this) {
            event->setDropAction(Qt::MoveAction);
            event->accept();
        } else {
            event->ignore();
        }
    }
    void dragMoveEvent(QDragMoveEvent* event) override
    {
        if (onDragOver && onDragOver(event->source(), event->position().toPoint().y())) {
            event->setDropAction(Qt::MoveAction);
            event->accept();
        } else {
            event->ignore();
        }
    }
    void dropEvent(QDropEvent* event) override
    {
        if (event->source() != this || !onDragDrop) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::MoveAction);
        event->accept();
        onDragDrop(event->source(), event->position().toPoint());
    }
};

} // namespace

TPresetListForm::TPresetListForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("PresetListForm");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle("Preset Selection (click)");
    auto* list = new PresetListBox(this);
    ListBox1 = list;
    ListBox1->setObjectName("ListBox1");
    QPalette palette = ListBox1->palette();
    palette.setColor(QPalette::Base, Qt::white);
    ListBox1->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListBox1);
    resize(kClientWidth, 480);

    list->onUserSelect = [this] { ListBox1Click(); };
    list->onDoubleClick = [this] { ListBox1DblClick(); };
    list->onDragOver = [this](QObject* source, int y) { return ListBox1DragOver(source, y); };
    list->onDragDrop = [this](QObject* source, QPoint pos) { ListBox1DragDrop(source, pos); };
    FormCreate();
}

void TPresetListForm::FormCreate()
{
    // The list is still empty here, so this selects nothing.
    ListBox1->setCurrentRow(0);
}

void TPresetListForm::FormShow()
{
    if (!MainForm)
        return;
    const QRect mainFrame = MainForm->frameGeometry();
    setFixedSize(kClientWidth, MainForm->height());
    move(mainFrame.x() + mainFrame.width(), mainFrame.y());
}

void TPresetListForm::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TPresetListForm::closeEvent(QCloseEvent* event)
{
    // The user cannot close it (no close box); a close from the program just hides it.
    if (event->spontaneous())
        event->ignore();
    else
        event->accept();
}

void TPresetListForm::reject() {}

int TPresetListForm::selectedRow() const
{
    return static_cast<const ClickListBox*>(ListBox1)->selectedRow();
}

int TPresetListForm::topRow() const
{
    return ListBox1->verticalScrollBar()->value();
}

void TPresetListForm::ListBox1Click()
{
    Selecting = 1;
    const int row = selectedRow();
    if (MainForm && MainForm->PageControl1->currentWidget() == MainForm->tabPresets && row >= 0) {
        MainForm->StoreChannels();
        CurrentPreset = static_cast<std::uint8_t>(row);
        if (auto* edPreset = MainForm->findChild<QLineEdit*>("edPreset"))
            edPreset->setText(QString::number(row + 1));
        MainForm->ShowCurrentPreset();
    }
    Selecting = 0;
}

void TPresetListForm::ListBox1DblClick()
{
    if (!MainForm)
        return;
    // With no row selected this is 0xFF: an empty link or an emptied dial.
    const auto preset = static_cast<std::uint8_t>(selectedRow());
    QWidget* page = MainForm->PageControl1->currentWidget();
    if (page == MainForm->tabChains) {
        QTableWidget* grid = MainForm->gridChainLinks;
        const int row = grid->currentRow();
        if (row < 1)
            return;
        InsertChainLink(ChainTable[CurrentChain], static_cast<std::size_t>(row - 1), preset);
        // Selecting the next row runs the grid's row rule, which moves CurrentLinkRow along.
        if (row < kLastLinkRow)
            grid->setCurrentCell(row + 1, 1);
        MainForm->ShowCurrentChain();
    } else if (page == MainForm->tabSpeedDials) {
        QTableWidget* grid = MainForm->gridSpeedDials;
        const int row = grid->currentRow();
        if (row < 1)
            return;
        SpeedDials[row - 1] = preset;
        MainForm->ShowSpeedDials();
        if (row < kLastDialRow)
            grid->setCurrentCell(row + 1, 1);
    }
}

bool TPresetListForm::ListBox1DragOver(QObject* source, int y)
{
    const bool accept = source == ListBox1;
    int rowHeight = ListBox1->sizeHintForRow(0);
    if (rowHeight <= 0)
        rowHeight = ListBox1->fontMetrics().height();
    QScrollBar* scroll = ListBox1->verticalScrollBar();
    if (y <= rowHeight / 2)
        scroll->setValue(scroll->value() - 1);
    else if (y >= ListBox1->height() - rowHeight)
        scroll->setValue(scroll->value() + 1);
    return accept;
}

void TPresetListForm::ListBox1DragDrop(QObject* source, QPoint pos)
{
    if (source != ListBox1)
        return;
    const int top = topRow();
    const int src = selectedRow();
    const QModelIndex target = ListBox1->indexAt(pos);
    // A drop below the last row, or a drag with nothing selected, has no record to move.
    if (src < 0 || !target.isValid())
        return;
    const int dst = target.row();

    // The Presets page shows the record at CurrentPreset. When the move puts another record
    // there, store the page's values into the record they came from first, and load the page
    // from the new record after, so a later store cannot overwrite a preset it never showed.
    const bool currentRecordChanges = MoveChangesRecordAt(src, dst, CurrentPreset);
    if (currentRecordChanges && MainForm)
        MainForm->StoreChannels();

    MovePresetRecord(src, dst);

    if (MainForm)
        MainForm->UpdatePresetsList();
    // The refill lays the rows out again; do it now so the old top row can be restored.
    ListBox1->doItemsLayout();
    ListBox1->verticalScrollBar()->setValue(top);

    if (currentRecordChanges && MainForm) {
        // Started from the list, so the redisplay neither moves the focus nor marks the page modified.
        Selecting = 1;
        MainForm->ShowCurrentPreset();
        Selecting = 0;
    }
    // Links and dials name preset numbers, so the presets they reach may have moved.
    if (MainForm)
        MainForm->RedrawShownBankPage();
}

} // namespace zlv
