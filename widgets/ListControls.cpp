#include "ListControls.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace zlv {

namespace {
const QColor kHeaderColour(0xC0, 0xC0, 0xC0);
}

FixedHeaderGrid::FixedHeaderGrid(int rows, int firstColumnWidth, int secondColumnWidth, int rowHeight,
                                 QWidget* parent)
    : QTableWidget(rows, 2, parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setColumnWidth(0, firstColumnWidth);
    setColumnWidth(1, secondColumnWidth);
    for (int r = 0; r < rows; ++r) {
        setRowHeight(r, rowHeight);
        for (int c = 0; c < 2; ++c) {
            auto* item = new QTableWidgetItem;
            if (r == 0 || c == 0) {
                // Header cells take no selection; the row highlight covers column 1 only.
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(kHeaderColour);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            setItem(r, c, item);
        }
    }
    const int frame = 2 * frameWidth();
    setFixedSize(firstColumnWidth + secondColumnWidth + frame, rows * rowHeight + frame);
    setCurrentCell(1, 1);
}

void FixedHeaderGrid::setCellText(int row, int column, const QString& text)
{
    item(row, column)->setText(text);
}

bool FixedHeaderGrid::isDataCell(const QModelIndex& index) const
{
    return index.isValid() && index.row() > 0 && index.column() > 0;
}

void FixedHeaderGrid::mousePressEvent(QMouseEvent* event)
{
    m_pressedRow = -1;
    const QModelIndex index = indexAt(event->position().toPoint());
    // Presses on header cells and with other buttons than the left one leave the selection alone.
    if (event->button() != Qt::LeftButton || !isDataCell(index)) {
        event->accept();
        return;
    }
    m_rowBeforePress = currentRow();
    m_pressedRow = index.row();
    QTableWidget::mousePressEvent(event);
}

void FixedHeaderGrid::mouseMoveEvent(QMouseEvent* event)
{
    // Dragging does not sweep the selection over other rows or the header.
    event->accept();
}

void FixedHeaderGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clickOnSelected = event->button() == Qt::LeftButton && m_pressedRow >= 1 &&
                                 m_pressedRow == m_rowBeforePress &&
                                 indexAt(event->position().toPoint()).row() == m_pressedRow;
    m_pressedRow = -1;
    QTableWidget::mouseReleaseEvent(event);
    if (clickOnSelected && onClickSelectedRow)
        onClickSelectedRow();
}

void FixedHeaderGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first click has already chosen the row; the double-click acts on the selected row.
    m_pressedRow = -1;
    event->accept();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && isDataCell(index) && onDoubleClick)
        onDoubleClick();
}

QModelIndex FixedHeaderGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = QTableWidget::moveCursor(cursorAction, modifiers);
    if (!index.isValid())
        return index;
    return model()->index(std::max(index.row(), 1), 1);
}

ClickListBox::ClickListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setUniformItemSizes(true);
}

int ClickListBox::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ClickListBox::mousePressEvent(QMouseEvent* event)
{
    // Only the left button picks a row.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
    if (indexAt(event->position().toPoint()).isValid() && onUserSelect)
        onUserSelect();
}

void ClickListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
    if (onDoubleClick)
        onDoubleClick();
}

void ClickListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = selectedRow();
    QListWidget::keyPressEvent(event);
    const int after = selectedRow();
    if (after >= 0 && after != before && onUserSelect)
        onUserSelect();
}

} // namespace zlv
