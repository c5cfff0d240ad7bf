#include "core/LinkProtocol.h"

#include <QSignalSpy>
#include <QtTest>
#include <functional>

using namespace core;
using Outcome = LinkProtocol::Outcome;

namespace {

const QByteArray kWakeReply(3, char(0x06));

// A radio that answers from inside sendRequested, as a fast device would. It
// answers in one piece or byte by byte; the protocol must not care.
class FakeRadio {
public:
    enum class Stage { Wake, Confirm, Direction, Request, Ack };

    explicit FakeRadio(LinkProtocol &p) : protocol(p)
    {
        for (int i = 0; i < kImageSize; ++i)
            memory.bytes[i] = Byte((i * 37 + 11) & 0xFF);
        QObject::connect(&p, &LinkProtocol::sendRequested, [this](const QByteArray &b) { onSent(b); });
        // The port's input is emptied: what was still to be delivered is gone.
        QObject::connect(&p, &LinkProtocol::discardInput, [this] { ++discards; });
        QObject::connect(&p, &LinkProtocol::tickRequested, [this](int ms) {
            tickWanted = true;
            tickMs = ms;
        });
        QObject::connect(&p, &LinkProtocol::deadlineRestarted, [this] { deadlineArmed = true; });
        QObject::connect(&p, &LinkProtocol::deadlineStopped, [this] { deadlineArmed = false; });
        QObject::connect(&p, &LinkProtocol::progressChanged, [this](int v) { progress << v; });
        QObject::connect(&p, &LinkProtocol::captionChanged, [this](const QString &c) { captions << c; });
        QObject::connect(&p, &LinkProtocol::lineReceived, [this](const QString &l) { lines << l; });
        QObject::connect(&p, &LinkProtocol::finished, [this](Outcome o, const QString &m) {
            outcomes << o;
            message = m;
        });
    }

    // Runs the pacing ticks until the transfer ends or waits for something else.
    void run()
    {
        while (protocol.isRunning() && tickWanted) {
            tickWanted = false;
            protocol.tick();
        }
    }

    void answer(const QByteArray &bytes)
    {
        if (bytes.isEmpty())
            return;
        if (!byteByByte) {
            protocol.receive(bytes);
            return;
        }
        const int before = discards;
        for (char c : bytes) {
            if (discards != before)
                return;
            protocol.receive(QByteArrayView(&c, 1));
        }
    }

    void onSent(const QByteArray &b)
    {
        sent << b;
        wire += b;
        if (mute)
            return;
        switch (stage) {
        case Stage::Wake:
            wake += b;
            if (wake.endsWith(QByteArray("\x02PROGRA", 7))) {
                stage = Stage::Confirm;
                answer(wakeReply);
            }
            return;
        case Stage::Confirm:
            if (b == "M") {
                stage = Stage::Direction;
                answer(QByteArray(confirmAnswer.isEmpty() ? QByteArray(1, 0x06) : confirmAnswer));
            }
            return;
        case Stage::Direction:
            stage = Stage::Request;
            answer(QByteArray(1, directionAnswer));
            return;
        case Stage::Request: {
            const int block = ((Byte(b[1]) << 8) | Byte(b[2])) / 8;
            if (b[0] == 'R') {
                stage = Stage::Ack;
                QByteArray reply = b + QByteArray(reinterpret_cast<const char *>(&memory.bytes[block * 8]), 8);
                if (block == strayAt)
                    reply.insert(strayPosition, stray);
                answer(reply + afterReply);
            } else {
                frames << b;
                answer(ackFor(block));
            }
            return;
        }
        case Stage::Ack:
            stage = Stage::Request;
            answer(ackFor(lastReadBlock()));
            return;
        }
    }

    int lastReadBlock() const
    {
        for (auto it = sent.crbegin(); it != sent.crend(); ++it)
            if (it->size() == 4 && it->at(0) == 'R')
                return ((Byte(it->at(1)) << 8) | Byte(it->at(2))) / 8;
        return -1;
    }

