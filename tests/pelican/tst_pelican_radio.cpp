#include "FakeUserDialogs.h"
#include "RadioWindow.h"
#include "TestSupport.h"
#include "WhenModal.h"
#include "core/ChpFile.h"
#include "core/FamilyA.h"
#include "editor/ChannelGrid.h"
#include "editor/mainFrm.h"
#include "pelican/PelicanFamily.h"

#include <QComboBox>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

using namespace core;

namespace {

using testsupport::bytesOf;
using testsupport::trigger;
using testsupport::whenModal;

// Every channel filled, so that a read gives the same texts back.
EditorState filledState(const QString &model)
{
    EditorState s = familyA::StartupState();
    s.model = model;
    s.variant = 1;
    s.group = familyA::GroupOf(model);
    const bool one = s.group == "1";
    s.lists = {1, 0, 4, 2, 1, 1, one ? 1 : 0, one ? 0 : 1, one ? 13 : 0};
    s.band.sPower = 8;
    s.channels.clear();
    for (int ch = 0; ch < 16; ++ch) {
        QStringList row{QStringLiteral("4%1.12500").arg(ch + 10), "462.56250", "67.0", "D754I", "Yes", "N"};
        if (one)
            row << (ch % 2 ? "Yes" : "No") << (ch % 3 ? "No" : "Yes") << (ch % 9 ? QString::number(ch % 9) : "OFF");
        row << "Middle";
        s.channels << row;
    }
    return s;
}

QStringList framesOf(const MemoryImage &image)
{
    QStringList frames;
    for (int k = 0; k < kBlockCount; ++k)
        frames << QStringLiteral("57 ") + chp::FormatLine(k, image.block(k)).mid(3);
    return frames;
}

} // namespace

// Pelican's Read and Write against a simulated family A radio of each group.
class TstPelicanRadio : public QObject, testsupport::RadioWindows {
    Q_OBJECT

    mainFrm *make(int position, const QStringList &simArguments, const QByteArray &memory = {})
    {
        openWindow(PelicanFamily(), QStringList{"--family", "A", "--no-pace"} + simArguments, memory);
        whenModal([position](QWidget *d) {
            d->findChild<QComboBox *>("cmbJX")->setCurrentIndex(position);
            d->findChild<QPushButton *>("cmdOK")->click();
        });
        m_window->Form_Activate();
        return m_window.get();
    }

private slots:
    void readOfEachGroup_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("model");
        QTest::newRow("group 0 radio") << 0 << "QZ71";
        QTest::newRow("group 1 radio") << 3 << "QZ510";
        QTest::newRow("group 1 radio, group 0 shown") << 1 << "QZ410";
        QTest::newRow("group 0 radio, group 1 shown") << 5 << "QZ236";
    }
    void readOfEachGroup()
    {
        QFETCH(int, shown);
        QFETCH(QString, model);
        const EditorState radio = filledState(model);
        mainFrm *w = make(shown, {}, bytesOf(*familyA::BuildImage(radio, Target::Radio)));
        QVERIFY(trigger(w, "mnuRead"));
        QCOMPARE(m_dialogs.texts(), QStringList{"Do you want to read the data from the transceiver?"});
        QVERIFY(!w->port()->isOpen());
        QCOMPARE(w->currentState(), radio);
        QCOMPARE(w->modelGroup(), radio.group);
        QCOMPARE(w->grid()->cols(), radio.group == "1" ? 11 : 8);
        QCOMPARE(w->modelHex(), HexByte(familyA::ModelCode(model, 1)));
    }

    void writeOfEachGroup_data()
    {
        QTest::addColumn<QString>("model");
        QTest::newRow("group 0") << "QZ70";
        QTest::newRow("group 1") << "QZ236star";
    }
    void writeOfEachGroup()
    {
        QFETCH(QString, model);
        mainFrm *w = make(0, {});
        EditorState s = filledState(model);
        for (int ch = 9; ch < 16; ++ch)
            s.channels[ch] = QStringList(s.channels[ch].size());
        w->applyState(s);
        QVERIFY(trigger(w, "mnuWrite"));
        QCOMPARE(m_dialogs.shown.size(), 1);
        const MemoryImage image = *familyA::BuildImage(s, Target::Radio);
        QCOMPARE(image.block(1)[7], Byte(0x09)); // the last used channel
        QTRY_COMPARE(m_radio->recordedFrames(), framesOf(image));
        QCOMPARE(m_radio->memory(), bytesOf(image));

        // And read back into a window that shows the other group.
        w->applyState(familyA::StartupState());
        QVERIFY(trigger(w, "mnuRead"));
        const EditorState back = w->currentState();
        QCOMPARE(back.group, s.group);
        QCOMPARE(back.lists, s.lists);
        QCOMPARE(back.channels.mid(0, 9), s.channels.mid(0, 9));
        QCOMPARE(back.channels.at(12).at(0), QString("OFF"));
    }

    void emptyGridWritesTheWholeRadio()
    {
        mainFrm *w = make(4, {});
        QVERIFY(trigger(w, "mnuWrite"));
        const MemoryImage image = *familyA::BuildImage(w->currentState(), Target::Radio);
        QCOMPARE(image.block(1)[7], Byte(0x10));
        QTRY_COMPARE(m_radio->recordedFrames().size(), kBlockCount);
        QCOMPARE(m_radio->recordedFrames(), framesOf(image));
        QCOMPARE(m_dialogs.shown.size(), 1);
    }

    void failedReadKeepsTheWindow()
    {
        mainFrm *w = make(0, {"--fault", "nak:12"}, bytesOf(*familyA::BuildImage(filledState("QZ510"), Target::Radio)));
        w->grid()->setCellText(1, 1, "440.00000");
        const EditorState before = w->currentState();
        QVERIFY(trigger(w, "mnuRead"));
        QVERIFY2(m_dialogs.texts().join('|').contains("Communication Error"), qPrintable(m_dialogs.texts().join('|')));
        QCOMPARE(w->currentState(), before);
        QCOMPARE(w->grid()->cols(), 8);
    }
};

QTEST_MAIN(TstPelicanRadio)
#include "tst_pelican_radio.moc"
