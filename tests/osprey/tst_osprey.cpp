#include "FakeUserDialogs.h"
#include "SmallDisk.h"
#include "TestSupport.h"
#include "WhenModal.h"
#include "core/ChpFile.h"
#include "core/FamilyC.h"
#include "editor/ChannelGrid.h"
#include "editor/EndSignals.h"
#include "editor/mainFrm.h"
#include "osprey/OspreyFamily.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>
#include <csignal>
#include <unistd.h>

namespace {

using testsupport::whenModal;

const QByteArray kSixBands = "[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\nPL3=350MHz---390MHz\r\n"
                             "PL4=420MHz---450MHz\r\nPL5=200MHz---260MHz\r\nPL6=450MHz---512MHz\r\n";

using testsupport::readBytes;
using testsupport::trigger;
using testsupport::writeFile;

void login(QWidget *d)
{
    d->findChild<QLineEdit *>("txtPassword")->setText("4815093");
    d->findChild<QPushButton *>("cmdOK")->click();
}

void clickTreeItem(QWidget *editor, const QString &text)
{
    auto *tree = editor->findChild<QTreeWidget *>("tremode");
    const QList<QTreeWidgetItem *> items = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!items.isEmpty());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items.first()).center());
}

QStringList visibleFileItems(QMenu *file)
{
    QStringList items;
    for (QAction *a : file->actions())
        if (a->isVisible())
            items << (a->isSeparator() ? "-" : a->text());
    return items;
}

} // namespace

class TstOsprey : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    std::unique_ptr<mainFrm> m_window;

    QString ini() const { return m_dir.filePath("Sfc.ini"); }

    mainFrm *make(const QByteArray &settings = QByteArray())
    {
        m_window.reset();
        QFile::remove(ini());
        if (!settings.isEmpty())
            writeFile(ini(), settings);
        m_dialogs = FakeUserDialogs();
        mainFrm::Environment env{m_dir.path(), m_dir.path(), {}};
        m_window = std::make_unique<mainFrm>(OspreyFamily(), m_dialogs, env);
        m_window->Form_Activate();
        return m_window.get();
    }
    template <class T>
    T *child(const QString &name) { return m_window->findChild<T *>(name); }
    QComboBox *combo(const QString &name) { return child<QComboBox>(name); }
    void chooseModel(int position)
    {
        combo("cboPCmodel")->setCurrentIndex(position);
        emit combo("cboPCmodel")->activated(position);
    }
    // Test Mode with the password; act runs in the band editor.
    void inBandEditor(std::function<void(QWidget *)> act)
    {
        whenModal([act](QWidget *d) {
            login(d);
            whenModal(act, "frmMODE");
        }, "frmLogin");
        QVERIFY(trigger(m_window.get(), "mnuTune"));
    }
    void mouseClickCell(int r, int c)
    {
        GridTable *t = m_window->grid()->grid();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(t->model()->index(r - 1, c)).center());
    }

