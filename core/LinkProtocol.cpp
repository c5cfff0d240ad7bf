#include "LinkProtocol.h"

#include <algorithm>

namespace core::link {

QByteArray ReadRequest(int block)
{
    const BlockAddress a = AddressOfBlock(block);
    QByteArray r;
    r.append(char(kReadCommand)).append(char(a.high)).append(char(a.low)).append(char(kBlockSize));
    return r;
}

QByteArray WriteFrame(int block, const Block &data)
{
    const BlockAddress a = AddressOfBlock(block);
    QByteArray f;
    f.reserve(kWriteFrameSize);
    f.append(char(kWriteCommand)).append(char(a.high)).append(char(a.low)).append(char(kBlockSize));
    for (Byte b : data)
        f.append(char(b));
    return f;
}

int DecimalTextLength(QByteArrayView bytes)
{
    int n = 0;
    for (char c : bytes) {
        const Byte b = Byte(c);
        n += b >= 100 ? 3 : b >= 10 ? 2 : 1;
    }
    return n;
}

QString ReplyLine(QByteArrayView reply)
{
    QString line;
    line.reserve(reply.size() * 3);
    for (char c : reply)
        line += HexByte(Byte(c)) + QLatin1Char(' ');
    return line;
}

} // namespace core::link

namespace core {

using namespace link;

LinkProtocol::LinkProtocol(QObject *parent) : QObject(parent) {}

void LinkProtocol::startRead()
{
    if (isRunning())
        return;
    m_image = MemoryImage();
    start(Direction::Read);
}

void LinkProtocol::startWrite(const MemoryImage &image)
{
    if (isRunning())
        return;
    m_image = image;
    start(Direction::Write);
}

void LinkProtocol::start(Direction direction)
{
    if (m_state != State::Idle)
        return;
    ++m_run;
    m_direction = direction;
    m_pending.clear();
    m_received.clear();
    m_wakePosition = 0;
    m_block = 0;
    m_blocksDone = 0;
    m_progress = 0;
    // One deadline covers the whole handshake, wake bytes and both inner waits.
    m_state = State::WakeSending;
    const quint64 run = m_run;
    guarded([this, run] {
        emit progressChanged(0);
        if (ended(run))
            return;
        emit captionChanged(kConnectingCaption);
        if (ended(run))
            return;
        // Bytes from before the handshake are no answer to it.
        emit discardInput();
        if (ended(run))
            return;
        emit deadlineRestarted();
        sendNextWakeByte();
    });
}

void LinkProtocol::receive(QByteArrayView bytes)
{
    if (m_state == State::Idle)
        return;
    m_pending.append(bytes);
    guarded([] {});
}

void LinkProtocol::tick()
{
    guarded([this] {
        if (m_state == State::ReplyComplete) {
            blockReceived();
            return;
        }
        if (m_state != State::WakeSending)
            return;
        if (m_received.isEmpty()) {
            sendNextWakeByte();
        } else {
            m_state = State::WakeReplying;
            judgeWakeReply();
        }
    });
}

void LinkProtocol::timeOut()
{
    if (m_state != State::Idle)
        finish(Outcome::TimedOut, kTimeoutMessage);
}

void LinkProtocol::cancel()
{
    if (m_state != State::Idle)
        finish(Outcome::Cancelled);
}

void LinkProtocol::deviceFailed(const QString &cause)
{
    if (m_state == State::Idle)
        return;
    const QString what = m_direction == Direction::Write ? kWriteError : kReadError;
    finish(Outcome::DeviceFailed, cause.isEmpty() ? what : what + QLatin1Char('\n') + cause);
}

// A fake radio may answer from inside sendRequested; its bytes then queue up
// behind the ones being handled instead of overtaking them.
template <class F>
void LinkProtocol::guarded(F step)
{
    if (m_processing) {
        step();
        return;
    }
    m_processing = true;
    step();
    while (m_state != State::Idle && !m_pending.isEmpty()) {
        const Byte b = Byte(m_pending.front());
        m_pending.remove(0, 1);
        consume(b);
    }
    if (m_state == State::Idle)
        m_pending.clear();
    m_processing = false;
}

void LinkProtocol::consume(Byte b)
{
    switch (m_state) {
    case State::Idle:
        return;
    case State::WakeSending: // judged at the next tick
        m_received.append(char(b));
        return;
    case State::WakeReplying:
        m_received.append(char(b));
        judgeWakeReply();
        return;
    case State::AwaitConfirm: // any answer to "M" will do
        afterHandshake();
        return;
    case State::AwaitDirection:
        if (m_direction == Direction::Read && b != kAck)
            finish(Outcome::NotAcknowledged, kCommunicationError);
        else
            afterDirection();
        return;
    case State::AwaitReply:
        m_received.append(char(b));
        if (m_received.size() == kReplySize) {
            m_state = State::ReplyComplete;
            emit tickRequested(m_block == kBlockCount - 1 ? kLastReplyQuietMs : 0);
        }
        return;
    case State::ReplyComplete: // a reply has 12 bytes, never data beyond them
        finish(Outcome::NotAcknowledged, kCommunicationError);
        return;
    case State::AwaitAck:
        if (b == kAck)
            acknowledged();
        else
            finish(Outcome::NotAcknowledged, kCommunicationError);
        return;
    }
}

void LinkProtocol::sendNextWakeByte()
{
    const Byte b = kWakeSequence[m_wakePosition];
    m_wakePosition = (m_wakePosition + 1) % int(kWakeSequence.size());
    m_state = State::WakeSending;
    const quint64 run = m_run;
    sendWakeByte(b);
    if (!ended(run) && m_state == State::WakeSending)
        emit tickRequested(m_wakeIntervalMs);
}

void LinkProtocol::judgeWakeReply()
{
    // A lone 0x06 is too short to judge; wait for the rest of the answer.
    if (DecimalTextLength(m_received) <= 2)
        return;
    if (m_received.contains(char(kAck))) {
        m_received.clear();
        m_state = State::AwaitConfirm;
        send(QByteArray(1, char(kConfirm)));
    } else {
        sendNextWakeByte();
    }
}

void LinkProtocol::afterHandshake()
{
    m_received.clear();
    wait(State::AwaitDirection);
    send(QByteArray(1, char(m_direction == Direction::Read ? kReadDirection : kWriteDirection)));
}

void LinkProtocol::afterDirection()
{
    m_block = 0;
    const bool read = m_direction == Direction::Read;
    const quint64 run = m_run;
    emit captionChanged(read ? kReadingCaption : kWritingCaption);
    if (ended(run))
        return;
    if (read)
        requestBlock();
    else
        sendFrame();
}

void LinkProtocol::requestBlock()
{
    m_received.clear();
    wait(State::AwaitReply);
    send(ReadRequest(m_block));
}

void LinkProtocol::blockReceived()
{
    Block data;
    for (int i = 0; i < kBlockSize; ++i)
        data[i] = Byte(m_received[kReplySize - kBlockSize + i]);
    m_image.setBlock(m_block, data);
    ++m_blocksDone;
    const QString line = ReplyLine(m_received);
    m_received.clear();
    // Listeners may cancel or fail the transfer from inside these signals.
    const quint64 run = m_run;
    emit lineReceived(line);
    if (ended(run))
        return;
    setProgress(m_blocksDone);
    if (ended(run))
        return;
    // The radio does not acknowledge our ACK of the last block.
    const bool last = m_block == kBlockCount - 1;
    if (!last)
        wait(State::AwaitAck);
    send(QByteArray(1, char(kAck)));
    if (last && !ended(run))
        finish(Outcome::Completed);
}

void LinkProtocol::sendFrame()
{
    const QByteArray frame = WriteFrame(m_block, m_image.block(m_block));
    const quint64 run = m_run;
    if (m_block == kBlockCount - 1) { // no acknowledgement is awaited after the last frame
        send(frame);
        if (ended(run))
            return;
        ++m_blocksDone;
        setProgress(kProgressMaximum);
        if (!ended(run))
            finish(Outcome::Completed);
        return;
    }
    wait(State::AwaitAck);
    const int block = m_block;
    send(frame);
    if (ended(run))
        return;
    ++m_blocksDone;
    // The second function block counts only once it is acknowledged.
    if (block != 1)
        setProgress(block + 1);
}

void LinkProtocol::acknowledged()
{
    if (m_direction == Direction::Read) {
        ++m_block;
        requestBlock();
        return;
    }
    if (m_block == 1) {
        const quint64 run = m_run;
        setProgress(2);
        if (ended(run))
            return;
    }
    ++m_block;
    sendFrame();
}

void LinkProtocol::wait(State state)
{
    m_state = state;
    emit deadlineRestarted();
}

int LinkProtocol::bytesAwaited() const
{
    return m_state == State::AwaitReply ? std::max(1, kReplySize - int(m_received.size())) : 1;
}

void LinkProtocol::setWakeIntervalMs(int milliseconds)
{
    m_wakeIntervalMs = milliseconds;
}

void LinkProtocol::setProgress(int value)
{
    if (value == m_progress)
        return;
    m_progress = value;
    emit progressChanged(value);
}

void LinkProtocol::send(const QByteArray &bytes)
{
    // What is still queued arrived before this send, so it answers something earlier.
    m_pending.clear();
    const quint64 run = m_run;
    emit discardInput();
    if (!ended(run))
        emit sendRequested(bytes);
}

void LinkProtocol::sendWakeByte(Byte b)
{
    emit sendRequested(QByteArray(1, char(b)));
}

void LinkProtocol::finish(Outcome outcome, const QString &message)
{
    if (m_state == State::Idle)
        return;
    m_state = State::Idle;
    m_pending.clear();
    emit deadlineStopped();
    emit finished(outcome, message);
}

} // namespace core
