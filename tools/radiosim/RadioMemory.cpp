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

QString RadioMemory::save()
{
    if (m_path.isEmpty())
        return {};
    m_file.close(); // the new file replaces the one it has open
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(m_bytes) != kSize || !f.commit())
        return QStringLiteral("cannot write %1: %2").arg(m_path, f.errorString());
    return {};
}

QString RadioMemory::saveBlock(int address, int size)
{
    if (m_path.isEmpty() || address < 0 || address + size > kSize)
        return {};
    if (!m_file.isOpen()) {
        m_file.setFileName(m_path);
        if (!m_file.open(QIODevice::ReadWrite))
            return QStringLiteral("cannot write %1: %2").arg(m_path, m_file.errorString());
    }
    if (!m_file.seek(address) || m_file.write(m_bytes.constData() + address, size) != size || !m_file.flush())
        return QStringLiteral("cannot write %1: %2").arg(m_path, m_file.errorString());
    return {};
}

void RadioMemory::setBlock(int address, const QByteArray &data)
{
    if (address >= 0 && address + data.size() <= kSize)
        m_bytes.replace(address, data.size(), data);
}