private slots:
    void startsWithTheFixedModelList()
    {
        mainFrm *w = make(kSixBands);
        QCOMPARE(w->windowTitle(), QString("Kestrel serials programming software"));
        QCOMPARE(m_dialogs.shown.size(), 0); // no model dialog, now or at any activation
        QVERIFY(!QApplication::activeModalWidget());
        QStringList items;
        for (int i = 0; i < combo("cboPCmodel")->count(); ++i)
            items << combo("cboPCmodel")->itemText(i);
        QCOMPARE(items, (QStringList{"QZ--311B(1)", "QZ--311B(2)", "QZ--311B(3)", "QZ--311B(4)", "QZ--311A(1)", "QZ--311A(2)"}));
        QCOMPARE(combo("cboFuncTOT")->itemText(0), QString("Off"));
        QCOMPARE(combo("cboFuncTOT")->currentText(), QString("Off"));
        QCOMPARE(w->bands().pl6, QString("450MHz---512MHz"));

        const QStringList hex{"11", "12", "13", "14", "24", "25"};
        const QStringList decimal{"17", "18", "19", "20", "36", "37"};
        const QStringList band{"400MHz---470MHz", "136MHz---174MHz", "350MHz---390MHz", "450MHz---512MHz",
                               "420MHz---450MHz", "200MHz---260MHz"};
        for (int i = 0; i < 6; ++i) {
            chooseModel(i);
            QCOMPARE(w->modelHex(), hex[i]);
            QCOMPARE(w->modelByte(), decimal[i]);
            QCOMPARE(w->bandLabel(), band[i]);
            w->Form_Activate();
            QCOMPARE(w->bandLabel(), band[i]);
        }

        make();
        QCOMPARE(m_window->bandLabel(), QString());
        QCOMPARE(m_window->modelHex(), QString("11"));
    }

    void menusAndToolbar()
    {
        make();
        QVERIFY(!child<QAction>("mnuNew"));
        QVERIFY(!child<QAction>("mnuPrintPreview"));
        QCOMPARE(visibleFileItems(child<QMenu>("mnuFile")),
                 (QStringList{"Open(&O)", "Save as...(&S)", "-", "Print(&P)", "-", "Exit(&X)"}));
        QCOMPARE(child<QAction>("mnuPreview")->shortcut().toString(), QString("Ctrl+P"));
        QStringList texts, tips;
        for (QAction *a : child<QToolBar>("tbToolBar")->actions()) {
            texts << a->text();
            tips << a->toolTip();
        }
        QCOMPARE(texts, (QStringList{"Open", "Save", "Print", "Read", "Write"}));
        QCOMPARE(tips, (QStringList{"打开", "另存", "打印", "读频", "写频"}));

        // Exact texts only: "open" and "print" do nothing, "Open" asks for a file.
        for (const QString &text : {QStringLiteral("open"), QStringLiteral("print"), QStringLiteral("New"), QStringLiteral("SAVE")})
            m_window->tbToolBar_ButtonClick(text);
        QCOMPARE(m_dialogs.fileFilters.size(), 0);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(trigger(m_window.get(), "tbOpen"));
        QVERIFY(trigger(m_window.get(), "tbSave"));
        QCOMPARE(m_dialogs.fileFilters.size(), 2);
    }

    void statusBarShowsCaptionDateAndTime()
    {
        mainFrm *w = make();
        QCOMPARE(child<QLabel>("sbCaption")->text(), QString("Kestrel serials programming software"));
        QVERIFY(w->statusBar()->isVisibleTo(w));
        const QLocale locale;
        QCOMPARE(child<QLabel>("sbDate")->text(), locale.toString(QDate::currentDate(), QLocale::ShortFormat));
        // Kept current: within a second and a bit it shows the clock's time.
        QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>("sbTime")->text(),
                                  locale.toString(QTime::currentTime(), QLocale::ShortFormat), 1500);
        const QString first = child<QLabel>("sbTime")->text();
        if (locale.timeFormat(QLocale::ShortFormat).contains('s'))
            QTRY_VERIFY_WITH_TIMEOUT(child<QLabel>("sbTime")->text() != first, 1500);
    }

    void otherModelEmptiesTheGridActivationKeepsIt()
    {
        mainFrm *w = make(kSixBands);
        w->grid()->setCellText(1, 1, "462.56250");
        w->grid()->setCellText(16, 7, "Low");
        w->Form_Activate();
        QCOMPARE(w->grid()->cellText(1, 1), QString("462.56250"));
        chooseModel(2);
        for (const QStringList &row : w->grid()->channelTexts())
            QCOMPARE(row, QStringList(7, QString()));
        QCOMPARE(w->grid()->rows(), 17);
        QCOMPARE(w->grid()->cellText(0, 5), QString("Busy "));
        QCOMPARE(w->grid()->cellText(16, 0), QString("16"));
    }

    void resizeKeepsControlsAndChannels()
    {
        mainFrm *w = make();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->grid()->setCellText(3, 1, "462.56250");
        const QRect label = child<QLabel>("Label2")->geometry();
        const int width = w->grid()->grid()->ColWidth(1);
        w->resize(w->size() * 2);
        QTRY_VERIFY(w->centralWidget()->width() > 1500);
        QCOMPARE(child<QLabel>("Label2")->geometry(), label);
        QCOMPARE(w->grid()->grid()->ColWidth(1), width);
        QCOMPARE(w->grid()->cellText(3, 1), QString("462.56250"));
        w->hide();
    }

    void gridTakesPicksOnlyAndOverwritesTheRow()
    {
        mainFrm *w = make(kSixBands);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        ChannelGrid *g = w->grid();
        auto *items = g->findChild<QComboBox *>("cmbCKTX1");
        auto *tones = g->findChild<QComboBox *>("cmbCKTX2");

        // A Busy cell holding "Yes" opens its list with nothing selected; the cell keeps "Yes".
        g->setCellText(2, 5, "Yes");
        mouseClickCell(2, 5);
        QVERIFY(items->isVisible());
        QCOMPARE(items->currentIndex(), -1);
        QCOMPARE(g->cellText(2, 5), QString("Yes"));

        // Typing into the tone list and Enter change nothing and ask nothing.
        g->setCellText(3, 3, "OFF");
        mouseClickCell(3, 3);
        QTest::mouseClick(tones->lineEdit(), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), "D023N");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(g->cellText(3, 3), QString("OFF"));
        QVERIFY(tones->isVisible());
        QCOMPARE(m_dialogs.shown.size(), 0);
        // A pick of the whole tone gives the index list's text.
        tones->setCurrentIndex(1);
        emit tones->activated(1);
        QCOMPARE(g->cellText(3, 3), QString("67"));

        // A new valid RX frequency overwrites the whole row.
        g->setChannelTexts({{}, {}, {}, {"440.00000", "445.00000", "D023N", "67", "Yes", "N", "Low"}});
        mouseClickCell(4, 1);
        auto *rx = g->findChild<QLineEdit *>("txtTxFreq");
        QTest::keyClicks(rx, "462.5625");
        QTest::keyClick(rx, Qt::Key_Return);
        QCOMPARE(g->channelTexts().at(3), (QStringList{"462.56250", "462.56250", "OFF", "OFF", "No", "W", "High"}));

        // One that fails the range check changes nothing else.
        g->setChannelTexts({{}, {}, {}, {"440.00000", "445.00000", "D023N", "67", "Yes", "N", "Low"}});
        mouseClickCell(4, 1);
        QTest::keyClicks(rx, "480");
        QTest::keyClick(rx, Qt::Key_Return);
        QCOMPARE(g->channelTexts().at(3), (QStringList{"", "445.00000", "D023N", "67", "Yes", "N", "Low"}));
        QCOMPARE(m_dialogs.texts(), QStringList{"Please input in correct range"});
        w->hide();
    }

    void bandEditorListsTheSixModelsAndSavesTheirKeys()
    {
        mainFrm *w = make(kSixBands);
        chooseModel(3);
        QStringList seen;
        inBandEditor([&](QWidget *e) {
            auto *models = e->findChild<QComboBox *>("cboPCmodel0");
            auto *power = e->findChild<QComboBox *>("cboPCmodel1");
            for (int i = 0; i < models->count(); ++i)
                seen << models->itemText(i) + "|" + power->itemText(i);
            // Opens on the window's position 3, whose band is PL6.
            seen << e->findChild<QLineEdit *>("Text2")->text() + "-" + e->findChild<QLineEdit *>("Text1")->text();
            e->findChild<QLineEdit *>("Text2")->setText("440");
            e->findChild<QLineEdit *>("Text1")->setText("480");
            clickTreeItem(e, "Save and Exit");
        });
        QCOMPARE(seen.size(), 7);
        QCOMPARE(seen[3], QString("QZ--311B(4)|QZ--311B(4)"));
        QCOMPARE(seen[6], QString("450-512"));
        QCOMPARE(w->bands().pl6, QString("440MHz---480MHz"));
        QCOMPARE(w->bandLabel(), QString("440MHz---480MHz"));
        QVERIFY(readBytes(ini()).contains("PL6=440MHz---480MHz\r\n"));
        QVERIFY(readBytes(ini()).contains("PL4=420MHz---450MHz\r\n"));

        // Position 4 edits PL4.
        inBandEditor([](QWidget *e) {
            e->findChild<QComboBox *>("cboPCmodel0")->setCurrentIndex(4);
            QCOMPARE(e->findChild<QLineEdit *>("Text2")->text(), QString("420"));
            e->findChild<QLineEdit *>("Text1")->setText("460");
            clickTreeItem(e, "Save and Exit");
        });
        QCOMPARE(w->bands().PL4, QString("420MHz---460MHz"));
        QVERIFY(readBytes(ini()).contains("PL4=420MHz---460MHz\r\n"));
        QVERIFY(readBytes(ini()).contains("PL6=440MHz---480MHz\r\n"));
        QCOMPARE(m_dialogs.shown.size(), 0);
    }

    void closingTheBandEditorKeepsTheFile()
    {
        mainFrm *w = make(kSixBands);
        inBandEditor([](QWidget *e) {
            e->findChild<QLineEdit *>("Text1")->setText("480");
            e->close();
        });
        QCOMPARE(w->bands().PL1, QString("400MHz---480MHz"));
        QCOMPARE(readBytes(ini()), kSixBands);
    }

    void oneEmptyLimitSavesNothing()
    {
        mainFrm *w = make(kSixBands);
        inBandEditor([](QWidget *e) {
            e->findChild<QLineEdit *>("Text1")->clear();
            clickTreeItem(e, "Save and Exit");
        });
        QCOMPARE(w->bands().PL1, QString("400MHz---470MHz"));
        QCOMPARE(readBytes(ini()), kSixBands);

        make();
        inBandEditor([](QWidget *e) {
            e->findChild<QLineEdit *>("Text2")->setText("400");
            clickTreeItem(e, "Save and Exit");
        });
        QCOMPARE(m_window->bands().PL1, QString());
        QVERIFY(!QFile::exists(ini()));
    }

    void firstSaveCreatesTheSettingsFile()
    {
        mainFrm *w = make();
        inBandEditor([](QWidget *e) {
            e->findChild<QComboBox *>("cboPCmodel0")->setCurrentIndex(5);
            e->findChild<QLineEdit *>("Text2")->setText("136");
            e->findChild<QLineEdit *>("Text1")->setText("174");
            clickTreeItem(e, "Save and Exit");
        });
        QCOMPARE(w->bands().pl5, QString("136MHz---174MHz"));
        QCOMPARE(readBytes(ini()), QByteArray("[Frequent]\r\nPL5=136MHz---174MHz\r\n"));
        // The next start reads it.
        make(readBytes(ini()));
        QCOMPARE(m_window->bands().pl5, QString("136MHz---174MHz"));
    }

    void settingsFileInAnyCaseIsTheOneFile()
    {
        // An upper-case file is read at start, written by Save and Exit, and read again at the next start.
        QFile::remove(ini());
        const QString upper = m_dir.filePath("SFC.INI");
        writeFile(upper, "[Frequent]\r\nPL2=136MHz---174MHz\r\n");
        m_dialogs = FakeUserDialogs();
        m_window = std::make_unique<mainFrm>(OspreyFamily(), m_dialogs, mainFrm::Environment{m_dir.path(), m_dir.path(), {}});
        m_window->Form_Activate();
        QCOMPARE(m_window->bands().PL2, QString("136MHz---174MHz"));
        inBandEditor([](QWidget *e) {
            e->findChild<QLineEdit *>("Text2")->setText("400");
            e->findChild<QLineEdit *>("Text1")->setText("470");
            clickTreeItem(e, "Save and Exit");
        });
        QVERIFY(!QFile::exists(ini()));
        QCOMPARE(readBytes(upper), QByteArray("[Frequent]\r\nPL2=136MHz---174MHz\r\nPL1=400MHz---470MHz\r\n"));
        m_window = std::make_unique<mainFrm>(OspreyFamily(), m_dialogs, mainFrm::Environment{m_dir.path(), m_dir.path(), {}});
        QCOMPARE(m_window->bands().PL1, QString("400MHz---470MHz"));
        QCOMPARE(m_window->bandLabel(), QString("400MHz---470MHz"));
        QFile::remove(upper);
    }

    void unwritableSettingsFileIsReported()
    {
        make(kSixBands);
        QFile::setPermissions(ini(), QFileDevice::ReadOwner);
        inBandEditor([](QWidget *e) {
            e->findChild<QLineEdit *>("Text1")->setText("480");
            clickTreeItem(e, "Save and Exit");
        });
        QFile::setPermissions(ini(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY2(m_dialogs.shown[0].text.contains(ini()), qPrintable(m_dialogs.shown[0].text));
        QCOMPARE(readBytes(ini()), kSixBands);
    }

    // Save and Exit on a full disk: the band is kept in the window, the
    // failure is told with its cause, and Sfc.ini stays as it was.
    void saveAndExitOnAFullDiskKeepsTheSettingsFile_data()
    {
        testsupport::SmallDisk::addFreeSpaceRows();
    }
    void saveAndExitOnAFullDiskKeepsTheSettingsFile()
    {
        QFETCH(qint64, freeBytes);
        testsupport::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(disk.why());
        // Larger than the free space, so that a cut copy would show.
        QByteArray settings = kSixBands + "[Notes]\r\n";
        for (int i = 0; settings.size() < 6000; ++i)
            settings += "note" + QByteArray::number(i) + "=" + QByteArray(60, 'n') + "\r\n";
        const QString path = disk.filePath("Sfc.ini");
        writeFile(path, settings);
        QVERIFY(disk.fill(freeBytes));
        m_dialogs = FakeUserDialogs();
        m_window = std::make_unique<mainFrm>(OspreyFamily(), m_dialogs, mainFrm::Environment{disk.path(), m_dir.path(), {}});
        m_window->Form_Activate();

        inBandEditor([](QWidget *e) {
            e->findChild<QLineEdit *>("Text1")->setText("480");
            clickTreeItem(e, "Save and Exit");
        });
        QCOMPARE(m_window->bands().PL1, QString("400MHz---480MHz"));
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY2(m_dialogs.shown[0].text.contains("No space left on device"), qPrintable(m_dialogs.shown[0].text));
        QVERIFY2(m_dialogs.shown[0].text.contains(path), qPrintable(m_dialogs.shown[0].text));
        QCOMPARE(readBytes(path), settings);
        QCOMPARE(disk.files(), QStringList{"Sfc.ini"});
        m_window.reset();
    }

    void settingsFileThatIsAFolderIsReported()
    {
        make();
        QVERIFY(QDir(m_dir.path()).mkdir("Sfc.ini"));
        inBandEditor([](QWidget *e) {
            e->findChild<QLineEdit *>("Text2")->setText("400");
            e->findChild<QLineEdit *>("Text1")->setText("470");
            clickTreeItem(e, "Save and Exit");
        });
        QDir(m_dir.filePath("Sfc.ini")).removeRecursively();
        QCOMPARE(m_window->bands().PL1, QString("400MHz---470MHz"));
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY2(m_dialogs.shown[0].text.contains(ini()), qPrintable(m_dialogs.shown[0].text));
    }

    void helpContentRunsTheViewer()
    {
        const QString help = m_dir.filePath("Osprey Help.chm");
        // The viewer's exit status is its own business, once it has started.
        writeFile(help, "ITSF");
        const QString viewer = m_dir.filePath("viewer.sh");
        const QString opened = m_dir.filePath("opened.txt");
        writeFile(viewer, QStringLiteral("#!/bin/sh\necho \"$1\" > '%1'\nexit \"$VIEWER_EXIT\"\n").arg(opened).toUtf8());
        QFile::setPermissions(viewer, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        mainFrm::Environment env{m_dir.path(), m_dir.path(), {}};
        env.helpViewer = viewer;
        m_dialogs = FakeUserDialogs();
        m_window = std::make_unique<mainFrm>(OspreyFamily(), m_dialogs, env);
        qputenv("VIEWER_EXIT", "3");
        QVERIFY(trigger(m_window.get(), "mnuIndex"));
        QTRY_VERIFY(QFile::exists(opened));
        QTRY_COMPARE(readBytes(opened), (help + "\n").toUtf8());
        QTest::qWait(100);
        QCOMPARE(m_dialogs.shown.size(), 0);

        env.helpViewer = m_dir.filePath("no-such-viewer");
        m_dialogs = FakeUserDialogs();
        m_window = std::make_unique<mainFrm>(OspreyFamily(), m_dialogs, env);
        QVERIFY(trigger(m_window.get(), "mnuIndex"));
        QTRY_COMPARE(m_dialogs.shown.size(), 1);
        QVERIFY(m_dialogs.shown[0].text.contains(help));
        QFile::remove(help);
    }

    // The viewer lives on its own: however the program ends, or the viewer
    // does, nothing is said and nothing breaks.
    void endingWithTheHelpViewerOpen_data()
    {
        QTest::addColumn<QString>("ending");
        for (const char *row : {"File > Exit", "close box", "SIGTERM", "viewer killed"})
            QTest::newRow(row) << QString::fromLatin1(row);
    }
    void endingWithTheHelpViewerOpen()
    {
        QFETCH(QString, ending);
        writeFile(m_dir.filePath("Osprey Help.chm"), "ITSF");
        const QString pidFile = m_dir.filePath("viewer.pid");
        QFile::remove(pidFile);
        const QString viewer = m_dir.filePath("sleeping-viewer.sh");
        writeFile(viewer, QStringLiteral("#!/bin/sh\necho $$ > '%1'\nexec sleep 30\n").arg(pidFile).toUtf8());
        QFile::setPermissions(viewer, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        mainFrm::Environment env{m_dir.path(), m_dir.path(), {}};
        env.helpViewer = viewer;
        m_dialogs = FakeUserDialogs();
        m_window = std::make_unique<mainFrm>(OspreyFamily(), m_dialogs, env);
        mainFrm *w = m_window.get();
        EndSignals ends;
        connect(&ends, &EndSignals::received, w, &mainFrm::endProgram);
        QSignalSpy ended(w, &mainFrm::programEnded);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_F1);
        QTRY_VERIFY(readBytes(pidFile).trimmed().toLongLong() > 0);
        const pid_t pid = pid_t(readBytes(pidFile).trimmed().toLongLong());
        const auto alive = [pid] { return ::kill(pid, 0) == 0; };
        QVERIFY(alive());

        if (ending == "File > Exit") {
            QVERIFY(trigger(w, "mnuExit"));
        } else if (ending == "close box") {
            w->close();
        } else if (ending == "SIGTERM") {
            ::kill(::getpid(), SIGTERM);
            QTRY_COMPARE(ended.count(), 1);
        } else {
            ::kill(pid, SIGKILL);
            QTRY_VERIFY(!alive());
            QTest::qWait(100);
            QVERIFY(w->isVisible());
            w->close();
        }
        QVERIFY(!w->isVisible());
        m_window.reset();
        QTest::qWait(100);
        QCOMPARE(m_dialogs.texts(), QStringList());
        // The viewer outlives the program.
        if (ending != "viewer killed") {
            QVERIFY(alive());
            ::kill(pid, SIGKILL);
        }
    }

    // A load replaces the channels under an open editor: the editor goes, and
    // an Enter after it writes nothing over the loaded channel.
    void openHidesTheOpenEditor()
    {
        mainFrm *w = make(kSixBands);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        core::EditorState s = core::familyC::StartupState();
        for (QStringList &row : s.channels)
            row = {"OFF", "OFF", "OFF", "OFF", "No", "W", "High"};
        s.channels[0] = {"462.56250", "450.00000", "67", "D047I", "Yes", "N", "Middle"};
        const QString in = m_dir.filePath("in.chp");
        QVERIFY(core::chp::Save(in, *core::familyC::BuildImage(s, core::Target::File)).ok());

        mouseClickCell(1, 1);
        auto *rx = w->grid()->findChild<QLineEdit *>("txtTxFreq");
        QVERIFY(rx->isVisible());
        QTest::keyClicks(rx, "440");
        m_dialogs.fileNames.enqueue(in);
        QVERIFY(trigger(w, "mnuOpen"));
        QVERIFY(rx->isHidden());
        QCOMPARE(w->grid()->channelTexts().at(0), s.channels[0]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w->grid()->channelTexts().at(0), s.channels[0]);
        QCOMPARE(m_dialogs.shown.size(), 0);
        w->hide();
    }

    void openAndSaveAs()
    {
        mainFrm *w = make(kSixBands);
        core::EditorState s = core::familyC::StartupState();
        s.variant = 5;
        s.lists = {1, 1, 0, 7, 1, 2};
        s.band.sPower = 3;
        for (QStringList &row : s.channels)
            row = {"OFF", "OFF", "OFF", "OFF", "No", "W", "High"};
        s.channels[0] = {"462.56250", "462.56250", "67", "D047I", "Yes", "N", "Middle"};
        s.channels[15] = {"136.00000", "OFF", "254.1", "D754N", "No", "W", "Low"};
        const QString in = m_dir.filePath("in.chp");
        QVERIFY(core::chp::Save(in, *core::familyC::BuildImage(s, core::Target::File)).ok());
        w->grid()->setCellText(8, 2, "440.00000");
        m_dialogs.fileNames.enqueue(in);
        QVERIFY(trigger(w, "mnuOpen"));
        QCOMPARE(combo("cboPCmodel")->currentText(), QString("QZ--311A(2)"));
        QCOMPARE(w->bandLabel(), QString("200MHz---260MHz"));
        QCOMPARE(combo("cboFuncTOT")->currentText(), QString("Off"));
        const core::EditorState loaded = w->currentState();
        QCOMPARE(loaded.variant, s.variant);
        QCOMPARE(loaded.lists, s.lists);
        QCOMPARE(loaded.band, s.band);
        QCOMPARE(loaded.channels, s.channels);
        QCOMPARE(w->grid()->cellText(8, 2), QString("OFF"));

        const QString out = m_dir.filePath("out.chp");
        m_dialogs.fileNames.enqueue(out);
        QVERIFY(trigger(w, "mnuSave"));
        QCOMPARE(readBytes(out), readBytes(in));
        QCOMPARE(m_dialogs.texts(), QStringList{"Successfully Saved"});

        // A model code outside the table is refused whole; the window stays.
        QStringList lines = QString::fromLatin1(readBytes(in)).split("\r\n", Qt::SkipEmptyParts);
        lines[0].replace(12, 2, "53");
        writeFile(in, testsupport::crlf(lines));
        chooseModel(1);
        const core::EditorState before = w->currentState();
        m_dialogs.fileNames.enqueue(in);
        QVERIFY(trigger(w, "mnuOpen"));
        QCOMPARE(combo("cboPCmodel")->currentIndex(), 1);
        QCOMPARE(w->currentState(), before);
        QCOMPARE(m_dialogs.texts().last(), QString("The model code 0x53 names none of this program's models; nothing was loaded."));
    }
};

QTEST_MAIN(TstOsprey)
#include "tst_osprey.moc"
