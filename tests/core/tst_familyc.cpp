#include "core/ChpFile.h"
#include "core/FamilyC.h"
#include "core/ToneLists.h"
#include "TestSupport.h"

#include <QtTest>

using namespace core;
using testsupport::hex;

namespace {

EditorState load(const QStringList &lines, const EditorState &current = familyC::StartupState())
{
    const auto parsed = chp::Parse(testsupport::crlf(lines));
    if (!parsed)
        qFatal("%s", qPrintable(parsed.error()));
    const auto s = familyC::DecodeImage(*parsed, current);
    if (!s)
        qFatal("%s", qPrintable(s.error()));
    return *s;
}

QStringList saved(const EditorState &s)
{
    const auto image = familyC::BuildImage(s, Target::File);
    if (!image)
        qFatal("%s", qPrintable(image.error()));
    return chp::FormatImage(*image);
}

// A start-up file whose first tone line carries the two given tokens as the decode tone.
QStringList withDecodeTone(const QString &flag, const QString &position)
{
    QStringList lines = saved(familyC::StartupState());
    lines[3] = QStringLiteral("52 00 18 08 %1 %2 FF FF FF FF FF FF").arg(flag, position);
    return lines;
}

} // namespace

class TstFamilyC : public QObject {
    Q_OBJECT
private slots:
    void modelTable()
    {
        const QStringList items{"QZ--311B(1)", "QZ--311B(2)", "QZ--311B(3)", "QZ--311B(4)", "QZ--311A(1)", "QZ--311A(2)"};
        const QList<Byte> codes{0x11, 0x12, 0x13, 0x14, 0x24, 0x25};
        const QStringList keys{"PL1", "PL2", "PL3", "PL6", "PL4", "PL5"};
        QCOMPARE(familyC::Models().size(), 6);
        for (int i = 0; i < 6; ++i) {
            const familyC::Model &m = familyC::Models().at(i);
            QCOMPARE(m.item, items[i]);
            QCOMPARE(m.code, codes[i]);
            QCOMPARE(m.bandKey(), keys[i]);
            QCOMPARE(familyC::PositionOfCode(codes[i]), i);
            EditorState s = familyC::StartupState();
            s.variant = i;
            QCOMPARE(saved(s).at(0).mid(12, 2), HexByte(codes[i]));
        }
        QCOMPARE(familyC::PositionOfCode(0x53), -1);
        // The band editor edits PL6 for position 3 and PL4 for position 4.
        BandTexts bands;
        QCOMPARE(bands.byPosition(familyC::Models().at(3).bandSlot), &bands.pl6);
        QCOMPARE(bands.byPosition(familyC::Models().at(4).bandSlot), &bands.PL4);
        QCOMPARE(bands.byPosition(familyC::Models().at(5).bandSlot), &bands.pl5);
    }

