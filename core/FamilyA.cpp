#include "FamilyA.h"
#include "FamilyB.h"
#include "mdlFunction.h"

namespace core::familyA {

namespace {

const QString kGroup0 = QStringLiteral("0");
const QString kGroup1 = QStringLiteral("1");

// Grid titles of columns 1.., for messages that name a cell.
const QStringList &ColumnTitles(const QString &group)
{
    static const QStringList group0{"RX Frequency", "TX Frequency", "QT/DQT Dec", "QT/DQT Enc", "Busy ", "W/N", "TX Power"};
    static const QStringList group1{"RX Frequency", "TX Frequency", "QT/DQT Dec", "QT/DQT Enc", "Busy ", "W/N",
                                    "Scan Add", "Compandor", "Scrambler Code.", "TX Power"};
    return group == kGroup1 ? group1 : group0;
}


} // namespace

const QStringList &Models()
{
    static const QStringList models{"QZ70", "QZ236", "QZ71", "QZ236star", "QZ510", "QZ410"};
    return models;
}

QString GroupOf(const QString &model)
{
    const int position = Models().indexOf(model);
    if (position < 0)
        return QString();
    return position < 3 ? kGroup0 : kGroup1;
}

int ChannelColumns(const QString &group) { return int(ColumnTitles(group).size()); }

namespace {
const Byte kUCodes[] = {0x53, 0x51, 0x55, 0x71, 0x73, 0x75};
} // namespace

Byte ModelCode(const QString &model, int variant)
{
    const int position = qMax(0, int(Models().indexOf(model)));
    return variant == 1 ? Byte(kUCodes[position] + 1) : kUCodes[position];
}

const QList<Byte> &ModelCodes()
{
    static const QList<Byte> codes = [] {
        QList<Byte> all;
        for (Byte u : kUCodes)
            all << u << Byte(u + 1);
        return all;
    }();
    return codes;
}

Result<Byte> OptionByte(const EditorState &s)
{
    if (s.group == kGroup0)
        return familyB::OptionByte(s);
    if (s.group != kGroup1)
        return fail<Byte>(QStringLiteral("no model group"));
    const FunctionLists &l = s.lists;
    if (l.moni < 0 || l.batterySave < 0 || l.scrambler < 0)
        return fail<Byte>(QStringLiteral("Moni, Battery Save and Scrambler need a selection"));
    const auto digit = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
    const QString bits = QString::number(l.moni) + QString::number(l.batterySave) + digit(l.sound != 0) +
                         QString::number(l.scrambler) + digit(s.band.crystal14MHz) + digit(s.band.ifNegative) +
                         QStringLiteral("00");
    const auto hex = BinToHex(bits);
    if (!hex)
        return fail<Byte>(hex.error());
    const auto v = HexToInt(*hex);
    if (hex->size() != 2 || !v)
        return fail<Byte>(QStringLiteral("Type mismatch: \"%1\" is not an option byte").arg(bits));
    return Byte(*v & 0xFF);
}

Byte LastUsedChannel(const QList<QStringList> &channels)
{
    for (int row = qMin(int(channels.size()), kChannels); row >= 1; --row)
        if (!channels.at(row - 1).value(0).isEmpty())
            return Byte(row);
    return Byte(kChannels);
}

Result<Block> FunctionBlock1(const EditorState &s)
{
    const auto option = OptionByte(s);
    if (!option)
        return fail<Block>(option.error());
    return Block{ModelCode(s.model, s.variant), 0xFF, 0xFF, 0xFF, *option, familyB::TimeOutByte(s.lists.timeOut),
                 Byte(s.lists.squelch), familyB::PowerStepByte(s.band.sPower)};
}

Block FunctionBlock2(const EditorState &s, Target target)
{
    Block b = familyB::FunctionBlock2(s);
    if (s.group == kGroup1)
        b[2] = Byte(qBound(0, s.lists.priority, kChannels - 1) + 1);
    if (target == Target::Radio)
        b[7] = LastUsedChannel(s.channels);
    return b;
}

Byte ChannelFlagsByte(const QString &busy, const QString &scanAdd, const QString &compandor)
{
    const auto yes = [](const QString &t) { return t == QLatin1String("Yes"); };
    return Byte((yes(compandor) ? 0x04 : 0) | (yes(scanAdd) ? 0x02 : 0) | (yes(busy) ? 0 : 0x01));
}

Result<Byte> ScramblerByte(const QString &text)
{
    if (!IsUsedCell(text))
        return Byte(0xFF);
    bool ok = false;
    const int code = text.toInt(&ok);
    if (!ok || code < 1 || code > 8 || text != QString::number(code))
        return fail<Byte>(QStringLiteral("Scrambler Code \"%1\" is not OFF or 1 to 8").arg(text));
    return Byte(code);
}

Result<std::array<Block, 2>> ChannelBlocks(const QStringList &row, const QString &group, Target target)
{
    const QStringList &titles = ColumnTitles(group);
    const auto cell = [&](int column) { return row.value(column - 1); };
    const auto bad = [&](int column, const QString &why) {
        return fail<std::array<Block, 2>>(QStringLiteral("%1: %2").arg(titles.at(column - 1).trimmed(), why));
    };
    // Frequencies and tones are the cells that can fail their codes.
    for (int column = 1; column <= 4; ++column) {
        if (!IsUsedCell(cell(column)))
            continue;
        const QString why = column <= 2 ? EncodeFrequency(cell(column)).error() : EncodeTone(cell(column)).error();
        if (!why.isEmpty())
            return bad(column, why);
    }
    if (group != kGroup1)
        return familyB::ChannelBlocks(row.mid(0, 7), target);
    // The shared first six columns as family B codes them; power and the rest follow.
    auto blocks = familyB::ChannelBlocks(row.mid(0, 6), target);
    if (!blocks)
        return blocks;
    Block &tone = blocks.value()[1];
    tone[4] = IsUsedCell(cell(5)) ? ChannelFlagsByte(cell(5), cell(7), cell(8)) : Byte(0xFF);
    tone[6] = 0xFF;
    tone[7] = 0xFF;
    if (IsUsedCell(cell(10))) {
        tone[6] = PowerByte(cell(10), target == Target::Radio ? Qt::CaseInsensitive : Qt::CaseSensitive);
        const auto scrambler = ScramblerByte(cell(9));
        if (!scrambler)
            return bad(9, scrambler.error());
        tone[7] = *scrambler;
    }
    return blocks;
}

Result<MemoryImage> BuildImage(const EditorState &s, Target target)
{
    return familyB::AssembleImage(
        FunctionBlock1(s), FunctionBlock2(s, target), s.channels,
        [&](const QStringList &row) { return ChannelBlocks(row, s.group, target); }, QStringLiteral(", "));
}

Result<EditorState> DecodeImage(const ChpLines &file, const EditorState &current)
{
    const auto code = familyB::KnownModelCode(file, ModelCodes());
    if (!code)
        return fail<EditorState>(code.error());
    const int position = int(ModelCodes().indexOf(*code)) / 2;
    const QString group = GroupOf(Models().at(position));
    const bool groupOneBits = group == kGroup1;
    // Function blocks and the group "0" record are family B's; in group "1" d4 holds the channel flags.
    auto decoded = familyB::DecodeRecords(file, current, !groupOneBits);
    if (!decoded)
        return decoded;
    EditorState s = *decoded;
    s.model = Models().at(position);
    s.group = group;

    if (groupOneBits) {
        const auto option = HexToInt(file.lines.at(0).at(8));
        const int byte = option ? *option & 0xFF : 0;
        s.lists.sound = (byte >> 5) & 1;
        s.lists.scrambler = (byte >> 4) & 1;
        s.band.crystal14MHz = (byte >> 3) & 1;
        s.band.ifNegative = (byte >> 2) & 1;
    }

    s.lists.priority = 0;
    if (s.group == kGroup1) {
        // The saver writes 01..10; any other byte would come back as channel 1's.
        const QString &d2 = file.lines.at(1).at(6);
        const auto v = HexToInt(d2);
        if (!v || *v < 1 || *v > kChannels || d2 != HexByte(Byte(*v)))
            return fail<EditorState>(QStringLiteral("Line 2: priority channel token \"%1\" names no channel").arg(d2));
        s.lists.priority = *v - 1;
    }

    if (s.group != kGroup1)
        return s;
    for (int ch = 0; ch < kChannels; ++ch) {
        const QStringList &t = file.lines.at(3 + 2 * ch);
        QStringList row = s.channels.at(ch).mid(0, 6); // frequencies, tones, W/N as family B decodes them
        const auto flags = HexToInt(t.at(8));
        const int f = flags ? *flags : 0xFF;
        const auto yesNo = [](bool b) { return b ? QStringLiteral("Yes") : QStringLiteral("No"); };
        row[4] = yesNo((f & 0x01) == 0);
        // Only the codes a cell can hold: "FF" and "01".."08" (the token read as a decimal number).
        const QString &d7 = t.at(11);
        QString scrambler = QStringLiteral("OFF");
        if (d7 != QLatin1String("FF")) {
            scrambler = d7.mid(d7.startsWith(QLatin1Char('0')) ? 1 : 0);
            const auto byte = ScramblerByte(scrambler);
            if (!byte || d7 != HexByte(*byte))
                return fail<EditorState>(
                    QStringLiteral("Line %1: Scrambler Code \"%2\" is not OFF or 1 to 8").arg(4 + 2 * ch).arg(d7));
        }
        row << yesNo(f & 0x02) << yesNo(f & 0x04) << scrambler << s.channels.at(ch).at(6);
        s.channels[ch] = row;
    }
    return s;
}

EditorState StartupState()
{
    EditorState s;
    s.model.clear();
    s.group = kGroup0;
    s.lists.timeOut = 1;
    for (int ch = 0; ch < kChannels; ++ch)
        s.channels << QStringList(ChannelColumns(kGroup0));
    return s;
}

} // namespace core::familyA
