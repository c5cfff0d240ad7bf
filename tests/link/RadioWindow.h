#pragma once

#include "SimulatedRadio.h"
#include "core/MemoryImage.h"
#include "editor/mainFrm.h"

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

} // namespace testsupport
