#include "StringGrid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>

namespace zlv {

// Every path by which Qt changes the current item ends in the selection model's
// setCurrentIndex, so the event is asked there. The view's own selection
// requests (a click's or a drag's highlight) are dropped: the highlight follows
// the current cell only, so a refused click leaves no trace.
class GuardedSelectionModel : public QItemSelectionModel {
public:
    GuardedSelectionModel(QAbstractItemModel* model, TStringGrid* grid) : QItemSelectionModel(model, grid), m_grid(grid)
    {
    }

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override
    {
        if (!index.isValid()) {
            QItemSelectionModel::setCurrentIndex(index, command);
            return;
        }
        if (index != currentIndex() && !m_grid->mayBecomeCurrent(index))
            return;
        SelectionFlags flags = ClearAndSelect;
        if (m_grid->selectionBehavior() == QAbstractItemView::SelectRows)
            flags |= Rows;
        m_ownSelect = true;
        QItemSelectionModel::setCurrentIndex(index, flags);
        m_ownSelect = false;
    }

    void select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override
    {
        if (m_ownSelect)
            QItemSelectionModel::select(index, command);
    }

    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override
    {
        if (m_ownSelect)
            QItemSelectionModel::select(selection, command);
    }

private:
    TStringGrid* m_grid;
    bool m_ownSelect = false;
};

TStringGrid::TStringGrid(int colCount, int rowCount, QWidget* parent) : QTableWidget(rowCount, colCount, parent)
{
    auto* previous = selectionModel();
    setSelectionModel(new GuardedSelectionModel(model(), this));
    delete previous;
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setCurrentCell(0, 0);
}

bool TStringGrid::mayBecomeCurrent(const QModelIndex& index)
{
    bool canSelect = true;
    emit selectCell(index.column(), index.row(), canSelect);
    return canSelect;
}

void TStringGrid::setCol(int col)
{
    if (col != currentColumn())
        setCurrentCell(currentRow(), col);
}

void TStringGrid::setRow(int row)
{
    if (row != currentRow())
        setCurrentCell(row, currentColumn());
}

QString TStringGrid::cells(int col, int row) const
{
    const QTableWidgetItem* cell = item(row, col);
    return cell ? cell->text() : QString();
}

void TStringGrid::setCells(int col, int row, const QString& text)
{
    QTableWidgetItem* cell = item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem;
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, col, cell);
    }
    cell->setText(text);
}

void TStringGrid::setCellSize(int width, int height)
{
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultSectionSize(width);
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, width);
    for (int r = 0; r < rowCount(); ++r)
        setRowHeight(r, height);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * frameWidth();
    setFixedSize(columnCount() * width + frame, rowCount() * height + frame);
}

void TStringGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid() && index == currentIndex())
        mayBecomeCurrent(index);
    QTableWidget::mousePressEvent(event);
}

void TStringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !indexAt(event->position().toPoint()).isValid()) {
        QTableWidget::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    emit dblClick();
}

} // namespace zlv
