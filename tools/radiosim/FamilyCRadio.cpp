#include "FamilyCRadio.h"
#include "RadioMemory.h"

QByteArray FamilyCRadio::FactoryMemory()
{
    QByteArray bytes(RadioMemory::kSize, char(0xFF));
    // Option byte 0, time-out off, squelch 4, power step 0x19.
    const QByteArray block0 = QByteArray::fromHex("11FFFFFF00000419");
    bytes.replace(0, block0.size(), block0);
    return bytes;
}