    QByteArray ackFor(int block) const
    {
        if (block == silentAt)
            return {};
        if (block == badAt)
            return QByteArray(1, char(badAck));
        return QByteArray(ackRepeat, 0x06) + afterAck;
    }

    LinkProtocol &protocol;
    MemoryImage memory;
    Stage stage = Stage::Wake;
    bool byteByByte = false;
    bool mute = false;
    QByteArray wakeReply = kWakeReply;
    char directionAnswer = 0x06;
    int badAt = -1;
    Byte badAck = 0x15;
    int silentAt = -1;
    QByteArray confirmAnswer; // empty: a single ACK
    int ackRepeat = 1;
    QByteArray afterAck;   // follows every ACK in the same piece
    QByteArray afterReply; // follows every read reply in the same piece
    int strayAt = -1;      // the read reply of this block carries stray bytes
    int strayPosition = 0; // where in the reply they sit
    QByteArray stray;
    int discards = 0;

    QByteArray wake;
    QList<QByteArray> sent;
    QByteArray wire;
    QList<QByteArray> frames;
    QList<int> progress;
    QStringList captions;
    QStringList lines;
    QList<Outcome> outcomes;
    QString message;
    bool tickWanted = false;
    int tickMs = 0;
    bool deadlineArmed = false;
};

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int x : list)
        b.append(char(x));
    return b;
}

} // namespace

class TstLinkProtocol : public QObject {
    Q_OBJECT
private slots:
    void frames();
    void decimalTextLength_data();
    void decimalTextLength();

    void fullRead_data();
    void fullRead();
    void fullWrite_data();
    void fullWrite();

    void wakeBytesCycleAtTheInterval();
    void wakeReply_data();
    void wakeReply();

    void acknowledgement_data();
    void acknowledgement();
    void writeDirectionTakesAnyAnswer();
    void missingAckInWriteStopsAtFourBlocks();

    void waitsEnd_data();
    void waitsEnd();
    void nothingAfterTheEnd();
    void cancelFromAProgressListener();
    void deviceFailureNamesTheDirection();

    void staleBytesAreNoAnswer_data();
    void staleBytesAreNoAnswer();
    void replyLongerThanTwelveBytes_data();
    void replyLongerThanTwelveBytes();
    void transferStartedFromTheOutcome();
};

void TstLinkProtocol::frames()
{
    QCOMPARE(link::ReadRequest(0), bytes({0x52, 0x00, 0x00, 0x08}));
    QCOMPARE(link::ReadRequest(32), bytes({0x52, 0x01, 0x00, 0x08}));
    QCOMPARE(link::ReadRequest(127), bytes({0x52, 0x03, 0xF8, 0x08}));
    const Block b{1, 2, 3, 4, 5, 6, 7, 0xFF};
    QCOMPARE(link::WriteFrame(31, b), bytes({0x57, 0x00, 0xF8, 0x08, 1, 2, 3, 4, 5, 6, 7, 0xFF}));
    const QString line = link::ReplyLine(bytes({0x52, 0x00, 0x10, 0x08, 0x50, 0x62, 0x25, 0x46, 0x0a, 0, 0xff, 1}));
    QCOMPARE(line, QStringLiteral("52 00 10 08 50 62 25 46 0A 00 FF 01 "));
    QCOMPARE(line.size(), 36);
}

void TstLinkProtocol::decimalTextLength_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("length");
    QTest::newRow("0x06") << bytes({0x06}) << 1;
    QTest::newRow("0x06 0x06") << bytes({0x06, 0x06}) << 2;
    QTest::newRow("0x06 0x10") << bytes({0x06, 0x10}) << 3;
    QTest::newRow("0x57") << bytes({0x57}) << 2;
    QTest::newRow("0x80") << bytes({0x80}) << 3;
    QTest::newRow("0x00 0xFF") << bytes({0x00, 0xFF}) << 4;
}

void TstLinkProtocol::decimalTextLength()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, length);
    QCOMPARE(link::DecimalTextLength(bytes), length);
}

void TstLinkProtocol::fullRead_data()
{
    QTest::addColumn<bool>("byteByByte");
    QTest::newRow("whole replies") << false;
    QTest::newRow("one byte at a time") << true;
}

