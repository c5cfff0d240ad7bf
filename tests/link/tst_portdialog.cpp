#include "FakeUserDialogs.h"
#include "SimulatedRadio.h"
#include "common/PortList.h"
#include "common/frmDK.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPort>
#include <QtTest>
#include <unistd.h>

namespace {

// Sets RADIO_SERIAL_PORTS for one test and puts the old value back.
class PortsEnvironment {
public:
    explicit PortsEnvironment(const QByteArray &value) : m_old(qgetenv("RADIO_SERIAL_PORTS")), m_had(qEnvironmentVariableIsSet("RADIO_SERIAL_PORTS"))
    {
        qputenv("RADIO_SERIAL_PORTS", value);
    }
    ~PortsEnvironment()
    {
        if (m_had)
            qputenv("RADIO_SERIAL_PORTS", m_old);
        else
            qunsetenv("RADIO_SERIAL_PORTS");
    }

private:
    QByteArray m_old;
    bool m_had;
};

QRadioButton *Option(frmDK &d, int i)
{
    return d.findChild<QRadioButton *>(QStringLiteral("optDK%1").arg(i));
}

} // namespace

class TstPortDialog : public QObject {
    Q_OBJECT
private slots:
    void environmentReplacesTheList_data();
    void environmentReplacesTheList();
    void dialog_data();
    void dialog();
    void okConfirmsTheChoice();
    void openFailures_data();
    void openFailures();
    void openPermissionDenied();
    void oneDeviceOneHolder();
};

void TstPortDialog::environmentReplacesTheList_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QStringList>("ports");
    QTest::newRow("two") << QByteArray("/dev/ttyUSB0:/tmp/radio") << QStringList{"/dev/ttyUSB0", "/tmp/radio"};
    QTest::newRow("empty parts skipped") << QByteArray(":/a::/b:") << QStringList{"/a", "/b"};
    QTest::newRow("set but empty") << QByteArray("") << QStringList{};
}

void TstPortDialog::environmentReplacesTheList()
{
    QFETCH(QByteArray, value);
    QFETCH(QStringList, ports);
    PortsEnvironment env(value);
    QCOMPARE(ListSerialPorts(), ports);
    for (int n = 1; n <= ports.size(); ++n)
        QCOMPARE(DeviceOfPort(n), ports[n - 1]);
    QVERIFY(DeviceOfPort(0).isEmpty());
    QVERIFY(DeviceOfPort(ports.size() + 1).isEmpty());
}

void TstPortDialog::dialog_data()
{
    QTest::addColumn<QByteArray>("ports");
    QTest::addColumn<int>("currentPort");
    QTest::addColumn<int>("enabled");
    QTest::addColumn<int>("checked"); // -1: none
    QTest::addColumn<bool>("note");

    QTest::newRow("two ports, port 2 set") << QByteArray("/dev/a:/dev/b") << 2 << 2 << 1 << false;
    QTest::newRow("two ports, port 3 set") << QByteArray("/dev/a:/dev/b") << 3 << 2 << -1 << false;
    QTest::newRow("none") << QByteArray("") << 1 << 0 << -1 << true;
    QTest::newRow("six ports") << QByteArray("/1:/2:/3:/4:/5:/6") << 4 << 4 << 3 << true;
}

void TstPortDialog::dialog()
{
    QFETCH(QByteArray, ports);
    QFETCH(int, currentPort);
    QFETCH(int, enabled);
    QFETCH(int, checked);
    QFETCH(bool, note);

    PortsEnvironment env(ports);
    FakeUserDialogs dialogs;
    int closed = 0;
    frmDK d(dialogs, 0, currentPort, [&] { ++closed; });
    QCOMPARE(d.windowTitle(), QStringLiteral("Port "));
    QCOMPARE(closed, 1);
    const QStringList list = QString::fromLatin1(ports).split(':', Qt::SkipEmptyParts);
    for (int i = 0; i < frmDK::kButtons; ++i) {
        QRadioButton *b = Option(d, i);
        QVERIFY(b);
        QCOMPARE(b->text(), QStringLiteral("COM%1").arg(i + 1));
        QCOMPARE(b->isEnabled(), i < enabled);
        QCOMPARE(b->isChecked(), i == checked);
        const auto *label = d.findChild<QLabel *>(QStringLiteral("lblDevice%1").arg(i));
        QCOMPARE(label->text(), i < enabled ? list[i] : QString());
    }
    QCOMPARE(d.DKH, checked >= 0 ? checked : 0);
    QCOMPARE(!d.findChild<QLabel *>(QStringLiteral("lblNote"))->isHidden(), note);

    d.findChild<QPushButton *>(QStringLiteral("cmdQD"))->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(dialogs.shown.size(), enabled > 0 ? 1 : 0);
}

