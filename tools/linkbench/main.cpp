// Runs a full read and a full write through the serial driver against the
// simulator paced at 9600 baud, and compares the time taken with what the
// line itself allows.
#include "common/PortList.h"
#include "common/SerialLink.h"
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
    QTemporaryDir dir;
    struct Program {
        const char *name;
        const char *family;
        core::Result<core::MemoryImage> image;
    };
    const Program programs[] = {
        {"Heron", "B", core::familyB::BuildImage(core::familyB::StartupState(), core::Target::Radio)},
        {"Osprey", "C", core::familyC::BuildImage(core::familyC::StartupState(), core::Target::Radio)},
    };
    bool met = true;
    for (const Program &program : programs) {
        QProcess radio;
        radio.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        radio.start(parser.value(sim), QStringList{QStringLiteral("--family"), QLatin1String(program.family),
                                                   QStringLiteral("--memory"),
                                                   dir.filePath(QLatin1String(program.family) + QStringLiteral(".bin"))} +
                                           parser.values(simArgs));
        if (!radio.waitForStarted(5000) || !radio.waitForReadyRead(5000)) {
            out << "cannot start " << parser.value(sim) << Qt::endl;
            return 2;
        }
        const QString device = QString::fromLocal8Bit(radio.readLine()).trimmed();
        const auto &image = program.image;
        for (bool write : {false, true}) {
            QSerialPort port;
            if (const core::Status s = OpenSerialPort(port, device); !s) {
                out << s.error() << Qt::endl;
                return 2;
            }
            const Measure m = Run(port, write, *image, dir.filePath(QStringLiteral("received.chp")));
            if (m.outcome != SerialLink::Outcome::Completed) {
                out << program.name << " " << (write ? "write" : "read") << " failed: " << m.message << Qt::endl;
                return 2;
            }
            const double ratio = m.wall / m.limit();
            const double cpuShare = m.cpu / m.wall;
            const bool ok = ratio <= kWallTarget && cpuShare < kCpuTarget;
            met = met && ok;
            out << qSetFieldWidth(7) << Qt::left << program.name << qSetFieldWidth(6) << (write ? "write" : "read")
                << qSetFieldWidth(0) << Qt::fixed
                << qSetRealNumberPrecision(3) << "wall " << m.wall << " s   line limit " << m.limit() << " s ("
                << m.bytesOnWire << " bytes, " << m.wakeBytes << " wake bytes)   wall/limit "
                << qSetRealNumberPrecision(3) << ratio << "   cpu " << m.cpu << " s = " << qSetRealNumberPrecision(2)
                << cpuShare * 100 << " % of wall   " << (ok ? "ok" : "MISSED") << Qt::endl;
        }
        radio.terminate();
        radio.waitForFinished(2000);
    }
    out << "targets: wall within " << kWallTarget << " x line limit, cpu under " << kCpuTarget * 100 << " % of wall"
        << Qt::endl;
    return met ? 0 : 1;
}
