#include "FamilyARadio.h"

QString FamilyARadio::groupOf(unsigned char modelCode)
{
    const int low = modelCode & 0x0F;
    if (low < 1 || low > 6)
        return {};
    if ((modelCode >> 4) == 0x5)
        return QStringLiteral("0");
    if ((modelCode >> 4) == 0x7)
        return QStringLiteral("1");
    return {};
}

QString FamilyARadio::setModel(RadioMemory &memory, const QString &hex)
{
    QByteArray block = memory.block(0);
    if (hex.isEmpty()) {
        if (static_cast<unsigned char>(block[0]) != 0xFF)
            return {};
        block[0] = char(0x53);
    } else {
        bool ok = false;
        const uint code = hex.toUInt(&ok, 16);
        if (!ok || code > 0xFF || groupOf(static_cast<unsigned char>(code)).isEmpty())
            return QStringLiteral("%1 is no family A model code (51..56, 71..76)").arg(hex);
        block[0] = char(code);
    }
    memory.setBlock(0, block);
    return memory.save();
}
