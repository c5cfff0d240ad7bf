#include "FakeUserDialogs.h"
#include "FilledStates.h"
#include "RadioWindow.h"
#include "TestSupport.h"
#include "WhenModal.h"
#include "common/PortList.h"
#include "core/ChpFile.h"
#include "core/FamilyC.h"
#include "editor/ChannelGrid.h"
#include "editor/mainFrm.h"
#include "osprey/OspreyFamily.h"

#include <QProgressBar>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

using namespace core;

namespace {

using testsupport::bytesOf;
using testsupport::ospreyFilled;
using testsupport::trigger;

QList<int> range(int from, int to)
{
    QList<int> values;
    for (int v = from; v <= to; ++v)
        values << v;
    return values;
}

} // namespace

// Osprey's window against the simulator playing a family C radio.
class TstOspreyRadio : public QObject, testsupport::RadioWindows {
    Q_OBJECT

    QList<int> m_progress;

    mainFrm *make(const QStringList &simArguments, const QByteArray &memory = {})
    {
        openWindow(OspreyFamily(), QStringList{"--family", "C", "--no-pace"} + simArguments, memory);
        m_window->Form_Activate();
        m_window->grid()->grid()->moveTo(1, 0); // no cell check in the way of applyState
        return m_window.get();
    }
    // Records every value the transfer dialog's bar takes.
    void watchProgress()
    {
        m_progress.clear();
        testsupport::whenModal([this](QWidget *d) {
            auto *bar = d->findChild<QProgressBar *>("pgbCount");
            connect(bar, &QProgressBar::valueChanged, this, [this](int v) { m_progress << v; });
        }, "frmWAIT");
    }

private slots:
    void newRadioReadsItsFactoryModel()
    {
        mainFrm *w = make({});
        QVERIFY(trigger(w, "mnuRead"));
        QCOMPARE(m_dialogs.texts(), QStringList{"Do you want to read the data from the transceiver?"});
        QCOMPARE(w->modelHex(), QString("11"));
        QCOMPARE(w->grid()->cellText(1, 1), QString("OFF"));
    }

    void readFillsTheWindow()
    {
        const EditorState radio = ospreyFilled();
        mainFrm *w = make({}, bytesOf(*familyC::BuildImage(radio, Target::Radio)));
        watchProgress();
        QVERIFY(trigger(w, "mnuRead"));
        QCOMPARE(m_progress, range(1, 128));
        QVERIFY(!w->port()->isOpen());
        QCOMPARE(w->currentState(), radio);
        QCOMPARE(w->modelHex(), QString("24"));
        QCOMPARE(chp::Read(w->scratchPath(), 128)->lines.size(), 128);
    }

    void writeSendsTheImageWithItsProgress()
    {
        mainFrm *w = make({});
        w->applyState(ospreyFilled());
        watchProgress();
        QVERIFY(trigger(w, "tbWrite"));
        QCOMPARE(m_progress, (QList<int>{1, 2} + range(3, 34) + range(35, 128)));
        QVERIFY(!w->port()->isOpen());
        const MemoryImage image = *familyC::BuildImage(ospreyFilled(), Target::Radio);
        QStringList expected;
        for (int k = 0; k < kBlockCount; ++k)
            expected << QStringLiteral("57 ") + chp::FormatLine(k, image.block(k)).mid(3);
        QTRY_COMPARE(m_radio->recordedFrames(), expected);
        QCOMPARE(m_radio->memory(), bytesOf(image));

        // And back.
        w->applyState(familyC::StartupState());
        QVERIFY(trigger(w, "tbRead"));
        QCOMPARE(w->currentState(), ospreyFilled());
    }

    void failedTransfersKeepTheWindow_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        const QString timeout = "Communication Error,Please check all the connections and the radio power ";
        for (bool write : {false, true}) {
            const char *d = write ? "write " : "read ";
            QTest::addRow("%snak", d) << write << "nak:10" << "Communication Error";
            QTest::addRow("%sbadack", d) << write << "badack:3:15" << "Communication Error";
            QTest::addRow("%sgarbage", d) << write << "garbage:5" << "Communication Error";
            QTest::addRow("%ssilent", d) << write << "silent" << timeout;
            QTest::addRow("%ssilent later", d) << write << "silent:40" << timeout;
            QTest::addRow("%sshort wake", d) << write << "short" << timeout;
            QTest::addRow("%sshort block", d) << write << "short:7" << timeout;
            QTest::addRow("%shang-up", d) << write << "hangup:20" << (write ? "Write Error!Please try again" : "Read Error!Please try again");
        }
    }
    void failedTransfersKeepTheWindow()
    {
        QFETCH(bool, write);
        QFETCH(QString, fault);
        QFETCH(QString, message);
        mainFrm *w = make({"--fault", fault}, bytesOf(*familyC::BuildImage(ospreyFilled(), Target::Radio)));
        w->grid()->setCellText(1, 1, "440.00000");
        const EditorState before = w->currentState();
        if (write)
            QVERIFY(trigger(w, "mnuWrite"));
        else
            QVERIFY(trigger(w, "mnuRead"));
        QVERIFY2(m_dialogs.texts().join('|').contains(message), qPrintable(m_dialogs.texts().join('|')));
        QVERIFY(!w->port()->isOpen());
        QCOMPARE(w->currentState(), before);
    }

    void erasedRadioIsReportedNotLoaded()
    {
        mainFrm *w = make({}, QByteArray(kImageSize, char(0xFF)));
        w->grid()->setCellText(1, 1, "440.00000");
        const EditorState before = w->currentState();
        QVERIFY(trigger(w, "mnuRead"));
        QCOMPARE(m_dialogs.shown.size(), 2);
        QVERIFY2(m_dialogs.shown[1].text.contains("model code 0xFF"), qPrintable(m_dialogs.shown[1].text));
        QCOMPARE(w->currentState(), before);
    }

    void toneOutsideTheIndexListStopsTheWriteBeforeSending()
    {
        mainFrm *w = make({});
        w->grid()->setCellText(2, 4, "67.0");
        QVERIFY(trigger(w, "mnuWrite"));
        QCOMPARE(m_dialogs.shown.size(), 2);
        QVERIFY2(m_dialogs.shown[1].text.contains("Channel 2, QT/DQT Enc"), qPrintable(m_dialogs.shown[1].text));
        QVERIFY(!w->port()->isOpen());
        QCOMPARE(m_radio->recordedFrames(), QStringList());
    }

    void toolbarClosesThePortAfterEveryText()
    {
        mainFrm *w = make({});
        for (const QString &text : {QStringLiteral("print"), QStringLiteral("Open"), QStringLiteral("Nothing")}) {
            QVERIFY(OpenSerialPort(*w->port(), m_radio->device()).ok());
            w->tbToolBar_ButtonClick(text);
            QVERIFY2(!w->port()->isOpen(), qPrintable(text));
        }
    }
};

QTEST_MAIN(TstOspreyRadio)
#include "tst_osprey_radio.moc"
