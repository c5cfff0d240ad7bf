#pragma once

#include "PaintTarget.h"

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QStringList>
#include <functional>

namespace print {

// The channel grid as the page builder gets it: row 0 the column titles,
// column 0 the channel numbers.
class PrintGrid {
public:
    PrintGrid() = default;
    PrintGrid(int rows, int cols) : m_rows(rows), m_cols(cols), m_cells(qsizetype(rows) * cols) {}

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    QString cell(int row, int col) const
    {
        return row >= 0 && row < m_rows && col >= 0 && col < m_cols ? m_cells.at(qsizetype(row) * m_cols + col) : QString();
    }
    void setCell(int row, int col, const QString &text)
    {
        if (row >= 0 && row < m_rows && col >= 0 && col < m_cols)
            m_cells[qsizetype(row) * m_cols + col] = text;
    }

private:
    int m_rows = 0;
    int m_cols = 0;
    QStringList m_cells;
};

// One setting line of the data page: the label, then the text handed over
// from the editing window's control named by source.
struct PageSetting {
    QString variable; // the hand-over's name for the text ("strPCmodel")
    QString source;   // object name of the window's list or label ("cboPCmodel", "Label2")
    QString label;    // "Model Type："
    QPointF at;       // in page units, (0, 0)-(10, 20)
};

// What a family's data page looks like: the settings in hand-over order,
// where the table's columns stand, and how empty cells are handed over.
struct DataPageLayout {
    QList<PageSetting> settings;
    // Column c's left edge for a target scaleWidth wide (10 on the page scale).
    std::function<double(int column, double scaleWidth)> columnX;
    bool emptyCellsAsOff = false;
};

// What the editing window hands over: a text per setting of the layout, in
// its order, and the grid.
struct DataPageData {
    QStringList texts;
    PrintGrid grid;
};

inline constexpr double kPageScaleWidth = 10;
inline constexpr double kPageScaleHeight = 20;

// The ratio between a picture and the printer's page, both in inches: the
// smaller of the height and width ratios.
double PageRatio(const QSizeF &pictureInches, const QSizeF &pageInches);

// Row y of the table on the first page, and on a continuation page that
// began at row first.
double FirstPageRowY(int row);
double ContinuationRowY(int row, int first);

// Draws the title, the settings and the channel table. Fonts are the given
// sizes times ratio. On a printer the table breaks onto further pages, each
// with the title row again; a picture shows the first page only.
void DrawDataPage(PaintTarget &target, const DataPageLayout &layout, const DataPageData &data, double ratio, bool isPrinter);

} // namespace print
