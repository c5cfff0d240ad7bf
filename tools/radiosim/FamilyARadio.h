#pragma once

#include "FamilyBRadio.h"

// Family A talks family B's link. Its model code, the first byte of block 1,
// names the model and with it the model group ("0": 0x51..0x56, "1": 0x71..0x76).
class FamilyARadio : public FamilyBRadio {
public:
    using FamilyBRadio::FamilyBRadio;

    // "0", "1", or "" for a code that is no family A model.
    static QString groupOf(unsigned char modelCode);
    // Gives the radio model code hex ("73"); without one an erased radio becomes
    // the first model ("53"). Returns why not, or "".
    static QString setModel(RadioMemory &memory, const QString &hex);
};
