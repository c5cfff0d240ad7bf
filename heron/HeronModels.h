#pragma once

#include "editor/ModelScheme.h"

// Two models, each with a "(U)" and a "(V)" variant; File > New lists both,
// and one grid serves every model.
class HeronModels : public VariantPairScheme {
public:
    QStringList models() const override;
    const GridDescription &grid(const QString &group) const override;

protected:
    core::Byte code(const QString &model, int variant) const override;
};

// Heron's grid: "No.", two frequencies, two tones, Busy, W/N, TX Power.
const GridDescription &HeronGrid();
