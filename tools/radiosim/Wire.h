#pragma once

#include <QObject>
#include <deque>

class QSocketNotifier;
class Radio;

// The serial line between the PC and the radio. Paced, every byte takes its
// time on the wire in each direction (10 bits a byte at the baud rate). Due
// times are absolute on one monotonic clock and a timerfd fires at them, so
// late wake-ups never add up to drift. The radio hears a byte once its last
// bit is in; if the PC's end no longer runs at the radio's baud rate by then
// (a port closed too early gets its old settings back), the byte is garbled
// and lost; unpaced, no byte is garbled.
class Wire : public QObject {
    Q_OBJECT
public:
    // byteTimeUs 0: no pacing. slowMs: extra delay before every answer.
    // baud: the radio's rate, which the line must run at while a byte is in.
    Wire(int fd, Radio &radio, qint64 byteTimeUs, int slowMs, int baud, QObject *parent = nullptr);
    ~Wire() override;

    // Logs every byte each way on stderr.
    void setVerbose(bool on) { m_verbose = on; }

signals:
    void hungUp();

private:
    struct Timed {
        qint64 dueUs;
        char byte;
    };

    void onReadable();
    void hearDue();
    void sendDue();
    bool lineAtBaud() const;
    void flushOut();
    void arm(qint64 dueUs);

    int m_fd;
    int m_timerFd = -1;
    Radio &m_radio;
    qint64 m_byteTimeUs;
    qint64 m_slowUs;
    QSocketNotifier *m_readNotifier;
    QSocketNotifier *m_writeNotifier;
    QSocketNotifier *m_timerNotifier = nullptr;
    std::deque<Timed> m_in;
    std::deque<Timed> m_out;
    int m_baud;
    qint64 m_lastInUs = 0;
    qint64 m_lastOutUs = 0;
    QByteArray m_unsent;
    bool m_hungUp = false;
    bool m_verbose = false;
};
