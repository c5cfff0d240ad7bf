// A radio on a pseudo-terminal: prints the slave's path, then answers the
// programming software as a radio would, with optional faults.
#include "FamilyARadio.h"
#include "FamilyBRadio.h"
#include "FamilyCRadio.h"
#include "Faults.h"
#include "Pty.h"
#include "RadioMemory.h"
#include "Wire.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

char g_link[4096];

extern "C" void RemoveLinkAndExit(int)
{
    if (g_link[0])
        ::unlink(g_link);
    ::_exit(0);
}

// The port starts at another rate, as another program may have left it, so a
// PC that closes its end too early is heard at the wrong rate.
int idleBaud(int baud)
{
    return baud == 38400 ? 9600 : 38400;
}

int Fail(const QString &why)
{
    QTextStream(stderr) << "radiosim: " << why << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("radiosim"));
    // Each byte leaves at its own time on the line; the kernel's default 50 us
    // of timer slack would add to every turn of the line.
    ::prctl(PR_SET_TIMERSLACK, 1UL);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays a radio on a pseudo-terminal for the programming software."));
    parser.addHelpOption();
    const QCommandLineOption family(QStringLiteral("family"), QStringLiteral("Radio family to play: A, B or C (B)."),
                                    QStringLiteral("F"), QStringLiteral("B"));
    const QCommandLineOption link(QStringLiteral("link"), QStringLiteral("Also make a symlink to the port here."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption memory(QStringLiteral("memory"),
                                    QStringLiteral("File of the radio's 1024 bytes; created all 0xFF if missing."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption record(QStringLiteral("record"),
                                    QStringLiteral("Write every received write frame here, one hex line each."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption fault(
        QStringLiteral("fault"),
        QStringLiteral("silent[:K] | nak:K | badack:K[:HH] | garbage:K | short[:K] | hangup:K | slow:MS | "
                       "acks:N | noise | long[:K] (K: block number from 0; may be repeated)."),
        QStringLiteral("F"));
    const QCommandLineOption noPace(QStringLiteral("no-pace"), QStringLiteral("Do not pace the line at the baud rate."));
    const QCommandLineOption baud(QStringLiteral("baud"), QStringLiteral("Baud rate to pace at (9600)."),
                                  QStringLiteral("N"), QStringLiteral("9600"));
    const QCommandLineOption model(QStringLiteral("model"),
                                   QStringLiteral("Family A: the model code in block 1, hex (53; 73 for a group 1 model)."),
                                   QStringLiteral("HH"));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Log every byte on stderr."));
    parser.addOptions({family, link, memory, record, fault, noPace, baud, model, verbose});
    parser.process(app);

    const QString familyName = parser.value(family).toUpper();
    if (familyName != QLatin1String("A") && familyName != QLatin1String("B") && familyName != QLatin1String("C"))
        return Fail(QStringLiteral("family %1 is not played").arg(parser.value(family)));
    if (parser.isSet(model) && familyName != QLatin1String("A"))
        return Fail(QStringLiteral("--model is for family A"));

    Faults faults;
    for (const QString &f : parser.values(fault)) {
        const QString error = ParseFault(f, faults);
        if (!error.isEmpty())
            return Fail(error);
    }
    bool baudOk = false;
    const int baudRate = parser.value(baud).toInt(&baudOk);
    if (!baudOk || baudRate <= 0)
        return Fail(QStringLiteral("bad baud rate %1").arg(parser.value(baud)));
    // 8N1: a start bit, 8 data bits and a stop bit.
    const qint64 byteTimeUs = parser.isSet(noPace) ? 0 : (10LL * 1000000 + baudRate / 2) / baudRate;

    RadioMemory radioMemory;
    const bool newRadio = !QFileInfo::exists(parser.value(memory));
    if (const QString error = radioMemory.load(parser.value(memory)); !error.isEmpty())
        return Fail(error);
    if (familyName == QLatin1String("A")) {
        if (const QString error = FamilyARadio::setModel(radioMemory, parser.value(model)); !error.isEmpty())
            return Fail(error);
    }
    if (newRadio && familyName == QLatin1String("C")) {
        radioMemory.setBlock(0, FamilyCRadio::FactoryMemory());
        if (const QString error = radioMemory.save(); !error.isEmpty())
            return Fail(error);
    }

    std::unique_ptr<QFile> recordFile;
    if (parser.isSet(record)) {
        recordFile = std::make_unique<QFile>(parser.value(record));
        if (!recordFile->open(QIODevice::WriteOnly | QIODevice::Truncate))
            return Fail(QStringLiteral("cannot write %1: %2").arg(parser.value(record), recordFile->errorString()));
    }

    Pty pty;
    if (!pty.open(idleBaud(baudRate)))
        return Fail(pty.error());

    if (parser.isSet(link)) {
        const QByteArray path = QFile::encodeName(parser.value(link));
        if (size_t(path.size()) >= sizeof g_link)
            return Fail(QStringLiteral("link path too long"));
        ::unlink(path.constData());
        if (::symlink(QFile::encodeName(pty.slavePath()).constData(), path.constData()) != 0)
            return Fail(QStringLiteral("cannot make the link %1: %2")
                            .arg(parser.value(link), QString::fromLocal8Bit(std::strerror(errno))));
        std::memcpy(g_link, path.constData(), size_t(path.size()) + 1);
    }
    std::signal(SIGTERM, RemoveLinkAndExit);
    std::signal(SIGINT, RemoveLinkAndExit);
    std::signal(SIGHUP, RemoveLinkAndExit);

    std::fputs(QFile::encodeName(pty.slavePath()).constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);

    if (familyName == QLatin1String("A") && parser.isSet(verbose)) {
        const auto code = static_cast<unsigned char>(radioMemory.block(0)[0]);
        QTextStream(stderr) << "radiosim: family A, model code " << QString::number(code, 16).toUpper() << ", group "
                            << FamilyARadio::groupOf(code) << Qt::endl;
    }
    std::unique_ptr<FamilyBRadio> radioOfFamily;
    if (familyName == QLatin1String("A"))
        radioOfFamily = std::make_unique<FamilyARadio>(radioMemory, faults, recordFile.get());
    else if (familyName == QLatin1String("C"))
        radioOfFamily = std::make_unique<FamilyCRadio>(radioMemory, faults, recordFile.get());
    else
        radioOfFamily = std::make_unique<FamilyBRadio>(radioMemory, faults, recordFile.get());
    FamilyBRadio &radio = *radioOfFamily;
    Wire wire(pty.masterFd(), radio, byteTimeUs, faults.slowMs, baudRate);
    wire.setVerbose(parser.isSet(verbose));
    QObject::connect(&wire, &Wire::hungUp, &app, [] {
        if (g_link[0])
            ::unlink(g_link);
        QCoreApplication::exit(0);
    });
    return app.exec();
}
