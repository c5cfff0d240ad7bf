#include "FunctionBlocks.h"
#include "Context.h"
#include "ImageMap.h"
#include "mdlFunction.h"

namespace core {

Result<Byte> OptionByte(int moni, int batterySave, const QString &crystal, const QString &polarity)
{
    const QString bits = QString::number(moni) + QString::number(batterySave) + crystal + polarity + QStringLiteral("0000");
    const auto hex = BinToHex(bits);
    if (!hex)
        return fail<Byte>(hex.error());
    if (hex->size() != 2)
        return fail<Byte>(QStringLiteral("Type mismatch: \"%1\" is not an option byte").arg(bits));
    const auto v = HexToInt(*hex);
    if (!v)
        return fail<Byte>(v.error());
    return Byte(*v & 0xFF);
}

Result<Byte> OptionByte(const EditorState &s)
{
    const auto bit = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    return OptionByte(s.lists.moni, s.lists.batterySave, bit(s.band.crystal14MHz), bit(s.band.ifNegative));
}

Byte TimeOutByte(int index) { return index >= 0 && index <= 10 ? Byte(3 * index) : 0x00; }
Byte PowerStepByte(int sPower) { return sPower >= 0 && sPower <= 10 ? Byte(5 * sPower) : 0x00; }

Byte VoiceByte(int index)
{
    switch (index) {
    case 1: return 0x00;
    case 2: return 0x01;
    default: return 0xFF;
    }
}

Byte ScanByte(int index) { return index == 1 ? 0x00 : 0xFF; }

Status WriteFunctionBlock1(MemoryImage &image, Byte modelCode, const Result<Byte> &option, const EditorState &s)
{
    if (!option)
        return failed(option.error());
    map::Set(image, map::kModelCode, modelCode);
    map::Set(image, map::kOptionByte, *option);
    map::Set(image, map::kTimeOut, TimeOutByte(s.lists.timeOut));
    map::Set(image, map::kSquelch, Byte(s.lists.squelch));
    map::Set(image, map::kPowerStep, PowerStepByte(s.band.sPower));
    return success();
}

void WriteFunctionBlock2(MemoryImage &image, const EditorState &s)
{
    map::Set(image, map::kVoice, VoiceByte(s.lists.voice));
    map::Set(image, map::kScan, ScanByte(s.lists.scan));
}

Result<MemoryImage> AssembleImage(const BlocksWriter &functionBlocks, const QList<QStringList> &channels,
                                  const RecordWriter &write)
{
    MemoryImage image;
    if (const Status blocks = functionBlocks(image); !blocks)
        return fail<MemoryImage>(blocks.error());
    for (int ch = 0; ch < channels.size() && ch < map::kChannels; ++ch)
        if (const Status written = write(image, ch, channels.at(ch)); !written)
            return fail<MemoryImage>(written.error());
    return image;
}

QString ChannelName(int ch) { return QStringLiteral("Channel %1").arg(ch + 1); }

Status AllLinesRead(const ChpLines &lines)
{
    if (lines.lines.size() < chp::kLinesRead)
        return failed(QStringLiteral("Line %1 is missing.").arg(lines.lines.size() + 1));
    return success();
}

Result<Byte> KnownModelCode(const MemoryImage &image, const QList<Byte> &codes)
{
    const Byte code = map::Get(image, map::kModelCode);
    if (codes.contains(code))
        return code;
    return fail<Byte>(QStringLiteral("The model code 0x%1 names none of this program's models; nothing was loaded.")
                          .arg(HexByte(code)));
}

Result<LoadedImage> LoadImage(const ChpLines &lines, const QList<Byte> &codes)
{
    if (const Status all = AllLinesRead(lines); !all)
        return fail<LoadedImage>(all.error());
    const MemoryImage image = map::ImageOf(lines);
    const auto code = KnownModelCode(image, codes);
    if (!code)
        return fail<LoadedImage>(code.error());
    return LoadedImage{image, *code};
}

namespace {

// The list position whose byte the encoder gives, or -1: only the bytes the saver writes load,
// since any other, rounded to a list item, would save as another byte.
int positionOf(Byte b, Byte (*encode)(int), int count)
{
    for (int index = 0; index < count; ++index)
        if (encode(index) == b)
            return index;
    return -1;
}

Byte squelchByte(int level) { return Byte(level); }

} // namespace

Status ReadSettings(const MemoryImage &image, const OptionBits &bits, EditorState &s)
{
    const auto bad = [](map::Field f, const char *what, const QString &token, const char *names) {
        return within(failed(QStringLiteral("%1 token \"%2\" names no %3").arg(QLatin1String(what), token, QLatin1String(names))),
                      QStringLiteral("Line %1").arg(f.line()));
    };
    const Byte option = map::Get(image, map::kOptionByte);
    const auto bit = [option](int at) { return (option >> at) & 1; };
    s.lists.moni = bit(bits.moni);
    s.lists.batterySave = bit(bits.batterySave);
    s.band.crystal14MHz = bit(bits.crystal);
    s.band.ifNegative = bit(bits.ifNegative);
    if (bits.sound >= 0)
        s.lists.sound = bit(bits.sound);
    if (bits.scrambler >= 0)
        s.lists.scrambler = bit(bits.scrambler);

    struct Setting {
        map::Field field;
        Byte (*encode)(int);
        int count;
        int *position;
        const char *what;
        const char *names;
    };
    const Setting settings[] = {
        {map::kTimeOut, TimeOutByte, 11, &s.lists.timeOut, "time-out", "time-out"},
        {map::kSquelch, squelchByte, 10, &s.lists.squelch, "squelch", "squelch level"},
        {map::kPowerStep, PowerStepByte, 11, &s.band.sPower, "power step", "power step"},
        {map::kVoice, VoiceByte, 3, &s.lists.voice, "voice", "voice"},
        {map::kScan, ScanByte, 2, &s.lists.scan, "scan", "scan setting"},
    };
    for (const Setting &setting : settings) {
        const Byte b = map::Get(image, setting.field);
        const int position = positionOf(b, setting.encode, setting.count);
        if (position < 0)
            return bad(setting.field, setting.what, HexByte(b), setting.names);
        *setting.position = position;
    }
    return success();
}

EditorState EmptyState(int columns)
{
    EditorState s;
    for (int ch = 0; ch < map::kChannels; ++ch)
        s.channels << QStringList(columns, QString());
    return s;
}

} // namespace core
