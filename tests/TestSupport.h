#pragma once

#include "core/ChannelCodes.h"

#include <QtGui/QAction> // the path works for suites that do not link Qt GUI
#include <QFile>
#include <QStringList>
#include <QTest>

// Helpers that several suites share.
namespace testsupport {

// Bytes as "50 62 25 46".
inline QString hex(const auto &bytes)
{
    QStringList t;
    for (core::Byte b : bytes)
        t << core::HexByte(b);
    return t.join(' ');
}

// The lines of the file that the window saves right after start-up.
inline QStringList startupFile()
{
    QStringList lines{"52 00 00 08 53 FF FF FF 00 00 04 19", "52 00 08 08 FF FF FF FF FF FF FF FF"};
    for (int k = 2; k < 128; ++k)
        lines << QStringLiteral("52 0%1 %2 08 FF FF FF FF FF FF FF FF").arg(k * 8 / 256).arg(core::HexByte(core::Byte(k * 8 % 256)));
    return lines;
}

inline QByteArray crlf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += l.toLatin1() + "\r\n";
    return out;
}

// The lines of a file whose lines end in CR LF; none when it cannot be read.
inline QStringList crlfFileLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// Writes a fixture file; a file that cannot be written fails the test.
inline void writeFile(const QString &path, const QByteArray &data)
{
    QVERIFY(writeBytes(path, data));
}

// Runs a window's command the way the operator reaches it: through its menu
// item or toolbar button, which must be there and enabled. False, with the
// reason logged, when it is not; nothing is triggered then.
[[nodiscard]] inline bool trigger(const QObject *window, const QString &name)
{
    QAction *a = window ? window->findChild<QAction *>(name) : nullptr;
    if (!a || !a->isEnabled() || !a->isVisible()) {
        qWarning("%s is %s", qPrintable(name), !a ? "missing" : !a->isEnabled() ? "disabled" : "hidden");
        return false;
    }
    a->trigger();
    return true;
}

} // namespace testsupport
