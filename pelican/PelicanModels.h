#pragma once

#include "editor/ModelScheme.h"

// Six models in two groups, each model with a "(U)" and a "(V)" variant.
// The window starts without a model and asks for one; the answer fills
// File > New and brings its group's grid.
class PelicanModels : public VariantPairScheme {
public:
    QStringList models() const override;
    QStringList newMenuItems() const override;
    bool menuFromDialog() const override { return true; }
    bool startsWithoutModel() const override { return true; }
    QString startGroup() const override { return QStringLiteral("0"); }
    QString groupOf(int position) const override;
    const GridDescription &grid(const QString &group) const override;

protected:
    core::Byte code(const QString &model, int variant) const override;
};

// Group "0": the eight standard columns. Group "1": eleven, TX Power last.
const GridDescription &PelicanGrid(const QString &group);
