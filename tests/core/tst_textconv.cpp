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
        for (const QString &notHex : {QString("0x1F"), QString(" 1F"), QString("1F "), QString("+1"), QString("1\t"),
                                      QString("1") + QChar(0), QString("0X"), QString("\u0661")})
            QVERIFY2(!HexToInt(notHex).ok(), qPrintable(notHex));
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

    // The writer keeps every other byte: Latin-1 text, a byte-order mark, CR
    // characters, a last line without an end, other sections.
    void writeKeepsTheRestByteForByte_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("Latin-1 bytes") << QByteArray("; r\xE9glage du poste\r\n[Frequent]\r\nPL1=400MHz---470MHz\r\nNote=caf\xE9\r\n")
                                       << QByteArray("; r\xE9glage du poste\r\n[Frequent]\r\nPL1=136MHz---174MHz\r\nNote=caf\xE9\r\n");
        QTest::newRow("mark and new key") << QByteArray("\xEF\xBB\xBF[Frequent]\r\nPL2=x\r\n\r\n[Other]\r\ny=\xFF\r\n")
                                          << QByteArray("\xEF\xBB\xBF[Frequent]\r\nPL2=x\r\nPL1=136MHz---174MHz\r\n\r\n[Other]\r\ny=\xFF\r\n");
        QTest::newRow("stray CR, LF ends") << QByteArray("[Frequent]\nA=1\r\r\nPL1=old\n[B]\nb=2")
                                           << QByteArray("[Frequent]\nA=1\r\r\nPL1=136MHz---174MHz\n[B]\nb=2");
        QTest::newRow("no end on the last line") << QByteArray("[Frequent]\nA=\xE4")
                                                 << QByteArray("[Frequent]\nA=\xE4\nPL1=136MHz---174MHz\n");
        QTest::newRow("new section") << QByteArray("[B]\r\nb=\xE4")
                                     << QByteArray("[B]\r\nb=\xE4\r\n[Frequent]\r\nPL1=136MHz---174MHz\r\n");
        // Lines the writer adds end as the file's own lines do, and a last line
        // that ends in a CR alone is completed, not given a second CR.
        const QByteArray pl1 = "PL1=136MHz---174MHz";
        QTest::newRow("bare CR last line") << QByteArray("[Frequent]\r\nA=1\r") << "[Frequent]\r\nA=1\r\n" + pl1 + "\r\n";
        QTest::newRow("bare CR, new section") << QByteArray("[B]\r\nb=1\r") << "[B]\r\nb=1\r\n[Frequent]\r\n" + pl1 + "\r\n";
        QTest::newRow("bare CR, LF file") << QByteArray("[Frequent]\nA=1\r") << "[Frequent]\nA=1\r\n" + pl1 + "\n";
        QTest::newRow("only a CR") << QByteArray("\r") << "\r\n[Frequent]\r\n" + pl1 + "\r\n";
        QTest::newRow("byte-order mark only") << QByteArray("\xEF\xBB\xBF") << "\xEF\xBB\xBF[Frequent]\r\n" + pl1 + "\r\n";
        QTest::newRow("mark and a CR") << QByteArray("\xEF\xBB\xBF\r") << "\xEF\xBB\xBF\r\n[Frequent]\r\n" + pl1 + "\r\n";
        QTest::newRow("CRLF") << QByteArray("[Frequent]\r\nA=1\r\n") << "[Frequent]\r\nA=1\r\n" + pl1 + "\r\n";
        QTest::newRow("LF") << QByteArray("[Frequent]\nA=1\n") << "[Frequent]\nA=1\n" + pl1 + "\n";
        QTest::newRow("no final line end, CRLF") << QByteArray("[Frequent]\r\nA=1") << "[Frequent]\r\nA=1\r\n" + pl1 + "\r\n";
        QTest::newRow("no final line end, LF") << QByteArray("[B]\nb=1") << "[B]\nb=1\n[Frequent]\n" + pl1 + "\n";
    }
    void writeKeepsTheRestByteForByte()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = write(dir, before);
        QVERIFY(WriteIniString("Frequent", "PL1", "136MHz---174MHz", path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), after);
        QCOMPARE(ReadIniString("Frequent", "PL1", path), QString("136MHz---174MHz"));
    }

    // A file over the reader's limit is refused whole, never cut to the limit.
    void oversizedFileIsRefused()
    {
        QTemporaryDir dir;
        QByteArray big = "[Frequent]\r\nPL1=400MHz---470MHz\r\n[Filler]\r\n";
        while (big.size() < 1536 * 1024)
            big += "x=" + QByteArray(70, 'y') + "\r\n";
        big += "[Last]\r\nz=1\r\n";
        const QString path = write(dir, big);
        const Status s = WriteIniString("Frequent", "PL1", "136MHz---174MHz", path);
        QVERIFY(!s.ok());
        QVERIFY2(s.error().contains("larger than"), qPrintable(s.error()));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), big);
        QCOMPARE(ReadIniString("Frequent", "PL1", path), QString());
    }

    // "Sfc.ini" in any spelling of case beside the program is the settings file.
    void settingsFileInAnyCase_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Sfc.ini") << "Sfc.ini";
        QTest::newRow("SFC.INI") << "SFC.INI";
        QTest::newRow("sfc.INI") << "sfc.INI";
    }
    void settingsFileInAnyCase()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Frequent]\r\nPL1=400MHz---470MHz\r\n");
        f.close();
        const QString path = SettingsPath(dir.path());
        QCOMPARE(path, dir.filePath(name));
        QCOMPARE(ReadIniString("Frequent", "PL1", path), QString("400MHz---470MHz"));
        QVERIFY(WriteIniString("Frequent", "PL2", "136MHz---174MHz", SettingsPath(dir.path())));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{name}); // no second file
        QCOMPARE(ReadIniString("Frequent", "PL2", SettingsPath(dir.path())), QString("136MHz---174MHz"));
    }

    void settingsFileIsCreatedAsSfcIni()
    {
        QTemporaryDir dir;
        QCOMPARE(SettingsPath(dir.path()), dir.filePath("Sfc.ini"));
        QVERIFY(WriteIniString("Frequent", "PL1", "400MHz---470MHz", SettingsPath(dir.path())));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Sfc.ini"});
    }

    void settingsPathHasOneSeparator()
    {
        QCOMPARE(SettingsPath("/opt/heron"), QString("/opt/heron/Sfc.ini"));
        QCOMPARE(SettingsPath("/"), QString("/Sfc.ini"));
    }
};

QTEST_GUILESS_MAIN(TstTextConv)
#include "tst_textconv.moc"
