#include "TestSupport.h"
#include "core/FamilyA.h"
#include "core/ToneLists.h"

#include <QtTest>

using namespace core;
using testsupport::hex;

namespace {

ChpLines linesOf(const MemoryImage &image)
{
    ChpLines l;
    for (const QString &line : chp::FormatImage(image))
        l.lines << line.split(' ');
    return l;
}

EditorState groupOne()
{
    EditorState s = familyA::StartupState();
    s.model = "QZ510";
    s.group = "1";
    s.channels.clear();
    for (int ch = 0; ch < 16; ++ch)
        s.channels << QStringList(10);
    return s;
}

} // namespace

// Family A's byte rules: model table, option byte, function block 2, the
// group "1" channel fields, and the image both ways.
class TstFamilyA : public QObject {
    Q_OBJECT
private slots:
    void modelTable_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("u");
        QTest::addColumn<int>("v");
        const QList<std::tuple<QString, int, int>> rows{{"0", 0x53, 0x54}, {"0", 0x51, 0x52}, {"0", 0x55, 0x56},
                                                         {"1", 0x71, 0x72}, {"1", 0x73, 0x74}, {"1", 0x75, 0x76}};
        for (int p = 0; p < rows.size(); ++p)
            QTest::newRow(qPrintable(familyA::Models().at(p)))
                << p << std::get<0>(rows[p]) << std::get<1>(rows[p]) << std::get<2>(rows[p]);
    }
    void modelTable()
    {
        QFETCH(int, position);
        QFETCH(QString, group);
        QFETCH(int, u);
        QFETCH(int, v);
        const QString model = familyA::Models().at(position);
        QCOMPARE(familyA::GroupOf(model), group);
        QCOMPARE(int(familyA::ModelCode(model, 0)), u);
        QCOMPARE(int(familyA::ModelCode(model, 1)), v);
        // The loader finds the model, its group and the variant again from the code.
        for (int variant : {0, 1}) {
            EditorState s = familyA::StartupState();
            s.model = model;
            s.variant = variant;
            s.group = group;
            s.channels = QList<QStringList>(16, QStringList(familyA::ChannelColumns(group)));
            EditorState other = familyA::StartupState();
            other.group = group == "0" ? "1" : "0";
            const auto back = familyA::DecodeImage(linesOf(*familyA::BuildImage(s, Target::File)), other);
            QVERIFY2(back, qPrintable(back.error()));
            QCOMPARE(back->model, model);
            QCOMPARE(back->group, group);
            QCOMPARE(back->variant, variant);
        }
    }

    void unknownNamesAndCodes()
    {
        QCOMPARE(familyA::Models(), (QStringList{"QZ70", "QZ236", "QZ71", "QZ236star", "QZ510", "QZ410"}));
        QCOMPARE(int(familyA::ModelCode("typed", 0)), 0x53);
        QCOMPARE(int(familyA::ModelCode("", 1)), 0x54);
        QCOMPARE(familyA::GroupOf("QZ52"), QString());
        // A code in neither group has no known layout: the file is refused, naming it.
        for (const QString &current : {QString("0"), QString("1")}) {
            EditorState s = familyA::StartupState();
            s.group = current;
            s.channels = QList<QStringList>(16, QStringList(familyA::ChannelColumns(current)));
            ChpLines lines = linesOf(*familyA::BuildImage(s, Target::File));
            lines.lines[0][4] = "60";
            const auto back = familyA::DecodeImage(lines, s);
            QVERIFY(!back);
            QVERIFY2(back.error().contains("0x60"), qPrintable(back.error()));
        }
    }

    void optionByte_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("expected");
        QTest::newRow("group 1") << "1" << 0x68;
        QTest::newRow("group 0") << "0" << 0x60;
    }
    void optionByte()
    {
        QFETCH(QString, group);
        QFETCH(int, expected);
        EditorState s = familyA::StartupState();
        s.group = group;
        s.lists.moni = 0;        // Enable
        s.lists.batterySave = 1; // No
        s.lists.sound = 1;       // Disable
        s.lists.scrambler = 0;   // Enable
        s.band.crystal14MHz = true;
        s.band.ifNegative = false;
        QCOMPARE(int(*familyA::OptionByte(s)), expected);
        s.group.clear();
        QVERIFY(!familyA::OptionByte(s));
    }

    void optionByteLoadsBack()
    {
        EditorState s = groupOne();
        QStringList l0 = chp::FormatImage(*familyA::BuildImage(s, Target::File));
        l0[0] = "52 00 00 08 73 FF FF FF 68 03 04 19";
        ChpLines lines;
        for (const QString &l : l0)
            lines.lines << l.split(' ');
        auto back = familyA::DecodeImage(lines, familyA::StartupState());
        QVERIFY(back);
        QCOMPARE(back->lists.moni, 0);
        QCOMPARE(back->lists.batterySave, 1);
        QCOMPARE(back->lists.sound, 1);
        QCOMPARE(back->lists.scrambler, 0);
        QVERIFY(back->band.crystal14MHz);
        QVERIFY(!back->band.ifNegative);
        // The same byte in a group "0" file: crystal is digit 3, polarity digit 4.
        lines.lines[0][4] = "53";
        back = familyA::DecodeImage(lines, familyA::StartupState());
        QVERIFY(back->band.crystal14MHz);
        QVERIFY(!back->band.ifNegative);
        QCOMPARE(back->lists.sound, familyA::StartupState().lists.sound);
    }

    void functionBlock2()
    {
        EditorState s = groupOne();
        s.lists.voice = 2;
        s.lists.scan = 1;
        s.lists.priority = 15;
        for (int ch = 0; ch < 5; ++ch)
            s.channels[ch][0] = "462.56250";
        QCOMPARE(hex(familyA::FunctionBlock2(s, Target::Radio)), QString("01 00 10 FF FF FF FF 05"));
        QCOMPARE(hex(familyA::FunctionBlock2(s, Target::File)), QString("01 00 10 FF FF FF FF FF"));
        s.lists.priority = 0;
        s.channels[7][0] = "OFF"; // "OFF" counts as used
        QCOMPARE(hex(familyA::FunctionBlock2(s, Target::Radio)), QString("01 00 01 FF FF FF FF 08"));
        s.group = "0";
        QCOMPARE(hex(familyA::FunctionBlock2(s, Target::Radio)), QString("01 00 FF FF FF FF FF 08"));
        // No channel at all: the value a read of the same empty channels gives.
        QCOMPARE(int(familyA::LastUsedChannel(groupOne().channels)), 0x10);
        QCOMPARE(int(familyA::LastUsedChannel({})), 0x10);
    }

    void priorityTokens_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("token");
        QTest::addColumn<int>("position"); // -1: the load fails, naming line 2
        QTest::newRow("01") << "QZ510" << "01" << 0;
        QTest::newRow("10") << "QZ510" << "10" << 15;
        QTest::newRow("FF") << "QZ510" << "FF" << -1;
        QTest::newRow("11") << "QZ510" << "11" << -1;
        QTest::newRow("00") << "QZ410" << "00" << -1;
        QTest::newRow("group 0") << "QZ71" << "05" << 0;
    }
    void priorityTokens()
    {
        QFETCH(QString, model);
        QFETCH(QString, token);
        QFETCH(int, position);
        EditorState s = familyA::StartupState();
        s.model = model;
        s.group = familyA::GroupOf(model);
        s.channels = QList<QStringList>(16, QStringList(familyA::ChannelColumns(s.group)));
        ChpLines lines = linesOf(*familyA::BuildImage(s, Target::File));
        lines.lines[1][6] = token;
        EditorState current = s;
        current.lists.priority = 9;
        const auto back = familyA::DecodeImage(lines, current);
        QCOMPARE(back.ok(), position >= 0);
        if (back)
            QCOMPARE(back->lists.priority, position);
        else
            QVERIFY2(back.error().startsWith("Line 2:"), qPrintable(back.error()));
    }

    void channelFlags_data()
    {
        QTest::addColumn<QStringList>("cells"); // Busy, Scan Add, Compandor
        QTest::addColumn<QString>("token");
        QTest::newRow("02") << QStringList{"Yes", "Yes", "No"} << "02";
        QTest::newRow("01") << QStringList{"No", "No", "No"} << "01";
        QTest::newRow("06") << QStringList{"Yes", "Yes", "Yes"} << "06";
        QTest::newRow("07") << QStringList{"No", "Yes", "Yes"} << "07";
        QTest::newRow("busy OFF") << QStringList{"OFF", "Yes", "Yes"} << "FF";
        QTest::newRow("busy empty") << QStringList{"", "Yes", "No"} << "FF";
    }
    void channelFlags()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, token);
        QStringList row(10);
        row[4] = cells[0];
        row[6] = cells[1];
        row[7] = cells[2];
        const auto blocks = familyA::ChannelBlocks(row, "1", Target::File);
        QVERIFY(blocks);
        QCOMPARE(core::HexByte((*blocks)[1][4]), token);
    }

    void flagsByteFFDecodes()
    {
        EditorState s = groupOne();
        ChpLines lines = linesOf(*familyA::BuildImage(s, Target::File));
        lines.lines[3][8] = "FF";
        lines.lines[5][8] = "06";
        lines.lines[7][8] = "F8"; // bits 3-7 are not read
        const auto back = familyA::DecodeImage(lines, s);
        QVERIFY(back);
        const auto flags = [&](int ch) {
            return QStringList{back->channels[ch][4], back->channels[ch][6], back->channels[ch][7]};
        };
        QCOMPARE(flags(0), (QStringList{"No", "Yes", "Yes"}));
        QCOMPARE(flags(1), (QStringList{"Yes", "Yes", "Yes"}));
        QCOMPARE(flags(2), (QStringList{"Yes", "No", "No"}));
    }

    void toneBlockOfGroupOne_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("tone");
        const QString f = "462.56250";
        QTest::newRow("never filled") << QStringList(10) << int(Target::File) << "FF FF FF FF FF FF FF FF";
        QTest::newRow("defaults") << QStringList{f, f, "OFF", "OFF", "No", "W", "Yes", "No", "OFF", "High"}
                                  << int(Target::File) << "FF FF FF FF 03 FF FF FF";
        QTest::newRow("scrambler 8, middle")
            << QStringList{f, f, "67.0", "D023N", "Yes", "N", "No", "Yes", "8", "Middle"} << int(Target::File)
            << "70 06 23 80 04 FC 55 08";
        QTest::newRow("power OFF hides scrambler")
            << QStringList{f, f, "OFF", "OFF", "Yes", "W", "Yes", "No", "3", "OFF"} << int(Target::File)
            << "FF FF FF FF 02 FF FF FF";
        QTest::newRow("scan add OFF") << QStringList{f, f, "OFF", "OFF", "Yes", "W", "OFF", "No", "1", "High"}
                                      << int(Target::File) << "FF FF FF FF 00 FF FF 01";
        QTest::newRow("radio: case of power") << QStringList{f, f, "OFF", "OFF", "No", "W", "No", "No", "OFF", "high"}
                                              << int(Target::Radio) << "FF FF FF FF 01 FF FF FF";
        QTest::newRow("file: case of power") << QStringList{f, f, "OFF", "OFF", "No", "W", "No", "No", "OFF", "high"}
                                             << int(Target::File) << "FF FF FF FF 01 FF 00 FF";
        QTest::newRow("low") << QStringList{f, f, "OFF", "OFF", "No", "W", "No", "No", "OFF", "Low"}
                             << int(Target::Radio) << "FF FF FF FF 01 FF 00 FF";
    }
    void toneBlockOfGroupOne()
    {
        QFETCH(QStringList, row);
        QFETCH(int, target);
        QFETCH(QString, tone);
        const auto blocks = familyA::ChannelBlocks(row, "1", Target(target));
        QVERIFY2(blocks, qPrintable(blocks.error()));
        QCOMPARE(hex((*blocks)[1]), tone);
    }

    void scramblerCodes_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<int>("byte"); // -1: no code
        QTest::newRow("OFF") << "OFF" << 0xFF;
        QTest::newRow("empty") << "" << 0xFF;
        QTest::newRow("1") << "1" << 0x01;
        QTest::newRow("8") << "8" << 0x08;
        QTest::newRow("0") << "0" << -1;
        QTest::newRow("9") << "9" << -1;
        QTest::newRow("10") << "10" << -1;
        QTest::newRow("x") << "x" << -1;
        QTest::newRow("05") << "05" << -1;
    }
    void scramblerCodes()
    {
        QFETCH(QString, cell);
        QFETCH(int, byte);
        const auto b = familyA::ScramblerByte(cell);
        QCOMPARE(b.ok(), byte >= 0);
        if (b)
            QCOMPARE(int(*b), byte);
        // In a row, a code that does not fit fails the image, naming channel and column.
        EditorState s = groupOne();
        s.channels[3] = {"462.56250", "462.56250", "OFF", "OFF", "No", "W", "No", "No", cell, "High"};
        const auto image = familyA::BuildImage(s, Target::Radio);
        QCOMPARE(image.ok(), byte >= 0);
        if (!image)
            QVERIFY2(image.error().startsWith("Channel 4, Scrambler Code."), qPrintable(image.error()));
    }

    void scramblerTokensLoad_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("cell"); // empty: the load fails
        QTest::newRow("FF") << "FF" << "OFF";
        QTest::newRow("03") << "03" << "3";
        QTest::newRow("08") << "08" << "8";
        QTest::newRow("0A") << "0A" << "";
    }
    void scramblerTokensLoad()
    {
        QFETCH(QString, token);
        QFETCH(QString, cell);
        EditorState s = groupOne();
        ChpLines lines = linesOf(*familyA::BuildImage(s, Target::File));
        lines.lines[5][11] = token;
        const auto back = familyA::DecodeImage(lines, s);
        QCOMPARE(back.ok(), !cell.isEmpty());
        if (back)
            QCOMPARE(back->channels[1][8], cell);
        else
            QVERIFY2(back.error().contains("Line 6"), qPrintable(back.error()));
    }

    void badCellNamesChannelAndColumn()
    {
        EditorState s = groupOne();
        s.channels[1][2] = "D0";
        auto image = familyA::BuildImage(s, Target::Radio);
        QVERIFY(!image);
        QVERIFY2(image.error().startsWith("Channel 2, QT/DQT Dec:"), qPrintable(image.error()));
        s = familyA::StartupState();
        s.channels[15][1] = "46x.00000";
        image = familyA::BuildImage(s, Target::File);
        QVERIFY2(image.error().startsWith("Channel 16, TX Frequency:"), qPrintable(image.error()));
    }

    void eachGroupLoadsBackRowForRow_data()
    {
        QTest::addColumn<QString>("model");
        QTest::newRow("group 0") << "QZ71";
        QTest::newRow("group 1") << "QZ236star";
    }
    void eachGroupLoadsBackRowForRow()
    {
        QFETCH(QString, model);
        EditorState s = familyA::StartupState();
        s.model = model;
        s.variant = 1;
        s.group = familyA::GroupOf(model);
        // A group "0" file carries no Sound, Scrambler or Priority Channel: they keep their values.
        s.lists = s.group == "1" ? FunctionLists{1, 0, 4, 2, 1, 1, 1, 0, 6} : FunctionLists{1, 0, 4, 2, 1, 1, 0, 1, 0};
        s.band.sPower = 8;
        const QStringList power{"High", "Middle", "Low"};
        const QStringList tones = QtDqtList();
        for (int ch = 0; ch < 16; ++ch) {
            QStringList row{ch % 5 == 4 ? QString("OFF") : QStringLiteral("4%1.12500").arg(ch + 10), "462.56250",
                            tones.at(ch * 16), tones.at(260 - ch * 16), ch % 2 ? "Yes" : "No", ch % 3 ? "W" : "N"};
            if (s.group == "1")
                row << (ch % 4 < 2 ? "Yes" : "No") << (ch % 3 == 1 ? "Yes" : "No")
                    << (ch % 9 == 0 ? QString("OFF") : QString::number(ch % 9));
            row << power.at(ch % 3);
            s.channels << row;
        }
        s.channels = s.channels.mid(16);
        const auto image = familyA::BuildImage(s, Target::File);
        QVERIFY2(image, qPrintable(image.error()));
        EditorState other = familyA::StartupState();
        other.group = s.group == "1" ? "0" : "1";
        const auto back = familyA::DecodeImage(linesOf(*image), other);
        QVERIFY2(back, qPrintable(back.error()));
        for (int ch = 0; ch < 16; ++ch)
            QCOMPARE(back->channels.at(ch), s.channels.at(ch));
        QCOMPARE(back->lists, s.lists);
        QCOMPARE(*back, s);
    }

    void everyToneThroughAGroupOneSave()
    {
        const QStringList tones = QtDqtList();
        for (int start = 0; start < tones.size(); start += 32) {
            EditorState s = groupOne();
            for (int ch = 0; ch < 16; ++ch) {
                const QString dec = tones.value(start + 2 * ch, "OFF");
                const QString enc = tones.value(start + 2 * ch + 1, "OFF");
                s.channels[ch] = {"462.56250", "462.56250", dec, enc, "No", "W", "Yes", "No", "OFF", "High"};
            }
            const auto image = familyA::BuildImage(s, Target::File);
            QVERIFY2(image, qPrintable(image.error()));
            const auto back = familyA::DecodeImage(linesOf(*image), s);
            QVERIFY(back);
            QCOMPARE(back->channels, s.channels);
        }
    }
};

QTEST_MAIN(TstFamilyA)
#include "tst_familya.moc"
