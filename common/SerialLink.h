#pragma once

#include "core/LinkProtocol.h"
#include "core/Result.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QIODevice;

// Where a read keeps the radio's replies: a private per-user directory.
QString ReceivedScratchPath();

// Makes the folder, readable by its owner only when this creates it.
bool MakePrivateFolder(const QString &path);

// Runs the link protocol over an open port: readyRead feeds it, timers pace the
// wake bytes and end a silent wait. Every transfer ends with the port closed,
// and finished() comes only once the last bytes sent have left the line.
class SerialLink : public QObject {
    Q_OBJECT
public:
    using Outcome = core::LinkProtocol::Outcome;

    // timeoutMs: how long any wait for the radio may last; shorter only in tests.
    explicit SerialLink(QIODevice *device, int timeoutMs = core::link::kTimeoutMs, QObject *parent = nullptr);
    ~SerialLink() override;

    void setWakeIntervalMs(int milliseconds) { m_protocol.setWakeIntervalMs(milliseconds); }

    // The scratch file is created afresh; every reply line is on disk as soon as it arrives.
    void startRead(const QString &scratchPath);
    void startWrite(const core::MemoryImage &image);
    void cancel();

    // While the user is asked whether to cancel, nothing moves: received bytes
    // wait in the port, the deadline and the pacing stand still.
    void pause();
    void resume();

    bool isRunning() const { return m_protocol.isRunning() || m_finishQueued; }
    // The transfer has ended and the port is being drained before it closes.
    bool isClosing() const { return m_finishQueued && !m_protocol.isRunning(); }
    Outcome outcome() const { return m_outcome; }
    QString message() const { return m_message; }
    const core::LinkProtocol &protocol() const { return m_protocol; }

signals:
    void progressChanged(int value);
    void captionChanged(const QString &caption);
    void finished(SerialLink::Outcome outcome, const QString &message);

private:
    void connectDevice();
    void onTick();
    void onReadyRead();
    void onSend(const QByteArray &bytes);
    void discardInput();
    void wakeForAwaitedBytes();
    void onLine(const QString &line);
    void onDeviceError(const QString &cause);
    void onErrorWhileClosing(const QString &cause);
    bool failWrite(const QString &cause);
    void onFinished(Outcome outcome, QString message);
    void failBeforeStart(const QString &message);
    void closeDevice();
    void drainThenFinish();
    void finishNow();

    QPointer<QIODevice> m_device;
    int m_timeoutMs;
    core::LinkProtocol m_protocol;
    QTimer m_tick;
    QTimer m_deadline;
    QTimer m_drain;
    QElapsedTimer m_clock;
    qint64 m_lineBusyUntilUs = 0; // when the last byte handed to the driver has left the line
    qint64 m_drainDeadlineUs = 0;
    int m_wakeCount = 0; // the driver's VMIN as last set here; 0: as Qt left it
    QFile m_scratch;
    bool m_paused = false;
    int m_tickRemaining = -1;
    bool m_tickAtOnce = false; // the running tick is due as soon as the bytes in hand are taken
    int m_deadlineRemaining = -1;
    QString m_failureWhilePaused;
    bool m_finishQueued = false;
    Outcome m_outcome = Outcome::Cancelled;
    QString m_message;
};
