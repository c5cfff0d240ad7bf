#include "FakeUserDialogs.h"
#include "SimulatedRadio.h"
#include "TestSupport.h"
#include "common/PortList.h"
#include "common/frmWAIT.h"
#include "core/ChpFile.h"
#include "core/FamilyB.h"

#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

using namespace core;
using Icon = UserDialogs::Icon;
using Transfer = frmWAIT::Result;

namespace {

constexpr int kTimeoutMs = 800;

// Short waits, so a fault costs a second rather than a minute.
TransferTiming FastTiming()
{
    TransferTiming t;
    t.startDelayMs = 10;
    t.timeoutMs = kTimeoutMs;
    t.wakeIntervalMs = 5;
    return t;
}

QByteArray RandomMemory()
{
    QByteArray m(kImageSize, 0);
    for (char &c : m)
        c = char(QRandomGenerator::global()->bounded(256));
    return m;
}

QStringList ReadLines(const QString &path) { return testsupport::crlfFileLines(path); }

// One transfer through the real dialog, against a simulator on a pseudo-terminal.
struct Session {
    SimulatedRadio radio;
    QSerialPort port;
    FakeUserDialogs dialogs;
    QTemporaryDir scratchDir;
    QStringList captions;
    bool portOpenAtMessage = false;

    QString scratchPath() const { return scratchDir.filePath(QStringLiteral("received.chp")); }

    bool open(const QStringList &simArguments = {QStringLiteral("--no-pace")}, const QByteArray &memory = {})
    {
        if (!radio.start(simArguments, memory))
            return false;
        dialogs.onMessage = [this](const FakeUserDialogs::Shown &) { portOpenAtMessage = port.isOpen(); };
        return reopen();
    }
    bool reopen()
    {
        const Status s = OpenSerialPort(port, radio.device());
        if (!s)
            qWarning("%s", qPrintable(s.error()));
        return bool(s);
    }

    // Runs the dialog; a transfer that hangs fails the test instead of the run.
    Transfer run(frmWAIT &w)
    {
        QObject::connect(&w, &QWidget::windowTitleChanged, &w, [this](const QString &t) { captions << t; });
        bool hung = false;
        QTimer::singleShot(20000, &w, [&] {
            hung = true;
            w.done(QDialog::Rejected);
        });
        w.exec();
        if (hung)
            qWarning("the transfer did not end");
        return hung ? static_cast<Transfer>(-1) : w.result();
    }
    Transfer read(const TransferTiming &timing = FastTiming())
    {
        frmWAIT w(dialogs, nullptr, timing);
        w.setReadJob(&port, scratchPath());
        const Transfer r = run(w);
        received = w.receivedImage();
        return r;
    }
    Transfer write(const MemoryImage &image, const TransferTiming &timing = FastTiming())
    {
        frmWAIT w(dialogs, nullptr, timing);
        w.setWriteJob(&port, image);
        return run(w);
    }

    MemoryImage received;
};

MemoryImage ImageOf(const QByteArray &bytes)
{
    MemoryImage m;
    for (int i = 0; i < kImageSize; ++i)
        m.bytes[i] = Byte(bytes[i]);
    return m;
}

QString FrameLine(int block, const Block &data)
{
    QByteArray f;
    const BlockAddress a = AddressOfBlock(block);
    f.append('W').append(char(a.high)).append(char(a.low)).append(char(8));
    for (Byte b : data)
        f.append(char(b));
    return QString::fromLatin1(f.toHex(' ').toUpper());
}

} // namespace

class TstLinkTransfer : public QObject {
    Q_OBJECT
private slots:
    void fullRead();
    void writeThenReadBack();
    void faults_data();
    void faults();
    void hangUpOnTheLastFrames_data();
    void hangUpOnTheLastFrames();
    void cancel_data();
    void cancel();
    void portNotOpen();
};

