#include "FakeUserDialogs.h"
#include "SmallDisk.h"
#include "TestSupport.h"
#include "WhenModal.h"
#include "common/InstalledFiles.h"
#include "core/mdlFunction.h"
#include "editor/RunProgram.h"
#include "editor/mainFrm.h"
#include "heron/HeronFamily.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray kDefaults = "[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\nPL3=350MHz---390MHz\r\n";

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A prefix laid out as the install rules lay it out: bin/ and its data folder.
struct Prefix {
    QTemporaryDir root;
    QString bin() const { return root.filePath("bin"); }
    QString data() const { return QDir::cleanPath(QDir(bin()).filePath(DATA_FOLDER_FROM_BIN)); }
    QString user() const { return root.filePath("home/.config/Heron"); }
    Prefix()
    {
        QDir().mkpath(bin());
        QDir().mkpath(data());
    }
};

} // namespace

class TestInstalledFiles : public QObject {
    Q_OBJECT
private slots:
    void buildTreeKeepsTheSettingsBesideTheProgram()
    {
        QTemporaryDir build;
        const QString user = build.filePath("home/.config/Heron");
        const SettingsLocation at = ChooseSettingsFolder(build.path(), user);
        QCOMPARE(at.folder, build.path());
        QVERIFY(at.problem.isEmpty());
        QVERIFY(!QFileInfo::exists(user)); // nothing made for the user
        QVERIFY(InstalledDataFolder(build.path()).isEmpty());
        // The build tree's own program is not taken for an installed one.
        QCOMPARE(InstalledDataFolder(HERON_DIR), QString());
        QCOMPARE(ChooseSettingsFolder(HERON_DIR, user).folder, QString(HERON_DIR));
    }

