#include "FakeUserDialogs.h"
#include "common/frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString script(const QTemporaryDir &dir, const QString &name, const QByteArray &body)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(body) != body.size())
        qFatal("cannot write %s", qPrintable(path));
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void heronTexts()
    {
        FakeUserDialogs dialogs;
        frmAbout dlg(dialogs, AboutTexts::forProgram("Heron", "1.0.0.1"));
        QCOMPARE(dlg.windowTitle(), QString("About Heron"));
        QCOMPARE(dlg.findChild<QLabel *>("lblTitle")->text(), QString("Heron"));
        QCOMPARE(dlg.findChild<QLabel *>("Label1")->text(), QString("Version\uFF1A1.0.0.1"));
        QCOMPARE(dlg.findChild<QLabel *>("lblDescription")->text(),
                 QString("Skua program software is a tool for programming QZ serials of QZ_152 and QZ_70 and so on.\n") +
                     QString(49, ' ') + "You can easily customize the functions by merely several click . ");
        QCOMPARE(dlg.findChild<QPushButton *>("cmdOK")->text(), QString("Ok"));
        QCOMPARE(dlg.findChild<QPushButton *>("cmdSysInfo")->text(), QString("SysInfo"));
    }

    void withoutVersion()
    {
        FakeUserDialogs dialogs;
        frmAbout dlg(dialogs, {"About MyApp", "Title", AboutTexts::describe("First."), QString()});
        dlg.show();
        QVERIFY(!dlg.findChild<QLabel *>("Label1")->isVisible());
        dlg.findChild<QPushButton *>("cmdOK")->click();
        QVERIFY(!dlg.isVisible());
    }

    void sysInfo_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message"); // start of the message, or empty for none
        QTest::newRow("empty list") << "none" << "No system information program was found.";
        QTest::newRow("nothing installed") << "missing" << "No system information program was found. Install";
        QTest::newRow("first one found") << "works" << "";
        QTest::newRow("fails to start") << "broken" << "The system information program";
    }
    void sysInfo()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString marker = dir.filePath("started");
        FakeUserDialogs dialogs;
        frmAbout dlg(dialogs, AboutTexts::forProgram("Heron", "1.0.0.1"));
        if (kind == "none")
            dlg.sysInfoPrograms = {};
        else if (kind == "missing")
            dlg.sysInfoPrograms = {"no-such-sysinfo-program-a", dir.filePath("absent")};
        else if (kind == "works")
            dlg.sysInfoPrograms = {"no-such-sysinfo-program-a",
                                   script(dir, "info", "#!/bin/sh\ntouch '" + marker.toUtf8() + "'\n")};
        else
            dlg.sysInfoPrograms = {script(dir, "info", "#!/nonexistent/interpreter\n")};
        dlg.show();
        dlg.findChild<QPushButton *>("cmdSysInfo")->click();

        QVERIFY(dlg.isVisible());
        if (message.isEmpty()) {
            QVERIFY(dialogs.shown.isEmpty());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 5000);
        } else {
            QCOMPARE(dialogs.shown.size(), 1);
            QVERIFY2(dialogs.shown.first().text.startsWith(message), qPrintable(dialogs.shown.first().text));
            QVERIFY(!dialogs.shown.first().text.endsWith(": "));
        }
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