void TstLinkProtocol::fullRead()
{
    QFETCH(bool, byteByByte);
    LinkProtocol p;
    FakeRadio radio(p);
    radio.byteByByte = byteByByte;
    p.startRead();
    radio.run();

    QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::Completed});
    QVERIFY(radio.message.isEmpty());
    QCOMPARE(p.image(), radio.memory);
    QCOMPARE(radio.lines.size(), 128);
    for (int k = 0; k < 128; ++k) {
        QCOMPARE(radio.lines[k].size(), 36);
        QVERIFY(radio.lines[k].startsWith(QStringLiteral("52 %1 %2 08 ")
                                              .arg(k * 8 >> 8, 2, 16, QLatin1Char('0'))
                                              .arg(k * 8 & 0xFF, 2, 16, QLatin1Char('0'))
                                              .toUpper()));
    }
    QList<int> expected{0};
    for (int v = 1; v <= 128; ++v)
        expected << v;
    QCOMPARE(radio.progress, expected);
    QCOMPARE(radio.captions, (QStringList{link::kConnectingCaption, link::kReadingCaption}));

    // After the handshake: 0x05, then per block the request and our 0x06.
    const QByteArray afterWake = radio.wire.mid(radio.wire.indexOf('M') + 1);
    QByteArray expectedWire(1, 0x05);
    for (int k = 0; k < 128; ++k)
        expectedWire += link::ReadRequest(k) + QByteArray(1, 0x06);
    QCOMPARE(afterWake, expectedWire);
    QVERIFY(!radio.deadlineArmed);
}

void TstLinkProtocol::fullWrite_data()
{
    fullRead_data();
}

void TstLinkProtocol::fullWrite()
{
    QFETCH(bool, byteByByte);
    LinkProtocol p;
    FakeRadio radio(p);
    radio.byteByByte = byteByByte;
    MemoryImage image;
    for (int i = 0; i < kImageSize; ++i)
        image.bytes[i] = Byte(i ^ 0x5A);
    // Every frame's progress is looked at the moment it goes out.
    QList<int> progressAtSend;
    connect(&p, &LinkProtocol::sendRequested, this, [&](const QByteArray &b) {
        if (b.size() == 12)
            progressAtSend << p.progress();
    });
    p.startWrite(image);
    radio.run();

    QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::Completed});
    QList<QByteArray> frames;
    for (const QByteArray &b : radio.sent)
        if (b.size() == 12)
            frames << b;
    QCOMPARE(frames.size(), 128);
    for (int k = 0; k < 128; ++k)
        QCOMPARE(frames[k], link::WriteFrame(k, image.block(k)));
    QCOMPARE(radio.wire.mid(radio.wire.indexOf('M') + 1, 1), QByteArray(1, 0x0A));

    // 1 once the first frame is out, 2 after the second one's ACK, then one per frame.
    QList<int> expected{0, 1, 2};
    for (int v = 3; v <= 128; ++v)
        expected << v;
    QCOMPARE(radio.progress, expected);
    QCOMPARE(progressAtSend.mid(0, 4), (QList<int>{0, 1, 2, 3}));
    QCOMPARE(radio.captions, (QStringList{link::kConnectingCaption, link::kWritingCaption}));
    QVERIFY(!radio.deadlineArmed);
}

void TstLinkProtocol::wakeBytesCycleAtTheInterval()
{
    LinkProtocol p;
    FakeRadio radio(p);
    radio.mute = true;
    p.setWakeIntervalMs(100);
    p.startRead();
    QVERIFY(radio.deadlineArmed);
    for (int i = 0; i < 15; ++i) {
        QVERIFY(radio.tickWanted);
        QCOMPARE(radio.tickMs, 100);
        radio.tickWanted = false;
        p.tick();
    }
    // Sixteen bytes, one per tick, cycling through STX "PROGRA".
    QCOMPARE(radio.wire, QByteArray("\x02PROGRA\x02PROGRA\x02P", 16));
    for (const QByteArray &b : radio.sent)
        QCOMPARE(b.size(), 1);
    QVERIFY(radio.outcomes.isEmpty());
}

