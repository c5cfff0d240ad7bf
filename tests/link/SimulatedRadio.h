#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The radio simulator in a child process, on a fresh pseudo-terminal.
class SimulatedRadio {
public:
    SimulatedRadio() = default;
    ~SimulatedRadio();

    // memory: the radio's 1024 bytes at start (empty: erased). Returns false on failure.
    bool start(const QStringList &extraArguments = {}, const QByteArray &memory = QByteArray());

    QString device() const { return m_device; }
    QString memoryPath() const { return m_dir.filePath(QStringLiteral("memory.bin")); }
    QString recordPath() const { return m_dir.filePath(QStringLiteral("record.txt")); }
    QString dir() const { return m_dir.path(); }
    QByteArray memory() const;
    QStringList recordedFrames() const;
    bool waitForExit(int ms) { return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(ms); }
    QString errorOutput() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_device;
};
