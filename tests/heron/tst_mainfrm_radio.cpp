#include "FakeUserDialogs.h"
#include "FilledStates.h"
#include "SmallDisk.h"
#include "RadioWindow.h"
#include "TestSupport.h"
#include "WhenModal.h"
#include "core/ChpFile.h"
#include "common/PortList.h"
#include "common/SerialLink.h"
#include "editor/ChannelGrid.h"
#include "editor/EndSignals.h"
#include "editor/mainFrm.h"
#include "heron/HeronFamily.h"
#include "core/FamilyB.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <unistd.h>

using namespace core;

namespace {

using testsupport::bytesOf;
using testsupport::heronFilled;
using testsupport::trigger;
using testsupport::whenModal;

} // namespace

// The editing window against the radio simulator: Read and Write as a user runs them.
class TstMainFrmRadio : public QObject, testsupport::RadioWindows {
    Q_OBJECT

    mainFrm *make(const QStringList &simArguments, const QByteArray &memory = {})
    {
        openWindow(HeronFamily(), simArguments, memory);
        whenModal([](QWidget *d) { d->findChild<QPushButton *>("cmdOK")->click(); });
        m_window->Form_Activate();
        return m_window.get();
    }

private slots:
    void readFillsTheWindow()
    {
        const EditorState radio = heronFilled();
        mainFrm *w = make({"--no-pace"}, bytesOf(*familyB::BuildImage(radio, familyB::Target::Radio)));
        QVERIFY(trigger(w, "mnuRead"));
        QCOMPARE(m_dialogs.texts(), QStringList{"Do you want to read the data from the transceiver?"});
        QVERIFY(!w->port()->isOpen());
        QCOMPARE(w->currentState(), radio);
        QCOMPARE(w->modelHex(), QString("52"));
        QCOMPARE(chp::Read(w->scratchPath(), 128)->lines.size(), 128);
    }

    void failedReadKeepsTheWindow_data()
    {
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("NAK") << QStringList{"--fault", "nak:10"} << "Communication Error";
        QTest::newRow("silent") << QStringList{"--fault", "silent"}
                                << "Communication Error,Please check all the connections and the radio power ";
        QTest::newRow("hang-up") << QStringList{"--fault", "hangup:20"} << "Read Error!Please try again";
    }
    void failedReadKeepsTheWindow()
    {
        QFETCH(QStringList, fault);
        QFETCH(QString, message);
        mainFrm *w = make(QStringList{"--no-pace"} + fault, bytesOf(*familyB::BuildImage(heronFilled(), familyB::Target::Radio)));
        w->grid()->setCellText(1, 1, "440.00000");
        const EditorState before = w->currentState();
        QVERIFY(trigger(w, "mnuRead"));
        QVERIFY2(m_dialogs.texts().join('|').contains(message), qPrintable(m_dialogs.texts().join('|')));
        QVERIFY(!w->port()->isOpen());
        QCOMPARE(w->currentState(), before);
    }

    // The received lines wait in the scratch file's buffer until the read
    // ends; a disk that cannot take them fails the read, and nothing loads.
    void scratchFileOnAFullDiskFailsTheRead()
    {
        testsupport::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(disk.why());
        QVERIFY(disk.fill(0));
        m_window.reset();
        m_radio = testsupport::startListedRadio({"--no-pace"}, bytesOf(*familyB::BuildImage(heronFilled(), familyB::Target::Radio)));
        m_window = std::make_unique<mainFrm>(HeronFamily(), m_dialogs, testsupport::fastTransfers(disk.path()));
        whenModal([](QWidget *d) { d->findChild<QPushButton *>("cmdOK")->click(); });
        m_window->Form_Activate();
        mainFrm *w = m_window.get();
        const EditorState before = w->currentState();
        QVERIFY(trigger(w, "mnuRead"));
        const QString said = m_dialogs.texts().join('|');
        QVERIFY2(said.contains("Read Error!Please try again") && said.contains("No space left on device"), qPrintable(said));
        QVERIFY(!w->port()->isOpen());
        QCOMPARE(w->currentState(), before);
        m_window.reset(); // off the small disk before it goes
    }

