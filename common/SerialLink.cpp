#include "SerialLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSerialPort>
#include <QStandardPaths>

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

using core::LinkProtocol;

QString ReceivedScratchPath()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return QDir(dir).filePath(QStringLiteral("received.chp"));
}

bool MakePrivateFolder(const QString &path)
{
    if (QDir(path).exists())
        return true;
    if (!QDir().mkpath(path))
        return false;
    // The radio's data is nobody else's business.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

namespace {

QString SystemLocation(const QSerialPort *port)
{
    const QString name = port->portName();
    return name.startsWith(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
}

QString DeviceName(QIODevice *device)
{
    if (auto *port = qobject_cast<QSerialPort *>(device))
        return SystemLocation(port);
    return QStringLiteral("the port");
}

// 8N1: a start bit, eight data bits and a stop bit.
qint64 ByteTimeUs(QIODevice *device)
{
    auto *port = qobject_cast<QSerialPort *>(device);
    const qint32 baud = port ? port->baudRate() : 0;
    return baud > 0 ? (10LL * 1000000 + baud - 1) / baud : 0;
}

// Bytes handed to the driver are on the line within their own line time; a
// few byte times more cover an adapter's turnaround, and a hang-up the radio
// answers the last frame with shows up within them. A stuck driver is given
// kDrainLimitUs before the port is closed anyway.
constexpr int kDrainMarginBytes = 4;
constexpr qint64 kDrainLimitUs = 2000000;

QString SerialErrorCause(QSerialPort *port, QSerialPort::SerialPortError error)
{
    const QString name = SystemLocation(port);
    // After a hang-up Qt's text carries a stale errno, so it is left out where it misleads.
    switch (error) {
    case QSerialPort::ResourceError:
        return QStringLiteral("The serial port %1 is no longer available: the cable was unplugged or the "
                              "device went away.")
            .arg(name);
    case QSerialPort::ReadError:
        return QStringLiteral("Reading from the serial port %1 failed: the cable was unplugged or the device "
                              "went away.")
            .arg(name);
    case QSerialPort::WriteError:
        return QStringLiteral("Writing to the serial port %1 failed (%2).").arg(name, port->errorString());
    default:
        return QStringLiteral("The serial port %1 failed (%2).").arg(name, port->errorString());
    }
}

} // namespace

SerialLink::SerialLink(QIODevice *device, int timeoutMs, QObject *parent)
    : QObject(parent), m_device(device), m_timeoutMs(timeoutMs)
{
    m_tick.setSingleShot(true);
    m_tick.setTimerType(Qt::PreciseTimer);
    m_deadline.setSingleShot(true);
    m_drain.setSingleShot(true);
    m_drain.setTimerType(Qt::PreciseTimer);
    connect(&m_drain, &QTimer::timeout, this, &SerialLink::drainThenFinish);
    m_clock.start();
    connect(&m_deadline, &QTimer::timeout, &m_protocol, &LinkProtocol::timeOut);

    connect(&m_protocol, &LinkProtocol::discardInput, this, &SerialLink::discardInput);
    connect(&m_protocol, &LinkProtocol::sendRequested, this, &SerialLink::onSend);
    connect(&m_protocol, &LinkProtocol::tickRequested, this, [this](int ms) {
        m_tickAtOnce = ms == 0;
        m_tick.start(ms);
    });
    m_tick.callOnTimeout(this, &SerialLink::onTick);
    connect(&m_protocol, &LinkProtocol::deadlineRestarted, this, [this] { m_deadline.start(m_timeoutMs); });
    connect(&m_protocol, &LinkProtocol::deadlineStopped, &m_deadline, &QTimer::stop);
    connect(&m_protocol, &LinkProtocol::progressChanged, this, &SerialLink::progressChanged);
    connect(&m_protocol, &LinkProtocol::captionChanged, this, &SerialLink::captionChanged);
    connect(&m_protocol, &LinkProtocol::lineReceived, this, &SerialLink::onLine);
    connect(&m_protocol, &LinkProtocol::finished, this, &SerialLink::onFinished);
    connectDevice();
}

SerialLink::~SerialLink()
{
    // Destroying a running link must not leave the radio's port open.
    if (isRunning()) {
        QObject::disconnect(&m_protocol, nullptr, this, nullptr);
        m_protocol.cancel();
        closeDevice();
    }
}

void SerialLink::connectDevice()
{
    if (!m_device)
        return;
    connect(m_device, &QIODevice::readyRead, this, &SerialLink::onReadyRead);
    if (auto *port = qobject_cast<QSerialPort *>(m_device.data())) {
        connect(port, &QSerialPort::errorOccurred, this, [this, port](QSerialPort::SerialPortError error) {
            if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
                return;
            onDeviceError(SerialErrorCause(port, error));
        });
    } else {
        connect(m_device, &QIODevice::readChannelFinished, this,
                [this] { onDeviceError(QStringLiteral("The connection to the radio was closed.")); });
    }
    connect(m_device, &QIODevice::aboutToClose, this, [this] {
        if (m_protocol.isRunning())
            onDeviceError(QStringLiteral("The port %1 was closed during the transfer.").arg(DeviceName(m_device)));
    });
    connect(m_device, &QObject::destroyed, this,
            [this] { onDeviceError(QStringLiteral("The port went away during the transfer.")); });
}

void SerialLink::startRead(const QString &scratchPath)
{
    if (isRunning())
        return;
    if (m_scratch.isOpen())
        m_scratch.close();
    m_scratch.setFileName(scratchPath);
    const QFileInfo info(scratchPath);
    if (!MakePrivateFolder(info.absolutePath())) {
        failBeforeStart(core::link::kReadError + QStringLiteral("\nCannot create the folder %1.")
                                               .arg(QDir::toNativeSeparators(info.absolutePath())));
        return;
    }
    // The previous read's file goes first, so nothing stale can be loaded.
    if (!m_scratch.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        failBeforeStart(core::link::kReadError + QStringLiteral("\nCannot create %1: %2")
                                               .arg(QDir::toNativeSeparators(scratchPath), m_scratch.errorString()));
        return;
    }
    if (!m_device || !m_device->isOpen()) {
        m_scratch.close();
        failBeforeStart(core::link::kReadError + QStringLiteral("\nThe serial port is not open."));
        return;
    }
    m_device->readAll(); // stale bytes from before the handshake are not an answer
    m_protocol.startRead();
}

void SerialLink::startWrite(const core::MemoryImage &image)
{
    if (isRunning())
        return;
    if (!m_device || !m_device->isOpen()) {
        failBeforeStart(core::link::kWriteError + QStringLiteral("\nThe serial port is not open."));
        return;
    }
    m_device->readAll();
    m_protocol.startWrite(image);
}

void SerialLink::cancel()
{
    m_paused = false;
    m_failureWhilePaused.clear();
    m_protocol.cancel();
}

void SerialLink::pause()
{
    if (m_paused || !m_protocol.isRunning())
        return;
    m_paused = true;
    m_tickRemaining = m_tick.isActive() ? m_tick.remainingTime() : -1;
    m_deadlineRemaining = m_deadline.isActive() ? m_deadline.remainingTime() : -1;
    m_tick.stop();
    m_deadline.stop();
}

void SerialLink::resume()
{
    if (!m_paused)
        return;
    m_paused = false;
    if (!m_failureWhilePaused.isEmpty()) {
        const QString cause = m_failureWhilePaused;
        m_failureWhilePaused.clear();
        onDeviceError(cause);
        return;
    }
    if (m_tickRemaining >= 0)
        m_tick.start(m_tickRemaining);
    if (m_deadlineRemaining >= 0)
        m_deadline.start(m_deadlineRemaining);
    if (m_device && m_device->bytesAvailable() > 0)
        onReadyRead();
}

void SerialLink::onTick()
{
    m_tickAtOnce = false;
    // What the driver holds arrived before the tick, so it belongs to the
    // exchange the tick ends; taken here, it costs no wake-up of its own.
    auto *port = qobject_cast<QSerialPort *>(m_device.data());
    int waiting = 0;
    if (port && port->isOpen() && port->handle() >= 0 && ::ioctl(port->handle(), FIONREAD, &waiting) == 0 &&
        waiting > 0)
        port->waitForReadyRead(0); // delivers through readyRead at once, without waiting
    else if (m_device && m_device->bytesAvailable() > 0)
        onReadyRead();
    if (m_paused)
        return;
    m_protocol.tick();
    wakeForAwaitedBytes();
}

void SerialLink::onReadyRead()
{
    if (m_paused || !m_device)
        return;
    const QByteArray bytes = m_device->readAll();
    if (!bytes.isEmpty())
        m_protocol.receive(bytes);
    // A tick asked for at once (a read reply is in) runs here rather than in
    // another pass of the event loop.
    if (m_tickAtOnce && m_tick.isActive() && m_protocol.isRunning()) {
        m_tick.stop();
        onTick();
        return;
    }
    wakeForAwaitedBytes();
}

// A read reply arrives a byte a millisecond; waking for each would cost the
// program more than the reply is worth. The driver is told to report the port
// readable only once the whole reply is in (VMIN, with no inter-byte timer);
// a reply that stays short ends by the deadline as before.
void SerialLink::wakeForAwaitedBytes()
{
    auto *port = qobject_cast<QSerialPort *>(m_device.data());
    if (!port || !port->isOpen() || port->handle() < 0)
        return;
    const int want = m_protocol.isRunning() ? std::clamp(m_protocol.bytesAwaited(), 1, 255) : 1;
    if (want == std::max(1, m_wakeCount))
        return;
    termios t{};
    if (::tcgetattr(port->handle(), &t) != 0 || t.c_cc[VTIME] != 0)
        return;
    t.c_cc[VMIN] = cc_t(want == 1 ? 0 : want);
    if (::tcsetattr(port->handle(), TCSANOW, &t) == 0)
        m_wakeCount = want == 1 ? 0 : want;
}

void SerialLink::onSend(const QByteArray &bytes)
{
    if (!m_device || !m_device->isOpen()) {
        onDeviceError(QStringLiteral("The serial port is not open."));
        return;
    }
    auto *port = qobject_cast<QSerialPort *>(m_device.data());
    // Handed to the driver at once and past Qt's write buffer, which would arm
    // a write notifier and cost the event loop two more passes for every frame.
    qsizetype done = 0;
    if (port && port->handle() >= 0 && port->bytesToWrite() == 0) {
        const ssize_t n = ::write(port->handle(), bytes.constData(), size_t(bytes.size()));
        if (n > 0)
            done = n;
    }
    // Whatever the driver did not take goes through Qt, which reports a failure as errorOccurred.
    if (done < bytes.size()) {
        const QByteArray rest = bytes.mid(done);
        if (m_device->write(rest) != rest.size()) {
            onDeviceError(
                QStringLiteral("Writing to %1 failed (%2).").arg(DeviceName(m_device), m_device->errorString()));
            return;
        }
        if (port)
            port->flush();
    }
    // A backlog from earlier sends shows in the driver's queue; this covers the bytes just sent.
    m_lineBusyUntilUs = m_clock.nsecsElapsed() / 1000 + bytes.size() * ByteTimeUs(m_device);
    wakeForAwaitedBytes();
}

void SerialLink::discardInput()
{
    if (!m_device || !m_device->isOpen())
        return;
    if (auto *port = qobject_cast<QSerialPort *>(m_device.data()))
        port->clear(QSerialPort::Input); // also what the driver holds but Qt has not read yet
    else
        m_device->readAll();
}

void SerialLink::onLine(const QString &line)
{
    if (!m_scratch.isOpen())
        return;
    // Kept in the file's buffer until the read ends, so no file write stands
    // between a reply and its ACK; the end checks the flush.
    const QByteArray text = line.toLatin1() + "\r\n";
    if (m_scratch.write(text) != text.size())
        onDeviceError(QStringLiteral("Cannot write %1: %2")
                          .arg(QDir::toNativeSeparators(m_scratch.fileName()), m_scratch.errorString()));
}

void SerialLink::onDeviceError(const QString &cause)
{
    if (isClosing()) {
        onErrorWhileClosing(cause);
        return;
    }
    if (!m_protocol.isRunning())
        return;
    if (m_paused) {
        if (m_failureWhilePaused.isEmpty())
            m_failureWhilePaused = cause;
        return;
    }
    m_protocol.deviceFailed(cause);
}

void SerialLink::onErrorWhileClosing(const QString &cause)
{
    if (!failWrite(cause))
        return;
    m_drain.stop();
    finishNow();
}

bool SerialLink::failWrite(const QString &cause)
{
    // A write counts as done only if the line held until the port is closed:
    // a radio that goes away on the last frame may not have taken it.
    if (m_outcome != Outcome::Completed || m_protocol.direction() != LinkProtocol::Direction::Write)
        return false;
    m_outcome = Outcome::DeviceFailed;
    m_message = core::link::kWriteError + QLatin1Char('\n') + cause;
    return true;
}

void SerialLink::onFinished(Outcome outcome, QString message)
{
    m_tick.stop();
    m_deadline.stop();
    m_paused = false;
    m_failureWhilePaused.clear();
    if (m_scratch.isOpen()) {
        if (!m_scratch.flush() && outcome == Outcome::Completed) {
            outcome = Outcome::DeviceFailed;
            message = core::link::kReadError + QLatin1Char('\n') +
                      QStringLiteral("Cannot write %1: %2")
                          .arg(QDir::toNativeSeparators(m_scratch.fileName()), m_scratch.errorString());
        }
        m_scratch.close();
    }
    m_outcome = outcome;
    m_message = message;
    // Closing gives the port back its old settings, perhaps another baud rate,
    // so the last frame or ACK must be off the line first.
    m_finishQueued = true;
    wakeForAwaitedBytes();
    m_drainDeadlineUs = m_clock.nsecsElapsed() / 1000 + kDrainLimitUs;
    drainThenFinish();
}

void SerialLink::drainThenFinish()
{
    if (m_device && m_device->isOpen()) {
        auto *port = qobject_cast<QSerialPort *>(m_device.data());
        if (port)
            port->flush();
        const qint64 now = m_clock.nsecsElapsed() / 1000;
        int queued = 0;
        if (port && port->handle() >= 0 && ::ioctl(port->handle(), TIOCOUTQ, &queued) != 0)
            queued = 0;
        const qint64 byteUs = ByteTimeUs(m_device);
        const qint64 offLineUs = m_lineBusyUntilUs + kDrainMarginBytes * byteUs;
        const bool busy = (port && port->bytesToWrite() > 0) || queued > 0 || (port && now < offLineUs);
        if (busy && now < m_drainDeadlineUs) {
            const qint64 waitUs = std::max<qint64>({offLineUs - now, queued * byteUs, 500});
            m_drain.start(int((std::min(waitUs, m_drainDeadlineUs - now) + 999) / 1000));
            return;
        }
    }
    finishNow();
}

void SerialLink::finishNow()
{
    // A hang-up the event loop has not reported yet still came before the close.
    if (auto *port = qobject_cast<QSerialPort *>(m_device.data()); port && port->isOpen() && port->handle() >= 0) {
        pollfd p{port->handle(), 0, 0};
        if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)))
            failWrite(SerialErrorCause(port, QSerialPort::ResourceError));
    }
    closeDevice();
    m_finishQueued = false;
    emit finished(m_outcome, m_message);
}

void SerialLink::failBeforeStart(const QString &message)
{
    // Reported from the event loop, as a transfer that failed at once would be.
    m_finishQueued = true;
    QTimer::singleShot(0, this, [this, message] {
        m_finishQueued = false;
        m_outcome = Outcome::DeviceFailed;
        m_message = message;
        closeDevice();
        emit finished(m_outcome, message);
    });
}

void SerialLink::closeDevice()
{
    if (!m_device || !m_device->isOpen())
        return;
    // The last frame or ACK may still sit in Qt's buffer; hand it to the driver
    // and let the driver send it before the old settings come back.
    if (auto *port = qobject_cast<QSerialPort *>(m_device.data())) {
        port->flush();
        int queued = 0;
        if (port->handle() >= 0 && ::ioctl(port->handle(), TIOCOUTQ, &queued) == 0) {
            // A queue that did not drain in time is dropped: closing would wait for it.
            if (queued == 0)
                ::tcdrain(port->handle());
            else
                ::tcflush(port->handle(), TCOFLUSH);
        }
    }
    m_device->close();
}
