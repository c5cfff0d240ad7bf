#include "GridColumns.h"

#include <cmath>

int GridDescription::columnOf(CellEditor editor) const
{
    for (int c = 0; c < columns.size(); ++c)
        if (columns.at(c).editor == editor)
            return c;
    return -1;
}

const GridColumn *GridDescription::column(int col) const
{
    return col >= 0 && col < columns.size() ? &columns.at(col) : nullptr;
}

QList<int> ColumnWidths(int total, const GridDescription &description)
{
    QList<int> widths;
    for (const GridColumn &c : description.columns)
        widths << int(std::lround(double(total) * c.widthNum / c.widthDen));
    return widths;
}
