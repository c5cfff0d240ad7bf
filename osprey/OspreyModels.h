#pragma once

#include "editor/ModelScheme.h"

// Six models in a fixed list in the model box, each with its own model code
// and band text; no model is asked for, and another model empties the grid.
class OspreyModels : public ModelScheme {
public:
    QStringList models() const override { return {}; }
    QStringList fixedItems() const override;
    const GridDescription &grid(const QString &group) const override;
    std::optional<ModelSlot> slot(const QString &model, int position) const override;
    bool changeEmptiesGrid() const override { return true; }
};

// Osprey's grid: the standard columns on the grid's own alignment, 16 fixed
// rows, list editors that take a pick only, row defaults that overwrite the row.
const GridDescription &OspreyGrid();
