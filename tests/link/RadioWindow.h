#pragma once

#include "FakeUserDialogs.h"
#include "SimulatedRadio.h"
#include "core/MemoryImage.h"
#include "editor/mainFrm.h"

#include <QTemporaryDir>
#include <QtGlobal>
#include <memory>

namespace testsupport {

// An image's bytes, as the simulator keeps its memory.
inline QByteArray bytesOf(const core::MemoryImage &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.bytes.data()), core::kImageSize);
}

// A simulated radio on a fresh pseudo-terminal, listed as the only port (COM1).
inline std::unique_ptr<SimulatedRadio> startListedRadio(const QStringList &arguments, const QByteArray &memory = {})
{
    auto radio = std::make_unique<SimulatedRadio>();
    if (!radio->start(arguments, memory))
        qFatal("no simulator");
    qputenv("RADIO_SERIAL_PORTS", radio->device().toLocal8Bit());
    return radio;
}

// A window's environment in dir with transfers paced for tests: a short start,
// wake bytes 5 ms apart and a 1.5 s time-out.
inline mainFrm::Environment fastTransfers(const QString &dir)
{
    mainFrm::Environment env{dir, dir, {}};
    env.timing.startDelayMs = 10;
    env.timing.timeoutMs = 1500;
    env.timing.wakeIntervalMs = 5;
    return env;
}

// A window test's fixture: one window at a time, with fresh dialogs, over its own simulator.
struct RadioWindows {
    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    std::unique_ptr<SimulatedRadio> m_radio;
    std::unique_ptr<mainFrm> m_window;

    // Replaces the window and the simulator; the new window is not activated yet.
    mainFrm *openWindow(const Family &family, const QStringList &simArguments, const QByteArray &memory)
    {
        m_window.reset();
        m_dialogs = FakeUserDialogs();
        m_radio = startListedRadio(simArguments, memory);
        m_window = std::make_unique<mainFrm>(family, m_dialogs, fastTransfers(m_dir.path()));
        return m_window.get();
    }
};

} // namespace testsupport
