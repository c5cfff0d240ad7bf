#include "Wire.h"

#include "Radio.h"

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {
qint64 NowUs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}
} // namespace

Wire::Wire(int fd, Radio &radio, qint64 byteTimeUs, int slowMs, QObject *parent)
    : QObject(parent), m_fd(fd), m_radio(radio), m_byteTimeUs(byteTimeUs), m_slowUs(qint64(slowMs) * 1000)
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
            // The radio has the byte once its last bit is in; it answers from then on.
            m_lastInUs = std::max(now, m_lastInUs) + m_byteTimeUs;
            const unsigned char byte = static_cast<unsigned char>(buffer[i]);
            const Reaction r = m_radio.receive(byte);
            if (m_verbose)
                std::fprintf(stderr, "%14.3f ms  in  %02X -> %s\n", double(m_lastInUs) / 1000, byte,
                             r.hangUp ? "hang-up" : r.reply.toHex(' ').constData());
            if (r.hangUp) {
                m_hungUp = true;
                emit hungUp();
                return;
            }
            const qint64 ready = m_lastInUs + m_slowUs;
            for (char c : r.reply) {
                m_lastOutUs = std::max(ready, m_lastOutUs) + m_byteTimeUs;
                m_out.push_back({m_lastOutUs, c});
            }
        }
    }
    sendDue();
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
    if (!m_out.empty())
        arm(m_out.front().dueUs);
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
