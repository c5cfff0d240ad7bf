#pragma once

#include "MemoryImage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <array>

// The serial link to the radio as a state machine without I/O: received bytes,
// pacing ticks and the deadline go in; bytes to send, progress and the outcome
// come out as signals. All three families share it; they differ only in the
// image they write and in how they decode what was read.
namespace core::link {

constexpr Byte kAck = 0x06;
constexpr Byte kConfirm = 0x4D; // "M"
constexpr Byte kReadDirection = 0x05;
constexpr Byte kWriteDirection = 0x0A;
constexpr Byte kReadCommand = 0x52;  // "R"
constexpr Byte kWriteCommand = 0x57; // "W"
constexpr int kReplySize = 12;
constexpr int kWriteFrameSize = 12;
constexpr std::array<Byte, 7> kWakeSequence{0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41}; // STX "PROGRA"

constexpr int kWakeIntervalMs = 100;
// Bytes that trail a reply show up in the answer to its ACK; the last ACK has
// no answer, so the last reply is judged once the line has been quiet for
// about four byte times at 9600 baud.
constexpr int kLastReplyQuietMs = 4;
constexpr int kTimeoutMs = 60000;
constexpr int kProgressMaximum = kBlockCount;

inline const QString kConnectingCaption = QStringLiteral("Connecting to the transceiver。。。");
inline const QString kReadingCaption = QStringLiteral("read the data from the transceiver。。。");
inline const QString kWritingCaption = QStringLiteral("write the data to the transceiver。。。");
inline const QString kReadError = QStringLiteral("Read Error!Please try again");
inline const QString kWriteError = QStringLiteral("Write Error!Please try again");
inline const QString kCommunicationError = QStringLiteral("Communication Error");
inline const QString kTimeoutMessage =
    QStringLiteral("Communication Error,Please check all the connections and the radio power ");

QByteArray ReadRequest(int block);
QByteArray WriteFrame(int block, const Block &data);
// Length of the bytes written as decimal numbers without separators
// (0x06 0x10 -> "616" -> 3): the wake reply is judged only once this exceeds 2.
int DecimalTextLength(QByteArrayView bytes);
// A read reply as a scratch-file line: each byte as two upper-case hex digits and a blank.
QString ReplyLine(QByteArrayView reply);

} // namespace core::link

namespace core {

class LinkProtocol : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Completed,
        Cancelled,
        TimedOut,        // a wait passed the deadline
        NotAcknowledged, // the radio answered something other than 0x06
        DeviceFailed,    // the driver reported the port unusable
    };
    Q_ENUM(Outcome)

    enum class Direction { Read, Write };

    explicit LinkProtocol(QObject *parent = nullptr);

    // Tests shorten the pause between wake bytes; the radio expects 100 ms.
    void setWakeIntervalMs(int milliseconds);

    void startRead();
    void startWrite(const MemoryImage &image);

    void receive(QByteArrayView bytes);
    // The pause asked for by tickRequested is over. The driver delivers what it
    // already holds before this, so a read reply is judged on every byte that
    // arrived before the program's next send.
    void tick();
    void timeOut(); // the deadline armed by deadlineRestarted has passed
    void cancel();
    void deviceFailed(const QString &cause);

    bool isRunning() const { return m_state != State::Idle; }
    Direction direction() const { return m_direction; }
    int progress() const { return m_progress; }
    int blocksTransferred() const { return m_blocksDone; }
    // How many bytes the current wait needs before anything can be judged:
    // the rest of a read reply, else 1.
    int bytesAwaited() const;
    // The blocks read so far; blocks not yet read stay 0xFF.
    const MemoryImage &image() const { return m_image; }

signals:
    // Whatever waits in the input came before the next send and is no answer to it.
    void discardInput();
    void sendRequested(const QByteArray &bytes);
    // 0: as soon as the bytes already received have been delivered.
    void tickRequested(int milliseconds);
    void deadlineRestarted();
    void deadlineStopped();
    void captionChanged(const QString &caption);
    void progressChanged(int value);
    void lineReceived(const QString &line);
    // message: the text for the user, empty for Completed and Cancelled.
    void finished(core::LinkProtocol::Outcome outcome, const QString &message);

private:
    enum class State {
        Idle,
        WakeSending,    // a wake byte is out, waiting for the pacing tick
        WakeReplying,   // something arrived; waiting for it to be long enough
        AwaitConfirm,   // "M" sent
        AwaitDirection, // direction byte sent
        AwaitReply,     // read request sent, collecting 12 bytes
        ReplyComplete,  // 12 bytes in; a further byte before the tick makes the reply too long
        AwaitAck,       // waiting for the radio's 0x06
    };

    void start(Direction direction);
    template <class F>
    void guarded(F step);
    void consume(Byte b);
    void blockReceived();
    void judgeWakeReply();
    void sendNextWakeByte();
    void afterHandshake();
    void afterDirection();
    void requestBlock();
    void sendFrame();
    void acknowledged();
    void wait(State state);
    void setProgress(int value);
    // A fresh request: bytes that arrived before it are not its answer.
    void send(const QByteArray &bytes);
    // A wake byte: the radio's answer to the wake sequence builds up across them.
    void sendWakeByte(Byte b);
    // Listeners may end this run and start another from inside a signal; the
    // old run's remaining steps must then stop.
    bool ended(quint64 run) const { return m_state == State::Idle || m_run != run; }
    void finish(Outcome outcome, const QString &message = QString());

    State m_state = State::Idle;
    Direction m_direction = Direction::Read;
    MemoryImage m_image;
    QByteArray m_pending;  // received, not yet consumed
    QByteArray m_received; // the current reply
    int m_wakePosition = 0;
    int m_block = 0;
    int m_blocksDone = 0;
    int m_progress = 0;
    int m_wakeIntervalMs = link::kWakeIntervalMs;
    bool m_processing = false;
    quint64 m_run = 0;
};

} // namespace core