    void toolbarWriteSendsTheWholeImage()
    {
        mainFrm *w = make({"--no-pace"});
        QVERIFY(trigger(w, "tbWrite"));
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown[0].title, QString("Writing  Data Progress"));
        QVERIFY(!w->port()->isOpen());
        const MemoryImage image = *familyB::BuildImage(familyB::StartupState(), familyB::Target::Radio);
        QStringList expected;
        for (int k = 0; k < kBlockCount; ++k)
            expected << QStringLiteral("57 ") + chp::FormatLine(k, image.block(k)).mid(3);
        QTRY_COMPARE(m_radio->recordedFrames(), expected);
        QCOMPARE(m_radio->memory(), bytesOf(image));
    }

    void cellThatDoesNotFitStopsTheWriteBeforeSending()
    {
        mainFrm *w = make({"--no-pace"});
        w->grid()->setCellText(2, 3, "D0");
        QVERIFY(trigger(w, "mnuWrite"));
        QCOMPARE(m_dialogs.shown.size(), 2);
        QVERIFY(m_dialogs.shown[1].text.contains("Channel 2"));
        QCOMPARE(m_radio->recordedFrames(), QStringList());
    }

    // Each answer is judged on what arrives after its own request: doubled
    // ACKs and noise after an ACK neither carry over nor run ahead; noise or a
    // 13th byte with a read reply makes the reply too long.
    void answersAreJudgedAfterTheirRequest_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QStringList>("fault");
        QTest::addColumn<QString>("message"); // empty: the transfer succeeds
        QTest::addColumn<int>("frames");      // write frames the radio got
        QTest::newRow("doubled ACKs, NAK at 120") << true << QStringList{"--fault", "acks:2", "--fault", "nak:120"}
                                                  << "Communication Error" << 121;
        QTest::newRow("\"M\" answered thrice") << true << QStringList{"--fault", "acks:3"} << QString() << 128;
        QTest::newRow("write, noise") << true << QStringList{"--fault", "noise"} << QString() << 128;
        QTest::newRow("read, noise") << false << QStringList{"--fault", "noise"} << "Communication Error" << 0;
        QTest::newRow("read, doubled ACKs") << false << QStringList{"--fault", "acks:2"} << QString() << 0;
        QTest::newRow("read, 13-byte replies") << false << QStringList{"--fault", "long"} << "Communication Error"
                                               << 0;
    }
    void answersAreJudgedAfterTheirRequest()
    {
        QFETCH(bool, write);
        QFETCH(QStringList, fault);
        QFETCH(QString, message);
        QFETCH(int, frames);
        const EditorState radio = heronFilled();
        mainFrm *w = make(QStringList{"--no-pace"} + fault, bytesOf(*familyB::BuildImage(radio, familyB::Target::Radio)));
        const EditorState before = w->currentState();
        if (write) {
            w->applyState(heronFilled());
            QVERIFY(trigger(w, "mnuWrite"));
        } else {
            QVERIFY(trigger(w, "mnuRead"));
        }
        const QStringList texts = m_dialogs.texts().mid(1);
        QCOMPARE(texts, message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(!w->port()->isOpen());
        if (write) {
            QTRY_COMPARE(m_radio->recordedFrames().size(), frames);
        } else if (!message.isEmpty()) {
            QCOMPARE(w->currentState(), before);
        } else {
            QCOMPARE(w->currentState(), radio);
            QCOMPARE(chp::Read(w->scratchPath(), 128)->lines.size(), 128);
        }
        QTest::qWait(50);
        const QString heard = m_radio->errorOutput();
        QVERIFY2(!heard.contains("before the radio's answer"), qPrintable(heard));
    }

    // The port closes only once the last frame or ACK has left the line at
    // 9600 baud, since closing gives the port back its old rate. Timed on the
    // program's side: a simulator that reads late under load cannot tell.
    void lastBytesLeaveBeforeThePortCloses()
    {
        mainFrm *w = make({"--no-pace"});
        QElapsedTimer clock;
        clock.start();
        qint64 lastSendNs = 0, lastCount = 0, closedNs = 0;
        connect(w->port(), &QIODevice::aboutToClose, this, [&] { closedNs = clock.nsecsElapsed(); });
        const auto watchSends = [&] {
            whenModal([&](QWidget *dialog) {
                auto *poll = new QTimer(dialog);
                connect(poll, &QTimer::timeout, dialog, [&, dialog, poll] {
                    if (auto *link = dialog->findChild<SerialLink *>()) {
                        poll->stop();
                        connect(&link->protocol(), &LinkProtocol::sendRequested, dialog, [&](const QByteArray &b) {
                            lastSendNs = clock.nsecsElapsed();
                            lastCount = b.size();
                        });
                    }
                });
                poll->start(0);
            }, "frmWAIT");
        };
        const qint64 byteNs = 10 * 1000000000LL / 9600;

        w->applyState(heronFilled());
        watchSends();
        QVERIFY(trigger(w, "mnuWrite"));
        QCOMPARE(m_dialogs.texts().size(), 1);
        QCOMPARE(lastCount, 12);
        QVERIFY2(closedNs - lastSendNs >= lastCount * byteNs, qPrintable(QString::number(closedNs - lastSendNs)));
        QTRY_COMPARE(m_radio->recordedFrames().size(), 128);

        w->applyState(familyB::StartupState());
        watchSends();
        QVERIFY(trigger(w, "mnuRead"));
        QCOMPARE(m_dialogs.texts().size(), 2);
        QCOMPARE(lastCount, 1);
        QVERIFY2(closedNs - lastSendNs >= lastCount * byteNs, qPrintable(QString::number(closedNs - lastSendNs)));
        QCOMPARE(w->currentState(), heronFilled());
    }

    // A signal during a read ends the program as Exit does: the read stops,
    // the port is closed, its lock is gone and the print script removed.
    void signalDuringAReadEndsCleanly_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void signalDuringAReadEndsCleanly()
    {
        QFETCH(int, signalNumber);
        mainFrm *w = make({}, bytesOf(*familyB::BuildImage(heronFilled(), familyB::Target::Radio)));
        EndSignals ends;
        connect(&ends, &EndSignals::received, w, &mainFrm::endProgram);
        QSignalSpy ended(w, &mainFrm::programEnded);
        QFile script(w->scriptPath());
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.close();
        const EditorState before = w->currentState();
        const QString lock = SerialLockFilePath(m_radio->device());
        bool lockedDuringRead = false;
        QTimer::singleShot(400, this, [&] {
            lockedDuringRead = QFile::exists(lock) && w->port()->isOpen();
            ::kill(::getpid(), signalNumber);
        });
        QVERIFY(trigger(w, "mnuRead"));
        QVERIFY(lockedDuringRead);
        QCOMPARE(ended.count(), 1);
        QVERIFY(!w->port()->isOpen());
        QVERIFY2(!QFile::exists(lock), qPrintable(lock));
        QVERIFY(!QFile::exists(w->scriptPath()));
        QCOMPARE(m_dialogs.texts(), QStringList{"Do you want to read the data from the transceiver?"});
        QCOMPARE(w->currentState(), before);
        // The device is free for the next program.
        QSerialPort next;
        QVERIFY(OpenSerialPort(next, m_radio->device()).ok());
    }

    void missingDeviceIsNamed()
    {
        mainFrm *w = make({"--no-pace"});
        qputenv("RADIO_SERIAL_PORTS", "/dev/no-such-radio");
        QVERIFY(trigger(w, "mnuRead"));
        QCOMPARE(m_dialogs.shown.size(), 2);
        QVERIFY2(m_dialogs.shown[1].text.contains("/dev/no-such-radio"), qPrintable(m_dialogs.shown[1].text));
        QVERIFY(!w->port()->isOpen());
    }
};

QTEST_MAIN(TstMainFrmRadio)
#include "tst_mainfrm_radio.moc"
