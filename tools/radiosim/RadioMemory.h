#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The radio's 1024 bytes, kept in a file when one is given.
class RadioMemory {
public:
    static constexpr int kSize = 1024;

    // A missing file is created erased (all 0xFF). Returns the reason on failure.
    QString load(const QString &path);
    QString save();
    // Writes one block in place, without the whole file's rename and sync: a
    // write frame is answered only after this, so it must cost little time.
    QString saveBlock(int address, int size);

    QByteArray block(int address) const { return m_bytes.mid(address, 8); }
    void setBlock(int address, const QByteArray &data);

private:
    QString m_path;
    QFile m_file; // kept open for saveBlock
    QByteArray m_bytes = QByteArray(kSize, char(0xFF));
};
