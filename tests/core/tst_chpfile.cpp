#include "core/ChpFile.h"
#include "core/FamilyB.h"
#include "core/ToneLists.h"
#include "TestSupport.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace core;
using testsupport::crlf;
using testsupport::hex;
using testsupport::startupFile;

namespace {

EditorState load(const QByteArray &text, const EditorState &current = familyB::StartupState())
{
    const auto lines = chp::Parse(text);
    if (!lines)
        qFatal("%s", qPrintable(lines.error()));
    const auto s = familyB::DecodeImage(*lines, current);
    if (!s)
        qFatal("%s", qPrintable(s.error()));
    return *s;
}

// An image with a channel in row 1, so a shifted line shows.
MemoryImage sample()
{
    EditorState s = familyB::StartupState();
    s.channels[0] = {"462.56250", "462.56250", "67.0", "D023N", "No", "W", "High"};
    return *familyB::BuildImage(s, familyB::Target::File);
}

QString readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QString::fromLatin1(f.readAll());
}

} // namespace

class TstChpFile : public QObject {
    Q_OBJECT
private slots:
    void startupStateSavesLineForLine()
    {
        const auto image = familyB::BuildImage(familyB::StartupState(), familyB::Target::File);
        QVERIFY(image.ok());
        QCOMPARE(chp::FormatImage(*image), startupFile());

        QTemporaryDir dir;
        const QString path = dir.filePath("start.chp");
        QVERIFY(chp::Save(path, *image).ok());
        QCOMPARE(readAll(path).toLatin1(), crlf(startupFile()));
    }

