#include "Wire.h"

#include "Radio.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <sys/timerfd.h>
#include <termios.h>
#include <unistd.h>

namespace {
qint64 NowUs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}
} // namespace

Wire::Wire(int fd, Radio &radio, qint64 byteTimeUs, int slowMs, int baud, QObject *parent)
    : QObject(parent), m_fd(fd), m_radio(radio), m_byteTimeUs(byteTimeUs), m_slowUs(qint64(slowMs) * 1000),
      m_baud(baud)
{
    m_readNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &Wire::onReadable);
    m_writeNotifier = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &Wire::flushOut);

    m_timerFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_timerFd >= 0) {
        m_timerNotifier = new QSocketNotifier(m_timerFd, QSocketNotifier::Read, this);
        connect(m_timerNotifier, &QSocketNotifier::activated, this, [this] {
            quint64 expirations = 0;
            while (::read(m_timerFd, &expirations, sizeof expirations) > 0) {
            }
            hearDue();
            sendDue();
        });
    }
}

Wire::~Wire()
{
    if (m_timerFd >= 0)
        ::close(m_timerFd);
}

void Wire::onReadable()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            break; // EAGAIN, or nobody on the other end just now
        const qint64 now = NowUs();
        for (ssize_t i = 0; i < n; ++i) {
            m_lastInUs = std::max(now, m_lastInUs) + m_byteTimeUs;
            m_in.push_back({m_lastInUs, buffer[i]});
        }
    }
    hearDue();
    sendDue();
}

// The master sees the slave's settings, which the PC's end sets.
bool Wire::lineAtBaud() const
{
    termios t{};
    if (::tcgetattr(m_fd, &t) != 0)
        return true;
    const speed_t speed = ::cfgetispeed(&t);
    static const struct {
        speed_t code;
        int baud;
    } rates[] = {{B1200, 1200}, {B2400, 2400}, {B4800, 4800}, {B9600, 9600}, {B19200, 19200},
                 {B38400, 38400}, {B57600, 57600}, {B115200, 115200}};
    for (const auto &r : rates)
        if (r.code == speed)
            return r.baud == m_baud;
    return false;
}

void Wire::hearDue()
{
    const qint64 now = NowUs();
    while (!m_hungUp && !m_in.empty() && m_in.front().dueUs <= now) {
        const Timed in = m_in.front();
        m_in.pop_front();
        const unsigned char byte = static_cast<unsigned char>(in.byte);
        // Answer bytes due strictly before this byte came in have left the radio.
        while (!m_out.empty() && m_out.front().dueUs < in.dueUs) {
            m_unsent.append(m_out.front().byte);
            m_out.pop_front();
        }
        flushOut();
        if ((!m_out.empty() || !m_unsent.isEmpty()) && m_radio.takesTurns())
            std::fprintf(stderr, "radiosim: byte %02X came in before the radio's answer was out\n", byte);
        // Unpaced, a byte has no time on the wire, and a late wake-up here is no early close there.
        if (m_byteTimeUs > 0 && !lineAtBaud()) {
            std::fprintf(stderr, "radiosim: byte %02X garbled: the line no longer ran at %d baud\n", byte, m_baud);
            continue;
        }
        // The radio answers from the moment the byte's last bit is in.
        const Reaction r = m_radio.receive(byte);
        if (m_verbose)
            std::fprintf(stderr, "%14.3f ms  in  %02X -> %s\n", double(in.dueUs) / 1000, byte,
                         r.hangUp ? "hang-up" : r.reply.toHex(' ').constData());
        if (r.hangUp) {
            m_hungUp = true;
            emit hungUp();
            return;
        }
        const qint64 ready = in.dueUs + m_slowUs;
        for (char c : r.reply) {
            m_lastOutUs = std::max(ready, m_lastOutUs) + m_byteTimeUs;
            m_out.push_back({m_lastOutUs, c});
        }
    }
}

void Wire::sendDue()
{
    if (m_hungUp)
        return;
    const qint64 now = NowUs();
    while (!m_out.empty() && m_out.front().dueUs <= now) {
        m_unsent.append(m_out.front().byte);
        m_out.pop_front();
    }
    flushOut();
    qint64 next = -1;
    if (!m_out.empty())
        next = m_out.front().dueUs;
    if (!m_in.empty() && (next < 0 || m_in.front().dueUs < next))
        next = m_in.front().dueUs;
    if (next >= 0)
        arm(next);
}

void Wire::arm(qint64 dueUs)
{
    if (m_timerFd < 0)
        return;
    itimerspec spec{};
    spec.it_value.tv_sec = dueUs / 1000000;
    spec.it_value.tv_nsec = (dueUs % 1000000) * 1000;
    ::timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME, &spec, nullptr);
}

void Wire::flushOut()
{
    while (!m_unsent.isEmpty()) {
        const ssize_t n = ::write(m_fd, m_unsent.constData(), size_t(m_unsent.size()));
        if (n <= 0) {
            if (n < 0 && errno == EINTR)
                continue;
            break;
        }
        m_unsent.remove(0, n);
    }
    m_writeNotifier->setEnabled(!m_unsent.isEmpty());
}