void TstLinkProtocol::wakeReply_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("more");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<int>("extraWakeBytes");

    QTest::newRow("three ACKs") << kWakeReply << QByteArray() << true << 0;
    QTest::newRow("ACK and 0x10 (\"616\")") << bytes({0x06, 0x10}) << QByteArray() << true << 0;
    // A lone ACK is too short to judge: nothing more is sent until more arrives.
    QTest::newRow("lone ACK waits") << bytes({0x06}) << QByteArray() << false << 0;
    QTest::newRow("lone ACK, then more") << bytes({0x06}) << bytes({0x06}) << false << 0;
    QTest::newRow("lone ACK, then two more") << bytes({0x06}) << bytes({0x06, 0x06}) << true << 0;
    // 0x80 is "128": long enough, but no ACK, so waking goes on.
    QTest::newRow("0x80 resumes waking") << bytes({0x80}) << QByteArray() << false << 3;
    QTest::newRow("0x80 then ACK") << bytes({0x80}) << bytes({0x06}) << true << 3;
    // The digit 6 in the decimal text is not an ACK.
    QTest::newRow("0x10 0x3C 0x60") << bytes({0x10, 0x3C, 0x60}) << QByteArray() << false << 3;
}

void TstLinkProtocol::wakeReply()
{
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, more);
    QFETCH(bool, confirmed);
    QFETCH(int, extraWakeBytes);

    LinkProtocol p;
    FakeRadio radio(p);
    radio.mute = true;
    p.startRead();
    for (int i = 0; i < 6; ++i) {
        radio.tickWanted = false;
        p.tick();
    }
    QCOMPARE(radio.wire, QByteArray("\x02PROGRA", 7));
    p.receive(reply);
    for (int i = 0; i < 3 && radio.tickWanted; ++i) {
        radio.tickWanted = false;
        p.tick();
    }
    if (!more.isEmpty()) {
        p.receive(more);
        if (radio.tickWanted) {
            radio.tickWanted = false;
            p.tick();
        }
    }
    QCOMPARE(radio.wire.endsWith('M'), confirmed);
    const int wakeBytes = int(radio.wire.size()) - (confirmed ? 1 : 0);
    QCOMPARE(wakeBytes, 7 + extraWakeBytes);
    QVERIFY(p.isRunning());
}

void TstLinkProtocol::acknowledgement_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("ackByte");
    QTest::addColumn<bool>("accepted");
    for (bool write : {false, true}) {
        const char *d = write ? "write" : "read";
        QTest::addRow("%s 0x06", d) << write << 0x06 << true;
        QTest::addRow("%s 0x15 (NAK)", d) << write << 0x15 << false;
        QTest::addRow("%s 0x10", d) << write << 0x10 << false;
        QTest::addRow("%s 0x16", d) << write << 0x16 << false;
        QTest::addRow("%s 0x60", d) << write << 0x60 << false;
    }
}

void TstLinkProtocol::acknowledgement()
{
    QFETCH(bool, write);
    QFETCH(int, ackByte);
    QFETCH(bool, accepted);
    LinkProtocol p;
    FakeRadio radio(p);
    radio.badAt = 5;
    radio.badAck = Byte(ackByte);
    if (write)
        p.startWrite(MemoryImage());
    else
        p.startRead();
    radio.run();

    QVERIFY(!p.isRunning());
    if (accepted) {
        QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::Completed});
        return;
    }
    QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::NotAcknowledged});
    QCOMPARE(radio.message, link::kCommunicationError);
    // Nothing goes out after the bad answer to block 5.
    const QByteArray last = radio.sent.last();
    if (write) {
        QCOMPARE(last, link::WriteFrame(5, MemoryImage().block(5)));
    } else {
        QCOMPARE(last, QByteArray(1, 0x06));
        QCOMPARE(radio.lines.size(), 6);
    }
}

