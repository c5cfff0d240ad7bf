#pragma once

#include <QTableWidget>
#include <functional>

class QTableView;

// A QTableWidget spoken to in grid terms: row 0 is the title row (the
// header), column 0 the channel-number column, rows 1..Rows()-1 the channels.
// Column 0 stays in place when the grid scrolls sideways: a second view of
// the same cells, showing only that column, lies over it.
// onLeaveCell runs for the current cell before it changes, by keyboard,
// mouse or moveTo(), while the old cell is still current.
class GridTable : public QTableWidget {
    Q_OBJECT
public:
    explicit GridTable(QWidget *parent = nullptr);

    int Rows() const { return rowCount() + 1; }
    void setRows(int rows);
    int Cols() const { return columnCount(); }
    void setCols(int cols);

    // The current cell; Row() is 0 when there is none.
    int Row() const;
    int Col() const;
    // Makes (row, col) current as a click would, leave-cell first.
    void moveTo(int row, int col);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);
    // Every text, titles and numbers included, becomes empty.
    void Clear();

    int ColWidth(int col) const { return columnWidth(col); }
    void setColWidth(int col, int width) { setColumnWidth(col, width); }
    void setColAlignment(int col, Qt::Alignment alignment);
    void setCellAlignment(int row, int col, Qt::Alignment alignment);
    Qt::Alignment cellAlignment(int row, int col) const;

    // Geometry of the current cell relative to the grid's own top-left.
    int CellLeft() const { return currentCellRect().left(); }
    int CellTop() const { return currentCellRect().top(); }
    int CellWidth() const { return currentCellRect().width(); }
    int CellHeight() const { return currentCellRect().height(); }
    QRect currentCellRect() const;
    // The width the columns share.
    int layoutWidth() const { return viewport()->width(); }
    // The part of the viewport, in the grid's coordinates, where the scrolling
    // columns show; the number column covers the rest.
    QRect scrollingArea() const;
    QTableView *numberColumn() const { return m_numbers; }
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    // Typed letters and digits never move the current cell.
    void keyboardSearch(const QString &) override {}

    // Scrolls the current cell into view as part of a resize.
    void keepCurrentInView();
    // A new size or new widths are being applied: a scroll now is not the user's.
    bool isResizing() const { return m_resizing > 0; }

    std::function<void()> onLeaveCell;

signals:
    // A left click has made a channel cell current (after any leave-cell).
    void cellClick();
    void scrolled();
    void viewportResized();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class LeaveCellSelectionModel;
    QTableWidgetItem *cell(int row, int col) const;
    void fillItems();
    void fitRowHeight();
    void placeNumberColumn();

    QList<Qt::Alignment> m_colAlignment;
    QTableView *m_numbers = nullptr;
    int m_resizing = 0;      // sizes change: scroll bar values that follow are not scrolls
    int m_restructuring = 0; // the table itself moves the current cell; no leave-cell
};
