#pragma once

#include <QByteArray>

// What a simulated radio does with one byte from the PC.
struct Reaction {
    QByteArray reply;
    bool hangUp = false; // the radio goes away instead of answering
};

// One family's radio behind the wire. Families differ in their replies, not in
// the wire, so each family is one implementation of this.
class Radio {
public:
    virtual ~Radio() = default;
    virtual Reaction receive(unsigned char byte) = 0;
    // False while the PC may send on its own clock (its wake bytes repeat
    // until it has judged the answer); true where each byte must wait for
    // the radio's answer to the one before.
    virtual bool takesTurns() const = 0;
};
