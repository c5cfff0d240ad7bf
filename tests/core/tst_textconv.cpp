#include "core/IniFile.h"
#include "core/mdlFunction.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace core;

class TstTextConv : public QObject {
    Q_OBJECT

    QString write(const QTemporaryDir &dir, const QByteArray &content, const QString &name = "Sfc.ini")
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return f.fileName();
    }

private slots:
    void binToHex_data()
    {
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("hex");
        QTest::newRow("all ones") << "11111111" << "FF";
        QTest::newRow("zeros") << "00000000" << "00";
        QTest::newRow("option A0") << "10100000" << "A0";
        QTest::newRow("padded low") << "00001111" << "0F";
        QTest::newRow("nine chars") << "101010101" << "";
        QTest::newRow("four chars") << "1010" << "A";
        QTest::newRow("three chars") << "101" << "";
    }
    void binToHex()
    {
        QFETCH(QString, bits);
        QFETCH(QString, hex);
        const auto r = BinToHex(bits);
        QVERIFY(r.ok());
        QCOMPARE(*r, hex);
    }

    void conversionErrorsAreReported()
    {
        QVERIFY(!BinToHex("10x00000").ok());
        QVERIFY(!HexToInt("").ok());
        QVERIFY(!HexToInt("G1").ok());
        QVERIFY(!HexToInt("-1").ok());
        QVERIFY(!IntToBin(-1).ok());
    }

    void hexToInt_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<int>("value");
        QTest::newRow("one digit") << "7" << 7;
        QTest::newRow("0A") << "0A" << 10;
        QTest::newRow("FF") << "FF" << 255;
        QTest::newRow("lower case") << "ff" << 255;
        QTest::newRow("FFFF is -1") << "FFFF" << -1;
    }
    void hexToInt()
    {
        QFETCH(QString, hex);
        QFETCH(int, value);
        QCOMPARE(*HexToInt(hex), value);
    }

    void intToBin_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("bits");
        QTest::newRow("0") << 0 << "0000";
        QTest::newRow("1") << 1 << "0001";
        QTest::newRow("5") << 5 << "0101";
        QTest::newRow("15") << 15 << "1111";
        QTest::newRow("16 not cut") << 16 << "10000";
        QTest::newRow("32") << 32 << "100000";
        QTest::newRow("255") << 255 << "11111111";
    }
    void intToBin()
    {
        QFETCH(int, value);
        QFETCH(QString, bits);
        QCOMPARE(*IntToBin(value), bits);
    }

    void bitsOfA5RoundTrip()
    {
        const QString bits = *IntToBin(*HexToInt("A")) + *IntToBin(*HexToInt("5"));
        QCOMPARE(bits, QString("10100101"));
        QCOMPARE(*BinToHex(bits), QString("A5"));
    }

    void readsSettingsWrittenByOtherTools_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("CRLF") << QByteArray("[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\n");
        QTest::newRow("LF, other case") << QByteArray("[frequent]\npl1 = 400MHz---470MHz\nPl2=136MHz---174MHz");
        QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF[Frequent]\r\nPL1=400MHz---470MHz\r\nPL2=136MHz---174MHz\r\n");
        QTest::newRow("blanks and other sections")
            << QByteArray("; written by hand\r\n[Other]\r\nPL1=1\r\n  [ Frequent ]  \r\n  PL1   =   400MHz---470MHz   \r\nPL2=\t136MHz---174MHz\r\n");
    }
    void readsSettingsWrittenByOtherTools()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = write(dir, content);
        QCOMPARE(ReadIniString("Frequent", "PL1", path), QString("400MHz---470MHz"));
        QCOMPARE(ReadIniString("Frequent", "PL2", path), QString("136MHz---174MHz"));
        QCOMPARE(ReadIniString("Frequent", "PL3", path), QString());
    }

    void missingOrUnusableSettingsReadEmpty()
    {
        QTemporaryDir dir;
        QCOMPARE(ReadIniString("Frequent", "PL1", dir.filePath("none.ini")), QString());
        QCOMPARE(ReadIniString("Frequent", "PL1", dir.path()), QString()); // a directory
        const QString longValue(500, QLatin1Char('x'));
        const QString path = write(dir, "[Frequent]\nPL1=" + longValue.toLatin1() + "\n");
        QCOMPARE(ReadIniString("Frequent", "PL1", path), longValue.left(127));
    }

    void writeChangesOnlyItsKey()
    {
        QTemporaryDir dir;
        const QString path = write(dir, "; keep me\r\n[Frequent]\r\nPL1=400MHz---470MHz\r\n\r\n[Other]\r\nx=1\r\n");
        QVERIFY(WriteIniString("Frequent", "pl1", "136MHz---174MHz", path));
        QVERIFY(WriteIniString("Frequent", "PL6", "350MHz---390MHz", path));
        QVERIFY(WriteIniString("New", "k", "v", path));
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QCOMPARE(f.readAll(), QByteArray("; keep me\r\n[Frequent]\r\npl1=136MHz---174MHz\r\nPL6=350MHz---390MHz\r\n\r\n"
                                         "[Other]\r\nx=1\r\n[New]\r\nk=v\r\n"));
        QVERIFY(!WriteIniString("Frequent", "PL1", "x", dir.path()));
    }

    void settingsPathHasOneSeparator()
    {
        QCOMPARE(SettingsPath("/opt/heron"), QString("/opt/heron/Sfc.ini"));
        QCOMPARE(SettingsPath("/"), QString("/Sfc.ini"));
    }
};

QTEST_GUILESS_MAIN(TstTextConv)
#include "tst_textconv.moc"
