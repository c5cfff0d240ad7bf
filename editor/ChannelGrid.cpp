#include "ChannelGrid.h"

#include "CellRules.h"
#include "common/WidgetRules.h"
#include "common/UserDialogs.h"
#include "core/ToneLists.h"

#include <QApplication>
#include <QComboBox>
#include <QAbstractItemView>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

const QString kNotInList = QStringLiteral("The QT/DQT you input does not exist,please check it\uFF01");
const QString kNotInListTitle = QStringLiteral("\u63D0\u793A");
const QString kRangeMessage = QStringLiteral("Please input in correct range");
const QString kStepMessage = QStringLiteral("Error data Value, Please input according the step value(6.25K/5K)");
const QString kInformation = QStringLiteral("Information");
const QString kOff = QStringLiteral("OFF");

QString NoBandMessage(const QString &key)
{
    return QStringLiteral("No band is set for this model. Please check the key %1 in section [Frequent] of \"Sfc.ini\": "
                          "it must hold a band such as 400MHz---470MHz.")
        .arg(key);
}

constexpr Qt::Alignment kTypedFrequency = Qt::AlignLeft | Qt::AlignBottom;
constexpr Qt::Alignment kListText = Qt::AlignHCenter | Qt::AlignTop;

bool IsFrequency(CellEditor kind)
{
    return kind == CellEditor::RxFrequency || kind == CellEditor::TxFrequency;
}

bool IsEnter(const QKeyEvent *e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// 1 for Tab, -1 for Shift+Tab, 0 for any other key.
int TabDirection(const QKeyEvent *e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return 0;
    if (e->key() == Qt::Key_Backtab || (e->key() == Qt::Key_Tab && (e->modifiers() & Qt::ShiftModifier)))
        return -1;
    return e->key() == Qt::Key_Tab ? 1 : 0;
}

QFont EditorFont()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(8.25);
    return f;
}

} // namespace

