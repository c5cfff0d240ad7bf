#include "ChannelGrid.h"

#include "CellRules.h"
#include "common/UserDialogs.h"
#include "core/ToneLists.h"

#include <QApplication>
#include <QComboBox>
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
        e->hide();
        return e;
    };
    auto makeCombo = [this](const char *name) {
        auto *c = new QComboBox(m_frame);
        c->setObjectName(QLatin1String(name));
        c->setFont(EditorFont());
        c->setEditable(true);
        // Typed text must reach the cell as typed: no completion, no case folding, no new items.
        c->setCompleter(nullptr);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setMaxVisibleItems(12);
        c->resize(c->width(), c->sizeHint().height());
        c->installEventFilter(this);
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

    m_grid->onLeaveCell = [this] { gridXDSZ_LeaveCell(); };
    connect(m_grid, &GridTable::cellClick, this, &ChannelGrid::gridXDSZ_Click);
    connect(m_grid, &GridTable::viewportResized, this, &ChannelGrid::layoutColumns);
    connect(m_grid, &GridTable::scrolled, this, [this] {
        if (m_desc.hideEditorsOnScroll)
            hideEditors();
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
    const bool editing = !m_txtTxFreq->isHidden() || !m_txtRecFreq->isHidden() || !m_cmbTone->isHidden() ||
                         !m_cmbItems->isHidden();
    if (editing)
        m_grid->keepCurrentInView();
    const QRect cell = currentCellInFrame();
    for (QLineEdit *e : {m_txtTxFreq, m_txtRecFreq})
        if (!e->isHidden())
            e->setGeometry(cell);
    for (QComboBox *c : {m_cmbTone, m_cmbItems})
        if (!c->isHidden())
            c->setGeometry(cell.left(), cell.top(), cell.width(), c->height());
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
    m_txtRecFreq->hide();
    m_txtTxFreq->hide();
    m_cmbTone->hide();
    m_cmbItems->hide();
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
    switch (kindOf(col)) {
    case CellEditor::None:
        hideEditors();
        break;
    case CellEditor::RxFrequency:
        m_txtRecFreq->hide();
        m_cmbTone->hide();
        m_cmbItems->hide();
        openFrequencyEditor(m_txtTxFreq, text);
        break;
    case CellEditor::TxFrequency:
        m_txtTxFreq->hide();
        m_cmbTone->hide();
        m_cmbItems->hide();
        openFrequencyEditor(m_txtRecFreq, text);
        break;
    case CellEditor::ToneList:
        m_txtTxFreq->hide();
        m_txtRecFreq->hide();
        m_cmbItems->hide();
        if (m_desc.presetListEditors && !text.isEmpty()) {
            // Not found: the list keeps what it showed.
            const int found = core::FindStringPrefix(m_desc.toneItems, text);
            if (found >= 0)
                m_cmbTone->setCurrentIndex(found);
        }
        openListEditor(m_cmbTone);
        break;
    case CellEditor::ItemList: {
        m_txtTxFreq->hide();
        m_txtRecFreq->hide();
        m_cmbTone->hide();
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
    editor->setGeometry(currentCellInFrame());
    editor->setText(cellrules::FormatEditor(text));
    editor->show();
    editor->raise();
    editor->setFocus();
    editor->selectAll();
}

void ChannelGrid::openListEditor(QComboBox *combo)
{
    const QRect cell = currentCellInFrame();
    combo->setGeometry(cell.left(), cell.top(), cell.width(), combo->height());
    combo->show();
    combo->raise();
}

void ChannelGrid::frequencyChanged(QLineEdit *editor, CellEditor kind)
{
    const int row = m_grid->Row();
    const int col = m_desc.columnOf(kind);
    if (editor->isHidden() || row < 1 || col < 0)
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
    const int row = m_grid->Row();
    const int col = m_desc.columnOf(kind);
    if (editor->isHidden() || row < 1 || col < 0)
        return;
    m_grid->setTextMatrix(row, col, cellrules::FormatCell(editor->text()));
    editor->hide();
    m_grid->setCellAlignment(row, col, kTypedFrequency);
    gridXDSZ_LeaveCell();
}

void ChannelGrid::listChanged(QComboBox *combo, bool typed)
{
    if (combo->isHidden() || m_filling)
        return;
    // Newer Qt commits a typed exact match when editing ends; only a pick resets the modified flag.
    if (!m_desc.listTypingReachesCell && (typed || combo->lineEdit()->isModified()))
        return;
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    if (row < 1 || col < 0)
        return;
    const QString text = combo->currentText();
    m_grid->setTextMatrix(row, col, IsFrequency(kindOf(col)) ? cellrules::FormatCell(text) : text);
    m_grid->setCellAlignment(row, col, kListText);
}

void ChannelGrid::listEnter(QComboBox *combo)
{
    if (combo->isHidden() || !m_desc.listEnterChecks)
        return;
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    if (row < 1 || col < 0)
        return;
    const QString text = combo->currentText();
    if (IsFrequency(kindOf(col))) {
        m_grid->setTextMatrix(row, col, cellrules::FormatCell(text));
    } else {
        if (combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
            // The typed text stays in the cell and the list stays open for a correction.
            m_dialogs.message(this, kNotInList, kNotInListTitle, UserDialogs::Icon::Information);
            return;
        }
        m_grid->setTextMatrix(row, col, text);
    }
    m_grid->setCellAlignment(row, col, kListText);
    combo->hide();
}

bool ChannelGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (IsEnter(key) && !key->isAutoRepeat()) {
            if (watched == m_cmbTone || watched == m_cmbItems)
                listEnter(static_cast<QComboBox *>(watched));
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ChannelGrid::gridXDSZ_LeaveCell()
{
    const int row = m_grid->Row();
    const int col = m_grid->Col();
    if (row < 1 || col < 0)
        return;
    const QString text = m_grid->TextMatrix(row, col);
    if (text.isEmpty()) {
        m_grid->setTextMatrix(row, col, kOff);
        return;
    }
    const CellEditor kind = kindOf(col);
    if (!IsFrequency(kind))
        return;
    switch (cellrules::CheckFrequency(text, m_bandLabel ? m_bandLabel() : QString())) {
    case cellrules::Verdict::NotNumeric:
        m_grid->setTextMatrix(row, col, kOff);
        return;
    case cellrules::Verdict::OutOfRange:
        rejectFrequency(row, col, kRangeMessage);
        return;
    case cellrules::Verdict::OffStep:
        rejectFrequency(row, col, kStepMessage);
        return;
    case cellrules::Verdict::Valid:
        break;
    }
    if (kind == CellEditor::RxFrequency)
        applyRowDefaults(row, col, text);
}

void ChannelGrid::rejectFrequency(int row, int col, const QString &message)
{
    m_dialogs.message(this, message, kInformation, UserDialogs::Icon::Information);
    m_grid->setTextMatrix(row, col, QString());
    auto *editor = static_cast<QLineEdit *>(editorFor(kindOf(col)));
    editor->hide();
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