void TstLinkProtocol::writeDirectionTakesAnyAnswer()
{
    LinkProtocol p;
    FakeRadio radio(p);
    radio.directionAnswer = 0x10;
    p.startWrite(MemoryImage());
    radio.run();
    QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::Completed});

    LinkProtocol r;
    FakeRadio readRadio(r);
    readRadio.directionAnswer = 0x10;
    r.startRead();
    readRadio.run();
    QCOMPARE(readRadio.outcomes, QList<Outcome>{Outcome::NotAcknowledged});
    QVERIFY(readRadio.lines.isEmpty());
}

void TstLinkProtocol::missingAckInWriteStopsAtFourBlocks()
{
    LinkProtocol p;
    FakeRadio radio(p);
    radio.silentAt = 3; // the frame for 0x0018
    p.startWrite(MemoryImage());
    radio.run();
    QVERIFY(p.isRunning());
    QCOMPARE(p.progress(), 4);
    QCOMPARE(p.blocksTransferred(), 4);
    QVERIFY(radio.deadlineArmed);
    p.timeOut();
    QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::TimedOut});
    QCOMPARE(radio.message, link::kTimeoutMessage);
    QCOMPARE(p.progress(), 4);
}

void TstLinkProtocol::waitsEnd_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<int>("stage"); // FakeRadio::Stage at which the radio falls silent
    QTest::addColumn<QByteArray>("wakeReply");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QByteArray>("lastSent"); // shows which wait was reached

    for (bool cancel : {false, true}) {
        const char *how = cancel ? "cancel" : "time-out";
        QTest::addRow("%s while waking", how) << false << int(FakeRadio::Stage::Wake) << QByteArray() << cancel
                                              << QByteArray("A"); // 21 wake bytes by then
        QTest::addRow("%s on a short wake reply", how) << false << int(FakeRadio::Stage::Confirm) << bytes({0x06})
                                                       << cancel << QByteArray("A");
        QTest::addRow("%s waiting for the answer to M", how) << false << int(FakeRadio::Stage::Confirm) << kWakeReply
                                                             << cancel << QByteArray("M");
        QTest::addRow("%s waiting for the direction answer", how)
            << true << int(FakeRadio::Stage::Direction) << kWakeReply << cancel << bytes({0x0A});
        QTest::addRow("%s waiting for a read reply", how) << false << int(FakeRadio::Stage::Request) << kWakeReply
                                                          << cancel << link::ReadRequest(0);
        QTest::addRow("%s waiting for an ACK", how) << false << int(FakeRadio::Stage::Ack) << kWakeReply << cancel
                                                    << bytes({0x06});
    }
}

void TstLinkProtocol::waitsEnd()
{
    QFETCH(bool, write);
    QFETCH(int, stage);
    QFETCH(QByteArray, wakeReply);
    QFETCH(bool, cancel);
    QFETCH(QByteArray, lastSent);

    LinkProtocol p;
    FakeRadio radio(p);
    radio.wakeReply = wakeReply;
    // Fall silent once the wanted stage is reached.
    connect(&p, &LinkProtocol::sendRequested, this, [&] {
        if (int(radio.stage) == stage)
            radio.mute = true;
    });
    if (stage == int(FakeRadio::Stage::Wake))
        radio.mute = true;
    if (write)
        p.startWrite(MemoryImage());
    else
        p.startRead();
    for (int i = 0; i < 20 && p.isRunning() && radio.tickWanted; ++i) {
        radio.tickWanted = false;
        p.tick();
    }
    QVERIFY(p.isRunning());
    QVERIFY(radio.deadlineArmed);
    QCOMPARE(radio.sent.last(), lastSent);
    if (cancel)
        p.cancel();
    else
        p.timeOut();
    QCOMPARE(radio.outcomes, QList<Outcome>{cancel ? Outcome::Cancelled : Outcome::TimedOut});
    QCOMPARE(radio.message, cancel ? QString() : link::kTimeoutMessage);
    QVERIFY(!radio.deadlineArmed);
}