ChannelGrid::ChannelGrid(UserDialogs &dialogs, std::function<QString()> bandLabel, QWidget *parent,
                         const GridDescription &description)
    : QWidget(parent), m_dialogs(dialogs), m_bandLabel(std::move(bandLabel)), m_desc(description)
{
    m_frame = new QGroupBox(QStringLiteral("Channel Information"), this);
    m_frame->setObjectName(QStringLiteral("fraChan"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_frame);

    m_grid = new GridTable(m_frame);
    m_grid->setObjectName(QStringLiteral("gridXDSZ"));
    m_grid->setFont(QFont(QStringLiteral("Arial"), 9));
    auto *inner = new QVBoxLayout(m_frame);
    inner->addWidget(m_grid);

    // The editors float over the grid inside the frame, outside the layout.
    auto makeLineEdit = [this](const char *name) {
        auto *e = new QLineEdit(m_frame);
        e->setObjectName(QLatin1String(name));
        e->setFont(EditorFont());
        e->installEventFilter(this); // Tab moves to the next cell
        e->hide();
        return e;
    };
    auto makeCombo = [this](const char *name) {
        auto *c = new QComboBox(m_frame);
        c->setObjectName(QLatin1String(name));
        c->setFont(m_grid->font()); // the cell's own look: a list editor stands in for its text
        c->setEditable(true);
        // Typed text must reach the cell as typed: no completion, no case folding, no new items.
        KeepTypedText(c);
        c->setMaxVisibleItems(12);
        // The wheel never gives a list the focus; without it the wheel scrolls the grid.
        c->setFocusPolicy(Qt::StrongFocus);
        c->installEventFilter(this);
        // An Enter pressed in the open list belongs to the list too.
        c->view()->installEventFilter(this);
        c->hide();
        return c;
    };
    m_txtTxFreq = makeLineEdit("txtTxFreq");
    m_txtRecFreq = makeLineEdit("txtRecFreq");
    m_cmbTone = makeCombo("cmbCKTX2");
    m_cmbItems = makeCombo("cmbCKTX1");
    m_cmbTone->addItems(m_desc.toneItems);

    connect(m_txtTxFreq, &QLineEdit::textChanged, this, [this] { frequencyChanged(m_txtTxFreq, CellEditor::RxFrequency); });
    connect(m_txtRecFreq, &QLineEdit::textChanged, this, [this] { frequencyChanged(m_txtRecFreq, CellEditor::TxFrequency); });
    connect(m_txtTxFreq, &QLineEdit::returnPressed, this, [this] { frequencyEnter(m_txtTxFreq, CellEditor::RxFrequency); });
    connect(m_txtRecFreq, &QLineEdit::returnPressed, this, [this] { frequencyEnter(m_txtRecFreq, CellEditor::TxFrequency); });
    for (QComboBox *c : {m_cmbTone, m_cmbItems}) {
        connect(c, &QComboBox::currentIndexChanged, this, [this, c] { listChanged(c, false); });
        // A pick of the item already shown changes no index but is still a pick.
        connect(c, &QComboBox::activated, this, [this, c] { listChanged(c, false); });
        connect(c, &QComboBox::editTextChanged, this, [this, c] { listChanged(c, true); });
    }

    // Whatever moves the current cell, an editor left open must not write
    // into the cell it no longer stands over.
    m_grid->installEventFilter(this);
    m_grid->onLeaveCell = [this] {
        gridXDSZ_LeaveCell();
        hideEditors();
    };
    connect(m_grid, &GridTable::cellClick, this, &ChannelGrid::gridXDSZ_Click);
    connect(m_grid, &GridTable::viewportResized, this, &ChannelGrid::layoutColumns);
    connect(m_grid, &GridTable::scrolled, this, [this] {
        if (m_desc.hideEditorsOnScroll && !m_grid->isResizing())
            hideEditors();
        else
            placeOpenEditor();
    });

    // The grid's size before any layout run: the title row and 16 channels.
    m_grid->setCols(int(m_desc.columns.size()));
    m_grid->setRows(17);
    m_grid->moveTo(1, 1);
}

void ChannelGrid::setDescription(const GridDescription &description)
{
    hideEditors();
    m_desc = description;
    QScopedValueRollback guard(m_filling, true);
    m_cmbTone->clear();
    m_cmbTone->addItems(m_desc.toneItems);
}

void ChannelGrid::SetupChannelGrid(int n)
{
    hideEditors();
    n = qBound(0, n, 32766);
    if (m_desc.rebuildClears)
        m_grid->Clear();
    m_grid->setCols(int(m_desc.columns.size()));
    for (int c = 0; c < m_desc.columns.size(); ++c)
        m_grid->setTextMatrix(0, c, m_desc.columns.at(c).title);
    if (m_desc.rebuildClears)
        m_grid->setRows(n + 1);
    for (int i = 1; i <= n; ++i)
        m_grid->setTextMatrix(i, 0, QString::number(i));
    layoutColumns();
    for (int c = 0; c < m_desc.columns.size(); ++c)
        if (m_desc.columns.at(c).alignment)
            m_grid->setColAlignment(c, m_desc.columns.at(c).alignment);
    if (m_grid->Row() == 0)
        m_grid->moveTo(1, qMin(1, m_grid->Cols() - 1));
}

void ChannelGrid::layoutColumns()
{
    const QList<int> widths = ColumnWidths(m_grid->layoutWidth(), m_desc);
    for (int c = 0; c < qMin(int(widths.size()), m_grid->Cols()); ++c)
        m_grid->setColWidth(c, widths.at(c));
    // An open editor follows its cell, which stays in view.
    if (m_open)
        m_grid->keepCurrentInView();
    placeOpenEditor();
}

QList<QStringList> ChannelGrid::channelTexts() const
{
    QList<QStringList> channels;
    for (int r = 1; r < m_grid->Rows(); ++r) {
        QStringList row;
        for (int c = 1; c < m_grid->Cols(); ++c)
            row << m_grid->TextMatrix(r, c);
        channels << row;
    }
    return channels;
}

void ChannelGrid::setChannelTexts(const QList<QStringList> &channels)
{
    for (int i = 0; i < channels.size() && i + 1 < m_grid->Rows(); ++i)
        for (int j = 0; j < channels.at(i).size() && j + 1 < m_grid->Cols(); ++j)
            m_grid->setTextMatrix(i + 1, j + 1, channels.at(i).at(j));
}

void ChannelGrid::hideEditors()
{
    for (QWidget *e : {static_cast<QWidget *>(m_txtRecFreq), static_cast<QWidget *>(m_txtTxFreq),
                       static_cast<QWidget *>(m_cmbTone), static_cast<QWidget *>(m_cmbItems)})
        closeEditor(e);
}

void ChannelGrid::closeEditor(QWidget *editor)
{
    // The keys stay with the grid, at the same cell, not with the next control of the window.
    const QWidget *focus = QApplication::focusWidget();
    if (!editor->isHidden() && focus && (focus == editor || editor->isAncestorOf(focus)))
        m_grid->setFocus(Qt::OtherFocusReason);
    editor->hide();
    editor->clearMask();
    if (m_open == editor)
        m_open = nullptr;
}

bool ChannelGrid::isEditing(const QWidget *editor) const
{
    return editor == m_open && !editor->isHidden() && m_grid->Row() == m_openRow && m_grid->Col() == m_openCol;
}

// The open editor stands exactly over its cell, cut to the part of the cell
// in sight; while the cell is scrolled out of sight it is hidden.
void ChannelGrid::placeOpenEditor()
{
    if (!m_open)
        return;
    if (m_grid->Row() != m_openRow || m_grid->Col() != m_openCol) {
        hideEditors();
        return;
    }
    const QRect cell = currentCellInFrame();
    const QRect view = m_grid->scrollingArea().translated(m_grid->pos());
    const QRect inSight = cell & view;
    if (inSight.isEmpty()) {
        QWidget *open = m_open;
        closeEditor(open);
        m_open = open;
        return;
    }
    if (qobject_cast<QComboBox *>(m_open))
        m_open->setFont(m_grid->font());
    m_open->setGeometry(cell);
    if (inSight != cell)
        m_open->setMask(QRegion(inSight.translated(-cell.topLeft())));
    else
        m_open->clearMask();
    m_open->show();
    m_open->raise();
}

void ChannelGrid::Timer_Timer()
{
    const QWidget *active = QApplication::activeWindow();
    if (!active || active != window())
        return;
    if (!inFrame(QApplication::focusWidget()))
        hideEditors();
}

bool ChannelGrid::inFrame(const QWidget *w) const
{
    // parentWidget() also leads out of a combo's popup to the combo itself.
    for (; w; w = w->parentWidget())
        if (w == m_frame)
            return true;
    return false;
}

void ChannelGrid::clickCell(int row, int col)
{
    m_grid->moveTo(row, col);
    if (m_grid->Row() == row && m_grid->Col() == col)
        gridXDSZ_Click();
}

CellEditor ChannelGrid::kindOf(int col) const
{
    const GridColumn *c = m_desc.column(col);
    return c ? c->editor : CellEditor::None;
}

QWidget *ChannelGrid::editorFor(CellEditor kind) const
{
    switch (kind) {
    case CellEditor::RxFrequency: return m_txtTxFreq;
    case CellEditor::TxFrequency: return m_txtRecFreq;
    case CellEditor::ToneList: return m_cmbTone;
    case CellEditor::ItemList: return m_cmbItems;
    case CellEditor::None: break;
    }
    return nullptr;
}

QRect ChannelGrid::currentCellInFrame() const
{
    return m_grid->currentCellRect().translated(m_grid->pos());
}

void ChannelGrid::gridXDSZ_Click()
{
    if (m_grid->Rows() < 2 || m_grid->TextMatrix(1, 0).isEmpty())
        return;
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    if (row < 1)
        return;
    const QString text = m_grid->TextMatrix(row, col);
    // An editor is filled while hidden, so that opening it never writes into
    // a cell, neither this one nor the one it stood over before.
    hideEditors();
    switch (kindOf(col)) {
    case CellEditor::None:
        break;
    case CellEditor::RxFrequency:
        openFrequencyEditor(m_txtTxFreq, text);
        break;
    case CellEditor::TxFrequency:
        openFrequencyEditor(m_txtRecFreq, text);
        break;
    case CellEditor::ToneList:
        if (m_desc.presetListEditors) {
            // The list shows this cell's item, or this cell's own text when it holds none.
            const int found = text.isEmpty() ? -1 : core::FindStringPrefix(m_desc.toneItems, text);
            m_cmbTone->setCurrentIndex(found);
            if (found < 0)
                m_cmbTone->setEditText(text);
        }
        openListEditor(m_cmbTone);
        break;
    case CellEditor::ItemList: {
        const GridColumn &column = m_desc.columns.at(col);
        {
            QScopedValueRollback guard(m_filling, true);
            m_cmbItems->clear();
            m_cmbItems->addItems(column.items);
            m_cmbItems->setCurrentIndex(-1);
        }
        // An empty cell holds no item; the empty prefix would pick the first one.
        if (column.presetWithCellText)
            m_cmbItems->setEditText(text);
        else if (m_desc.presetListEditors && !text.isEmpty())
            m_cmbItems->setCurrentIndex(core::FindStringPrefix(column.items, text));
        openListEditor(m_cmbItems);
        break;
    }
    }
}

void ChannelGrid::openFrequencyEditor(QLineEdit *editor, const QString &text)
{
    editor->setText(cellrules::FormatEditor(text));
    m_open = editor;
    m_openRow = m_grid->Row();
    m_openCol = m_grid->Col();
    placeOpenEditor();
    editor->setFocus();
    editor->selectAll();
}

// List editors are shown without taking the focus.
void ChannelGrid::openListEditor(QComboBox *combo)
{
    m_open = combo;
    m_openRow = m_grid->Row();
    m_openCol = m_grid->Col();
    placeOpenEditor();
}

void ChannelGrid::frequencyChanged(QLineEdit *editor, CellEditor kind)
{
    const int row = m_openRow;
    const int col = m_desc.columnOf(kind);
    if (!isEditing(editor) || row < 1 || col != m_openCol)
        return;
    const QString text = editor->text();
    if (!text.isEmpty() && !cellrules::IsNumeric(text)) {
        editor->setText(QString()); // runs this handler again, which empties the cell
        return;
    }
    m_grid->setTextMatrix(row, col, cellrules::FormatCell(text));
    m_grid->setCellAlignment(row, col, kTypedFrequency);
}

void ChannelGrid::frequencyEnter(QLineEdit *editor, CellEditor kind)
{
    const int row = m_openRow;
    const int col = m_desc.columnOf(kind);
    if (!isEditing(editor) || row < 1 || col != m_openCol)
        return;
    m_grid->setTextMatrix(row, col, cellrules::FormatCell(editor->text()));
    closeEditor(editor);
    m_grid->setCellAlignment(row, col, kTypedFrequency);
    gridXDSZ_LeaveCell();
}

void ChannelGrid::listChanged(QComboBox *combo, bool typed)
{
    if (!isEditing(combo) || m_filling)
        return;
    // Newer Qt commits a typed exact match when editing ends; only a pick resets the modified flag.
    if (!m_desc.listTypingReachesCell && (typed || combo->lineEdit()->isModified()))
        return;
    putListText(combo->currentText());
}

void ChannelGrid::listEnter(QComboBox *combo)
{
    if (!isEditing(combo) || !m_desc.listEnterChecks || m_openRow < 1 || m_openCol < 0)
        return;
    const QString text = combo->currentText();
    if (!IsFrequency(kindOf(m_openCol)) && combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        // The typed text stays in the cell and the list stays open for a correction.
        m_dialogs.message(this, kNotInList, kNotInListTitle, UserDialogs::Icon::Information);
        return;
    }
    putListText(text);
    closeEditor(combo);
}

// A list's text into the open cell, a frequency in its cell form; nothing when no cell is open.
void ChannelGrid::putListText(const QString &text)
{
    const int row = m_openRow;
    const int col = m_openCol;
    if (row < 1 || col < 0)
        return;
    m_grid->setTextMatrix(row, col, IsFrequency(kindOf(col)) ? cellrules::FormatCell(text) : text);
    m_grid->setCellAlignment(row, col, kListText);
}

bool ChannelGrid::commitOpenEditor()
{
    if (!m_open)
        return true;
    if (m_grid->Row() != m_openRow || m_grid->Col() != m_openCol) {
        hideEditors();
        return true;
    }
    QWidget *open = m_open;
    const bool accepted = gridXDSZ_LeaveCell();
    closeEditor(open);
    return accepted;
}

// Tab and Shift+Tab with an editor open leave its cell for the next or
// previous channel cell, row by row, and the keys stay with the grid. The
// first and last cells have no neighbour: the text is checked in place.
void ChannelGrid::tabFromEditor(bool forward)
{
    int row = m_grid->Row();
    int col = m_grid->Col() + (forward ? 1 : -1);
    if (col >= m_grid->Cols()) {
        col = 1;
        ++row;
    } else if (col < 1) {
        col = m_grid->Cols() - 1;
        --row;
    }
    m_grid->setFocus(Qt::TabFocusReason);
    if (row < 1 || row >= m_grid->Rows())
        commitOpenEditor();
    else
        m_grid->moveTo(row, col); // leave-cell checks the text and closes the editor
}

bool ChannelGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_open &&
        (watched == m_open || watched == m_grid)) {
        if (const int direction = TabDirection(static_cast<QKeyEvent *>(event))) {
            tabFromEditor(direction > 0);
            return true;
        }
    }
    QComboBox *combo = nullptr;
    for (QComboBox *c : {m_cmbTone, m_cmbItems})
        if (c && (watched == c || watched == c->view()))
            combo = c;
    if (!combo)
        return QWidget::eventFilter(watched, event);
    if (watched == combo->view()) {
        if (event->type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent *>(event)))
            m_enterPressedIn = combo;
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!IsEnter(key) || key->isAutoRepeat())
            break;
        if (event->type() == QEvent::KeyPress) {
            m_enterPressedIn = combo;
        } else if (m_enterPressedIn == combo) {
            // The release of the Enter that closed a message was pressed elsewhere.
            m_enterPressedIn = nullptr;
            listEnter(combo);
        }
        break;
    }
    case QEvent::Wheel:
        // A list the user has not clicked into keeps its pick; the wheel scrolls the grid.
        if (!combo->hasFocus()) {
            QCoreApplication::sendEvent(m_grid->viewport(), event);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool ChannelGrid::gridXDSZ_LeaveCell()
{
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    if (row < 1 || col < 0)
        return true;
    const QString text = m_grid->TextMatrix(row, col);
    if (text.isEmpty()) {
        m_grid->setTextMatrix(row, col, kOff);
        return true;
    }
    const CellEditor kind = kindOf(col);
    if (!IsFrequency(kind))
        return true;
    const QString band = m_bandLabel ? m_bandLabel() : QString();
    // A frequency cannot be checked against a band that was never read.
    if (cellrules::IsNumeric(text) && !cellrules::IsBandText(band)) {
        rejectFrequency(row, col, NoBandMessage(m_bandKey ? m_bandKey() : QStringLiteral("PL1")));
        return false;
    }
    switch (cellrules::CheckFrequency(text, band)) {
    case cellrules::Verdict::NotNumeric:
        m_grid->setTextMatrix(row, col, kOff);
        return true;
    case cellrules::Verdict::OutOfRange:
        rejectFrequency(row, col, kRangeMessage);
        return false;
    case cellrules::Verdict::OffStep:
        rejectFrequency(row, col, kStepMessage);
        return false;
    case cellrules::Verdict::Valid:
        break;
    }
    if (kind == CellEditor::RxFrequency)
        applyRowDefaults(row, col, text);
    return true;
}

void ChannelGrid::rejectFrequency(int row, int col, const QString &message)
{
    m_dialogs.message(this, message, kInformation, UserDialogs::Icon::Information);
    m_grid->setTextMatrix(row, col, QString());
    auto *editor = static_cast<QLineEdit *>(editorFor(kindOf(col)));
    closeEditor(editor);
    editor->clear();
}

void ChannelGrid::applyRowDefaults(int row, int rxColumn, const QString &rx)
{
    for (int c = 0; c < m_desc.columns.size() && c < m_grid->Cols(); ++c) {
        const RowDefault &d = m_desc.columns.at(c).rowDefault;
        if (c == rxColumn || d.kind == RowDefault::Kind::None)
            continue;
        if (!m_desc.defaultsOverwrite && !m_grid->TextMatrix(row, c).isEmpty())
            continue;
        switch (d.kind) {
        case RowDefault::Kind::RxText: m_grid->setTextMatrix(row, c, rx); break;
        case RowDefault::Kind::FirstTone: m_grid->setTextMatrix(row, c, m_desc.toneItems.value(0)); break;
        case RowDefault::Kind::Text: m_grid->setTextMatrix(row, c, d.text); break;
        case RowDefault::Kind::None: break;
        }
    }
}

QSize ChannelGrid::sizeHint() const
{
    const int rowHeight = m_grid->verticalHeader()->defaultSectionSize();
    return {640, rowHeight * (m_grid->Rows() + 1) + 40};
}
