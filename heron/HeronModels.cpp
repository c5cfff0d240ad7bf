#include "HeronModels.h"

#include "core/FamilyB.h"
#include "core/ToneLists.h"
#include "editor/StandardParts.h"

const GridDescription &HeronGrid()
{
    static const GridDescription grid = [] {
        GridDescription g;
        g.behaviour() = GridBehaviour::editable();
        g.toneItems = core::QtDqtList();
        g.columns = ChannelColumns(ColumnAlignment::Own) << PowerColumn(ColumnAlignment::Own);
        return g;
    }();
    return grid;
}

QStringList HeronModels::models() const { return core::familyB::Models(); }

const GridDescription &HeronModels::grid(const QString &) const { return HeronGrid(); }

core::Byte HeronModels::code(const QString &model, int variant) const { return core::familyB::ModelCode(model, variant); }
