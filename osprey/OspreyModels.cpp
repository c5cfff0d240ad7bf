#include "OspreyModels.h"

#include "core/FamilyC.h"
#include "editor/StandardParts.h"

const GridDescription &OspreyGrid()
{
    static const GridDescription grid = [] {
        GridDescription g;
        g.behaviour() = GridBehaviour::fixedRowsPickOnly();
        g.toneItems = core::familyC::ToneItems();
        g.columns = ChannelColumns(ColumnAlignment::Grid) << PowerColumn(ColumnAlignment::Grid);
        return g;
    }();
    return grid;
}

QStringList OspreyModels::fixedItems() const
{
    QStringList items;
    for (const core::familyC::Model &m : core::familyC::Models())
        items << m.item;
    return items;
}

const GridDescription &OspreyModels::grid(const QString &) const { return OspreyGrid(); }

std::optional<ModelSlot> OspreyModels::slot(const QString &, int position) const
{
    const auto &models = core::familyC::Models();
    if (position < 0 || position >= models.size())
        return std::nullopt;
    return ModelSlot{models.at(position).code, models.at(position).bandSlot};
}
