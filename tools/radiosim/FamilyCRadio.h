#pragma once

#include "FamilyBRadio.h"

// Family C speaks family B's link block for block; it differs in what its
// memory holds, so a new radio starts from family C's factory image.
class FamilyCRadio : public FamilyBRadio {
public:
    using FamilyBRadio::FamilyBRadio;

    // Model QZ--311B(1) (code 0x11), default settings, no channels.
    static QByteArray FactoryMemory();
};
