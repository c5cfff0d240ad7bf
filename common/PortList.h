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

// Opens the device at 9600 baud, no parity, 8 data bits, 1 stop bit, with its
// input cleared. A failure names the device and the cause.
core::Status OpenSerialPort(QSerialPort &port, const QString &device);
// The same for COM<number> of the list.
core::Status OpenSerialPortNumber(QSerialPort &port, int number);
