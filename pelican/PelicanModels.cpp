#include "PelicanModels.h"

#include "core/FamilyA.h"
#include "core/ToneLists.h"
#include "editor/StandardParts.h"

namespace {

GridDescription GroupGrid(const QString &group)
{
    constexpr ColumnAlignment own = ColumnAlignment::Own;
    const QStringList yesNo{"Yes", "No"};
    GridDescription g;
    g.behaviour() = GridBehaviour::editableHiddenOnScroll();
    g.toneItems = core::QtDqtList();
    g.columns = ChannelColumns(own);
    if (group == QLatin1String("1")) {
        g.columns << ItemColumn(QStringLiteral("Scan Add"), yesNo, QStringLiteral("Yes"), own)
                  << ItemColumn(QStringLiteral("Compandor"), yesNo, QStringLiteral("No"), own, 3, 25);
        GridColumn scrambler = ItemColumn(QStringLiteral("Scrambler Code."), {"OFF", "1", "2", "3", "4", "5", "6", "7", "8"},
                                          QStringLiteral("OFF"), own, 5, 28);
        // The editor opens on the cell's own text, not on a list search.
        scrambler.presetWithCellText = true;
        g.columns << scrambler;
    }
    g.columns << PowerColumn(own);
    return g;
}

} // namespace

const GridDescription &PelicanGrid(const QString &group)
{
    static const GridDescription groupZero = GroupGrid(QStringLiteral("0"));
    static const GridDescription groupOne = GroupGrid(QStringLiteral("1"));
    return group == QLatin1String("1") ? groupOne : groupZero;
}

QStringList PelicanModels::models() const { return core::familyA::Models(); }

// The first model until the model dialog's list fills the menu.
QStringList PelicanModels::newMenuItems() const { return core::familyA::Models().mid(0, 1); }

QString PelicanModels::groupOf(int position) const { return core::familyA::GroupOf(core::familyA::Models().value(position)); }

const GridDescription &PelicanModels::grid(const QString &group) const { return PelicanGrid(group); }

core::Byte PelicanModels::code(const QString &model, int variant) const { return core::familyA::ModelCode(model, variant); }
