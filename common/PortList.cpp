#include "PortList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <csignal>
#include <unistd.h>

QStringList ListSerialPorts()
{
    const QByteArray fromEnvironment = qgetenv("RADIO_SERIAL_PORTS");
    if (!fromEnvironment.isNull()) {
        QStringList paths;
        for (const QString &p : QString::fromLocal8Bit(fromEnvironment).split(QLatin1Char(':'), Qt::SkipEmptyParts))
            paths << p.trimmed();
        paths.removeAll(QString());
        return paths;
    }
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    // Plain text order of the names, so ttyS10 comes before ttyS2.
    std::sort(ports.begin(), ports.end(), [](const QSerialPortInfo &a, const QSerialPortInfo &b) {
        return a.portName() < b.portName();
    });
    QStringList paths;
    for (const QSerialPortInfo &info : ports)
        paths << info.systemLocation();
    return paths;
}

QString DeviceOfPort(int number)
{
    const QStringList ports = ListSerialPorts();
    return number >= 1 && number <= ports.size() ? ports.at(number - 1) : QString();
}

QString ResolveDevice(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

// Where Qt's serial port puts its lock: the first of these folders that can be
// read and either holds the file already or can be written.
QString SerialLockFilePath(const QString &device)
{
    static const char *const folders[] = {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                                          "/tmp", "/var/tmp", "/var/lock/lockdev", "/run/lock"};
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    name.prepend(QLatin1String("/LCK.."));
    for (const char *folder : folders) {
        const QString dir = QString::fromLatin1(folder);
        const QString path = dir + name;
        const QFileInfo info(dir);
        if (info.isReadable() && (QFile::exists(path) || info.isWritable()))
            return path;
    }
    return QString();
}

namespace {

// Who holds the device: a process id from its lock file, 0 for a holder that
// names none, -1 when nothing shows that the device is in use.
qint64 DeviceHolder(const QString &device)
{
    const QString lockPath = SerialLockFilePath(device);
    qint64 pid = 0;
    QString host, app;
    if (!lockPath.isEmpty() && QFile::exists(lockPath)) {
        QLockFile lock(lockPath);
        if (lock.getLockInfo(&pid, &host, &app) && pid > 0 && ::kill(pid_t(pid), 0) == 0)
            return pid;
    }
    // Not locked, yet refused although we may read and write it: someone holds it exclusively.
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0 ? 0 : -1;
}

} // namespace

core::Status OpenSerialPort(QSerialPort &port, const QString &device)
{
    if (port.isOpen())
        port.close();
    const QString resolved = ResolveDevice(device);
    port.setPortName(resolved);
    port.setBaudRate(QSerialPort::Baud9600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    const QString shown = resolved == device ? QDir::toNativeSeparators(device)
                                             : QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(device), resolved);
    if (!port.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = port.error();
        const QString why = port.errorString();
        port.close();
        switch (error) {
        case QSerialPort::DeviceNotFoundError:
            return core::failed(QStringLiteral("Cannot open the serial port %1: the device does not exist (%2).")
                                    .arg(shown, why));
        case QSerialPort::PermissionError: {
            const qint64 holder = DeviceHolder(resolved);
            if (holder > 0)
                return core::failed(QStringLiteral("Cannot open the serial port %1: another program holds it "
                                                   "(process %2). Close that program, then try again.")
                                        .arg(shown)
                                        .arg(holder));
            if (holder == 0)
                return core::failed(QStringLiteral("Cannot open the serial port %1: another program holds it. "
                                                   "Close that program, then try again.")
                                        .arg(shown));
            return core::failed(QStringLiteral("Cannot open the serial port %1: permission denied (%2). To use "
                                               "serial ports, your user must be a member of the dialout group "
                                               "(sudo adduser $USER dialout, then log in again).")
                                    .arg(shown, why));
        }
        default:
            return core::failed(QStringLiteral("Cannot open the serial port %1: %2").arg(shown, why));
        }
    }
    port.clear(QSerialPort::AllDirections);
    return core::success();
}

core::Status OpenSerialPortNumber(QSerialPort &port, int number)
{
    const QString device = DeviceOfPort(number);
    if (device.isEmpty())
        return core::failed(QStringLiteral("COM%1 is not available: no serial port is listed for it.").arg(number));
    return OpenSerialPort(port, device);
}
