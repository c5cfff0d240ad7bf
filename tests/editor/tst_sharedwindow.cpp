#include "FakeUserDialogs.h"
#include "FilledStates.h"
#include "RadioWindow.h"
#include "TestSupport.h"
#include "WhenModal.h"
#include "core/ChpFile.h"
#include "core/FamilyA.h"
#include "core/FamilyB.h"
#include "core/FamilyC.h"
#include "editor/ChannelGrid.h"
#include "editor/mainFrm.h"
#include "heron/HeronFamily.h"
#include "osprey/OspreyFamily.h"
#include "pelican/PelicanFamily.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QToolBar>
#include <QtTest>

using namespace core;

namespace {

using testsupport::bytesOf;
using testsupport::heronFilled;
using testsupport::ospreyFilled;
using testsupport::pelicanFilled;
using testsupport::readBytes;
using testsupport::trigger;
using testsupport::whenModal;
using testsupport::writeFile;

const QByteArray kBands = "[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\n";

// What the shared tests need of a family: its description, its simulator,
// a state with every channel and list filled, and its codec.
struct FamilyCase {
    const Family &family;
    QString simFamily;
    bool asksForTheModel;
    std::function<EditorState()> filled;
    std::function<Result<MemoryImage>(const EditorState &, Target)> build;
    EditorState (*startup)();
};

FamilyCase familyCase(const QString &name)
{
    if (name == "Heron")
        return {HeronFamily(), "B", true, heronFilled, familyB::BuildImage, familyB::StartupState};
    if (name == "Pelican")
        return {PelicanFamily(), "A", true, pelicanFilled, familyA::BuildImage, familyA::StartupState};
    return {OspreyFamily(), "C", false, ospreyFilled, familyC::BuildImage, familyC::StartupState};
}

const QStringList kFamilies{"Heron", "Pelican", "Osprey"};

void addFamilyRows()
{
    QTest::addColumn<QString>("family");
    for (const QString &f : kFamilies)
        QTest::newRow(qPrintable(f)) << f;
}

void login(QWidget *gate, const QString &password)
{
    auto *field = gate->findChild<QLineEdit *>("txtPassword");
    field->clear();
    QTest::keyClicks(field, password);
    QTest::mouseClick(gate->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
}

} // namespace

// What the window does alike for every family, reached as the operator
// reaches it: menus, toolbar buttons, keys and the mouse.
class TstSharedWindow : public QObject, testsupport::RadioWindows {
    Q_OBJECT

    // A window past its first activation, the model question answered with
    // its first model; with a simulated radio listed as the port if asked.
    mainFrm *make(const FamilyCase &c, bool radio = false)
    {
        writeFile(m_dir.filePath("Sfc.ini"), kBands);
        if (radio) {
            openWindow(c.family, {"--family", c.simFamily, "--no-pace"}, {});
        } else {
            m_window.reset();
            m_dialogs = FakeUserDialogs();
            m_window = std::make_unique<mainFrm>(c.family, m_dialogs, testsupport::fastTransfers(m_dir.path()));
        }
        if (c.asksForTheModel)
            whenModal([](QWidget *d) { d->findChild<QPushButton *>("cmdOK")->click(); }, "frmJXXZ");
        m_window->Form_Activate();
        if (radio)
            m_window->grid()->grid()->moveTo(1, 0); // no cell check in the way of applyState
        return m_window.get();
    }

    mainFrm *makeShown(const FamilyCase &c)
    {
        mainFrm *w = make(c);
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w))
            qWarning("window not active");
        return w;
    }

    QString fixture(const FamilyCase &c, const QString &name)
    {
        const QString path = m_dir.filePath(name);
        writeFile(path, testsupport::crlf(chp::FormatImage(*c.build(c.filled(), Target::File))));
        return path;
    }

