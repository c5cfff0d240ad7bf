#include "FakeUserDialogs.h"
#include "SmallDisk.h"
#include "TestSupport.h"
#include "WhenModal.h"
#include "Wheel.h"
#include "core/ChpFile.h"
#include "editor/ChannelGrid.h"
#include "editor/mainFrm.h"
#include "heron/HeronFamily.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

namespace {

using testsupport::crlf;
using testsupport::readBytes;
using testsupport::startupFile;
using testsupport::trigger;
using testsupport::wheel;
using testsupport::whenModal;
using testsupport::writeFile;

void whenModalOf(const QString &name, std::function<void(QWidget *)> act)
{
    testsupport::whenModal(std::move(act), name);
}

const QByteArray kBands = "[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\n";

void clickCell(GridTable *t, int r, int c)
{
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(t->model()->index(r - 1, c)).center());
}

void login(QWidget *d, const QString &password)
{
    d->findChild<QLineEdit *>("txtPassword")->setText(password);
    d->findChild<QPushButton *>("cmdOK")->click();
}

} // namespace

class TstMainFrm : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeUserDialogs m_dialogs;
    std::unique_ptr<mainFrm> m_window;

    // A window past its first activation, whose model question was answered with OK.
    mainFrm *make(const QByteArray &ini = QByteArray(), bool activate = true)
    {
        QFile::remove(m_dir.filePath("Sfc.ini"));
        if (!ini.isEmpty())
            writeFile(m_dir.filePath("Sfc.ini"), ini);
        m_dialogs = FakeUserDialogs();
        mainFrm::Environment env{m_dir.path(), m_dir.path(), {}};
        m_window = std::make_unique<mainFrm>(HeronFamily(), m_dialogs, env);
        if (activate) {
            whenModal([](QWidget *d) { d->findChild<QPushButton *>("cmdOK")->click(); });
            m_window->Form_Activate();
        }
        return m_window.get();
    }
    template <class T>
    T *child(const QString &name) { return m_window->findChild<T *>(name); }
    QComboBox *combo(const QString &name) { return child<QComboBox>(name); }