void TstLinkProtocol::nothingAfterTheEnd()
{
    LinkProtocol p;
    FakeRadio radio(p);
    radio.silentAt = 2;
    p.startRead();
    radio.run();
    p.cancel();
    const int sent = radio.sent.size();
    // A late time-out, late bytes and ticks change nothing.
    p.timeOut();
    p.receive(bytes({0x06, 0x06}));
    p.tick();
    p.cancel();
    QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::Cancelled});
    QCOMPARE(radio.sent.size(), sent);
}

void TstLinkProtocol::cancelFromAProgressListener()
{
    LinkProtocol p;
    FakeRadio radio(p);
    connect(&p, &LinkProtocol::progressChanged, this, [&](int v) {
        if (v == 10)
            p.cancel();
    });
    p.startRead();
    radio.run();
    QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::Cancelled});
    QCOMPARE(radio.lines.size(), 10);
    QCOMPARE(radio.sent.last(), link::ReadRequest(9)); // no ACK after the cancel
    QVERIFY(!radio.deadlineArmed);
}

void TstLinkProtocol::deviceFailureNamesTheDirection()
{
    for (bool write : {false, true}) {
        LinkProtocol p;
        FakeRadio radio(p);
        radio.mute = true;
        if (write)
            p.startWrite(MemoryImage());
        else
            p.startRead();
        p.deviceFailed(QStringLiteral("The cable is gone."));
        QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::DeviceFailed});
        QCOMPARE(radio.message, QStringLiteral("%1 Error!Please try again\nThe cable is gone.")
                                    .arg(write ? QStringLiteral("Write") : QStringLiteral("Read")));
    }
}

void TstLinkProtocol::staleBytesAreNoAnswer_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QByteArray>("confirmAnswer");
    QTest::addColumn<int>("ackRepeat");
    QTest::addColumn<QByteArray>("afterAck");
    QTest::addColumn<QByteArray>("afterReply");
    QTest::addColumn<int>("badAt");
    QTest::addColumn<bool>("byteByByte");
    QTest::addColumn<int>("doneBeforeFailure"); // blocks read or written before the failure; -1: success
    for (bool byteByByte : {false, true}) {
        const char *how = byteByByte ? "byte by byte" : "whole";
        QTest::addRow("write, doubled ACKs, NAK at 120, %s", how)
            << true << QByteArray() << 2 << QByteArray() << QByteArray() << 120 << byteByByte << 121;
        QTest::addRow("write, M answered thrice, %s", how)
            << true << kWakeReply << 1 << QByteArray() << QByteArray() << -1 << byteByByte << -1;
        QTest::addRow("write, noise after every ACK, %s", how)
            << true << QByteArray() << 1 << bytes({0x00, 0x80}) << QByteArray() << -1 << byteByByte << -1;
        // Bytes that come with a read reply, before the ACK, make it too long.
        QTest::addRow("read, 13-byte replies, %s", how)
            << false << QByteArray() << 1 << QByteArray() << bytes({0x06}) << -1 << byteByByte << 0;
        QTest::addRow("read, noise after every answer, %s", how)
            << false << QByteArray() << 1 << bytes({0x15}) << bytes({0x00, 0x15}) << -1 << byteByByte << 0;
        QTest::addRow("read, doubled ACKs, NAK at 60, %s", how)
            << false << QByteArray() << 2 << QByteArray() << QByteArray() << 60 << byteByByte << 61;
    }
}

void TstLinkProtocol::staleBytesAreNoAnswer()
{
    QFETCH(bool, write);
    QFETCH(QByteArray, confirmAnswer);
    QFETCH(int, ackRepeat);
    QFETCH(QByteArray, afterAck);
    QFETCH(QByteArray, afterReply);
    QFETCH(int, badAt);
    QFETCH(bool, byteByByte);
    QFETCH(int, doneBeforeFailure);

    LinkProtocol p;
    FakeRadio radio(p);
    radio.byteByByte = byteByByte;
    radio.confirmAnswer = confirmAnswer;
    radio.ackRepeat = ackRepeat;
    radio.afterAck = afterAck;
    radio.afterReply = afterReply;
    radio.badAt = badAt;
    if (write)
        p.startWrite(radio.memory);
    else
        p.startRead();
    radio.run();

    QVERIFY(!p.isRunning());
    if (doneBeforeFailure >= 0) {
        QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::NotAcknowledged});
        if (write)
            QCOMPARE(radio.frames.size(), doneBeforeFailure); // nothing after the refused frame
        else
            QCOMPARE(radio.lines.size(), doneBeforeFailure);
        return;
    }
    QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::Completed});
    if (write) {
        QCOMPARE(radio.frames.size(), kBlockCount);
        for (int k = 0; k < kBlockCount; ++k)
            QCOMPARE(radio.frames.at(k), link::WriteFrame(k, radio.memory.block(k)));
    } else {
        QCOMPARE(radio.lines.size(), kBlockCount);
        QVERIFY(p.image() == radio.memory);
    }
}