void TstLinkTransfer::fullRead()
{
    Session s;
    const QByteArray memory = RandomMemory();
    QVERIFY(s.open({QStringLiteral("--no-pace")}, memory));
    // A stale file from an earlier read must not survive.
    {
        QFile stale(s.scratchPath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("stale\r\n");
    }
    // The timing users get: 500 ms before the start, 100 ms between wake bytes, 60 s time-out.
    frmWAIT w(s.dialogs, nullptr);
    w.setReadJob(&s.port, s.scratchPath());
    QCOMPARE(s.run(w), Transfer::Completed);

    QVERIFY(s.dialogs.shown.isEmpty());
    QVERIFY(!s.port.isOpen());
    QCOMPARE(w.findChild<QProgressBar *>(QStringLiteral("pgbCount"))->value(), 128);
    QCOMPARE(w.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->text(), QStringLiteral("OK"));
    QCOMPARE(s.captions, (QStringList{QStringLiteral("Connecting to the transceiver。。。"),
                                      QStringLiteral("read the data from the transceiver。。。")}));
    QCOMPARE(w.receivedImage(), ImageOf(memory));

    const QStringList lines = ReadLines(s.scratchPath());
    QCOMPARE(lines.size(), 128);
    for (int k = 0; k < 128; ++k) {
        QCOMPARE(lines[k].size(), 36);
        QCOMPARE(lines[k].mid(12, 24), QString::fromLatin1(memory.mid(k * 8, 8).toHex(' ').toUpper()) + ' ');
    }
    QVERIFY(chp::Read(s.scratchPath(), 128).ok());
}

void TstLinkTransfer::writeThenReadBack()
{
    Session s;
    QVERIFY(s.open());
    const core::Result<MemoryImage> image = familyB::BuildImage(familyB::StartupState(), familyB::Target::Radio);
    QVERIFY(image.ok());
    QCOMPARE(s.write(*image), Transfer::Completed);
    QVERIFY(s.dialogs.shown.isEmpty());
    QVERIFY(!s.port.isOpen());

    // 2 function frames, 32 channel frames, 94 filler frames, addresses rising by 8.
    const QStringList frames = s.radio.recordedFrames();
    QCOMPARE(frames.size(), 128);
    for (int k = 0; k < 128; ++k)
        QCOMPARE(frames[k], FrameLine(k, image->block(k)));
    int function = 0, channel = 0, filler = 0;
    for (const QString &f : frames) {
        const int address = f.mid(3, 5).remove(' ').toInt(nullptr, 16);
        if (address < 0x10)
            ++function;
        else if (address < 0x110)
            ++channel;
        else if (f.endsWith(QStringLiteral("FF FF FF FF FF FF FF FF")))
            ++filler;
    }
    QCOMPARE(function, 2);
    QCOMPARE(channel, 32);
    QCOMPARE(filler, 94);

    QTRY_COMPARE(ImageOf(s.radio.memory()), *image);
    QVERIFY(s.reopen());
    QCOMPARE(s.read(), Transfer::Completed);
    QCOMPARE(s.received, *image);
}

void TstLinkTransfer::faults_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message"); // a prefix
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("linesLeft"); // lines in the scratch file after a read; -1 for a write

    const QString timeout = QStringLiteral("Communication Error,Please check all the connections and the radio power ");
    const QString info = QStringLiteral("Information");
    const QString noAck = QStringLiteral("Communication Error");
    const int information = int(Icon::Information), none = int(Icon::None), critical = int(Icon::Critical);

    QTest::newRow("read, silent") << false << "silent" << timeout << info << information << 0;
    QTest::newRow("write, silent") << true << "silent" << timeout << info << information << -1;
    QTest::newRow("read, lone ACK to the wake bytes") << false << "short" << timeout << info << information << 0;
    QTest::newRow("read, short reply") << false << "short:3" << timeout << info << information << 3;
    QTest::newRow("write, no ACK") << true << "short:3" << timeout << info << information << -1;
    QTest::newRow("read, silent from block 20") << false << "silent:20" << timeout << info << information << 20;
    QTest::newRow("read, too slow") << false << "slow:1500" << timeout << info << information << 0;
    QTest::newRow("read, NAK") << false << "nak:5" << noAck << QString() << none << 6;
    QTest::newRow("write, NAK") << true << "nak:5" << noAck << QString() << none << -1;
    QTest::newRow("read, 0x10 for ACK") << false << "badack:4:10" << noAck << QString() << none << 5;
    QTest::newRow("write, 0x10 for ACK") << true << "badack:4:10" << noAck << QString() << none << -1;
    QTest::newRow("write, 0x16 for ACK") << true << "badack:0:16" << noAck << QString() << none << -1;
    QTest::newRow("read, 0x60 for ACK") << false << "badack:0:60" << noAck << QString() << none << 1;
    QTest::newRow("read, garbage") << false << "garbage:7" << noAck << QString() << none << 8;
    QTest::newRow("write, garbage") << true << "garbage:7" << noAck << QString() << none << -1;
    QTest::newRow("read, hang-up") << false << "hangup:10" << "Read Error!Please try again\n" << info << critical
                                   << 10;
    QTest::newRow("write, hang-up") << true << "hangup:10" << "Write Error!Please try again\n" << info << critical
                                    << -1;
}

