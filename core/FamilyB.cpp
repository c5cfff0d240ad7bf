#include "FamilyB.h"
#include "mdlFunction.h"

namespace core::familyB {

namespace {


Result<Byte> hexByte(const QString &hex)
{
    const auto v = HexToInt(hex);
    if (!v)
        return fail<Byte>(v.error());
    return Byte(*v & 0xFF);
}


const char *const kColumnTitles[] = {"RX Frequency", "TX Frequency", "QT/DQT Dec", "QT/DQT Enc"};

template <class T>
Result<T> inColumn(int column, const QString &why)
{
    return fail<T>(QLatin1String(kColumnTitles[column - 1]) + QStringLiteral(": ") + why);
}

} // namespace

const QStringList &Models()
{
    static const QStringList models{QStringLiteral("QZ70"), QStringLiteral("QZ236")};
    return models;
}

Byte ModelCode(const QString &model, int variant)
{
    const int position = Models().indexOf(model);
    const int c = position < 0 ? 2 : 2 - position;
    const Byte u = Byte(0x50 + 2 * c - 1);
    return variant == 1 ? Byte(u + 1) : u;
}

Result<Byte> OptionByte(int moni, int batterySave, const QString &crystal, const QString &polarity)
{
    const QString bits = QString::number(moni) + QString::number(batterySave) + crystal + polarity + QStringLiteral("0000");
    const auto hex = BinToHex(bits);
    if (!hex)
        return fail<Byte>(hex.error());
    if (hex->size() != 2)
        return fail<Byte>(QStringLiteral("Type mismatch: \"%1\" is not an option byte").arg(bits));
    return hexByte(*hex);
}

Result<Byte> OptionByte(const EditorState &s)
{
    const auto bit = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    return OptionByte(s.lists.moni, s.lists.batterySave, bit(s.band.crystal14MHz), bit(s.band.ifNegative));
}

Result<Byte> KnownModelCode(const ChpLines &lines, const QList<Byte> &codes)
{
    if (lines.lines.isEmpty())
        return fail<Byte>(QStringLiteral("Line 1 is missing."));
    const QString token = lines.lines.at(0).value(4);
    bool ok = false;
    const uint code = token.toUInt(&ok, 16);
    if (ok && code <= 0xFF && codes.contains(Byte(code)))
        return Byte(code);
    return fail<Byte>(QStringLiteral("The model code %1 names none of this program's models; nothing was loaded.")
                          .arg(ok && code <= 0xFF ? QStringLiteral("0x") + HexByte(Byte(code))
                                                  : QLatin1Char('"') + token + QLatin1Char('"')));
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

Result<Block> FunctionBlock1(const EditorState &s)
{
    const auto option = OptionByte(s);
    if (!option)
        return fail<Block>(option.error());
    return Block{ModelCode(s.model, s.variant), 0xFF, 0xFF, 0xFF, *option, TimeOutByte(s.lists.timeOut),
                 Byte(s.lists.squelch), PowerStepByte(s.band.sPower)};
}

Block FunctionBlock2(const EditorState &s)
{
    return Block{VoiceByte(s.lists.voice), ScanByte(s.lists.scan), 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
}

Result<std::array<Block, 2>> ChannelBlocks(const QStringList &row, Target target)
{
    return ChannelBlocks(row, EncodeTone, target == Target::Radio ? Qt::CaseInsensitive : Qt::CaseSensitive);
}

Result<std::array<Block, 2>> ChannelBlocks(const QStringList &row, ToneEncoder encodeTone, Qt::CaseSensitivity powerCase)
{
    using Blocks = std::array<Block, 2>;
    const auto cell = [&](int column) { return column - 1 < row.size() ? row.at(column - 1) : QString(); };
    Block freq;
    freq.fill(0xFF);
    Block tone;
    tone.fill(0xFF);
    for (int column : {1, 2}) {
        if (!IsUsedCell(cell(column)))
            continue;
        const auto code = EncodeFrequency(cell(column));
        if (!code)
            return inColumn<Blocks>(column, code.error());
        for (int i = 0; i < 4; ++i)
            freq[(column - 1) * 4 + i] = (*code)[i];
    }
    for (int column : {3, 4}) {
        if (!IsUsedCell(cell(column)))
            continue;
        const auto code = encodeTone(cell(column));
        if (!code)
            return inColumn<Blocks>(column, code.error());
        tone[(column - 3) * 2] = (*code)[0];
        tone[(column - 3) * 2 + 1] = (*code)[1];
    }
    if (IsUsedCell(cell(5)))
        tone[4] = BusyByte(cell(5));
    if (IsUsedCell(cell(6)))
        tone[5] = WideNarrowByte(cell(6));
    if (IsUsedCell(cell(7)))
        tone[6] = PowerByte(cell(7), powerCase);
    return Blocks{freq, tone};
}

Result<MemoryImage> AssembleImage(const Result<Block> &block1, const Block &block2, const QList<QStringList> &channels,
                                  const ChannelRecord &record, const QString &separator)
{
    MemoryImage image;
    if (!block1)
        return fail<MemoryImage>(block1.error());
    image.setBlock(0, *block1);
    image.setBlock(1, block2);
    for (int ch = 0; ch < channels.size() && ch < kChannels; ++ch) {
        const auto blocks = record(channels.at(ch));
        if (!blocks)
            return fail<MemoryImage>(QStringLiteral("Channel %1%2%3").arg(ch + 1).arg(separator, blocks.error()));
        image.setBlock(2 + 2 * ch, (*blocks)[0]);
        image.setBlock(3 + 2 * ch, (*blocks)[1]);
    }
    return image;
}

Result<MemoryImage> BuildImage(const EditorState &s, Target target)
{
    return AssembleImage(FunctionBlock1(s), FunctionBlock2(s), s.channels,
                         [target](const QStringList &row) { return ChannelBlocks(row, target); }, QStringLiteral(": "));
}

Result<QStringList> DecodeChannel(const ChpLines &file, int ch, ToneReader readTone, bool busyByte)
{
    const int line = 3 + 2 * ch;
    const QStringList &f = file.lines.at(line - 1);
    const QStringList &t = file.lines.at(line);
    QStringList row;
    const auto take = [&](int at, const char *column, const Result<QString> &cell) {
        if (!cell)
            return QStringLiteral("Line %1: %2 %3").arg(at).arg(QLatin1String(column), cell.error());
        row << *cell;
        return QString();
    };
    for (const QString &why : {
             take(line, "RX Frequency", ReadFrequency(f.at(4), f.at(5), f.at(6), f.at(7))),
             take(line, "TX Frequency", ReadFrequency(f.at(8), f.at(9), f.at(10), f.at(11))),
             take(line + 1, "QT/DQT Dec", readTone(t.at(4), t.at(5))),
             take(line + 1, "QT/DQT Enc", readTone(t.at(6), t.at(7))),
             take(line + 1, "Busy", busyByte ? ReadBusy(t.at(8)) : QString()),
             take(line + 1, "W/N", ReadWideNarrow(t.at(9))),
             take(line + 1, "TX Power", ReadPower(t.at(10))),
         })
        if (!why.isEmpty())
            return fail<QStringList>(why);
    return row;
}

Result<EditorState> DecodeImage(const ChpLines &file, const EditorState &current)
{
    if (file.lines.size() < chp::kLinesRead)
        return fail<EditorState>(QStringLiteral("Line %1 is missing.").arg(file.lines.size() + 1));
    if (const auto code = KnownModelCode(file, {0x51, 0x52, 0x53, 0x54}); !code)
        return fail<EditorState>(code.error());
    return DecodeRecords(file, current);
}

Result<EditorState> DecodeRecords(const ChpLines &file, const EditorState &current, bool busyByte)
{
    if (file.lines.size() < chp::kLinesRead)
        return fail<EditorState>(QStringLiteral("Line %1 is missing.").arg(file.lines.size() + 1));
    const auto bad = [](int line, const QString &why) {
        return fail<EditorState>(QStringLiteral("Line %1: %2").arg(line).arg(why));
    };
    EditorState s = current;
    const QStringList &l1 = file.lines.at(0);

    const auto last = HexToInt(l1.at(4).right(1));
    if (!last)
        return bad(1, last.error());
    const int n = *last;
    s.variant = n % 2 == 1 ? 0 : 1;
    const int m = n % 2 == 1 ? (n + 1) / 2 : n / 2;
    s.model = m == 1 ? QStringLiteral("QZ236") : QStringLiteral("QZ70");

    if (const Status settings = DecodeSettings(file, s); !settings)
        return fail<EditorState>(settings.error());

    s.channels.clear();
    for (int ch = 0; ch < kChannels; ++ch) {
        const auto row = DecodeChannel(file, ch, ReadTone, busyByte);
        if (!row)
            return fail<EditorState>(row.error());
        s.channels << *row;
    }
    return s;
}

Status DecodeSettings(const ChpLines &file, EditorState &s)
{
    if (file.lines.size() < 2)
        return failed(QStringLiteral("Line %1 is missing.").arg(file.lines.size() + 1));
    const auto bad = [](int line, const QString &why) {
        return failed(QStringLiteral("Line %1: %2").arg(line).arg(why));
    };
    const QStringList &l1 = file.lines.at(0);

    const QString option = l1.at(8).rightJustified(2, QLatin1Char('0'));
    QString bits;
    for (QChar digit : option) {
        const auto v = HexToInt(QString(digit));
        const auto b = v ? IntToBin(*v) : fail<QString>(v.error());
        if (!b)
            return bad(1, b.error());
        bits += *b;
    }
    s.lists.moni = bits.at(0).digitValue();
    s.lists.batterySave = bits.at(1).digitValue();
    s.band.crystal14MHz = bits.at(2) == QLatin1Char('1');
    s.band.ifNegative = bits.at(3) == QLatin1Char('1');

    // Only the tokens the saver writes: any other, rounded to a list item, would save as another byte.
    const int timeOut = [&] {
        for (int index = 0; index <= 10; ++index)
            if (l1.at(9) == HexByte(TimeOutByte(index)))
                return index;
        return -1;
    }();
    if (timeOut < 0)
        return bad(1, QStringLiteral("time-out token \"%1\" names no time-out").arg(l1.at(9)));
    s.lists.timeOut = timeOut;

    bool ok = false;
    const int squelch = l1.at(10).toInt(&ok, 10);
    if (!ok || squelch < 0 || squelch > 9)
        return bad(1, QStringLiteral("squelch token \"%1\" names no squelch level").arg(l1.at(10)));
    s.lists.squelch = squelch;

    static const QStringList powerTokens{"00", "05", "0A", "0F", "14", "19", "1E", "23", "28", "2D", "32"};
    const int power = powerTokens.indexOf(l1.at(11));
    if (power < 0)
        return bad(1, QStringLiteral("power step token \"%1\" names no power step").arg(l1.at(11)));
    s.band.sPower = power;

    const QStringList &l2 = file.lines.at(1);
    static const QStringList voiceTokens{"FF", "00", "01"};
    const int voice = voiceTokens.indexOf(l2.at(4));
    if (voice < 0)
        return bad(2, QStringLiteral("voice token \"%1\" names no voice").arg(l2.at(4)));
    s.lists.voice = voice;
    static const QStringList scanTokens{"FF", "00"};
    const int scan = scanTokens.indexOf(l2.at(5));
    if (scan < 0)
        return bad(2, QStringLiteral("scan token \"%1\" names no scan setting").arg(l2.at(5)));
    s.lists.scan = scan;
    return success();
}

EditorState StartupState()
{
    EditorState s;
    for (int ch = 0; ch < kChannels; ++ch) {
        QStringList row;
        for (int c = 0; c < kChannelColumns; ++c)
            row << QString();
        s.channels << row;
    }
    return s;
}

} // namespace core::familyB
