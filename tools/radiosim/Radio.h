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
};
