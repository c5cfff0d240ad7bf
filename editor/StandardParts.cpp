#include "StandardParts.h"
#include "core/ChannelRecord.h"

namespace {

Qt::Alignment centred(ColumnAlignment a)
{
    return a == ColumnAlignment::Own ? Qt::AlignHCenter | Qt::AlignTop : Qt::Alignment();
}

} // namespace

namespace {

template <typename Lists>
auto &RoleField(Lists &lists, ListRole role)
{
    switch (role) {
    case ListRole::Moni: return lists.moni;
    case ListRole::BatterySave: return lists.batterySave;
    case ListRole::TimeOut: return lists.timeOut;
    case ListRole::Squelch: return lists.squelch;
    case ListRole::Scan: return lists.scan;
    case ListRole::Voice: return lists.voice;
    case ListRole::Sound: return lists.sound;
    case ListRole::Scrambler: return lists.scrambler;
    case ListRole::Priority: break;
    }
    return lists.priority;
}

} // namespace

int &ListValue(core::FunctionLists &lists, ListRole role) { return RoleField(lists, role); }
int ListValue(const core::FunctionLists &lists, ListRole role) { return RoleField(lists, role); }

QList<FunctionListInfo> StandardLists(const QString &timeOutOff)
{
    return {
        {ListRole::Moni, QStringLiteral("cboFuncMoni"), QStringLiteral("Moni:"), {"Enable", "Disable"}},
        {ListRole::BatterySave, QStringLiteral("cbosd"), QStringLiteral("Battery Save:"), {"Yes", "No"}},
        {ListRole::TimeOut, QStringLiteral("cboFuncTOT"), QStringLiteral("Time Out timer:"),
         {timeOutOff, "30s", "60s", "90s", "120s", "150s", "180s", "210s", "240s", "270s", "300s"}},
        {ListRole::Squelch, QStringLiteral("cboFuncSQL"), QStringLiteral("Squelch Level:"),
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {ListRole::Scan, QStringLiteral("cboFuncSave"), QStringLiteral("Scan:"), {"Enable", "Disable"}},
        {ListRole::Voice, QStringLiteral("cboYYBP"), QStringLiteral("Voice:"), {"Off", "Chinese", "English"}},
    };
}

QList<ToolButton> StandardToolbar()
{
    using Command = ToolButton::Command;
    return {
        {QStringLiteral("New"), Command::New, {}},   {QStringLiteral("Open"), Command::Open, {}},
        {QStringLiteral("Save"), Command::Save, {}}, {QStringLiteral("Print"), Command::Print, {}},
        {QStringLiteral("Read"), Command::Read, {}}, {QStringLiteral("Write"), Command::Write, {}},
    };
}

GridColumn NumberColumn()
{
    return {"No.", 1, 9, Qt::AlignHCenter | Qt::AlignTop, CellEditor::None, {}, RowDefault::none()};
}

GridColumn FrequencyColumn(CellEditor rxOrTx, ColumnAlignment alignment)
{
    const bool rx = rxOrTx == CellEditor::RxFrequency;
    const Qt::Alignment a = alignment == ColumnAlignment::Own ? Qt::AlignLeft | Qt::AlignVCenter : Qt::Alignment();
    return {core::ChannelColumnTitles().at(rx ? 0 : 1), 1, 7, a, rxOrTx, {}, rx ? RowDefault::none() : RowDefault::rxText()};
}

GridColumn ToneColumn(const QString &title, ColumnAlignment alignment)
{
    return {title, 1, 7, centred(alignment), CellEditor::ToneList, {}, RowDefault::firstTone()};
}

GridColumn ItemColumn(const QString &title, const QStringList &items, const QString &rowDefault,
                      ColumnAlignment alignment, int widthNum, int widthDen)
{
    return {title, widthNum, widthDen, centred(alignment), CellEditor::ItemList, items, RowDefault::fixed(rowDefault)};
}

QList<GridColumn> ChannelColumns(ColumnAlignment alignment)
{
    return {
        NumberColumn(),
        FrequencyColumn(CellEditor::RxFrequency, alignment),
        FrequencyColumn(CellEditor::TxFrequency, alignment),
        ToneColumn(core::ChannelColumnTitles().at(2), alignment),
        ToneColumn(core::ChannelColumnTitles().at(3), alignment),
        ItemColumn(core::ChannelColumnTitles().at(4), {"Yes", "No"}, QStringLiteral("No"), alignment),
        ItemColumn(core::ChannelColumnTitles().at(5), {"W", "N"}, QStringLiteral("W"), alignment),
    };
}

GridColumn PowerColumn(ColumnAlignment alignment)
{
    return ItemColumn(core::ChannelColumnTitles().at(6), {"High", "Middle", "Low"}, QStringLiteral("High"), alignment);
}