// Whatever arrives between a read request and the ACK belongs to its reply:
// more than 12 bytes there is a communication error, never data, whether the
// bytes come in one piece or one by one before the tick that ends the reply.
void TstLinkProtocol::replyLongerThanTwelveBytes_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("stray");
    QTest::addColumn<bool>("byteByByte");
    const struct {
        const char *name;
        int position;
        QByteArray stray;
    } strays[] = {
        {"two bytes before", 0, bytes({0x20, 0x08})},
        {"two ACKs before", 0, bytes({0x06, 0x06})},
        {"one byte inside", 7, bytes({0x00})},
        {"two bytes after", 12, bytes({0x00, 0x15})},
        {"an ACK after", 12, bytes({0x06})},
    };
    for (int block : {0, 10, 127})
        for (const auto &s : strays)
            for (bool byteByByte : {false, true})
                QTest::addRow("block %d, %s, %s", block, s.name, byteByByte ? "byte by byte" : "whole")
                    << block << s.position << s.stray << byteByByte;
}

void TstLinkProtocol::replyLongerThanTwelveBytes()
{
    QFETCH(int, block);
    QFETCH(int, position);
    QFETCH(QByteArray, stray);
    QFETCH(bool, byteByByte);

    LinkProtocol p;
    FakeRadio radio(p);
    radio.byteByByte = byteByByte;
    radio.strayAt = block;
    radio.strayPosition = position;
    radio.stray = stray;
    p.startRead();
    radio.run();

    QCOMPARE(radio.outcomes, QList<Outcome>{Outcome::NotAcknowledged});
    QCOMPARE(radio.message, link::kCommunicationError);
    // The long reply is neither stored nor acknowledged.
    QCOMPARE(radio.lines.size(), block);
    QCOMPARE(p.blocksTransferred(), block);
    QCOMPARE(radio.sent.last(), link::ReadRequest(block));
    QCOMPARE(p.image().block(block), MemoryImage().block(block));
}

// A listener that starts the next transfer from the outcome of the last one
// gets a transfer of its own: no late step of the old one reaches it.
void TstLinkProtocol::transferStartedFromTheOutcome()
{
    LinkProtocol p;
    FakeRadio radio(p);
    int sentAtRestart = -1;
    connect(&p, &LinkProtocol::lineReceived, this, [&] {
        if (radio.lines.size() == 5 && sentAtRestart < 0)
            p.deviceFailed(QStringLiteral("The disk is full."));
    });
    connect(&p, &LinkProtocol::finished, this, [&](Outcome o) {
        if (o != Outcome::DeviceFailed)
            return;
        sentAtRestart = radio.sent.size();
        radio.stage = FakeRadio::Stage::Wake;
        radio.wake.clear();
        p.startRead();
    });
    p.startRead();
    radio.run();
    // After the restart the first bytes out are wake bytes, not the old read's ACK.
    QVERIFY(sentAtRestart > 0);
    QCOMPARE(radio.sent.mid(sentAtRestart, 2), (QList<QByteArray>{QByteArray(1, 0x02), QByteArray(1, 0x50)}));
    QCOMPARE(radio.outcomes, (QList<Outcome>{Outcome::DeviceFailed, Outcome::Completed}));
    QVERIFY(p.image() == radio.memory);
}

QTEST_GUILESS_MAIN(TstLinkProtocol)
#include "tst_linkprotocol.moc"