void TstLinkTransfer::faults()
{
    QFETCH(bool, write);
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(int, linesLeft);

    Session s;
    QVERIFY(s.open({QStringLiteral("--no-pace"), QStringLiteral("--fault"), fault}));
    QElapsedTimer clock;
    clock.start();
    const Transfer r = write ? s.write(MemoryImage()) : s.read();
    QCOMPARE(r, Transfer::Failed);
    QVERIFY2(clock.elapsed() < kTimeoutMs + 2000, "the failure took longer than the time-out");

    QCOMPARE(s.dialogs.shown.size(), 1);
    const auto &shown = s.dialogs.shown.first();
    QVERIFY2(shown.text.startsWith(message), qPrintable(shown.text));
    if (message == QLatin1String("Communication Error") || message.endsWith(QLatin1String("power ")))
        QCOMPARE(shown.text, message);
    QCOMPARE(shown.title, title);
    QCOMPARE(int(shown.icon), icon);
    QCOMPARE(shown.buttons, UserDialogs::Buttons::Ok);
    QVERIFY(!s.portOpenAtMessage);
    QVERIFY(!s.port.isOpen());
    if (fault.startsWith(QLatin1String("hangup")))
        QVERIFY2(shown.text.contains(s.radio.device()), qPrintable(shown.text));
    if (linesLeft >= 0)
        QCOMPARE(ReadLines(s.scratchPath()).size(), linesLeft);
}

// A radio that goes away on one of the last frames fails the write, also on
// the last one, which no ACK is awaited for: the hang-up comes before the close.
void TstLinkTransfer::hangUpOnTheLastFrames_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("block");
    for (const char *family : {"A", "B", "C"})
        for (int block : {125, 126, 127})
            QTest::addRow("family %s, frame %d", family, block + 1) << QString::fromLatin1(family) << block;
}

void TstLinkTransfer::hangUpOnTheLastFrames()
{
    QFETCH(QString, family);
    QFETCH(int, block);
    Session s;
    QVERIFY(s.open({QStringLiteral("--no-pace"), QStringLiteral("--family"), family, QStringLiteral("--fault"),
                    QStringLiteral("hangup:%1").arg(block)}));
    QCOMPARE(s.write(MemoryImage()), Transfer::Failed);
    QCOMPARE(s.dialogs.shown.size(), 1);
    const auto &shown = s.dialogs.shown.first();
    QVERIFY2(shown.text.startsWith(QStringLiteral("Write Error!Please try again\n")), qPrintable(shown.text));
    QVERIFY2(shown.text.contains(s.radio.device()), qPrintable(shown.text));
    QCOMPARE(shown.icon, Icon::Critical);
    QVERIFY(!s.port.isOpen());
    QCOMPARE(s.radio.recordedFrames().size(), block);
}

