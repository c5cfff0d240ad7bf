#include "FamilyBRadio.h"

#include <QFileDevice>

namespace {
const QByteArray kWake("\x02PROGRA", 7);
constexpr char kAck = 0x06;
constexpr unsigned char kStx = 0x02;
constexpr int kLastBlock = 127;
// Bytes whose decimal texts hold the digit 6 but which are no ACK.
const QByteArray kGarbage("\x10\x3C\x60\xA0", 4);
// What a noisy line adds after an answer: neither an ACK nor a digit 6.
const QByteArray kNoise("\x00\xE0\x80", 3);

QByteArray HexLine(const QByteArray &bytes)
{
    return bytes.toHex(' ').toUpper() + '\n';
}
} // namespace

FamilyBRadio::FamilyBRadio(RadioMemory &memory, const Faults &faults, QIODevice *record)
    : m_memory(memory), m_faults(faults), m_record(record)
{
}

bool FamilyBRadio::mute(int block) const
{
    return m_faults.silent || (m_faults.silentFrom >= 0 && block >= m_faults.silentFrom);
}

Reaction FamilyBRadio::receive(unsigned char byte)
{
    return withNoise(answer(byte));
}

Reaction FamilyBRadio::withNoise(Reaction r) const
{
    if (m_faults.noise && !r.reply.isEmpty())
        r.reply += kNoise;
    return r;
}

Reaction FamilyBRadio::answer(unsigned char byte)
{
    switch (m_state) {
    case State::Asleep:
        return wake(byte);
    case State::AwaitConfirm:
        if (byte == 'M') {
            m_state = State::AwaitDirection;
            return {acks()};
        }
        return wake(byte); // still hearing the wake sequence
    case State::AwaitDirection:
        if (byte == 0x05 || byte == 0x0A) {
            m_state = byte == 0x05 ? State::Reading : State::Writing;
            m_frame.clear();
            return {mute(0) ? QByteArray() : acks()};
        }
        return restartOn(byte);
    case State::Reading:
        return readRequest(byte);
    case State::AwaitPcAck:
        if (byte != kAck)
            return restartOn(byte);
        m_state = State::Reading;
        // The PC closes the port after its ACK of the last block and does not wait for ours.
        if (m_block == kLastBlock)
            return {};
        return acknowledge(m_block);
    case State::Writing:
        return writeFrame(byte);
    }
    return {};
}

Reaction FamilyBRadio::wake(unsigned char byte)
{
    if (byte == static_cast<unsigned char>(kWake[m_wakeMatched]))
        ++m_wakeMatched;
    else
        m_wakeMatched = byte == kStx ? 1 : 0;
    if (m_wakeMatched < kWake.size())
        return {};
    m_wakeMatched = 0;
    m_state = State::AwaitConfirm;
    if (m_faults.silent)
        return {};
    // Three bytes: the PC judges the answer only once its decimal text is longer than 2.
    return {m_faults.shortWake ? QByteArray(1, kAck) : QByteArray(3, kAck)};
}

// Between frames a wake sequence starts a new session, so a session whose
// last ACK was lost (the PC closed its port early) leaves no deaf radio.
Reaction FamilyBRadio::restartOn(unsigned char byte)
{
    if (byte != kStx)
        return {};
    m_state = State::Asleep;
    return wake(byte);
}

Reaction FamilyBRadio::readRequest(unsigned char byte)
{
    if (m_frame.isEmpty() && byte != 'R')
        return restartOn(byte);
    m_frame.append(char(byte));
    if (m_frame.size() < 4)
        return {};
    const int address = (static_cast<unsigned char>(m_frame[1]) << 8) | static_cast<unsigned char>(m_frame[2]);
    m_frame.clear();
    m_block = address / 8;
    if (m_faults.hangUpAt == m_block)
        return {{}, true};
    m_state = State::AwaitPcAck;
    if (mute(m_block))
        return {};
    QByteArray reply;
    reply.append('R').append(char(address >> 8)).append(char(address & 0xFF)).append(char(8));
    reply.append(m_memory.block(address));
    if (m_faults.shortAt == m_block)
        reply.truncate(7);
    if (m_faults.longAll || m_faults.longAt == m_block) {
        char sum = 0; // a checksum the PC does not expect
        for (char c : reply)
            sum = char(sum + c);
        reply.append(sum);
    }
    return {reply};
}

Reaction FamilyBRadio::writeFrame(unsigned char byte)
{
    if (m_frame.isEmpty() && byte != 'W')
        return restartOn(byte);
    m_frame.append(char(byte));
    if (m_frame.size() < 12)
        return {};
    const QByteArray frame = m_frame;
    m_frame.clear();
    const int address = (static_cast<unsigned char>(frame[1]) << 8) | static_cast<unsigned char>(frame[2]);
    const int block = address / 8;
    if (m_faults.hangUpAt == block)
        return {{}, true};
    if (m_record) {
        m_record->write(HexLine(frame));
        if (auto *file = qobject_cast<QFileDevice *>(m_record))
            file->flush(); // tests read the record while the radio runs
    }
    m_memory.setBlock(address, frame.mid(4, 8));
    const QString error = m_memory.saveBlock(address, 8);
    if (!error.isEmpty())
        m_error = error;
    if (m_faults.shortAt == block)
        return {};
    return acknowledge(block);
}

Reaction FamilyBRadio::acknowledge(int block) const
{
    if (mute(block))
        return {};
    if (m_faults.nakAt == block)
        return {QByteArray(1, 0x15)};
    if (m_faults.badAckAt == block)
        return {QByteArray(1, char(m_faults.badAckByte))};
    if (m_faults.garbageAt == block)
        return {kGarbage};
    return {acks()};
}
