// Runs a full read and a full write through the serial driver against the
// simulator paced at 9600 baud, for a Heron radio, a group "1" Pelican radio and an Osprey radio, and compares the time taken with what the
// line itself allows; then a Heron read and write through the window and its
// transfer dialog, to see what the whole program spends.
#include "common/PortList.h"
#include "common/SerialLink.h"
#include "common/UserDialogs.h"
#include "core/FamilyA.h"
#include "core/FamilyB.h"
#include "core/FamilyC.h"
#include "editor/mainFrm.h"
#include "heron/HeronFamily.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
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
constexpr double kWallTarget = 1.02;
constexpr double kWindowCpuTarget = 0.02;
constexpr double kCpuTarget = 0.015; // the link alone

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
    double blocksWall = 0;      // from the end of the handshake to the end
    qint64 blocksBytes = 0;     // bytes on the wire in that time
    SerialLink::Outcome outcome = SerialLink::Outcome::Cancelled;
    QString message;

    double limit() const { return double(bytesOnWire) * kBitsPerByte / kBaud + wakeBytes * kWakePauseSeconds; }
    double blockMs() const { return blocksWall * 1000 / core::kBlockCount; }
    double blockLimitMs() const { return double(blocksBytes) * kBitsPerByte / kBaud * 1000 / core::kBlockCount; }
};

Measure Run(QSerialPort &port, bool write, const core::MemoryImage &image, const QString &scratch)
{
    Measure m;
    bool connecting = true;
    int writesWhileConnecting = 0;
    // Connected before the link, so each arrival is counted before the link takes it.
    qint64 bytesAtHandshake = 0;
    QElapsedTimer wall;
    qint64 handshakeEndNs = 0;
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
        if (!connecting) {
            handshakeEndNs = wall.nsecsElapsed();
            bytesAtHandshake = m.bytesOnWire;
        }
    });
    QEventLoop loop;
    QObject::connect(&link, &SerialLink::finished, &loop, &QEventLoop::quit);

    const double cpu0 = CpuSeconds();
    wall.start();
    if (write)
        link.startWrite(image);
    else
        link.startRead(scratch);
    loop.exec();
    m.wall = double(wall.nsecsElapsed()) / 1e9;
    m.cpu = CpuSeconds() - cpu0;
    m.blocksWall = double(wall.nsecsElapsed() - handshakeEndNs) / 1e9;
    m.blocksBytes = m.bytesOnWire - bytesAtHandshake;
    m.outcome = link.outcome();
    m.message = link.message();
    // Everything written while connecting except "M" and the direction byte is a wake byte.
    m.wakeBytes = std::max(0, writesWhileConnecting - 2);
    QObject::disconnect(rx);
    QObject::disconnect(tx);
    return m;
}

// Says OK to every question, as a user who only watches.
class AnswerOk : public UserDialogs {
public:
    QStringList asked;
    Answer message(QWidget *, const QString &text, const QString &, Icon, Buttons) override
    {
        asked << text;
        return Answer::Ok;
    }
    QString openFileName(QWidget *, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &) override { return {}; }
};

// A read or a write from the menu of a shown window, with its transfer dialog.
Measure RunWindow(mainFrm &window, AnswerOk &dialogs, bool write)
{
    Measure m;
    dialogs.asked.clear();
    QElapsedTimer wall;
    const double cpu0 = CpuSeconds();
    wall.start();
    if (write)
        window.mnuWrite_Click();
    else
        window.mnuRead_Click();
    m.wall = double(wall.nsecsElapsed()) / 1e9;
    m.cpu = CpuSeconds() - cpu0;
    // Only the question before the transfer: anything more reports a failure.
    m.outcome = dialogs.asked.size() == 1 ? SerialLink::Outcome::Completed : SerialLink::Outcome::DeviceFailed;
    m.message = dialogs.asked.join(QLatin1Char('|'));
    return m;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
                << " wake bytes)   wall/limit " << qSetRealNumberPrecision(3) << ratio << "   per block "
                << m.blockMs() << " ms (line " << m.blockLimitMs() << " ms)   cpu " << m.cpu
                << " s = " << qSetRealNumberPrecision(2) << cpuShare * 100 << " % of wall   " << (ok ? "ok" : "MISSED")
                << Qt::endl;
        }
        radio.terminate();
        radio.waitForFinished(2000);
    }

    // The whole program: the window, its transfer dialog and the link together,
    // against a radio that holds what Heron writes at start.
    QTemporaryDir dir;
    {
        QFile memory(dir.filePath(QStringLiteral("memory.bin")));
        const core::MemoryImage &start = *radios[0].image;
        if (!memory.open(QIODevice::WriteOnly) ||
            memory.write(reinterpret_cast<const char *>(start.bytes.data()), core::kImageSize) != core::kImageSize) {
            out << "cannot write " << memory.fileName() << Qt::endl;
            return 2;
        }
    }
    QProcess radio;
    radio.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    radio.start(parser.value(sim),
                QStringList{QStringLiteral("--memory"), dir.filePath(QStringLiteral("memory.bin"))} + parser.values(simArgs));
    if (!radio.waitForStarted(5000) || !radio.waitForReadyRead(5000)) {
        out << "cannot start " << parser.value(sim) << Qt::endl;
        return 2;
    }
    const QString device = QString::fromLocal8Bit(radio.readLine()).trimmed();
    AnswerOk dialogs;
    qputenv("RADIO_SERIAL_PORTS", device.toLocal8Bit());
    mainFrm window(HeronFamily(), dialogs, mainFrm::Environment{dir.path(), dir.path(), {}});
    window.show();
    // The first activation asks for the model; the watching user takes the first.
    QTimer picker;
    QObject::connect(&picker, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget())
            if (auto *ok = modal->findChild<QPushButton *>(QStringLiteral("cmdOK")))
                ok->click();
    });
    picker.start(20);
    window.Form_Activate();
    picker.stop();
    QCoreApplication::processEvents();
    for (bool write : {false, true}) {
        const Measure m = RunWindow(window, dialogs, write);
        if (m.outcome != SerialLink::Outcome::Completed) {
            out << "window " << (write ? "write" : "read") << " failed: " << m.message << Qt::endl;
            return 2;
        }
        const double cpuShare = m.cpu / m.wall;
        const bool ok = cpuShare < kWindowCpuTarget;
        met = met && ok;
        out << "window " << qSetFieldWidth(6) << Qt::left << (write ? "write" : "read") << qSetFieldWidth(0)
            << Qt::fixed << qSetRealNumberPrecision(3) << "wall " << m.wall << " s   cpu " << m.cpu << " s = "
            << qSetRealNumberPrecision(2) << cpuShare * 100 << " % of wall   " << (ok ? "ok" : "MISSED") << Qt::endl;
    }
    window.close();

    radio.terminate();
    radio.waitForFinished(2000);
    out << "targets: wall within " << kWallTarget << " x line limit, the link's cpu under " << kCpuTarget * 100
        << " % of wall, the whole program's under " << kWindowCpuTarget * 100 << " %" << Qt::endl;
    return met ? 0 : 1;
}
