#pragma once

#include <QString>
#include <QStringList>

// Misbehaviour to play, from --fault options. Blocks count from 0 (address / 8).
struct Faults {
    bool silent = false;        // never answers
    int silentFrom = -1;        // stops answering at this block
    int nakAt = -1;             // 0x15 in place of the ACK
    int badAckAt = -1;          // badAckByte in place of the ACK
    unsigned char badAckByte = 0x10;
    int garbageAt = -1;         // bytes without 0x06 in place of the ACK
    bool shortWake = false;     // the wake reply is a lone 0x06
    int shortAt = -1;           // this read reply, or this write ACK, is cut short
    int hangUpAt = -1;          // quits when this block's request or frame arrives
    int slowMs = 0;             // every answer comes this late
    int ackCount = 1;           // every ACK (also the answer to "M") comes this many times
    bool noise = false;         // line noise follows every answer, before the PC's next request
    bool longAll = false;       // every read reply carries a 13th byte
    int longAt = -1;            // this read reply carries a 13th byte
};

// Parses "silent", "silent:K", "nak:K", "badack:K[:HH]", "garbage:K", "short",
// "short:K", "hangup:K", "slow:MS", "acks:N", "noise", "long", "long:K". Returns an empty text or the reason it failed.
QString ParseFault(const QString &text, Faults &faults);
