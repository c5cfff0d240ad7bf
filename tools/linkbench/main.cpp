// Runs a full read and a full write through the serial driver against the
// simulator paced at 9600 baud, for a Heron radio and a group "1" Pelican radio, and compares the time taken with what the
// line itself allows.
#include "common/PortList.h"
#include "common/SerialLink.h"
#include "core/FamilyA.h"
#include "core/FamilyB.h"
#include "core/FamilyC.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTextStream>
#include <sys/resource.h>

namespace {

constexpr int kBaud = 9600;
constexpr double kBitsPerByte = 10; // 8N1
constexpr double kWakePauseSeconds = 0.1;
constexpr double kWallTarget = 1.05;
constexpr double kCpuTarget = 0.02;

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Measure {
    double wall = 0;
    double cpu = 0;
    qint64 bytesOnWire = 0;
    int wakeBytes = 0;
    SerialLink::Outcome outcome = SerialLink::Outcome::Cancelled;
    QString message;

    double limit() const { return double(bytesOnWire) * kBitsPerByte / kBaud + wakeBytes * kWakePauseSeconds; }
};

Measure Run(QSerialPort &port, bool write, const core::MemoryImage &image, const QString &scratch)
{
    Measure m;
    bool connecting = true;
    int writesWhileConnecting = 0;
    // Connected before the link, so each arrival is counted before the link takes it.
    auto rx = QObject::connect(&port, &QIODevice::readyRead, [&] { m.bytesOnWire += port.bytesAvailable(); });
    SerialLink link(&port);
    // What the protocol hands over, since the last write's bytesWritten never comes once the port closes.
    auto tx = QObject::connect(&link.protocol(), &core::LinkProtocol::sendRequested, [&](const QByteArray &b) {
        m.bytesOnWire += b.size();
        if (connecting)
            ++writesWhileConnecting;
    });
    QObject::connect(&link, &SerialLink::captionChanged, [&](const QString &c) {
        connecting = c == core::link::kConnectingCaption;
    });
    QEventLoop loop;
    QObject::connect(&link, &SerialLink::finished, &loop, &QEventLoop::quit);

    QElapsedTimer wall;
    const double cpu0 = CpuSeconds();
    wall.start();
    if (write)
        link.startWrite(image);
    else
        link.startRead(scratch);
    loop.exec();
    m.wall = double(wall.nsecsElapsed()) / 1e9;
    m.cpu = CpuSeconds() - cpu0;
    m.outcome = link.outcome();
    m.message = link.message();
    // Everything written while connecting except "M" and the direction byte is a wake byte.
    m.wakeBytes = std::max(0, writesWhileConnecting - 2);
    QObject::disconnect(rx);
    QObject::disconnect(tx);
    return m;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times a full read and write against the paced radio simulator."));
    parser.addHelpOption();
    const QCommandLineOption sim(QStringLiteral("sim"), QStringLiteral("Path of the radiosim program."),
                                 QStringLiteral("PATH"), QStringLiteral(RADIOSIM_PATH));
    const QCommandLineOption simArgs(QStringLiteral("sim-arg"), QStringLiteral("Extra argument for radiosim."),
                                     QStringLiteral("ARG"));
    parser.addOptions({sim, simArgs});
    parser.process(app);

    QTextStream out(stdout);
    // Heron's radio, a group "1" radio of Pelican's family and an Osprey radio, the last two with every channel filled.
    core::EditorState pelican = core::familyA::StartupState();
    pelican.model = QStringLiteral("QZ510");
    pelican.group = QStringLiteral("1");
    pelican.channels.clear();
    for (int ch = 0; ch < core::familyA::kChannels; ++ch)
        pelican.channels << QStringList{"462.56250", "462.56250", "67.0", "D754I", "Yes", "N", "Yes", "No", "3", "High"};
    core::EditorState osprey = core::familyC::StartupState();
    osprey.variant = 4;
    for (QStringList &row : osprey.channels)
        row = {"462.56250", "462.56250", "67", "D754I", "Yes", "N", "High"};
    const struct {
        const char *name;
        QStringList simArguments;
        core::Result<core::MemoryImage> image;
    } radios[] = {
        {"heron", {}, core::familyB::BuildImage(core::familyB::StartupState(), core::Target::Radio)},
        {"pelican", {"--family", "A", "--model", "73"}, core::familyA::BuildImage(pelican, core::Target::Radio)},
        {"osprey", {"--family", "C"}, core::familyC::BuildImage(osprey, core::Target::Radio)},
    };
    bool met = true;
    for (const auto &r : radios) {
        QTemporaryDir dir;
        QProcess radio;
        radio.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        radio.start(parser.value(sim), QStringList{QStringLiteral("--memory"), dir.filePath(QStringLiteral("memory.bin"))} +
                                           r.simArguments + parser.values(simArgs));
        if (!radio.waitForStarted(5000) || !radio.waitForReadyRead(5000)) {
            out << "cannot start " << parser.value(sim) << Qt::endl;
            return 2;
        }
        const QString device = QString::fromLocal8Bit(radio.readLine()).trimmed();
        for (bool write : {false, true}) {
            QSerialPort port;
            if (const core::Status s = OpenSerialPort(port, device); !s) {
                out << s.error() << Qt::endl;
                return 2;
            }
            const Measure m = Run(port, write, *r.image, dir.filePath(QStringLiteral("received.chp")));
            if (m.outcome != SerialLink::Outcome::Completed) {
                out << r.name << (write ? " write" : " read") << " failed: " << m.message << Qt::endl;
                return 2;
            }
            const double ratio = m.wall / m.limit();
            const double cpuShare = m.cpu / m.wall;
            const bool ok = ratio <= kWallTarget && cpuShare < kCpuTarget;
            met = met && ok;
            out << qSetFieldWidth(8) << Qt::left << r.name << qSetFieldWidth(6) << (write ? "write" : "read")
                << qSetFieldWidth(0) << Qt::fixed << qSetRealNumberPrecision(3) << "wall " << m.wall
                << " s   line limit " << m.limit() << " s (" << m.bytesOnWire << " bytes, " << m.wakeBytes
                << " wake bytes)   wall/limit " << qSetRealNumberPrecision(3) << ratio << "   cpu " << m.cpu
                << " s = " << qSetRealNumberPrecision(2) << cpuShare * 100 << " % of wall   " << (ok ? "ok" : "MISSED")
                << Qt::endl;
        }
        radio.terminate();
        radio.waitForFinished(2000);
    }
    out << "targets: wall within " << kWallTarget << " x line limit, cpu under " << kCpuTarget * 100 << " % of wall"
        << Qt::endl;
    return met ? 0 : 1;
}
