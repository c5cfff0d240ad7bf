#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>

class QSerialPort;

// The serial ports the user can choose from, as device paths; COMn is element n - 1.
// RADIO_SERIAL_PORTS (paths separated by ":") replaces the system's list, so
// that a pseudo-terminal or a port the system does not report can be used.
QStringList ListSerialPorts();

// The device of COM<number>, or an empty text when fewer ports are listed.
QString DeviceOfPort(int number);

// The device itself behind a path that may be a symlink; the path unchanged
// when it cannot be resolved.
QString ResolveDevice(const QString &path);

// The lock file that Qt keeps for a device while a program holds it open.
QString SerialLockFilePath(const QString &device);

// Opens the device at 9600 baud, no parity, 8 data bits, 1 stop bit, with its
// input cleared. The path is resolved first, so the lock names the device
// itself and two paths to one device cannot both hold it. A failure names the
// device and the cause.
core::Status OpenSerialPort(QSerialPort &port, const QString &device);
// The same for COM<number> of the list.
core::Status OpenSerialPortNumber(QSerialPort &port, int number);
