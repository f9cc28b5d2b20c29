// A grid of text cells whose current cell only ever changes through a refusable
// selectCell event: mouse clicks, arrow keys, drags and the program's own moves
// (setCol, setRow, setCurrentCell) alike. The highlight is always exactly the
// current cell (or its row, with row selection), never a cell that was refused.
// A click on the current cell raises the event as well, so that its owner can
// put a cursor of its own there; a program move to the current cell raises none.
#pragma once

#include <QTableWidget>

namespace zlv {

class TStringGrid : public QTableWidget {
    Q_OBJECT
public:
    TStringGrid(int colCount, int rowCount, QWidget* parent = nullptr);

    int col() const { return currentColumn(); }
    int row() const { return currentRow(); }
    // Moves the current cell along one axis; setting the value it already has is
    // no change and raises no event.
    void setCol(int col);
    void setRow(int row);

    QString cells(int col, int row) const;
    void setCells(int col, int row, const QString& text);

    // Sets every column width and row height and fixes the grid's size to show
    // all cells without scroll bars.
    void setCellSize(int width, int height);

signals:
    // Raised before the cell (col, row) becomes current; a handler clears
    // canSelect to keep the current cell where it is.
    void selectCell(int col, int row, bool& canSelect);
    // A double click anywhere on the cells, whether or not its first click moved
    // the current cell.
    void dblClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class GuardedSelectionModel;
    bool mayBecomeCurrent(const QModelIndex& index);
};

} // namespace zlv
