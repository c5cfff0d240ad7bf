#include "SimulatedRadio.h"

#include <QFile>

#include <csignal>
#include <sys/prctl.h>

SimulatedRadio::~SimulatedRadio()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(2000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }
}

bool SimulatedRadio::start(const QStringList &extraArguments, const QByteArray &memory)
{
    if (!m_dir.isValid())
        return false;
    if (!memory.isEmpty()) {
        QFile f(memoryPath());
        if (!f.open(QIODevice::WriteOnly) || f.write(memory) != memory.size())
            return false;
    }
    QStringList args{QStringLiteral("--memory"), memoryPath(), QStringLiteral("--record"), recordPath()};
    args << extraArguments;
    // A test that aborts must not leave its radio running.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(QStringLiteral(RADIOSIM_PATH), args);
    if (!m_process.waitForStarted(5000))
        return false;
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(5000))
            return false;
    }
    m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    return !m_device.isEmpty();
}

QByteArray SimulatedRadio::memory() const
{
    QFile f(memoryPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList SimulatedRadio::recordedFrames() const
{
    QFile f(recordPath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