void TstLinkTransfer::cancel_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("viaEscape");
    QTest::newRow("read, confirmed") << false << true << false;
    QTest::newRow("read, confirmed with Escape") << false << true << true;
    QTest::newRow("read, not confirmed") << false << false << false;
    QTest::newRow("write, confirmed") << true << true << false;
    QTest::newRow("write, not confirmed") << true << false << false;
}

void TstLinkTransfer::cancel()
{
    QFETCH(bool, write);
    QFETCH(bool, confirm);
    QFETCH(bool, viaEscape);

    Session s;
    QVERIFY(s.open());
    frmWAIT w(s.dialogs, nullptr, FastTiming());
    if (write)
        w.setWriteJob(&s.port, MemoryImage());
    else
        w.setReadJob(&s.port, s.scratchPath());
    auto *bar = w.findChild<QProgressBar *>(QStringLiteral("pgbCount"));
    auto *button = w.findChild<QPushButton *>(QStringLiteral("cmdCancel"));
    QVERIFY(bar && button);

    // While the question is up, longer than the time-out, the transfer must stand still.
    int progressWhileAsked = -1;
    s.dialogs.onMessage = [&](const FakeUserDialogs::Shown &) {
        const int before = bar->value();
        QTest::qWait(kTimeoutMs + 200);
        progressWhileAsked = bar->value() - before;
    };
    s.dialogs.answers.enqueue(confirm ? UserDialogs::Answer::Ok : UserDialogs::Answer::Cancel);
    bool asked = false;
    connect(bar, &QProgressBar::valueChanged, &w, [&](int v) {
        if (v == 10 && !asked) {
            asked = true;
            if (viaEscape)
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                button->click();
        }
    });
    const Transfer r = s.run(w);

    QCOMPARE(s.dialogs.shown.size(), 1);
    QCOMPARE(s.dialogs.shown[0].text, QStringLiteral("Are you sure"));
    QCOMPARE(s.dialogs.shown[0].title, QStringLiteral("Information"));
    QCOMPARE(s.dialogs.shown[0].icon, Icon::None);
    QCOMPARE(s.dialogs.shown[0].buttons, UserDialogs::Buttons::OkCancel);
    QCOMPARE(progressWhileAsked, 0);
    QVERIFY(!s.port.isOpen());
    QCOMPARE(w.blnReandOrWrite, !confirm);
    QCOMPARE(r, confirm ? Transfer::Cancelled : Transfer::Completed);
    if (write)
        QTRY_COMPARE(s.radio.recordedFrames().size(), confirm ? 10 : 128);
    else
        QCOMPARE(ReadLines(s.scratchPath()).size(), confirm ? 10 : 128);
    // No late time-out message after the end.
    QTest::qWait(kTimeoutMs + 100);
    QCOMPARE(s.dialogs.shown.size(), 1);
}

void TstLinkTransfer::portNotOpen()
{
    FakeUserDialogs dialogs;
    QSerialPort port;
    QTemporaryDir dir;
    const QString scratch = dir.filePath(QStringLiteral("received.chp"));
    frmWAIT w(dialogs, nullptr, FastTiming());
    w.setReadJob(&port, scratch);
    w.exec();
    QCOMPARE(w.result(), Transfer::Failed);
    QCOMPARE(dialogs.shown.size(), 1);
    QVERIFY(dialogs.shown[0].text.startsWith(QStringLiteral("Read Error!Please try again")));
    QCOMPARE(dialogs.shown[0].icon, Icon::Critical);
}

QTEST_MAIN(TstLinkTransfer)
#include "tst_linktransfer.moc"