private slots:
    void init() { QFile::remove(m_dir.filePath("out.chp")); }

    void menuItems_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        for (const QString &f : kFamilies) {
            const auto row = [&f](const char *name, const char *caption, const char *shortcut) {
                QTest::addRow("%s %s", qPrintable(f), name) << f << QString(name) << QString(caption) << QString(shortcut);
            };
            row("mnuFile", "File(&F)", "");
            row("mnuOpen", "Open(&O)", "Ctrl+O");
            row("mnuSave", "Save as...(&S)", "Ctrl+S");
            row(f == "Osprey" ? "mnuPreview" : "mnuPrint", "Print(&P)", "Ctrl+P");
            row("mnuExit", "Exit(&X)", "Ctrl+X");
            row("mnuProgram", "Program(&P)", "");
            row("mnuRead", "Read from Radio(&R)", "Ctrl+R");
            row("mnuWrite", "Write to Radio(&W)", "Ctrl+W");
            row("mnuEditor", "Edit(&E)", "");
            row("mnuTune", "Test  Mode(&T)", "");
            row("mnuCom", "Communication Port(&C)", "");
            row("mnuPort", "Port...(&P)", "");
            row("mnuHelp", "Help(&H)", "");
            row("mnuIndex", "Content(&I)...", "");
            row("mnuAbout", "About(&A)", "");
        }
    }
    void menuItems()
    {
        QFETCH(QString, family);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        mainFrm *w = make(familyCase(family));
        auto *a = w->findChild<QAction *>(name);
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut().toString(), shortcut);
        QVERIFY(a->isEnabled());
        QVERIFY(a->isVisible());
    }

    void menuBarOrder_data() { addFamilyRows(); }
    void menuBarOrder()
    {
        QFETCH(QString, family);
        mainFrm *w = make(familyCase(family));
        QStringList top;
        for (QAction *a : w->menuBar()->actions())
            top << a->text();
        QCOMPARE(top, (QStringList{"File(&F)", "Program(&P)", "Edit(&E)", "Communication Port(&C)", "Help(&H)"}));
    }

    // A file opened and saved again gives the same bytes, by whichever path
    // the operator takes.
    void openThenSaveAsGivesTheSameBytes_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("path"); // "menu", "toolbar" or "keys"
        for (const QString &f : kFamilies)
            for (const char *path : {"menu", "toolbar", "keys"})
                QTest::addRow("%s %s", qPrintable(f), path) << f << QString(path);
    }
    void openThenSaveAsGivesTheSameBytes()
    {
        QFETCH(QString, family);
        QFETCH(QString, path);
        const FamilyCase c = familyCase(family);
        mainFrm *w = path == "keys" ? makeShown(c) : make(c);
        const QString in = fixture(c, "in.chp");
        const QString out = m_dir.filePath("out.chp");
        m_dialogs.fileNames << in << out;
        if (path == "keys") {
            QTest::keyClick(w, Qt::Key_O, Qt::ControlModifier);
            QCOMPARE(w->currentState(), c.filled());
            QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
        } else {
            QVERIFY(trigger(w, path == "menu" ? "mnuOpen" : "tbOpen"));
            QCOMPARE(w->currentState(), c.filled());
            QVERIFY(trigger(w, path == "menu" ? "mnuSave" : "tbSave"));
        }
        QCOMPARE(readBytes(out), readBytes(in));
        QCOMPARE(m_dialogs.texts(), QStringList{"Successfully Saved"});
        QCOMPARE(m_dialogs.fileFilters, QStringList(2, "chp(*.chp);;All Files(*.*)"));
        w->hide();
    }

    // A cancelled file dialog, and a chosen file that is gone, say nothing and change nothing.
    void cancelledFileDialogsAreSilent_data() { addFamilyRows(); }
    void cancelledFileDialogsAreSilent()
    {
        QFETCH(QString, family);
        mainFrm *w = make(familyCase(family));
        w->grid()->setCellText(1, 1, "446.00625");
        const EditorState before = w->currentState();
        QVERIFY(trigger(w, "mnuOpen"));
        QVERIFY(trigger(w, "mnuSave"));
        m_dialogs.fileNames.enqueue(m_dir.filePath("missing.chp"));
        QVERIFY(trigger(w, "mnuOpen"));
        QCOMPARE(m_dialogs.shown.size(), 0);
        QCOMPARE(m_dialogs.fileFilters.size(), 3);
        QCOMPARE(w->currentState(), before);
    }

    void writeThenReadGivesTheImageBack_data() { addFamilyRows(); }
    void writeThenReadGivesTheImageBack()
    {
        QFETCH(QString, family);
        const FamilyCase c = familyCase(family);
        mainFrm *w = make(c, true);
        w->applyState(c.filled());
        QVERIFY(trigger(w, "mnuWrite"));
        QCOMPARE(m_dialogs.shown.size(), 1); // the question before the write
        QTRY_COMPARE(m_radio->recordedFrames().size(), kBlockCount);
        QCOMPARE(m_radio->memory(), bytesOf(*c.build(c.filled(), Target::Radio)));
        QVERIFY(!w->port()->isOpen());

        w->applyState(c.startup());
        QVERIFY(trigger(w, "mnuRead"));
        QCOMPARE(m_dialogs.texts().last(), QString("Do you want to read the data from the transceiver?"));
        QCOMPARE(w->currentState(), c.filled());
        QVERIFY(!w->port()->isOpen());
    }

    // Three wrong passwords close the gate, also after an earlier success;
    // the right one opens the band editor.
    void testModeNeedsThePassword_data() { addFamilyRows(); }
    void testModeNeedsThePassword()
    {
        QFETCH(QString, family);
        mainFrm *w = make(familyCase(family));
        int editorOpened = 0;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (QWidget *m = QApplication::activeModalWidget(); m && m->objectName() == "frmMODE") {
                ++editorOpened;
                m->close();
            }
        });
        watch.start(10);
        whenModal([](QWidget *d) { login(d, "4815093"); }, "frmLogin");
        QVERIFY(trigger(w, "mnuTune"));
        QCOMPARE(editorOpened, 1);

        whenModal([](QWidget *d) {
            for (int i = 0; i < 3; ++i)
                login(d, "4815093 ");
        }, "frmLogin");
        QVERIFY(trigger(w, "mnuTune"));
        QCOMPARE(editorOpened, 1);
        QCOMPARE(m_dialogs.texts(), QStringList(3, "Wrong PassWord!Please try again"));
    }

    void portDialogSetsThePortOfTheNextTransfer_data() { addFamilyRows(); }
    void portDialogSetsThePortOfTheNextTransfer()
    {
        QFETCH(QString, family);
        mainFrm *w = make(familyCase(family));
        qputenv("RADIO_SERIAL_PORTS", "/dev/null:/dev/zero");
        whenModal([](QWidget *d) {
            d->findChild<QRadioButton *>("optDK1")->click();
            d->findChild<QPushButton *>("cmdQD")->click();
        }, "frmDK");
        QVERIFY(trigger(w, "mnuPort"));
        qunsetenv("RADIO_SERIAL_PORTS");
        QCOMPARE(w->portNumber(), 2);
        QCOMPARE(m_dialogs.texts(), QStringList{"Select COM2"});
    }

    // Each program's About box as Help > About opens it.
    void aboutThroughTheMenu_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("description"); // its first line
        QTest::addColumn<QString>("version");     // empty: no version line
        const QString twoModels =
            "Skua program software is a tool for programming QZ serials of QZ_152 and QZ_70 and so on.";
        QTest::newRow("Heron") << "Heron" << "About Heron" << "Heron" << twoModels << "Version\uFF1A1.0.0.1";
        QTest::newRow("Pelican") << "Pelican" << "About Pelican" << "Pelican" << twoModels << "Version\uFF1A1.0.0.2";
        QTest::newRow("Osprey") << "Osprey" << "About MyApp" << "QZ_311A/_311B VHF/UHF PC Program Software"
                                << "Osprey program software is a tool for programming QZ serials of QZ_311A and "
                                   "QZ_311B and so on."
                                << "";
    }
    void aboutThroughTheMenu()
    {
        QFETCH(QString, family);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QString, description);
        QFETCH(QString, version);
        mainFrm *w = make(familyCase(family));
        QStringList seen;
        whenModal([&](QWidget *d) {
            auto *versionLabel = d->findChild<QLabel *>("Label1");
            seen << d->windowTitle() << d->findChild<QLabel *>("lblTitle")->text()
                 << d->findChild<QLabel *>("lblDescription")->text().section('\n', 0, 0)
                 << (versionLabel->isVisibleTo(d) ? versionLabel->text() : QString());
            d->findChild<QPushButton *>("cmdOK")->click();
        }, "frmAbout");
        QVERIFY(trigger(w, "mnuAbout"));
        QCOMPARE(seen, (QStringList{caption, title, description, version}));
    }

    // F1 opens the program's help file; a missing one is said, and a program
    // without a help file says nothing.
    void helpKey_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("helpFile");
        QTest::newRow("Heron") << "Heron" << "";
        QTest::newRow("Pelican") << "Pelican" << "";
        QTest::newRow("Osprey") << "Osprey" << "Osprey Help.chm";
    }
    void helpKey()
    {
        QFETCH(QString, family);
        QFETCH(QString, helpFile);
        mainFrm *w = makeShown(familyCase(family));
        const QString help = helpFile.isEmpty() ? QString() : m_dir.filePath(helpFile);
        QCOMPARE(w->helpPath(), help);
        QTest::keyClick(w, Qt::Key_F1);
        QCOMPARE(m_dialogs.texts(), help.isEmpty() ? QStringList()
                                                   : QStringList{QString("The help file \"%1\" is missing.").arg(help)});
        w->hide();
    }

    // A click opens the frequency editor; Enter writes the row's defaults and
    // gives the keys back to the grid, where Down moves on. Nothing else moves.
    void frequencyEditorOpensOnClickAndEnterCommits_data() { addFamilyRows(); }
    void frequencyEditorOpensOnClickAndEnterCommits()
    {
        QFETCH(QString, family);
        mainFrm *w = makeShown(familyCase(family));
        auto *model = w->findChild<QComboBox *>("cboPCmodel");
        const QString modelBefore = model->currentText();
        QCOMPARE(w->findChild<QLabel *>("Label2")->text(), QString("400MHz---470MHz"));
        GridTable *t = w->grid()->grid();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(t->model()->index(0, 1)).center());
        auto *rx = w->grid()->findChild<QLineEdit *>("txtTxFreq");
        QVERIFY(rx->isVisible());
        QVERIFY(rx->hasFocus());
        QTest::keyClicks(rx, "446.00625");
        QTest::keyClick(rx, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), t);
        QCOMPARE(t->Row(), 1);
        QCOMPARE(t->Col(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(t->Row(), 2);
        QCOMPARE(model->currentText(), modelBefore);
        QCOMPARE(w->bandLabel(), QString("400MHz---470MHz"));
        QCOMPARE(w->grid()->channelTexts().at(0), (QStringList{"446.00625", "446.00625", "OFF", "OFF", "No", "W", "High"}));
        QCOMPARE(m_dialogs.shown.size(), 0);
        w->hide();
    }
};

QTEST_MAIN(TstSharedWindow)
#include "tst_sharedwindow.moc"
