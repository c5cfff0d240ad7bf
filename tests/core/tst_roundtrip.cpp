#include "TestSupport.h"
#include "core/ChpFile.h"
#include "core/FamilyA.h"
#include "core/FamilyB.h"
#include "core/FamilyC.h"

#include <QtTest>

using namespace core;
using testsupport::crlf;

namespace {

struct Codec {
    Result<EditorState> (*decode)(const ChpLines &, const EditorState &);
    Result<MemoryImage> (*build)(const EditorState &, Target);
    EditorState (*startup)();
};

const Codec heron{familyB::DecodeImage, familyB::BuildImage, familyB::StartupState};
const Codec pelican{familyA::DecodeImage, familyA::BuildImage, familyA::StartupState};
const Codec osprey{familyC::DecodeImage, familyC::BuildImage, familyC::StartupState};

// A state of each family that uses every kind of cell and setting.
struct Sample {
    const Codec *codec;
    EditorState state;
};

QStringList channel(int ch, const QStringList &tones)
{
    static const QStringList busy{"Yes", "No"}, wn{"W", "N"}, power{"High", "Middle", "Low"};
    if (ch % 5 == 4)
        return {"OFF", "OFF", "OFF", "OFF", "No", "W", "High"}; // a channel the radio has erased
    return {QStringLiteral("4%1.%2").arg(ch + 10).arg(ch * 6250, 5, 10, QLatin1Char('0')), ch % 3 ? "462.56250" : "OFF",
            tones.at((ch * 37) % tones.size()), tones.at((ch * 53 + 11) % tones.size()), busy.at(ch % 2),
            wn.at(ch % 3 == 1), power.at(ch % 3)};
}

Sample sample(const QString &name)
{
    if (name == "Heron") {
        EditorState s = familyB::StartupState();
        s.model = "QZ236";
        s.variant = 1;
        s.lists = {1, 0, 4, 7, 1, 2};
        s.band.sPower = 9;
        s.band.crystal14MHz = true;
        const QStringList tones{"D754I", "254.1", "67.0", "D023N", "OFF", "100.0", "D047I", "123.0"};
        for (int ch = 0; ch < 16; ++ch)
            s.channels[ch] = channel(ch, tones);
        return {&heron, s};
    }
    if (name == "Pelican") {
        EditorState s = familyA::StartupState();
        s.model = "QZ510";
        s.group = "1";
        s.lists = FunctionLists{1, 0, 4, 7, 1, 2, 1, 0, 11};
        s.band.sPower = 9;
        s.band.ifNegative = true;
        s.channels.clear();
        const QStringList tones{"D754I", "254.1", "67.0", "D023N", "OFF", "D116I"};
        for (int ch = 0; ch < 16; ++ch) {
            QStringList row = channel(ch, tones);
            const QString power = row.takeLast();
            const bool erased = ch % 5 == 4;
            row << (erased || ch % 4 < 2 ? "Yes" : "No") << (erased || ch % 3 == 1 ? "Yes" : "No")
                << (erased || ch % 9 == 0 ? QString("OFF") : QString::number(ch % 9)) << power;
            s.channels << row;
        }
        return {&pelican, s};
    }
    EditorState s = familyC::StartupState();
    s.variant = 3;
    s.lists = {1, 0, 4, 7, 1, 2};
    s.band.sPower = 9;
    const QStringList tones{"D754N", "254.1", "67", "D023I", "OFF", "D047I", "100", "D116I", "123"};
    for (int ch = 0; ch < 16; ++ch)
        s.channels[ch] = channel(ch, tones);
    return {&osprey, s};
}

QStringList save(const Codec &codec, const EditorState &s)
{
    const auto image = codec.build(s, Target::File);
    if (!image)
        qFatal("%s", qPrintable(image.error()));
    return chp::FormatImage(*image);
}

// The window a file loads into: a just-started one.
Result<EditorState> load(const Sample &sample, const QByteArray &text)
{
    const auto lines = chp::Parse(text);
    if (!lines)
        return fail<EditorState>(lines.error());
    return sample.codec->decode(*lines, sample.codec->startup());
}

QStringList withToken(QStringList lines, int line, int token, const QString &value)
{
    QStringList tokens = lines[line - 1].split(' ');
    tokens[token] = value;
    lines[line - 1] = tokens.join(' ');
    return lines;
}

void addFamilies()
{
    QTest::addColumn<QString>("family");
    for (const char *family : {"Heron", "Pelican", "Osprey"})
        QTest::newRow(family) << family;
}

} // namespace