    void functionBlocks_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("moni");
        QTest::addColumn<bool>("crystal14");
        QTest::addColumn<int>("timeOut");
        QTest::addColumn<int>("sPower");
        QTest::addColumn<QString>("block1");
        QTest::newRow("QZ70 (U), start-up") << "QZ70" << 0 << 0 << false << 0 << 5 << "53 FF FF FF 00 00 04 19";
        QTest::newRow("QZ236 (V), 150s, top power") << "QZ236" << 1 << 0 << false << 5 << 10 << "52 FF FF FF 00 0F 04 32";
        QTest::newRow("Moni Disable, 14.4MHz: A0") << "QZ70" << 1 << 1 << true << 10 << 0 << "54 FF FF FF A0 1E 04 00";
        QTest::newRow("unknown model takes QZ70 codes") << "QZ99" << 0 << 0 << false << 1 << 11 << "53 FF FF FF 00 03 04 00";
    }
    void functionBlocks()
    {
        QFETCH(QString, model);
        QFETCH(int, variant);
        QFETCH(int, moni);
        QFETCH(bool, crystal14);
        QFETCH(int, timeOut);
        QFETCH(int, sPower);
        QFETCH(QString, block1);
        EditorState s = familyB::StartupState();
        s.model = model;
        s.variant = variant;
        s.lists.moni = moni;
        s.lists.timeOut = timeOut;
        s.band.crystal14MHz = crystal14;
        s.band.sPower = sPower;
        QCOMPARE(hex(*familyB::FunctionBlock1(s)), block1);
    }

    void optionByteRules()
    {
        EditorState s = familyB::StartupState();
        s.lists.moni = 1;
        s.band.crystal14MHz = false;
        s.band.ifNegative = true;
        QCOMPARE(*familyB::OptionByte(s), Byte(0x90));
    }

    void voiceAndScanBlock()
    {
        EditorState s = familyB::StartupState();
        s.lists.voice = 2;
        s.lists.scan = 1;
        QCOMPARE(hex(familyB::FunctionBlock2(s)), QString("01 00 FF FF FF FF FF FF"));
    }

    void channelLines()
    {
        EditorState s = familyB::StartupState();
        s.channels[0] = {"462.56250", "462.56250", "67.0", "D023N", "No", "W", "High"};
        s.channels[1] = {"136.00000", "OFF", "OFF", "OFF", "Yes", "N", "Middle"};
        const auto image = familyB::BuildImage(s, familyB::Target::File);
        QVERIFY(image.ok());
        const QStringList lines = chp::FormatImage(*image);
        QCOMPARE(lines[2], QString("52 00 10 08 50 62 25 46 50 62 25 46"));
        QCOMPARE(lines[3], QString("52 00 18 08 70 06 23 80 FF FF FF FF"));
        QCOMPARE(lines[4], QString("52 00 20 08 00 00 60 13 FF FF FF FF"));
        QCOMPARE(lines[5], QString("52 00 28 08 FF FF FF FF 00 FC 55 FF"));
    }

    void powerTextCaseDependsOnTarget()
    {
        EditorState s = familyB::StartupState();
        s.channels[0][6] = "high";
        QCOMPARE(familyB::BuildImage(s, familyB::Target::Radio)->block(3)[6], Byte(0xFF));
        QCOMPARE(familyB::BuildImage(s, familyB::Target::File)->block(3)[6], Byte(0x00));
    }

    void cellThatDoesNotFitFailsTheImage()
    {
        EditorState s = familyB::StartupState();
        s.channels[4][0] = "1234.00000";
        const auto image = familyB::BuildImage(s, familyB::Target::File);
        QVERIFY(!image.ok());
        QVERIFY2(image.error().contains("Channel 5"), qPrintable(image.error()));
    }

    void loadsModelFromCode_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("variant");
        QTest::newRow("52") << "52" << "QZ236" << 1;
        QTest::newRow("51") << "51" << "QZ236" << 0;
        QTest::newRow("54") << "54" << "QZ70" << 1;
        QTest::newRow("53") << "53" << "QZ70" << 0;
    }
    void loadsModelFromCode()
    {
        QFETCH(QString, code);
        QFETCH(QString, model);
        QFETCH(int, variant);
        QStringList lines = startupFile();
        lines[0].replace(12, 2, code);
        const EditorState s = load(crlf(lines));
        QCOMPARE(s.model, model);
        QCOMPARE(s.variant, variant);
    }

    void loadsSettings()
    {
        QStringList lines = startupFile();
        lines[0] = "52 00 00 08 53 FF FF FF B0 F 07 2d"; // one-digit time-out, lower-case power step
        lines[1] = "52 00 08 08 01 00 FF FF FF FF FF FF";
        EditorState current = familyB::StartupState();
        current.band.sPower = 3;
        const EditorState s = load(crlf(lines), current);
        QCOMPARE(s.lists.moni, 1);
        QCOMPARE(s.lists.batterySave, 0);
        QVERIFY(s.band.crystal14MHz);
        QVERIFY(s.band.ifNegative);
        QCOMPARE(s.lists.timeOut, 5);        // "150s"
        QCOMPARE(s.lists.squelch, 7);
        QCOMPARE(s.band.sPower, 9);
        QCOMPARE(s.lists.voice, 2);
        QCOMPARE(s.lists.scan, 1);
    }

    void scratchFileLoadsLikeSavedFile()
    {
        EditorState s = familyB::StartupState();
        s.channels[3] = {"440.00625", "445.00000", "D754I", "254.1", "Yes", "N", "Low"};
        const QStringList lines = chp::FormatImage(*familyB::BuildImage(s, familyB::Target::File));
        QByteArray scratch;
        for (const QString &l : lines)
            scratch += "AA BB CC DD " + l.mid(12).toLatin1() + " \n"; // radio header, trailing blank, LF
        QCOMPARE(load(scratch), load(crlf(lines)));
        QCOMPARE(load(scratch).channels[3], s.channels[3]);
    }

    void randomStatesRoundTrip()
    {
        auto *rng = QRandomGenerator::global();
        const QStringList tones = QtDqtList();
        const QStringList busy{"Yes", "No"}, wn{"W", "N"}, power{"High", "Middle", "Low"};
        for (int round = 0; round < 200; ++round) {
            EditorState s = familyB::StartupState();
            s.model = familyB::Models().at(rng->bounded(2));
            s.variant = rng->bounded(2);
            s.lists = {rng->bounded(2), rng->bounded(2), rng->bounded(11), rng->bounded(10), rng->bounded(2), rng->bounded(3)};
            s.band.sPower = rng->bounded(11);
            s.band.crystal14MHz = rng->bounded(2);
            s.band.ifNegative = rng->bounded(2);
            for (QStringList &row : s.channels) {
                if (rng->bounded(4) == 0) {
                    row = QStringList{"OFF", "OFF", "OFF", "OFF", "No", "W", "High"};
                    continue;
                }
                const auto freq = [&] { return QStringLiteral("%1").arg(100 + rng->bounded(400)) + "." +
                                               QStringLiteral("%1").arg(rng->bounded(100000), 5, 10, QLatin1Char('0')); };
                row = QStringList{freq(), freq(), tones.at(rng->bounded(261)), tones.at(rng->bounded(261)),
                                  busy.at(rng->bounded(2)), wn.at(rng->bounded(2)), power.at(rng->bounded(3))};
            }
            QTemporaryDir dir;
            const QString path = dir.filePath("r.chp");
            QVERIFY(chp::Save(path, *familyB::BuildImage(s, familyB::Target::File)).ok());
            const auto lines = chp::Read(path);
            QVERIFY(lines.ok());
            QCOMPARE(*familyB::DecodeImage(*lines, familyB::StartupState()), s);
        }
    }

    void everyToneSurvivesSaveAndLoad()
    {
        const QStringList tones = QtDqtList();
        QTemporaryDir dir;
        for (int first = 0; first < tones.size(); first += 32) {
            EditorState s = familyB::StartupState();
            for (int ch = 0; ch < 16; ++ch)
                s.channels[ch] = {"146.52000", "146.52000", tones.value(first + 2 * ch, "OFF"),
                                  tones.value(first + 2 * ch + 1, "OFF"), "No", "W", "High"};
            const QString path = dir.filePath(QStringLiteral("tones%1.chp").arg(first));
            QVERIFY(chp::Save(path, *familyB::BuildImage(s, familyB::Target::File)).ok());
            QCOMPARE(familyB::DecodeImage(*chp::Read(path), familyB::StartupState())->channels, s.channels);
        }
    }

    void badFilesGiveErrorsThatNameTheLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("says");
        QStringList good = startupFile();
        QStringList elevenTokens = good;
        elevenTokens[6] = "52 00 30 08 FF FF FF FF FF FF FF";
        QStringList badToken = good;
        badToken[2] = "52 00 10 08 G1 FF FF FF FF FF FF FF";
        QStringList badTimeOut = good;
        badTimeOut[0] = "52 00 00 08 53 FF FF FF 00 FF 04 19";
        QStringList badSquelch = good;
        badSquelch[0] = "52 00 00 08 53 FF FF FF 00 00 0A 19";
        QTest::newRow("empty") << QByteArray() << "empty";
        QTest::newRow("binary") << QByteArray("\x00\x01\xFF\xFE binary\n", 12) << "Line 1";
        QTest::newRow("33 lines") << crlf(good.mid(0, 33)) << "Line 34";
        QTest::newRow("eleven tokens") << crlf(elevenTokens) << "Line 7";
        QTest::newRow("token G1") << crlf(badToken) << "Line 3";
        QTest::newRow("time-out out of range") << crlf(badTimeOut) << "Line 1";
        QTest::newRow("squelch not decimal") << crlf(badSquelch) << "Line 1";
        QStringList badPower = good;
        badPower[0] = "52 00 00 08 53 FF FF FF 00 00 04 99";
        QTest::newRow("power step not in the table") << crlf(badPower) << "Line 1";
        QTest::newRow("endless line") << QByteArray(100000, 'F') << "Line 1";
    }
    void badFilesGiveErrorsThatNameTheLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, says);
        const auto lines = chp::Parse(content);
        QString error = lines.ok() ? QString() : lines.error();
        if (lines.ok()) {
            const auto s = familyB::DecodeImage(*lines, familyB::StartupState());
            QVERIFY(!s.ok());
            error = s.error();
        }
        QVERIFY2(error.contains(says), qPrintable(error));
    }

    // Lines are read whole: a long first line with a note, a byte-order mark,
    // blanks or tabs at the ends load as the plain file does.
    void linesAreReadWhole_data()
    {
        QTest::addColumn<QByteArray>("content");
        QStringList lines;
        for (int k = 0; k < 128; ++k)
            lines << chp::FormatLine(k, sample().block(k));
        QStringList noted = lines;
        noted[0] += QString(250, ' ') + "a note that runs on";
        QCOMPARE(noted[0].size() > 256, true);
        QStringList padded = lines;
        for (int i = 0; i < padded.size(); ++i)
            padded[i] += i % 2 ? "  " : " \t";
        QStringList tabbed = lines;
        tabbed[1] += "\t";
        QTest::newRow("300 characters with a note") << crlf(noted);
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + crlf(lines);
        QTest::newRow("mark, LF and trailing blanks") << "\xEF\xBB\xBF" + crlf(padded).replace("\r\n", "\n");
        QTest::newRow("trailing tab") << crlf(tabbed);
        QTest::newRow("line of 4096") << crlf(QStringList{lines[0] + QString(4096 - lines[0].size(), ' ')} + lines.mid(1));
    }
    void linesAreReadWhole()
    {
        QFETCH(QByteArray, content);
        QStringList lines;
        for (int k = 0; k < 128; ++k)
            lines << chp::FormatLine(k, sample().block(k));
        QCOMPARE(load(content), load(crlf(lines)));
        QCOMPARE(load(content).channels[0][0], QString("462.56250"));
    }

    void tooLongOrStrangeLinesAreErrors_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("says");
        QStringList lines = startupFile();
        QStringList longSecond = lines;
        longSecond[1] += QString(4097 - longSecond[1].size(), ' ');
        QStringList tabInside = lines;
        tabInside[2].replace(11, 1, "\t");
        QTest::newRow("line 2 of 4097") << crlf(longSecond) << "Line 2 is longer than 4096";
        QTest::newRow("tab between tokens") << crlf(tabInside) << "Line 3";
        QTest::newRow("mark on line 4") << crlf(lines.mid(0, 3)) + "\xEF\xBB\xBF" + crlf(lines.mid(3)) << "Line 4";
    }
    void tooLongOrStrangeLinesAreErrors()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, says);
        const auto lines = chp::Parse(content);
        QVERIFY(!lines.ok());
        QVERIFY2(lines.error().contains(says), qPrintable(lines.error()));
    }

    void hugeFileReadsOnlyWhatItNeeds()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("huge.chp");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(crlf(startupFile()));
        QVERIFY(f.resize(200 * 1024 * 1024)); // sparse tail of zero bytes
        f.close();
        QElapsedTimer t;
        t.start();
        QVERIFY(chp::Read(path).ok());
        QVERIFY(t.elapsed() < 2000);
        QVERIFY(!chp::Read(dir.path()).ok());
        QVERIFY(!chp::Read(dir.filePath("missing.chp")).ok());
    }

    void failedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("keep.chp");
        QVERIFY(chp::Save(path, *familyB::BuildImage(familyB::StartupState(), familyB::Target::File)).ok());
        const QString before = readAll(path);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        EditorState s = familyB::StartupState();
        s.lists.squelch = 9;
        const Status st = chp::Save(path, *familyB::BuildImage(s, familyB::Target::File));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!chp::Save(dir.path(), *familyB::BuildImage(s, familyB::Target::File)).ok());
        if (st.ok() && geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(!st.ok());
        QCOMPARE(readAll(path), before);
    }
};

QTEST_GUILESS_MAIN(TstChpFile)
#include "tst_chpfile.moc"
