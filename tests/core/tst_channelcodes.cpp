#include "core/ChannelCodes.h"
#include "core/ToneLists.h"
#include "TestSupport.h"

#include <QtTest>

using namespace core;

using testsupport::hex;

class TstChannelCodes : public QObject {
    Q_OBJECT
private slots:
    void lists()
    {
        const QStringList &shown = QtDqtList();
        const QStringList &index = QtDqtIndexList();
        QCOMPARE(shown.size(), 261);
        QCOMPARE(index.size(), 261);
        QCOMPARE(shown.at(0), QString("OFF"));
        QCOMPARE(shown.at(1), QString("67.0"));
        QCOMPARE(shown.at(50), QString("254.1"));
        QCOMPARE(shown.at(51), QString("D023N"));
        QCOMPARE(shown.at(155), QString("D754N"));
        QCOMPARE(shown.at(156), QString("D023I"));
        QCOMPARE(index.at(1), QString("67"));
        QCOMPARE(index.at(13), QString("100"));
        QCOMPARE(index.at(156), QString("D047I"));
        QCOMPARE(index.at(163), QString("D023I"));
        QCOMPARE(index.at(255), QString("D431I"));
        QCOMPARE(index.at(260), QString("D116I"));
        // Same entries, other order.
        QStringList a = shown, b = index;
        for (QString &s : a)
            if (s.endsWith(".0") && (s == "67.0" || s == "77.0" || s == "100.0" || s == "123.0"))
                s.chop(2);
        a.sort();
        b.sort();
        QCOMPARE(a, b);
    }

    void prefixSearch()
    {
        QCOMPARE(FindStringPrefix(QtDqtIndexList(), "67.0"), -1);
        QCOMPARE(FindStringPrefix(QtDqtIndexList(), "d023n"), 51);
        QCOMPARE(FindStringPrefix(QtDqtIndexList(), "D023I"), 163);
        QCOMPARE(FindStringPrefix(QtDqtList(), "67"), 1);
        QCOMPARE(FindStringPrefix({"Yes", "No"}, "OFF"), -1);
        QCOMPARE(FindStringPrefix({"High", "Middle", "Low"}, "m"), 1);
    }