private slots:
    // The settings file beside the program is found in any spelling of its name.
    void bandTextsFromSettingsInAnyCase_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Sfc.ini", "SFC.INI", "sfc.INI"})
            QTest::newRow(name) << QString(name);
    }
    void bandTextsFromSettingsInAnyCase()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        writeFile(dir.filePath(name), "[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\n");
        mainFrm w(HeronFamily(), m_dialogs, mainFrm::Environment{dir.path(), dir.path(), {}});
        QCOMPARE(w.bands().PL1, QString("400MHz---470MHz"));
        QCOMPARE(w.bands().PL2, QString("136MHz---174MHz"));
        QCOMPARE(w.bandLabel(), QString("400MHz---470MHz"));
    }

    void startupState()
    {
        mainFrm *w = make("[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\n");
        QCOMPARE(w->bands().PL1, QString("400MHz---470MHz"));
        QCOMPARE(w->bands().PL2, QString("136MHz---174MHz"));
        QCOMPARE(w->bandLabel(), QString("400MHz---470MHz"));
        QCOMPARE(combo("cboPCmodel")->count(), 2);
        QCOMPARE(combo("cboPCmodel")->itemText(0), QString("QZ70(U)"));
        QCOMPARE(combo("cboPCmodel")->itemText(1), QString("QZ70(V)"));
        const QStringList lists{"cboFuncMoni", "cbosd", "cboFuncTOT", "cboFuncSQL", "cboFuncSave", "cboYYBP"};
        const QStringList texts{"Enable", "Yes", "OFF", "4", "Enable", "Off"};
        for (int i = 0; i < lists.size(); ++i)
            QCOMPARE(combo(lists[i])->currentText(), texts[i]);
        QCOMPARE(w->modelHex(), QString("53"));
        QCOMPARE(w->modelByte(), QString("83"));
        QCOMPARE(w->optionByte(), QString("0"));
        QCOMPARE(w->voiceByte(), QString("255"));
        QCOMPARE(w->channelCount(), 16);
        QCOMPARE(w->band().sPower, 5);
        QVERIFY(!w->port()->isOpen());
        QCOMPARE(w->grid()->channelTexts().size(), 16);
        QCOMPARE(m_dialogs.shown.size(), 0);

        make();
        QCOMPARE(m_window->bandLabel(), QString());
    }

    void handlersKeepDerivedBytes()
    {
        mainFrm *w = make();
        combo("cboPCmodel")->setCurrentIndex(1);
        emit combo("cboPCmodel")->activated(1);
        QCOMPARE(w->modelHex(), QString("54"));
        combo("cboFuncMoni")->setCurrentIndex(1);
        emit combo("cboFuncMoni")->activated(1);
        QCOMPARE(w->optionByte(), QString("128"));
        combo("cboYYBP")->setCurrentIndex(2);
        emit combo("cboYYBP")->activated(2);
        QCOMPARE(w->voiceByte(), QString("1"));
        // Activation refreshes the band label and the option byte from the band editor.
        core::BandTexts bands = w->bands();
        bands.PL2 = "136MHz---174MHz";
        w->setBands(bands);
        core::BandOptions band = w->band();
        band.crystal14MHz = true;
        w->setBand(band);
        w->Form_Activate();
        QCOMPARE(w->bandLabel(), QString("136MHz---174MHz"));
        QCOMPARE(w->optionByte(), QString("160"));
    }

    void firstActivationAsksForTheModel()
    {
        mainFrm *w = make(QByteArray(), false);
        whenModal([](QWidget *d) {
            auto *list = d->findChild<QComboBox *>("cmbJX");
            list->setCurrentIndex(1);
            d->findChild<QPushButton *>("cmdOK")->click();
        });
        w->Form_Activate();
        QCOMPARE(combo("cboPCmodel")->itemText(0), QString("QZ236(U)"));
        QCOMPARE(w->modelHex(), QString("51"));
        QCOMPARE(w->modelAnswer(), QString("QZ236"));
        w->Form_Activate(); // only the first activation asks
        QCOMPARE(combo("cboPCmodel")->itemText(0), QString("QZ236(U)"));
    }

    void startupStateSavesTheStartupFile()
    {
        make();
        const QString path = m_dir.filePath("start up.chp");
        m_dialogs.fileNames.enqueue(path);
        QVERIFY(trigger(m_window.get(), "mnuSave"));
        QCOMPARE(readBytes(path), crlf(startupFile()));
        QCOMPARE(m_dialogs.texts(), QStringList{"Successfully Saved"});
        QCOMPARE(m_dialogs.fileFilters, QStringList{"chp(*.chp);;All Files(*.*)"});
    }

    void craftedFileLoadsAndSavesBackUnchanged()
    {
        mainFrm *w = make();
        QStringList lines = startupFile();
        lines[0] = "52 00 00 08 52 FF FF FF C0 1E 09 32";
        lines[1] = "52 00 08 08 01 00 FF FF FF FF FF FF";
        lines[2] = "52 00 10 08 50 62 25 46 50 62 25 46";
        lines[3] = "52 00 18 08 70 06 23 80 00 FC 55 FF";
        lines[32] = "52 01 00 08 00 00 60 13 00 00 60 13";
        lines[33] = "52 01 08 08 54 C7 41 25 FF FF 00 FF";
        const QString in = m_dir.filePath("crafted ä.chp");
        writeFile(in, crlf(lines));
        m_dialogs.fileNames.enqueue(in);
        QVERIFY(trigger(w, "mnuOpen"));
        QCOMPARE(combo("cboPCmodel")->currentText(), QString("QZ236(V)"));
        QCOMPARE(combo("cboFuncMoni")->currentText(), QString("Disable"));
        QCOMPARE(combo("cbosd")->currentText(), QString("No"));
        QCOMPARE(combo("cboFuncTOT")->currentText(), QString("300s"));
        QCOMPARE(combo("cboFuncSQL")->currentText(), QString("9"));
        QCOMPARE(combo("cboYYBP")->currentText(), QString("English"));
        QCOMPARE(combo("cboFuncSave")->currentText(), QString("Disable"));
        QCOMPARE(w->band().sPower, 10);
        QCOMPARE(w->grid()->channelTexts().at(0),
                 (QStringList{"462.56250", "462.56250", "67.0", "D023N", "Yes", "N", "Middle"}));
        QCOMPARE(w->grid()->channelTexts().at(15), (QStringList{"136.00000", "136.00000", "D754I", "254.1", "No", "W", "Low"}));

        const QString out = m_dir.filePath("out.chp");
        m_dialogs.fileNames.enqueue(out);
        QVERIFY(trigger(w, "mnuSave"));
        QCOMPARE(readBytes(out), crlf(lines));
    }

    void badFileLeavesTheWindowAsItWas_data()
    {
        QTest::addColumn<QByteArray>("content");
        QStringList truncated = startupFile().mid(0, 20);
        QStringList badToken = startupFile();
        badToken[10] = "52 00 50 08 FF FF ZZ FF FF FF FF FF";
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary") << QByteArray("\x7f\x45\x4c\x46\x02\x01\x00\x00", 8);
        QTest::newRow("truncated") << crlf(truncated);
        QTest::newRow("bad token") << crlf(badToken);
        QStringList noFrequency = startupFile();
        noFrequency[10] = "52 00 50 08 50 62 2A 46 FF FF FF FF"; // hex, but no frequency a cell saves back
        QTest::newRow("code with no cell") << crlf(noFrequency);
    }
    void badFileLeavesTheWindowAsItWas()
    {
        QFETCH(QByteArray, content);
        mainFrm *w = make();
        w->grid()->setCellText(1, 1, "462.56250");
        combo("cboFuncSQL")->setCurrentIndex(7);
        const core::EditorState before = w->currentState();
        const QString path = m_dir.filePath("bad.chp");
        writeFile(path, content);
        m_dialogs.fileNames.enqueue(path);
        QVERIFY(trigger(w, "mnuOpen"));
        QCOMPARE(w->currentState(), before);
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown[0].icon, UserDialogs::Icon::Information);
    }

    void saveReplacesAnExistingFileWhole()
    {
        make();
        const QString path = m_dir.filePath("old.chp");
        writeFile(path, QByteArray(20000, 'x'));
        m_dialogs.fileNames.enqueue(path);
        QVERIFY(trigger(m_window.get(), "mnuSave"));
        QCOMPARE(readBytes(path), crlf(startupFile()));
    }

    void failedSaveIsReported()
    {
        make();
        m_dialogs.fileNames.enqueue(m_dir.filePath("no such folder/x.chp"));
        QVERIFY(trigger(m_window.get(), "mnuSave"));
        QCOMPARE(m_dialogs.shown.size(), 1);
        QCOMPARE(m_dialogs.shown[0].title, QString("错误"));
        QCOMPARE(m_dialogs.shown[0].icon, UserDialogs::Icon::Critical);
        QVERIFY(m_dialogs.shown[0].text.contains("no such folder"));
    }

    // Save as over an old file on a full disk: a failure that names the
    // cause, the old file as it was and no temporary file left.
    void saveAsOnAFullDiskKeepsTheOldFile_data()
    {
        testsupport::SmallDisk::addFreeSpaceRows();
    }
    void saveAsOnAFullDiskKeepsTheOldFile()
    {
        QFETCH(qint64, freeBytes);
        make();
        testsupport::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(disk.why());
        QStringList lines = startupFile();
        lines[2] = "52 00 10 08 50 62 25 46 50 62 25 46";
        const QByteArray old = crlf(lines);
        const QString path = disk.filePath("old.chp");
        writeFile(path, old);
        QVERIFY(disk.fill(freeBytes));

        m_dialogs.fileNames.enqueue(path);
        QVERIFY(trigger(m_window.get(), "mnuSave"));
        QCOMPARE(m_dialogs.shown.size(), 1);
        QVERIFY2(m_dialogs.shown[0].text.contains("No space left on device"), qPrintable(m_dialogs.shown[0].text));
        QCOMPARE(m_dialogs.shown[0].icon, UserDialogs::Icon::Critical);
        QCOMPARE(readBytes(path), old);
        QCOMPARE(disk.files(), QStringList{"old.chp"});
    }

    void menuTree_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("New") << "mnuNew" << "New(&N)" << "";
        QTest::newRow("QZ70") << "mnuType0" << "QZ70" << "Ctrl+F1";
        QTest::newRow("QZ236") << "mnuType1" << "QZ236" << "Ctrl+F2";
        QTest::newRow("Preview") << "mnuPrintPreview" << "PrintPreview(&P)" << "";
    }
    void menuTree()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        if (!m_window)
            make();
        QAction *a = child<QAction>(name);
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut().toString(), shortcut);
    }

    void menuOrderAndHiddenItems()
    {
        make();
        QStringList file;
        for (QAction *a : child<QMenu>("mnuFile")->actions())
            if (a->isVisible())
                file << (a->isSeparator() ? "-" : a->text());
        QCOMPARE(file, (QStringList{"New(&N)", "Open(&O)", "Save as...(&S)", "-", "PrintPreview(&P)", "Print(&P)", "-", "Exit(&X)"}));
        QVERIFY(child<QAction>("mnuType0")->isChecked());
        QVERIFY(!child<QAction>("mnuType1")->isChecked());
    }

    void fileNewModelItems()
    {
        mainFrm *w = make();
        w->grid()->setCellText(1, 1, "462.56250");
        QVERIFY(trigger(w, "mnuType1"));
        QVERIFY(child<QAction>("mnuType1")->isChecked());
        QVERIFY(!child<QAction>("mnuType0")->isChecked());
        QCOMPARE(w->currentModel(), QString("QZ236"));
        QCOMPARE(combo("cboPCmodel")->itemText(1), QString("QZ236(V)"));
        QCOMPARE(w->modelHex(), QString("51"));
        QCOMPARE(w->grid()->cellText(1, 1), QString());
    }

    void toolbarDispatchesByText()
    {
        mainFrm *w = make();
        QStringList texts;
        for (QAction *a : child<QToolBar>("tbToolBar")->actions())
            texts << a->text();
        QCOMPARE(texts, (QStringList{"New", "Open", "Save", "Print", "Read", "Write"}));
        QVERIFY(trigger(w, "tbOpen"));
        // The button texts match in any case.
        w->tbToolBar_ButtonClick("save");
        QCOMPARE(m_dialogs.fileFilters.size(), 2);
        w->tbToolBar_ButtonClick("nothing");
        QCOMPARE(m_dialogs.fileFilters.size(), 2);
        QVERIFY(!w->port()->isOpen());
    }

    void variantChangeRebuildsOnlyAnEmptyGrid()
    {
        mainFrm *w = make();
        w->grid()->setCellText(1, 3, "OFF");
        combo("cboPCmodel")->setCurrentIndex(1);
        emit combo("cboPCmodel")->activated(1);
        QCOMPARE(w->grid()->cellText(1, 3), QString()); // RX empty: rebuilt
        w->grid()->setCellText(1, 1, "462.56250");
        combo("cboPCmodel")->setCurrentIndex(0);
        emit combo("cboPCmodel")->activated(0);
        QCOMPARE(w->grid()->cellText(1, 1), QString("462.56250"));
    }

    void resizeKeepsChannelsAndScales()
    {
        mainFrm *w = make();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->grid()->setCellText(3, 1, "462.56250");
        auto *label = child<QLabel>("Label2");
        const QRect before = label->geometry();
        const QSize central = w->centralWidget()->size();
        w->resize(w->width() + central.width(), w->height() + central.height());
        QTRY_COMPARE(w->centralWidget()->size(), central * 2);
        QCOMPARE(label->geometry(), QRect(before.topLeft() * 2, before.size() * 2));
        QCOMPARE(w->grid()->cellText(3, 1), QString("462.56250"));
        w->hide();
    }

    void testModeOpensTheBandEditorOnlyAfterThePassword()
    {
        mainFrm *w = make("[Frequent]\r\nPL1=400MHz---470MHz\r\n");
        whenModalOf("frmLogin", [](QWidget *d) {
            login(d, "4815093");
            whenModalOf("frmMODE", [](QWidget *e) {
                e->findChild<QLineEdit *>("Text2")->setText("136");
                e->findChild<QLineEdit *>("Text1")->setText("174");
                e->findChild<QRadioButton *>("optJT1")->setChecked(true);
                e->close(); // the close box saves like "Save and Exit"
            });
        });
        QVERIFY(trigger(w, "mnuTune"));
        QCOMPARE(w->bands().PL1, QString("136MHz---174MHz"));
        QCOMPARE(w->bandLabel(), QString("136MHz---174MHz")); // refreshed by the activation
        QVERIFY(w->band().crystal14MHz);
        QCOMPARE(w->optionByte(), QString("32"));
    }

    void exitClosesPortAndRemovesScript()
    {
        mainFrm *w = make();
        writeFile(w->scriptPath(), "x");
        QVERIFY(trigger(w, "mnuExit"));
        QVERIFY(!QFile::exists(w->scriptPath()));
    }

    // Tab runs the cell check and moves on inside the grid; before, it left
    // for the model list, where Down changed the model and the band.
    void tabChecksTheCellAndKeepsTheKeysInTheGrid()
    {
        mainFrm *w = make(kBands);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        GridTable *t = w->grid()->grid();
        auto *rx = w->grid()->findChild<QLineEdit *>("txtTxFreq");
        clickCell(t, 1, 1);
        QTest::keyClicks(rx, "446.00625");
        QTest::keyClick(rx, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), t);
        QCOMPARE(t->Row(), 1);
        QCOMPARE(t->Col(), 2);
        QVERIFY(rx->isHidden());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(t->Row(), 2);
        QCOMPARE(combo("cboPCmodel")->currentText(), QString("QZ70(U)"));
        QCOMPARE(w->bandLabel(), QString("400MHz---470MHz"));
        QCOMPARE(w->grid()->channelTexts().at(0), (QStringList{"446.00625", "446.00625", "OFF", "OFF", "No", "W", "High"}));

        // Shift+Tab from a row's first cell goes to the last cell of the row above; a refused text is said.
        clickCell(t, 3, 1);
        QTest::keyClicks(rx, "480");
        QTest::keyClick(rx, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(m_dialogs.texts(), QStringList{"Please input in correct range"});
        QCOMPARE(QApplication::focusWidget(), t);
        QCOMPARE(t->Row(), 2);
        QCOMPARE(t->Col(), 7);
        QCOMPARE(w->grid()->cellText(3, 1), QString());
        QCOMPARE(combo("cboPCmodel")->currentText(), QString("QZ70(U)"));
        w->hide();
    }

    // Any command that uses the channels checks the open editor's text first,
    // as leaving its cell would; a refused text stops the command.
    void commandsCheckTheOpenEditorFirst_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("saved");
        const QStringList range{"Please input in correct range"};
        QTest::newRow("Save as") << "mnuSave" << "999.99999" << range << false;
        QTest::newRow("Write") << "mnuWrite" << "999.99999" << range << false;
        QTest::newRow("Print") << "mnuPrint" << "462.5601" << QStringList{
            "Error data Value, Please input according the step value(6.25K/5K)"} << false;
        QTest::newRow("PrintPreview") << "mnuPrintPreview" << "999.99999" << range << false;
        QTest::newRow("Save as, a valid text") << "mnuSave" << "446.00625" << QStringList{"Successfully Saved"} << true;
    }
    void commandsCheckTheOpenEditorFirst()
    {
        QFETCH(QString, action);
        QFETCH(QString, typed);
        QFETCH(QStringList, messages);
        QFETCH(bool, saved);
        mainFrm *w = make(kBands);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        GridTable *t = w->grid()->grid();
        auto *rx = w->grid()->findChild<QLineEdit *>("txtTxFreq");
        clickCell(t, 1, 1);
        QTest::keyClicks(rx, typed);
        const QString path = m_dir.filePath("typed.chp");
        QFile::remove(path);
        m_dialogs.fileNames.enqueue(path);
        QVERIFY(trigger(w, action));
        QCOMPARE(m_dialogs.texts(), messages);
        QVERIFY(rx->isHidden());
        QCOMPARE(QFile::exists(path), saved);
        QCOMPARE(w->grid()->cellText(1, 1), saved ? typed : QString());
        if (saved)
            QCOMPARE(w->grid()->channelTexts().at(0), (QStringList{typed, typed, "OFF", "OFF", "No", "W", "High"}));
        else
            QVERIFY(m_dialogs.fileFilters.isEmpty()); // stopped before its file dialog
        w->hide();
    }

    void wheelChangesOnlyAListWithTheFocus()
    {
        mainFrm *w = make(kBands);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->grid()->grid()->setFocus();
        w->grid()->setCellText(1, 1, "446.00625");
        const core::EditorState before = w->currentState();
        for (const char *name : {"cboPCmodel", "cboFuncMoni", "cbosd", "cboFuncTOT", "cboFuncSQL", "cboFuncSave", "cboYYBP"}) {
            wheel(combo(name), -1);
            wheel(combo(name), 1);
            wheel(combo(name), -1);
        }
        QCOMPARE(w->currentState(), before);
        QCOMPARE(w->bandLabel(), QString("400MHz---470MHz"));
        QCOMPARE(w->modelHex(), QString("53"));
        // Clicked into, a list takes the wheel as a choice.
        combo("cboFuncSQL")->setFocus();
        wheel(combo("cboFuncSQL"), -1);
        QCOMPARE(combo("cboFuncSQL")->currentText(), QString("5"));
        w->hide();
    }

    void frequencyWithoutBandNamesTheSettingsKey_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("key");
        QTest::newRow("(U)") << 0 << "PL1";
        QTest::newRow("(V)") << 1 << "PL2";
    }
    void frequencyWithoutBandNamesTheSettingsKey()
    {
        QFETCH(int, variant);
        QFETCH(QString, key);
        mainFrm *w = make("[Frequent]\r\nPL1=\r\nPL2=136 to 174\r\n");
        combo("cboPCmodel")->setCurrentIndex(variant);
        emit combo("cboPCmodel")->activated(variant);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        clickCell(w->grid()->grid(), 2, 1);
        QTest::keyClicks(QApplication::focusWidget(), "446.00625");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(m_dialogs.shown.size(), 1);
        const QString text = m_dialogs.shown.at(0).text;
        QVERIFY2(text.contains("\"Sfc.ini\"") && text.contains(key) && text.contains("[Frequent]"), qPrintable(text));
        QCOMPARE(m_dialogs.shown.at(0).title, QString("Information"));
        QCOMPARE(w->grid()->cellText(2, 1), QString());
        w->hide();
    }

    void newClosedWithoutOkKeepsEverything_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << "escape";
        QTest::newRow("close box") << "close";
    }
    void newClosedWithoutOkKeepsEverything()
    {
        QFETCH(QString, how);
        mainFrm *w = make(kBands);
        QList<QStringList> channels(16, QStringList{"446.00625", "446.00625", "OFF", "67.0", "No", "W", "High"});
        w->grid()->setChannelTexts(channels);
        const core::EditorState before = w->currentState();
        whenModalOf("frmJXXZ", [how](QWidget *d) {
            auto *field = d->findChild<QComboBox *>("cmbJX")->lineEdit();
            QTest::keyClicks(field, "QZ236");
            if (how == "escape")
                QTest::keyClick(field, Qt::Key_Escape);
            else
                d->close();
        });
        QVERIFY(trigger(w, "tbNew"));
        QCOMPARE(w->currentState(), before);
        QCOMPARE(w->grid()->channelTexts(), channels);
    }

    // A typed name outside the list has no model code: the question says so
    // and stays open, and the window keeps its model.
    void modelQuestionRefusesATypedNameOutsideTheList()
    {
        mainFrm *w = make(kBands);
        const core::EditorState before = w->currentState();
        bool stayedOpen = false;
        whenModalOf("frmJXXZ", [&stayedOpen](QWidget *d) {
            d->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(d));
            auto *field = d->findChild<QComboBox *>("cmbJX")->lineEdit();
            QTRY_VERIFY(field->hasFocus());
            field->selectAll();
            QTest::keyClicks(field, "QZ2");
            QTest::keyClick(field, Qt::Key_Return);
            stayedOpen = d->isVisible() && QApplication::activeModalWidget() == d;
            QTest::keyClick(field, Qt::Key_Escape);
        });
        QVERIFY(trigger(w, "tbNew"));
        QVERIFY(stayedOpen);
        QCOMPARE(m_dialogs.texts(), QStringList{"\"QZ2\" is not a model of the list. Choose one of: QZ70, QZ236."});
        QCOMPARE(w->modelAnswer(), QString("QZ70"));
        QCOMPARE(combo("cboPCmodel")->itemText(0), QString("QZ70(U)"));
        QCOMPARE(w->currentState(), before);
    }

    void listEditorsMatchTheirCellAtEverySize()
    {
        mainFrm *w = make(kBands);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        GridTable *t = w->grid()->grid();
        for (const QSize size : {QSize(600, 400), QSize(1600, 1200), QSize(980, 700)}) {
            w->resize(size);
            QTRY_COMPARE(w->size(), size);
            QCoreApplication::processEvents();
            for (int col : {4, 7}) {
                clickCell(t, 3, col);
                auto *list = w->grid()->findChild<QComboBox *>(col == 4 ? "cmbCKTX2" : "cmbCKTX1");
                QVERIFY(list->isVisible());
                const QRect cell = t->visualRect(t->model()->index(2, col)).translated(t->viewport()->pos() + t->pos());
                QCOMPARE(list->geometry(), cell);
                QCOMPARE(list->font(), t->font());
            }
            // Resizing with the list open keeps it over its cell.
            w->resize(size + QSize(40, 30));
            QTRY_COMPARE(w->size(), size + QSize(40, 30));
            QCoreApplication::processEvents();
            auto *list = w->grid()->findChild<QComboBox *>("cmbCKTX1");
            QCOMPARE(list->geometry(), t->visualRect(t->model()->index(2, 7)).translated(t->viewport()->pos() + t->pos()));
        }
        w->hide();
    }

    void smallWindowScrolledWithAnEditorOpen()
    {
        mainFrm *w = make(kBands);
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        // Small enough that the grid scrolls, whatever the fonts of the test platform.
        w->resize(600, 340);
        QTRY_COMPARE(w->size(), QSize(600, 340));
        QCoreApplication::processEvents();
        GridTable *t = w->grid()->grid();
        QTRY_VERIFY(t->verticalScrollBar()->maximum() > 0);
        clickCell(t, 10, 1);
        auto *rx = w->grid()->findChild<QLineEdit *>("txtTxFreq");
        QTest::keyClicks(rx, "446.1");
        wheel(t->viewport(), -1);
        const QRect cell = t->visualRect(t->model()->index(9, 1)).translated(t->viewport()->pos() + t->pos());
        QCOMPARE(rx->geometry(), cell);
        QTest::keyClicks(rx, "25");
        QTest::keyClick(rx, Qt::Key_Return);
        QCOMPARE(w->grid()->channelTexts().at(9), (QStringList{"446.12500", "446.12500", "OFF", "OFF", "No", "W", "High"}));
        for (int r = 1; r < 16; ++r)
            if (r != 9 && r != 0)
                QCOMPARE(w->grid()->channelTexts().at(r), QStringList(7, QString()));
        QCOMPARE(QApplication::focusWidget(), t);
        w->hide();
    }
};

QTEST_MAIN(TstMainFrm)
#include "tst_mainfrm.moc"
