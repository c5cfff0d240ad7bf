#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

// A family's channel grid as data: the columns and the few rules in which
// the families' grids differ. One ChannelGrid runs any of these tables.

enum class CellEditor {
    None,        // the channel-number column: a click hides every editor
    RxFrequency, // txtTxFreq
    TxFrequency, // txtRecFreq
    ToneList,    // cmbCKTX2 with the QT/DQT list
    ItemList,    // cmbCKTX1, refilled with the column's items
};

// What a valid RX frequency writes into the other cells of its row.
struct RowDefault {
    enum class Kind { None, RxText, FirstTone, Text };
    Kind kind = Kind::None;
    QString text; // for Kind::Text

    static RowDefault none() { return {}; }
    static RowDefault rxText() { return {Kind::RxText, {}}; }
    static RowDefault firstTone() { return {Kind::FirstTone, {}}; }
    static RowDefault fixed(const QString &t) { return {Kind::Text, t}; }
};

struct GridColumn {
    QString title;
    int widthNum = 1; // share of the grid's width: widthNum / widthDen
    int widthDen = 10;
    Qt::Alignment alignment; // empty: the column keeps the grid's own alignment
    CellEditor editor = CellEditor::None;
    QStringList items; // ItemList only, in list order
    RowDefault rowDefault;
    bool presetWithCellText = false; // the list editor shows the cell text instead of selecting its item
};

// How the grid's editors and rebuilds behave, as one choice.
struct GridBehaviour {
    bool presetListEditors = true;       // a list editor opens with the cell's item selected
    bool listTypingReachesCell = true;   // typed list text is copied into the cell as it is typed
    bool listEnterChecks = true;         // Enter in a list editor checks the text against the list
    bool defaultsOverwrite = false;      // row defaults replace what the row holds
    bool rebuildClears = true;           // SetupChannelGrid empties the grid and sets the row count
    bool hideEditorsOnScroll = false;

    // Editors open on the cell's item and check typed text; a rebuild empties the grid.
    static GridBehaviour editable() { return {}; }
    // As editable(), and a scroll hides the open editor.
    static GridBehaviour editableHiddenOnScroll()
    {
        GridBehaviour b;
        b.hideEditorsOnScroll = true;
        return b;
    }
    // Fixed channel rows: list editors take a pick only, row defaults
    // overwrite the row, a rebuild keeps the cells.
    static GridBehaviour fixedRowsPickOnly() { return {false, false, false, true, false, false}; }
};

struct GridDescription : GridBehaviour {
    QList<GridColumn> columns;
    QStringList toneItems; // cmbCKTX2's list

    GridBehaviour &behaviour() { return *this; }
    const GridBehaviour &behaviour() const { return *this; }
    int columnOf(CellEditor editor) const;
    const GridColumn *column(int col) const;
};

// Each column's width for a grid `total` units wide, rounded to whole units.
QList<int> ColumnWidths(int total, const GridDescription &description);
