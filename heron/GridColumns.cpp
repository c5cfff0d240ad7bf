#include "GridColumns.h"

#include "core/ToneLists.h"

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

const GridDescription &HeronGrid()
{
    static const GridDescription grid = [] {
        const Qt::Alignment centerTop = Qt::AlignHCenter | Qt::AlignTop;
        const Qt::Alignment leftCenter = Qt::AlignLeft | Qt::AlignVCenter;
        GridDescription g;
        g.toneItems = core::QtDqtList();
        g.columns = {
            {"No.", 1, 9, centerTop, CellEditor::None, {}, RowDefault::none()},
            {"RX Frequency", 1, 7, leftCenter, CellEditor::RxFrequency, {}, RowDefault::none()},
            {"TX Frequency", 1, 7, leftCenter, CellEditor::TxFrequency, {}, RowDefault::rxText()},
            {"QT/DQT Dec", 1, 7, centerTop, CellEditor::ToneList, {}, RowDefault::firstTone()},
            {"QT/DQT Enc", 1, 7, centerTop, CellEditor::ToneList, {}, RowDefault::firstTone()},
            {"Busy ", 1, 10, centerTop, CellEditor::ItemList, {"Yes", "No"}, RowDefault::fixed("No")},
            {"W/N", 1, 10, centerTop, CellEditor::ItemList, {"W", "N"}, RowDefault::fixed("W")},
            {"TX Power", 1, 10, centerTop, CellEditor::ItemList, {"High", "Middle", "Low"}, RowDefault::fixed("High")},
        };
        return g;
    }();
    return grid;
}

QList<int> ColumnWidths(int total, const GridDescription &description)
{
    QList<int> widths;
    for (const GridColumn &c : description.columns)
        widths << int(std::lround(double(total) * c.widthNum / c.widthDen));
    return widths;
}
