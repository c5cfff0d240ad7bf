#include "GridTable.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTableView>

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
    // By pixel, so that a cell can stop right beside the number column.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // The number column: it takes no focus and no selection; its clicks and
    // wheel turns are the grid's own (eventFilter).
    m_numbers = new QTableView(this);
    m_numbers->setObjectName(QStringLiteral("numberColumn"));
    m_numbers->setModel(model());
    m_numbers->setFocusPolicy(Qt::NoFocus);
    m_numbers->setSelectionMode(QAbstractItemView::NoSelection);
    m_numbers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_numbers->setAutoScroll(false);
    m_numbers->setTabKeyNavigation(false);
    m_numbers->setWordWrap(false);
    m_numbers->setFrameShape(QFrame::NoFrame);
    m_numbers->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_numbers->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_numbers->verticalHeader()->hide();
    m_numbers->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_numbers->horizontalHeader()->setSectionsClickable(false);
    m_numbers->horizontalHeader()->setHighlightSections(false);
    m_numbers->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_numbers->viewport()->installEventFilter(this);
    viewport()->stackUnder(m_numbers);
    fitRowHeight();

    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &GridTable::scrolled);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &GridTable::scrolled);
    // The number column follows the grid's rows, and its own range may be set after the grid's value.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, m_numbers->verticalScrollBar(), &QScrollBar::setValue);
    connect(m_numbers->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            [this] { m_numbers->verticalScrollBar()->setValue(verticalScrollBar()->value()); });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical) {
        if (logical == 0)
            placeNumberColumn();
    });
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
    for (QTableView *view : {static_cast<QTableView *>(this), m_numbers}) {
        view->setFont(font());
        view->verticalHeader()->setMinimumSectionSize(1);
        view->verticalHeader()->setDefaultSectionSize(h);
        view->horizontalHeader()->setFont(font());
        view->horizontalHeader()->setFixedHeight(h + 2);
    }
    placeNumberColumn();
}

// Over the grid's number column, title included, as long as the viewport is high.
void GridTable::placeNumberColumn()
{
    if (!m_numbers)
        return; // still being built
    const QRect view = viewport()->geometry();
    const int width = qMin(columnWidth(0), view.width());
    m_numbers->setColumnWidth(0, columnWidth(0));
    m_numbers->setGeometry(view.left(), view.top() - horizontalHeader()->height(), width,
                           view.height() + horizontalHeader()->height());
    m_numbers->setVisible(columnCount() > 0 && width > 0);
    m_numbers->raise();
    m_numbers->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

QRect GridTable::scrollingArea() const
{
    QRect area = viewport()->geometry();
    if (m_numbers && m_numbers->isVisibleTo(this))
        area.setLeft(m_numbers->geometry().right() + 1);
    return area;
}

void GridTable::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    const int sideways = horizontalScrollBar()->value();
    QTableWidget::scrollTo(index, hint);
    if (!index.isValid())
        return;
    if (index.column() == 0) {
        horizontalScrollBar()->setValue(sideways); // always in sight
        return;
    }
    // A cell under the number column is not in sight either.
    const int covered = scrollingArea().left() - viewport()->x() - visualRect(index).left();
    if (covered > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

bool GridTable::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_numbers->viewport())
        return QTableWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex pressed = m_numbers->indexAt(mouse->position().toPoint());
        setFocus(Qt::MouseFocusReason);
        if (mouse->button() == Qt::LeftButton && pressed.isValid()) {
            moveTo(pressed.row() + 1, 0);
            if (currentIndex() == pressed)
                emit cellClick();
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        return true;
    case QEvent::Wheel:
        // Its own scroll bars are off; the wheel scrolls the grid.
        QCoreApplication::sendEvent(viewport(), event);
        return true;
    default:
        return QTableWidget::eventFilter(watched, event);
    }
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
    placeNumberColumn();
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