    // What the user's folder holds before the first start, and what it holds after it.
    void firstStartCopiesTheInstalledDefault_data()
    {
        QTest::addColumn<QString>("defaultName"); // "" for none installed
        QTest::addColumn<QString>("userName");    // the user's own file, "" for none
        QTest::addColumn<QString>("expectName");  // the file the user's folder then holds
        QTest::addColumn<QByteArray>("expect");
        const QByteArray own = "[Frequent]\r\nPL1=350MHz---390MHz\r\n";
        QTest::newRow("first start") << "Sfc.ini" << "" << "Sfc.ini" << kDefaults;
        QTest::newRow("installed in capitals") << "SFC.INI" << "" << "Sfc.ini" << kDefaults;
        QTest::newRow("user's file kept") << "Sfc.ini" << "Sfc.ini" << "Sfc.ini" << own;
        QTest::newRow("user's file in capitals kept") << "Sfc.ini" << "SFC.INI" << "SFC.INI" << own;
        QTest::newRow("no installed default") << "" << "" << "" << QByteArray();
    }
    void firstStartCopiesTheInstalledDefault()
    {
        QFETCH(QString, defaultName);
        QFETCH(QString, userName);
        QFETCH(QString, expectName);
        QFETCH(QByteArray, expect);
        Prefix prefix;
        if (!defaultName.isEmpty())
            writeFile(QDir(prefix.data()).filePath(defaultName), kDefaults);
        if (!userName.isEmpty())
            writeFile(QDir(prefix.user()).filePath(userName), "[Frequent]\r\nPL1=350MHz---390MHz\r\n");

        const SettingsLocation at = ChooseSettingsFolder(prefix.bin(), prefix.user());
        QVERIFY2(at.problem.isEmpty(), qPrintable(at.problem));
        QCOMPARE(at.folder, prefix.user());
        QCOMPARE(InstalledDataFolder(prefix.bin()), prefix.data());
        const QStringList files = QDir(prefix.user()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(files, expectName.isEmpty() ? QStringList() : QStringList{expectName});
        if (!expectName.isEmpty()) {
            QCOMPARE(readAll(QDir(prefix.user()).filePath(expectName)), expect);
            // What the window then reads, whatever the case of the name.
            QCOMPARE(core::ReadIniString("Frequent", "PL1", core::SettingsPath(at.folder)),
                     QString(expect == kDefaults ? "400MHz---470MHz" : "350MHz---390MHz"));
            // The copy is the user's to change.
            QVERIFY(QFileInfo(QDir(prefix.user()).filePath(expectName)).isWritable());
        }
        // A later start leaves the user's file alone.
        if (!expectName.isEmpty()) {
            writeFile(QDir(prefix.user()).filePath(expectName), "changed");
            QCOMPARE(ChooseSettingsFolder(prefix.bin(), prefix.user()).folder, prefix.user());
            QCOMPARE(readAll(QDir(prefix.user()).filePath(expectName)), QByteArray("changed"));
        }
    }

    void unwritableUserFolderFallsBackToTheInstalledDefault()
    {
        Prefix prefix;
        writeFile(QDir(prefix.data()).filePath("Sfc.ini"), kDefaults);
        // A plain file where the folder should be: no one, not even root, can make it.
        writeFile(prefix.root.filePath("home/.config"), "not a folder");
        FakeUserDialogs dialogs;
        const mainFrm::Environment env =
            ProgramEnvironment(prefix.bin(), prefix.user(), prefix.root.filePath("private"), dialogs);
        QCOMPARE(env.settingsFolder(), prefix.data());
        QCOMPARE(env.programDir, prefix.bin());
        QCOMPARE(dialogs.shown.size(), 1);
        QVERIFY2(dialogs.shown.first().text.contains(prefix.user()), qPrintable(dialogs.shown.first().text));
        QCOMPARE(dialogs.shown.first().icon, UserDialogs::Icon::Warning);
        QVERIFY(QFileInfo(prefix.root.filePath("private")).isDir());

        // The window runs on with the installed bands.
        mainFrm window(HeronFamily(), dialogs, env);
        QCOMPARE(window.bands().PL1, QString("400MHz---470MHz"));
        QCOMPARE(readAll(QDir(prefix.data()).filePath("Sfc.ini")), kDefaults);
    }

    // A user's folder on a full disk gets no cut copy of the default: the
    // installed file is read instead, and the problem names the cause.
    void defaultCopyOnAFullDiskLeavesNoFile_data()
    {
        testsupport::SmallDisk::addFreeSpaceRows();
    }
    void defaultCopyOnAFullDiskLeavesNoFile()
    {
        QFETCH(qint64, freeBytes);
        testsupport::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(disk.why());
        Prefix prefix;
        QByteArray defaults = kDefaults + "[Notes]\r\n";
        for (int i = 0; defaults.size() < 6000; ++i)
            defaults += "note" + QByteArray::number(i) + "=" + QByteArray(60, 'n') + "\r\n";
        writeFile(QDir(prefix.data()).filePath("Sfc.ini"), defaults);
        QVERIFY(disk.fill(freeBytes));

        const SettingsLocation at = ChooseSettingsFolder(prefix.bin(), disk.path());
        QCOMPARE(at.folder, prefix.data());
        QVERIFY2(at.problem.contains("No space left on device"), qPrintable(at.problem));
        QCOMPARE(disk.files(), QStringList());
        QCOMPARE(readAll(QDir(prefix.data()).filePath("Sfc.ini")), defaults);
    }

    void windowReadsAndNamesThePerUserFile()
    {
        Prefix prefix;
        writeFile(QDir(prefix.data()).filePath("Sfc.ini"), kDefaults);
        FakeUserDialogs dialogs;
        const mainFrm::Environment env =
            ProgramEnvironment(prefix.bin(), prefix.user(), prefix.root.filePath("private"), dialogs);
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(env.settingsFolder(), prefix.user());
        QCOMPARE(env.programDir, prefix.bin());

        // A change to the user's file is what the next window reads.
        QVERIFY(core::WriteIniString("Frequent", "PL2", "144MHz---148MHz", core::SettingsPath(env.settingsFolder())));
        mainFrm window(HeronFamily(), dialogs, env);
        QCOMPARE(window.bands().PL1, QString("400MHz---470MHz"));
        QCOMPARE(window.bands().PL2, QString("144MHz---148MHz"));
        QCOMPARE(readAll(QDir(prefix.data()).filePath("Sfc.ini")), kDefaults);

        QString named;
        testsupport::whenModal(
            [&](QWidget *about) {
                named = about->findChild<QLabel *>("lblSettings")->text();
                QVERIFY(about->findChild<QLabel *>("lblSettings")->isVisible());
                about->findChild<QPushButton *>("cmdOK")->click();
            },
            "frmAbout");
        QVERIFY(testsupport::trigger(&window, "mnuAbout"));
        QCOMPARE(named, QString("Settings file: ") + QDir(prefix.user()).filePath("Sfc.ini"));
    }

    void helpFileBesideTheProgramComesFirst()
    {
        Prefix prefix;
        const QString name = "Osprey Help.chm";
        QCOMPARE(HelpFilePath(prefix.bin(), name), QString());
        writeFile(QDir(prefix.data()).filePath(name), "installed");
        QCOMPARE(HelpFilePath(prefix.bin(), name), QDir(prefix.data()).filePath(name));
        writeFile(QDir(prefix.bin()).filePath(name), "beside");
        QCOMPARE(HelpFilePath(prefix.bin(), name), QDir(prefix.bin()).filePath(name));

        QTemporaryDir build; // no data folder
        QCOMPARE(HelpFilePath(build.path(), name), QString());
    }
};

QTEST_MAIN(TestInstalledFiles)
#include "tst_installedfiles.moc"