// What a file loads saves back: same window, same bytes, in any case of its
// hex digits; a code that no window saves back is refused, naming its line.
class TstRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void savedFileLoadsAndSavesAsItWas_data() { addFamilies(); }
    void savedFileLoadsAndSavesAsItWas()
    {
        QFETCH(QString, family);
        const Sample s = sample(family);
        const QStringList lines = save(*s.codec, s.state);
        for (const QByteArray &text : {crlf(lines), crlf(lines).toLower()}) {
            const auto back = load(s, text);
            QVERIFY2(back, qPrintable(back.error()));
            QCOMPARE(back->channels, s.state.channels);
            QCOMPARE(*back, s.state);
            QCOMPARE(save(*s.codec, *back), lines);
        }
    }

    void codesWithNoCellAreRefused_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("token");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("says");
        QTest::newRow("time-out 01") << "Heron" << 1 << 9 << "01" << "Line 1: time-out";
        QTest::newRow("power step 07") << "Osprey" << 1 << 11 << "07" << "Line 1: power step";
        QTest::newRow("voice 02") << "Heron" << 2 << 4 << "02" << "Line 2: voice";
        QTest::newRow("scan 01") << "Pelican" << 2 << 5 << "01" << "Line 2: scan";
        QTest::newRow("priority FF") << "Pelican" << 2 << 6 << "FF" << "Line 2: priority";
        QTest::newRow("frequency with a hex digit") << "Heron" << 3 << 6 << "2A" << "Line 3: RX Frequency";
        QTest::newRow("frequency partly FF") << "Osprey" << 5 << 11 << "FF" << "Line 5: TX Frequency";
        QTest::newRow("tone with a hex digit") << "Heron" << 4 << 4 << "3F" << "Line 4: QT/DQT Dec";
        QTest::newRow("tone partly FF") << "Pelican" << 4 << 6 << "FF" << "Line 4: QT/DQT Enc";
        QTest::newRow("DCS code not in the list") << "Heron" << 4 << 6 << "24" << "Line 4: QT/DQT Enc";
        QTest::newRow("tone index past the end") << "Osprey" << 4 << 5 << "D3" << "Line 4: QT/DQT Dec";
        QTest::newRow("busy 01") << "Osprey" << 4 << 8 << "01" << "Line 4: Busy";
        QTest::newRow("W/N 00") << "Pelican" << 4 << 9 << "00" << "Line 4: W/N";
        QTest::newRow("power 12") << "Heron" << 6 << 10 << "12" << "Line 6: TX Power";
    }
    void codesWithNoCellAreRefused()
    {
        QFETCH(QString, family);
        QFETCH(int, line);
        QFETCH(int, token);
        QFETCH(QString, value);
        QFETCH(QString, says);
        const Sample s = sample(family);
        QStringList lines = save(*s.codec, s.state);
        if (value == "D3")
            lines = withToken(lines, line, token - 1, "D0");
        if (value == "24")
            lines = withToken(lines, line, token + 1, "80");
        const auto back = load(s, crlf(withToken(lines, line, token, value)));
        QVERIFY(!back);
        QVERIFY2(back.error().startsWith(says), qPrintable(back.error()));
    }

    void everyScramblerTokenLoadsAsItSaves()
    {
        const Sample s = sample("Pelican");
        const QStringList lines = save(*s.codec, s.state);
        int loaded = 0;
        for (int b = 0; b < 256; ++b) {
            const QString token = HexByte(Byte(b));
            for (const QString &spelled : {token, token.toLower()}) {
                const auto back = load(s, crlf(withToken(lines, 4, 11, spelled)));
                if (!back) {
                    QVERIFY2(back.error().startsWith("Line 4: Scrambler Code"), qPrintable(back.error()));
                    continue;
                }
                ++loaded;
                QCOMPARE(back->channels[0][8], b == 0xFF ? QString("OFF") : QString::number(b));
                QCOMPARE(save(*s.codec, *back).at(3).split(' ').at(11), token);
            }
        }
        QCOMPARE(loaded, 2 * 9); // FF and 01..08
    }
};

QTEST_GUILESS_MAIN(TstRoundTrip)
#include "tst_roundtrip.moc"
