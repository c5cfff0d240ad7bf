#pragma once

#include "GridColumns.h"
#include "core/MemoryImage.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the model box's current position stands for: the model code the
// image carries and the band text (an index into core::BandTexts::byPosition).
struct ModelSlot {
    core::Byte code;
    int bandSlot;
};

// How a family names its models: what File > New and the model dialog
// offer, what the model box lists, which group and grid a model brings and
// which model code and band a position of the model box stands for.
class ModelScheme {
public:
    virtual ~ModelScheme() = default;

    // The model dialog's list. Empty: the model box holds a fixed list and
    // no model is ever asked for (no File > New, no question at start).
    virtual QStringList models() const = 0;
    // The File > New items before the dialog has been answered.
    virtual QStringList newMenuItems() const { return models(); }
    // The dialog's answer rebuilds File > New and becomes the current model.
    virtual bool menuFromDialog() const { return false; }
    // The window opens on the dialog's answer, empty before it is asked.
    virtual bool startsWithoutModel() const { return false; }
    // The model box's fixed items; empty: the current model's two variants.
    virtual QStringList fixedItems() const { return {}; }

    // The group at start; empty: the family has no groups.
    virtual QString startGroup() const { return {}; }
    // The group of a position of the model dialog's list; empty: none.
    virtual QString groupOf(int position) const
    {
        Q_UNUSED(position);
        return {};
    }
    virtual const GridDescription &grid(const QString &group) const = 0;

    // The model code and band of the model box's position; none where the
    // position stands for nothing.
    virtual std::optional<ModelSlot> slot(const QString &model, int position) const = 0;
    // Choosing a model empties the grid even when it holds channels.
    virtual bool changeEmptiesGrid() const { return false; }

    bool asksForModel() const { return !models().isEmpty(); }
    bool hasGroups() const { return !startGroup().isEmpty(); }
};

// Models that come in two variants, "(U)" and "(V)", the first on band
// text PL1, the second on PL2.
class VariantPairScheme : public ModelScheme {
public:
    std::optional<ModelSlot> slot(const QString &model, int position) const override
    {
        if (position != 0 && position != 1)
            return std::nullopt;
        return ModelSlot{code(model, position), position};
    }

protected:
    virtual core::Byte code(const QString &model, int variant) const = 0;
};
