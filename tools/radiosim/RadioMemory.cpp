#include "RadioMemory.h"

#include <QFile>
#include <QSaveFile>

QString RadioMemory::load(const QString &path)
{
    m_path = path;
    if (path.isEmpty())
        return {};
    QFile f(path);
    if (!f.exists())
        return save();
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, f.errorString());
    const QByteArray data = f.read(kSize + 1);
    if (data.size() != kSize)
        return QStringLiteral("%1 holds %2 bytes, not %3").arg(path).arg(data.size()).arg(kSize);
    m_bytes = data;
    return {};
}

QString RadioMemory::save() const
{
    if (m_path.isEmpty())
        return {};
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(m_bytes) != kSize || !f.commit())
        return QStringLiteral("cannot write %1: %2").arg(m_path, f.errorString());
    return {};
}

void RadioMemory::setBlock(int address, const QByteArray &data)
{
    if (address >= 0 && address + data.size() <= kSize)
        m_bytes.replace(address, data.size(), data);
}
