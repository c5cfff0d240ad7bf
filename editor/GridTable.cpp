#include "GridTable.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

// Every change of the current index goes through the selection model, so
// this is the one place where the old cell can be checked before the move.
class LeaveCellSelectionModel : public QItemSelectionModel {
public:
    LeaveCellSelectionModel(QAbstractItemModel *model, GridTable *grid) : QItemSelectionModel(model, grid), m_grid(grid) {}

    void setCurrentIndex(const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override
    {
        if (index != currentIndex() && currentIndex().isValid() && !m_grid->m_restructuring && m_grid->onLeaveCell)
            m_grid->onLeaveCell();
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    GridTable *m_grid;
};

namespace {
constexpr Qt::Alignment kDefaultAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}

GridTable::GridTable(QWidget *parent) : QTableWidget(parent)
{
    QItemSelectionModel *old = selectionModel();
    setSelectionModel(new LeaveCellSelectionModel(model(), this));
    delete old;

    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fitRowHeight();

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &GridTable::scrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &GridTable::scrolled);
}

void GridTable::setRows(int rows)
{
    QScopedValueRollback guard(m_restructuring, m_restructuring + 1);
    setRowCount(qMax(0, rows - 1));
    fillItems();
}

void GridTable::setCols(int cols)
{
    QScopedValueRollback guard(m_restructuring, m_restructuring + 1);
    setColumnCount(qMax(0, cols));
    m_colAlignment.resize(columnCount(), kDefaultAlignment);
    fillItems();
}

int GridTable::Row() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 0;
}

int GridTable::Col() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : -1;
}

void GridTable::moveTo(int row, int col)
{
    if (row < 1 || row >= Rows() || col < 0 || col >= Cols())
        return;
    selectionModel()->setCurrentIndex(model()->index(row - 1, col), QItemSelectionModel::ClearAndSelect);
}

QTableWidgetItem *GridTable::cell(int row, int col) const
{
    if (row < 0 || row >= Rows() || col < 0 || col >= Cols())
        return nullptr;
    return row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
}

QString GridTable::TextMatrix(int row, int col) const
{
    const QTableWidgetItem *c = cell(row, col);
    return c ? c->text() : QString();
}

void GridTable::setTextMatrix(int row, int col, const QString &text)
{
    if (QTableWidgetItem *c = cell(row, col))
        c->setText(text);
}

void GridTable::Clear()
{
    for (int r = 0; r < Rows(); ++r)
        for (int c = 0; c < Cols(); ++c)
            setTextMatrix(r, c, QString());
}

void GridTable::setColAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= Cols())
        return;
    m_colAlignment[col] = alignment;
    for (int r = 1; r < Rows(); ++r)
        setCellAlignment(r, col, alignment);
}

void GridTable::setCellAlignment(int row, int col, Qt::Alignment alignment)
{
    if (row < 1)
        return; // the titles keep their own alignment
    if (QTableWidgetItem *c = cell(row, col))
        c->setTextAlignment(alignment);
}

Qt::Alignment GridTable::cellAlignment(int row, int col) const
{
    const QTableWidgetItem *c = cell(row, col);
    return c ? Qt::Alignment(c->textAlignment()) : Qt::Alignment();
}

QRect GridTable::currentCellRect() const
{
    const QModelIndex i = currentIndex();
    if (!i.isValid())
        return {};
    return visualRect(i).translated(viewport()->pos());
}

void GridTable::fillItems()
{
    const QColor fixed = palette().color(QPalette::Button);
    for (int c = 0; c < Cols(); ++c) {
        if (!horizontalHeaderItem(c))
            setHorizontalHeaderItem(c, new QTableWidgetItem);
        for (int r = 0; r < rowCount(); ++r) {
            if (item(r, c))
                continue;
            auto *it = new QTableWidgetItem;
            it->setTextAlignment(m_colAlignment.value(c, kDefaultAlignment));
            if (c == 0) {
                // The number column behaves as a fixed column: it can be clicked, not selected.
                it->setFlags(Qt::ItemIsEnabled);
                it->setBackground(fixed);
            } else {
                it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            setItem(r, c, it);
        }
    }
}

void GridTable::fitRowHeight()
{
    const int h = fontMetrics().height() + 6;
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(h);
    horizontalHeader()->setFont(font());
    horizontalHeader()->setFixedHeight(h + 2);
}

void GridTable::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex pressed = indexAt(event->position().toPoint());
    QTableWidget::mousePressEvent(event);
    // Raised on the press: a message box shown by leave-cell swallows the release.
    if (event->button() == Qt::LeftButton && pressed.isValid() && currentIndex() == pressed)
        emit cellClick();
}

void GridTable::changeEvent(QEvent *event)
{
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRowHeight();
}

void GridTable::updateGeometries()
{
    QScopedValueRollback guard(m_resizing, m_resizing + 1);
    QTableWidget::updateGeometries();
}

void GridTable::resizeEvent(QResizeEvent *event)
{
    QScopedValueRollback guard(m_resizing, m_resizing + 1);
    QTableWidget::resizeEvent(event);
}

void GridTable::keepCurrentInView()
{
    QScopedValueRollback guard(m_resizing, m_resizing + 1);
    if (currentIndex().isValid())
        scrollTo(currentIndex());
}

bool GridTable::viewportEvent(QEvent *event)
{
    QScopedValueRollback guard(m_resizing, m_resizing + (event->type() == QEvent::Resize ? 1 : 0));
    const bool handled = QTableWidget::viewportEvent(event);
    // A scroll bar coming or going changes the width the columns share.
    if (event->type() == QEvent::Resize)
        emit viewportResized();
    return handled;
}
