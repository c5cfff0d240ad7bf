#include "PortList.h"

#include <QDir>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>

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

core::Status OpenSerialPort(QSerialPort &port, const QString &device)
{
    if (port.isOpen())
        port.close();
    port.setPortName(device);
    port.setBaudRate(QSerialPort::Baud9600);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    const QString shown = QDir::toNativeSeparators(device);
    if (!port.open(QIODevice::ReadWrite)) {
        const QSerialPort::SerialPortError error = port.error();
        const QString why = port.errorString();
        port.close();
        switch (error) {
        case QSerialPort::DeviceNotFoundError:
            return core::failed(QStringLiteral("Cannot open the serial port %1: the device does not exist (%2).")
                                    .arg(shown, why));
        case QSerialPort::PermissionError:
            return core::failed(QStringLiteral("Cannot open the serial port %1: permission denied or the port is "
                                               "in use (%2). To use serial ports, your user must be a member of "
                                               "the dialout group (sudo adduser $USER dialout, then log in again).")
                                    .arg(shown, why));
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
