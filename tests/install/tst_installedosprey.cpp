#include "FakeUserDialogs.h"
#include "TestSupport.h"
#include "WhenModal.h"
#include "editor/RunProgram.h"
#include "editor/mainFrm.h"
#include "osprey/OspreyFamily.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

using testsupport::whenModal;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void clickTreeItem(QWidget *editor, const QString &text)
{
    auto *tree = editor->findChild<QTreeWidget *>("tremode");
    const QList<QTreeWidgetItem *> items = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!items.isEmpty());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items.first()).center());
}

} // namespace

// Osprey as installed by the install test (INSTALL_PREFIX), started for a
// user whose home is still empty.
class TestInstalledOsprey : public QObject {
    Q_OBJECT
private slots:
    void bandEditorSavesIntoTheUsersSettingsFile()
    {
        const QString prefix = qEnvironmentVariable("INSTALL_PREFIX");
        QVERIFY(QFileInfo(prefix + "/bin/osprey").isExecutable());
        const QString installedDefault = prefix + "/share/radio-programmer/Sfc.ini";
        QTemporaryDir home;
        const QString user = home.filePath(".config/Osprey");

        FakeUserDialogs dialogs;
        const mainFrm::Environment env =
            ProgramEnvironment(prefix + "/bin", user, home.filePath(".local/share/Osprey"), dialogs);
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(readAll(user + "/Sfc.ini"), readAll(installedDefault));

        mainFrm window(OspreyFamily(), dialogs, env);
        window.Form_Activate();
        QCOMPARE(window.bands().PL1, QString("400MHz---470MHz"));

        // Test Mode, position 2 (key PL3), Save and Exit.
        whenModal(
            [](QWidget *gate) {
                gate->findChild<QLineEdit *>("txtPassword")->setText("4815093");
                whenModal(
                    [](QWidget *editor) {
                        editor->findChild<QComboBox *>("cboPCmodel0")->setCurrentIndex(2);
                        editor->findChild<QLineEdit *>("Text2")->setText("144");
                        editor->findChild<QLineEdit *>("Text1")->setText("148");
                        clickTreeItem(editor, "Save and Exit");
                    },
                    "frmMODE");
                gate->findChild<QPushButton *>("cmdOK")->click();
            },
            "frmLogin");
        QVERIFY(testsupport::trigger(&window, "mnuTune"));

        QVERIFY(dialogs.shown.isEmpty());
        const QByteArray saved = readAll(user + "/Sfc.ini");
        QVERIFY2(saved.contains("PL3=144MHz---148MHz\r\n"), saved.constData());
        QVERIFY(saved.contains("PL1=400MHz---470MHz\r\n"));
        QVERIFY(readAll(installedDefault).contains("PL3=350MHz---390MHz\r\n"));

        QCOMPARE(window.settingsPath(), user + "/Sfc.ini");

        // F1 and Help > Content find the help file in the installed data folder.
        QCOMPARE(window.helpPath(), prefix + "/share/radio-programmer/Osprey Help.chm");
        QVERIFY(QFileInfo(window.helpPath()).size() > 0);
    }
};

QTEST_MAIN(TestInstalledOsprey)
#include "tst_installedosprey.moc"
