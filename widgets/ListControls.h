// The two list controls the Chains and Speed Dials pages and the preset list
// build on: a string grid with a fixed header row and column, and a list box
// that tells its owner only of rows the user chose.
#pragma once

#include <QListWidget>
#include <QString>
#include <QTableWidget>

#include <functional>

namespace zlv {

// Whole-row grid whose row 0 and column 0 are fixed header cells: the current
// cell always lies in column 1 of a row from 1 on, and the mouse and keyboard
// cannot move it onto the header. A change of the current row, by the user or
// from code, shows as currentCellChanged; a left click on the row already
// selected runs onClickSelectedRow instead.
class FixedHeaderGrid : public QTableWidget {
public:
    FixedHeaderGrid(int rows, int firstColumnWidth, int secondColumnWidth, int rowHeight, QWidget* parent);

    std::function<void()> onClickSelectedRow;
    std::function<void()> onDoubleClick;

    void setCellText(int row, int column, const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    bool isDataCell(const QModelIndex& index) const;
    int m_rowBeforePress = -1;
    int m_pressedRow = -1;
};

// List box whose onUserSelect runs when the user picks a row with the mouse or
// moves the selection with the keyboard; filling it or selecting from code runs
// nothing. onDoubleClick runs on every double-click inside it, on a row or not.
class ClickListBox : public QListWidget {
public:
    explicit ClickListBox(QWidget* parent = nullptr);

    std::function<void()> onUserSelect;
    std::function<void()> onDoubleClick;

    // The selected row, or -1 when none is selected.
    int selectedRow() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace zlv