void TstPortDialog::okConfirmsTheChoice()
{
    PortsEnvironment env("/dev/a:/dev/b:/dev/c");
    FakeUserDialogs dialogs;
    frmDK d(dialogs, 1, 2, {});
    Option(d, 2)->click();
    QCOMPARE(d.DKH, 2);
    d.findChild<QPushButton *>(QStringLiteral("cmdQD"))->click();
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].text, QStringLiteral("Select COM3"));
    QCOMPARE(dialogs.shown[0].title, QStringLiteral("Setup Communication Port"));
    QCOMPARE(dialogs.shown[0].icon, UserDialogs::Icon::Information);
    QCOMPARE(DeviceOfPort(d.DKH + 1), QStringLiteral("/dev/c"));
}

void TstPortDialog::openFailures_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("cause");
    QTest::newRow("missing") << QStringLiteral("/nonexistent/ttyRADIO") << QStringLiteral("does not exist");
    QTest::newRow("not a terminal") << QStringLiteral("/dev/null") << QString();
}

void TstPortDialog::openFailures()
{
    QFETCH(QString, device);
    QFETCH(QString, cause);
    QSerialPort port;
    const core::Status s = OpenSerialPort(port, device);
    QVERIFY(!s.ok());
    QVERIFY2(s.error().contains(device), qPrintable(s.error()));
    QVERIFY2(s.error().contains(cause), qPrintable(s.error()));
    QVERIFY(!port.isOpen());

    PortsEnvironment env(device.toLocal8Bit());
    QVERIFY(OpenSerialPortNumber(port, 1).error().contains(device));
    QVERIFY(OpenSerialPortNumber(port, 2).error().contains(QStringLiteral("COM2")));
}

void TstPortDialog::openPermissionDenied()
{
    if (::geteuid() == 0)
        QSKIP("root may open any device");
    SimulatedRadio radio;
    QVERIFY(radio.start({QStringLiteral("--no-pace")}));
    QVERIFY(QFile::setPermissions(radio.device(), QFileDevice::Permissions()));
    QSerialPort port;
    const core::Status s = OpenSerialPort(port, radio.device());
    QVERIFY(!s.ok());
    QVERIFY2(s.error().contains(radio.device()), qPrintable(s.error()));
    QVERIFY2(s.error().contains(QStringLiteral("permission denied")), qPrintable(s.error()));
    QVERIFY2(s.error().contains(QStringLiteral("dialout")), qPrintable(s.error()));
}

// A symlink and the device it names are one port: whoever opens it first
// holds it, and the other is told who that is, not about group membership.
void TstPortDialog::oneDeviceOneHolder()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("radio0"));
    SimulatedRadio radio;
    QVERIFY(radio.start({QStringLiteral("--no-pace"), QStringLiteral("--link"), link}));
    QTRY_VERIFY(QFileInfo(link).isSymLink());
    const QString lock = SerialLockFilePath(radio.device());
    QVERIFY(!lock.isEmpty());

    QSerialPort first;
    QVERIFY(OpenSerialPort(first, link).ok());
    QVERIFY2(QFile::exists(lock), qPrintable(lock)); // the lock names the device, not the link

    for (const QString &path : {radio.device(), link}) {
        QSerialPort second;
        const core::Status s = OpenSerialPort(second, path);
        QVERIFY(!s.ok());
        QVERIFY(!second.isOpen());
        QVERIFY2(s.error().contains(path), qPrintable(s.error()));
        QVERIFY2(s.error().contains(QStringLiteral("another program holds it (process %1)").arg(::getpid())),
                 qPrintable(s.error()));
        QVERIFY2(!s.error().contains(QStringLiteral("dialout")), qPrintable(s.error()));
    }

    first.close();
    QVERIFY(!QFile::exists(lock));
    QSerialPort again;
    QVERIFY(OpenSerialPort(again, radio.device()).ok());
}

QTEST_MAIN(TstPortDialog)
#include "tst_portdialog.moc"
