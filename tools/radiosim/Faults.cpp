#include "Faults.h"

QString ParseFault(const QString &text, Faults &f)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    const QString kind = parts.value(0).trimmed().toLower();
    bool ok = true;
    auto number = [&](int i) {
        bool good = false;
        const int n = parts.value(i).toInt(&good);
        if (!good || n < 0)
            ok = false;
        return n;
    };
    if (kind == QLatin1String("silent")) {
        if (parts.size() == 1)
            f.silent = true;
        else
            f.silentFrom = number(1);
    } else if (kind == QLatin1String("nak")) {
        f.nakAt = number(1);
    } else if (kind == QLatin1String("badack")) {
        f.badAckAt = number(1);
        if (parts.size() > 2) {
            bool good = false;
            const uint b = parts[2].toUInt(&good, 16);
            if (!good || b > 0xFF)
                ok = false;
            f.badAckByte = static_cast<unsigned char>(b);
        }
    } else if (kind == QLatin1String("garbage")) {
        f.garbageAt = number(1);
    } else if (kind == QLatin1String("short")) {
        if (parts.size() == 1)
            f.shortWake = true;
        else
            f.shortAt = number(1);
    } else if (kind == QLatin1String("hangup")) {
        f.hangUpAt = number(1);
    } else if (kind == QLatin1String("slow")) {
        f.slowMs = number(1);
    } else if (kind == QLatin1String("acks")) {
        f.ackCount = number(1);
        if (f.ackCount < 1)
            ok = false;
    } else if (kind == QLatin1String("noise")) {
        f.noise = true;
    } else if (kind == QLatin1String("long")) {
        if (parts.size() == 1)
            f.longAll = true;
        else
            f.longAt = number(1);
    } else {
        return QStringLiteral("unknown fault \"%1\"").arg(text);
    }
    return ok ? QString() : QStringLiteral("bad number in fault \"%1\"").arg(text);
}