    void toneIndexCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::newRow("first tone") << "67" << "80 01";
        QTest::newRow("last tone") << "254.1" << "80 32";
        QTest::newRow("100") << "100" << "80 0D";
        QTest::newRow("first normal") << "D023N" << "D0 01";
        QTest::newRow("last normal") << "D754N" << "D0 69";
        QTest::newRow("first inverted") << "D047I" << "C0 01";
        QTest::newRow("last inverted") << "D116I" << "C0 69";
        QTest::newRow("D023I, position 163") << "D023I" << "C0 08";
        QTest::newRow("OFF") << "OFF" << "FF FF";
        QTest::newRow("blank") << "  " << "FF FF";
        QTest::newRow("lower case, prefix search") << "d023n" << "D0 01";
    }
    void toneIndexCodes()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        const auto c = familyC::EncodeToneIndex(text);
        QVERIFY2(c.ok(), qPrintable(c.error()));
        QCOMPARE(hex(*c), code);
    }

    void toneTextsOutsideTheIndexListFailTheImage()
    {
        // "67.0" is Heron's text; the index list knows only "67".
        for (const QString &text : {QStringLiteral("67.0"), QStringLiteral("D999N"), QStringLiteral(" OFF")}) {
            EditorState s = familyC::StartupState();
            s.channels[4] = {"OFF", "OFF", "OFF", text, "OFF", "OFF", "OFF"};
            const auto image = familyC::BuildImage(s, Target::Radio);
            QVERIFY(!image.ok());
            QVERIFY2(image.error().contains("Channel 5, QT/DQT Enc"), qPrintable(image.error()));
            QVERIFY2(image.error().contains(text), qPrintable(image.error()));
        }
    }

    void decodeToneTokens_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("savedAs");
        QTest::newRow("80 01") << "80" << "01" << "67" << "80 01";
        QTest::newRow("80 FF is position 255") << "80" << "FF" << "D431I" << "C0 64";
        QTest::newRow("D0 05") << "D0" << "05" << "D032N" << "D0 05";
        QTest::newRow("C0 01") << "C0" << "01" << "D047I" << "C0 01";
        QTest::newRow("FF FF") << "FF" << "FF" << "OFF" << "FF FF";
        // Positions outside their section still count through the list.
        QTest::newRow("80 00 is position 0") << "80" << "00" << "OFF" << "FF FF";
        QTest::newRow("D0 00 is position 50") << "D0" << "00" << "254.1" << "80 32";
        QTest::newRow("C0 00 is position 155") << "C0" << "00" << "D754N" << "D0 69";
        QTest::newRow("D0 6A is position 156") << "D0" << "6A" << "D047I" << "C0 01";
        QTest::newRow("C0 69 is the last") << "C0" << "69" << "D116I" << "C0 69";
        QTest::newRow("lower case") << "c0" << "0a" << "D452I" << "C0 0A";
        // No tone: the load fails, naming the line.
        QTest::newRow("C0 6A past the end") << "C0" << "6A" << "" << "";
        QTest::newRow("D0 D3 past the end") << "D0" << "D3" << "" << "";
        QTest::newRow("unknown flag") << "90" << "05" << "" << "";
        QTest::newRow("FF 05") << "FF" << "05" << "" << "";
    }
    void decodeToneTokens()
    {
        QFETCH(QString, flag);
        QFETCH(QString, position);
        QFETCH(QString, text);
        QFETCH(QString, savedAs);
        const auto parsed = chp::Parse(testsupport::crlf(withDecodeTone(flag, position)));
        QVERIFY(parsed);
        const auto s = familyC::DecodeImage(*parsed, familyC::StartupState());
        QCOMPARE(s.ok(), !text.isEmpty());
        if (!s) {
            QVERIFY2(s.error().startsWith("Line 4: QT/DQT Dec"), qPrintable(s.error()));
            return;
        }
        QCOMPARE(s->channels.at(0).at(2), text);
        QCOMPARE(saved(*s).at(3).mid(12, 5), savedAs);
    }

    // Every token pair loads to a text that saves to a pair loading to the same text, or fails.
    void everyTonePairLoadsConsistently()
    {
        int loaded = 0;
        for (int flag = 0; flag < 256; ++flag)
            for (int position = 0; position < 256; ++position) {
                const auto text = familyC::DecodeToneIndex(HexByte(Byte(flag)), HexByte(Byte(position)));
                if (!text)
                    continue;
                ++loaded;
                const auto code = familyC::EncodeToneIndex(*text);
                QVERIFY2(code, qPrintable(*text));
                const auto back = familyC::DecodeToneIndex(HexByte((*code)[0]), HexByte((*code)[1]));
                QCOMPARE(*back, *text);
                if (flag == 0x80 && position > 0 && position <= 0x32)
                    QCOMPARE(*code, (ToneCode{Byte(flag), Byte(position)}));
            }
        // FF FF, 80 00..FF, D0 00..D2, C0 00..69.
        QCOMPARE(loaded, 1 + 256 + 211 + 106);
    }

    void everyToneItemSurvivesSaveAndLoad()
    {
        const QStringList &items = familyC::ToneItems();
        QCOMPARE(items.size(), kToneCount);
        QCOMPARE(items.at(1), QString("67"));
        QCOMPARE(items.at(2), QString("69.3"));
        QCOMPARE(items.at(19), QString("123"));
        QCOMPARE(items.at(51), QString("D023N"));
        QCOMPARE(items.at(156), QString("D023I"));
        for (int first = 1; first < items.size(); first += 16) {
            EditorState s = familyC::StartupState();
            for (int ch = 0; ch < 16; ++ch) {
                const QString dec = items.at(qMin(first + ch, kToneCount - 1));
                const QString enc = items.at(kToneCount - 1 - qMin(first + ch, kToneCount - 2));
                s.channels[ch] = {"462.56250", "462.56250", dec, enc, "No", "W", "High"};
            }
            QCOMPARE(load(saved(s)).channels, s.channels);
        }
    }

    void savedLines()
    {
        EditorState s = familyC::StartupState();
        s.variant = 4;
        s.lists.timeOut = 0;
        s.channels[0] = {"462.56250", "OFF", "67", "D047I", "Yes", "N", "high"};
        s.channels[1] = {"136.00000", "136.00000", "OFF", "OFF", "No", "W", "Middle"};
        const QStringList lines = saved(s);
        QCOMPARE(lines.size(), 128);
        QCOMPARE(lines[0], QString("52 00 00 08 24 FF FF FF 00 00 04 19"));
        QCOMPARE(lines[1], QString("52 00 08 08 FF FF FF FF FF FF FF FF"));
        QCOMPARE(lines[2], QString("52 00 10 08 50 62 25 46 FF FF FF FF"));
        // Power compares exactly: "high" is not "High".
        QCOMPARE(lines[3], QString("52 00 18 08 80 01 C0 01 00 FC 00 FF"));
        QCOMPARE(lines[4], QString("52 00 20 08 00 00 60 13 00 00 60 13"));
        QCOMPARE(lines[5], QString("52 00 28 08 FF FF FF FF FF FF 55 FF"));
        QCOMPARE(lines[34], QString("52 01 10 08 FF FF FF FF FF FF FF FF"));
        QCOMPARE(lines[127], QString("52 03 F8 08 FF FF FF FF FF FF FF FF"));

        // An all-OFF grid gives 32 channel blocks of FF.
        EditorState off = familyC::StartupState();
        for (QStringList &row : off.channels)
            row = QStringList(7, "OFF");
        const QStringList offLines = saved(off);
        for (int k = 2; k < 34; ++k)
            QVERIFY(offLines[k].endsWith("FF FF FF FF FF FF FF FF"));
    }

    void loadRefusesUnknownModelAndReadsSettings()
    {
        EditorState current = familyC::StartupState();
        current.variant = 2;
        QStringList lines = saved(familyC::StartupState());
        lines[0] = "52 00 00 08 53 FF FF FF 80 0F 07 32";
        lines[2] = "52 00 10 08 50 62 25 46 50 62 25 46";
        const auto refused = familyC::DecodeImage(*chp::Parse(testsupport::crlf(lines)), current);
        QVERIFY(!refused);
        QVERIFY2(refused.error().contains("0x53"), qPrintable(refused.error()));

        lines[0] = "52 00 00 08 13 FF FF FF 80 0F 07 32";
        const EditorState s = load(lines, current);
        QCOMPARE(s.variant, 2);
        QCOMPARE(s.lists.moni, 1);
        QCOMPARE(s.lists.timeOut, 5);
        QCOMPARE(s.lists.squelch, 7);
        QCOMPARE(s.band.sPower, 10);
        QCOMPARE(s.channels[0][0], QString("462.56250"));

        lines[0] = "52 00 00 08 25 FF FF FF 00 00 04 19";
        QCOMPARE(load(lines, current).variant, 5);
        QCOMPARE(load(lines, current).lists.timeOut, 0);
    }

    void unknownPowerTokenFailsTheLoad()
    {
        QStringList lines = saved(familyC::StartupState());
        lines[3] = "52 00 18 08 FF FF FF FF FF FF 12 FF";
        const auto parsed = chp::Parse(testsupport::crlf(lines));
        const auto s = familyC::DecodeImage(*parsed, familyC::StartupState());
        QVERIFY(!s);
        QVERIFY2(s.error().startsWith("Line 4: TX Power"), qPrintable(s.error()));
    }
};

QTEST_MAIN(TstFamilyC)
#include "tst_familyc.moc"