    void usedCell_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("used");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "   " << false;
        QTest::newRow("OFF") << "OFF" << false;
        QTest::newRow("leading blank OFF") << " OFF" << true;
        QTest::newRow("value") << "Yes" << true;
    }
    void usedCell()
    {
        QFETCH(QString, text);
        QFETCH(bool, used);
        QCOMPARE(IsUsedCell(text), used);
    }

    void frequency_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::newRow("462.56250") << "462.56250" << "50 62 25 46";
        QTest::newRow("136.00000") << "136.00000" << "00 00 60 13";
        QTest::newRow("046.00000") << "046.00000" << "00 00 60 04";
    }
    void frequency()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        const auto c = EncodeFrequency(text);
        QVERIFY2(c.ok(), qPrintable(c.error()));
        QCOMPARE(hex(*c), code);
        const QStringList t = code.split(' ');
        QCOMPARE(DecodeFrequency(t[0], t[1], t[2], t[3]), text);
    }

    void frequencyErrorsAndOff()
    {
        QVERIFY(!EncodeFrequency("1234.00000").ok());
        QVERIFY(!EncodeFrequency("46.5").ok());
        QVERIFY(!EncodeFrequency("abc.defgh").ok());
        QCOMPARE(DecodeFrequency("FF", "FF", "FF", "FF"), QString("OFF"));
    }

    void tone_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("67.0 takes the CTCSS rule") << "67.0" << "70 06" << "67.0";
        QTest::newRow("254.1") << "254.1" << "41 25" << "254.1";
        QTest::newRow("100.0") << "100.0" << "00 10" << "100.0";
        QTest::newRow("whole tone from index") << "67" << "70 06" << "67.0";
        QTest::newRow("D023N") << "D023N" << "23 80" << "D023N";
        QTest::newRow("D023I") << "D023I" << "23 C0" << "D023I";
        QTest::newRow("D754I") << "D754I" << "54 C7" << "D754I";
        QTest::newRow("lower case DCS") << "d023n" << "23 80" << "D023N";
    }
    void tone()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        QFETCH(QString, decoded);
        const auto c = EncodeTone(text);
        QVERIFY2(c.ok(), qPrintable(c.error()));
        QCOMPARE(hex(*c), code);
        QCOMPARE(DecodeTone(code.left(2), code.right(2)), decoded);
    }

    void everyListedToneRoundTrips()
    {
        for (const QString &t : QtDqtList().mid(1)) {
            const auto c = EncodeTone(t);
            QVERIFY2(c.ok(), qPrintable(t));
            QCOMPARE(DecodeTone(HexByte((*c)[0]), HexByte((*c)[1])), t);
        }
    }

    // A tone typed with more decimals is rounded half away from zero on its
    // digits, as frequencies are.
    void toneRounding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::newRow("67.05 gives 67.1") << "67.05" << "71 06";
        QTest::newRow("67.049 gives 67.0") << "67.049" << "70 06";
        QTest::newRow("67.15 gives 67.2") << "67.15" << "72 06";
        QTest::newRow("254.15 gives 254.2") << "254.15" << "42 25";
        QTest::newRow("99.95 carries to 100.0") << "99.95" << "00 10";
        QTest::newRow("88.45 gives 88.5") << "88.45" << "85 08";
        QTest::newRow("100 gives 100.0") << "100" << "00 10";
        QTest::newRow("leading zero 067.05") << "067.05" << "71 06";
        QTest::newRow(".05 gives 0.1") << ".05" << "01 00";
    }
    void toneRounding()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        const auto c = EncodeTone(text);
        QVERIFY2(c.ok(), qPrintable(c.error()));
        QCOMPARE(hex(*c), code);
    }

    // Codes are built from hex digits only: blanks, signs, "0x" and NUL do not pass.
    void frequencyTakesOnlyHexDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("trailing blank") << "462.5625 ";
        QTest::newRow("leading blank") << " 62.56250";
        QTest::newRow("inner blank") << "462.5 250";
        QTest::newRow("0x inside") << "0x2.56250";
        QTest::newRow("sign") << "462.+6250";
        QTest::newRow("NUL") << QString("462.5625") + QChar(0);
        QTest::newRow("full-width digit") << QString("462.5625") + QChar(0xFF15);
    }
    void frequencyTakesOnlyHexDigits()
    {
        QFETCH(QString, text);
        QVERIFY2(!EncodeFrequency(text).ok(), qPrintable(text));
    }

    void toneErrorsAndOff()
    {
        QVERIFY(!EncodeTone("67.0x").ok());
        QVERIFY(!EncodeTone("6.7e1").ok());
        QVERIFY(!EncodeTone("-67.0").ok());
        QVERIFY(!EncodeTone("800.0").ok()); // its code would read back as a DCS code
        QVERIFY(!EncodeTone("xyz").ok());
        QVERIFY(!EncodeTone(" OFF").ok());
        QVERIFY(!EncodeTone("D0").ok());
        QVERIFY(!EncodeTone("1000").ok());
        QCOMPARE(DecodeTone("FF", "FF"), QString("OFF"));
    }

    void fieldBytes()
    {
        QCOMPARE(BusyByte("Yes"), Byte(0x00));
        QCOMPARE(BusyByte("No"), Byte(0xFF));
        QCOMPARE(WideNarrowByte("W"), Byte(0xFF));
        QCOMPARE(WideNarrowByte("N"), Byte(0xFC));
        QCOMPARE(PowerByte("High"), Byte(0xFF));
        QCOMPARE(PowerByte("Middle"), Byte(0x55));
        QCOMPARE(PowerByte("Low"), Byte(0x00));
        QCOMPARE(PowerByte("high"), Byte(0x00));
        QCOMPARE(PowerByte("high", Qt::CaseInsensitive), Byte(0xFF));
        QCOMPARE(DecodePower("55", "x"), QString("Middle"));
        QCOMPARE(DecodePower("12", "x"), QString("x"));
        QCOMPARE(DecodeBusy("00"), QString("Yes"));
        QCOMPARE(DecodeBusy("FF"), QString("No"));
        QCOMPARE(DecodeWideNarrow("FC"), QString("N"));
    }
};

QTEST_GUILESS_MAIN(TstChannelCodes)
#include "tst_channelcodes.moc"
