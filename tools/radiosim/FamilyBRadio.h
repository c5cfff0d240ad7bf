#pragma once

#include "Faults.h"
#include "Radio.h"
#include "RadioMemory.h"

class QIODevice;

// Family B: woken by STX "PROGRA", confirmed by "M", then 0x05 (read) or 0x0A
// (write) and 8-byte blocks, each acknowledged with 0x06.
class FamilyBRadio : public Radio {
public:
    // record: where each received write frame goes as a hex line; may be null.
    FamilyBRadio(RadioMemory &memory, const Faults &faults, QIODevice *record);

    Reaction receive(unsigned char byte) override;
    bool takesTurns() const override { return m_state != State::Asleep && m_state != State::AwaitConfirm; }
    QString lastError() const { return m_error; }

private:
    enum class State { Asleep, AwaitConfirm, AwaitDirection, Reading, AwaitPcAck, Writing };

    Reaction answer(unsigned char byte);
    Reaction wake(unsigned char byte);
    Reaction restartOn(unsigned char byte);
    Reaction readRequest(unsigned char byte);
    Reaction writeFrame(unsigned char byte);
    Reaction acknowledge(int block) const;
    bool mute(int block) const;
    Reaction withNoise(Reaction r) const;
    QByteArray acks() const { return QByteArray(m_faults.ackCount, 0x06); }

    RadioMemory &m_memory;
    Faults m_faults;
    QIODevice *m_record;
    State m_state = State::Asleep;
    int m_wakeMatched = 0;
    QByteArray m_frame;
    int m_block = 0;
    QString m_error;
};
