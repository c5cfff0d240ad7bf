#include "FamilyA.h"
#include "ChannelRecord.h"
#include "Context.h"
#include "FunctionBlocks.h"
#include "ImageMap.h"
#include "mdlFunction.h"

namespace core::familyA {

namespace {

const QString kGroup0 = QStringLiteral("0");
const QString kGroup1 = QStringLiteral("1");

// Group "1" cells past the shared Busy and W/N, columns 7..10.
constexpr int kScanAddColumn = 7;
constexpr int kCompandorColumn = 8;
constexpr int kScramblerColumn = 9;
constexpr int kGroupOnePowerColumn = 10;

// Grid titles of columns 1.., for messages that name a cell.
const QStringList &ColumnTitles(const QString &group)
{
    static const QStringList group0 = ChannelColumnTitles();
    static const QStringList group1 =
        ChannelColumnTitles().mid(0, 6) + QStringList{"Scan Add", "Compandor", "Scrambler Code.", "TX Power"};
    return group == kGroup1 ? group1 : group0;
}

// The "(U)" code of each model; "(V)" is the next one up.
const Byte kUCodes[] = {0x53, 0x51, 0x55, 0x71, 0x73, 0x75};

// Group "1": Moni, Battery Save, Sound, Scrambler, crystal, IF polarity, 00.
constexpr OptionBits kGroupOneBits{7, 6, 3, 2, 5, 4};

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

Byte ModelCode(const QString &model, int variant)
{
    return ModelCodes().at(2 * qMax(0, int(Models().indexOf(model))) + (variant == 1 ? 1 : 0));
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
        return core::OptionByte(s);
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

namespace {

void writeFunctionBlock2(MemoryImage &image, const EditorState &s, Target target)
{
    WriteFunctionBlock2(image, s);
    if (s.group == kGroup1)
        map::Set(image, map::kPriorityChannel, Byte(qBound(0, s.lists.priority, kChannels - 1) + 1));
    if (target == Target::Radio)
        map::Set(image, map::kLastUsedChannel, LastUsedChannel(s.channels));
}

Status writeFunctionBlocks(MemoryImage &image, const EditorState &s, Target target)
{
    if (const Status block1 = WriteFunctionBlock1(image, ModelCode(s.model, s.variant), familyA::OptionByte(s), s); !block1)
        return block1;
    writeFunctionBlock2(image, s, target);
    return success();
}

// Group "0" keeps the standard record; group "1" keeps d4 and d7 for its own fields.
ChannelRecord recordFor(const QString &group, Target target)
{
    return ChannelRecord{kBcdTones, PowerCaseFor(target), group != kGroup1};
}

Status writeChannel(MemoryImage &image, int ch, const QStringList &row, const QString &group, Target target)
{
    const ChannelRecord record = recordFor(group, target);
    if (group != kGroup1)
        return record.write(image, ch, row.mid(0, 7));
    const auto cell = [&](int column) { return row.value(column - 1); };
    // The shared cells, with TX Power from its own column.
    if (const Status shared = record.write(image, ch, row.mid(0, 6) << cell(kGroupOnePowerColumn)); !shared)
        return shared;
    if (IsUsedCell(cell(5)))
        map::Set(image, map::InChannel(ch, map::record::kBusy),
                 ChannelFlagsByte(cell(5), cell(kScanAddColumn), cell(kCompandorColumn)));
    if (IsUsedCell(cell(kGroupOnePowerColumn))) {
        const auto scrambler = ScramblerByte(cell(kScramblerColumn));
        if (!scrambler)
            return within(failed(scrambler.error()), ColumnTitles(group).at(kScramblerColumn - 1));
        map::Set(image, map::InChannel(ch, map::record::kScrambler), *scrambler);
    }
    return success();
}

} // namespace

Result<Block> FunctionBlock1(const EditorState &s)
{
    MemoryImage image;
    if (const Status written = writeFunctionBlocks(image, s, Target::File); !written)
        return fail<Block>(written.error());
    return image.block(map::kFunctionBlock1);
}

Block FunctionBlock2(const EditorState &s, Target target)
{
    MemoryImage image;
    writeFunctionBlock2(image, s, target);
    return image.block(map::kFunctionBlock2);
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
    MemoryImage image;
    if (const Status written = writeChannel(image, 0, row, group, target); !written)
        return fail<std::array<Block, 2>>(written.error());
    return std::array<Block, 2>{image.block(map::kFirstChannelBlock), image.block(map::kFirstChannelBlock + 1)};
}

Result<MemoryImage> BuildImage(const EditorState &s, Target target)
{
    return AssembleImage([&](MemoryImage &image) { return writeFunctionBlocks(image, s, target); }, s.channels,
                         [&](MemoryImage &image, int ch, const QStringList &row) {
                             return within(writeChannel(image, ch, row, s.group, target), ChannelName(ch),
                                           QStringLiteral(", "));
                         });
}

Result<EditorState> DecodeImage(const ChpLines &file, const EditorState &current)
{
    if (file.lines.isEmpty())
        return fail<EditorState>(QStringLiteral("Line 1 is missing."));
    const MemoryImage image = map::ImageOf(file);
    const auto code = KnownModelCode(image, ModelCodes());
    if (!code)
        return fail<EditorState>(code.error());
    if (const Status all = AllLinesRead(file); !all)
        return fail<EditorState>(all.error());
    EditorState s = current;
    const int index = int(ModelCodes().indexOf(*code));
    s.model = Models().at(index / 2);
    s.variant = index % 2;
    s.group = GroupOf(s.model);
    const bool groupOne = s.group == kGroup1;

    if (const Status settings = ReadSettings(image, groupOne ? kGroupOneBits : OptionBits{}, s); !settings)
        return fail<EditorState>(settings.error());

    const auto rows = recordFor(s.group, Target::File).readAll(image);
    if (!rows)
        return fail<EditorState>(rows.error());
    s.channels = *rows;

    s.lists.priority = 0;
    if (!groupOne)
        return s;
    // The saver writes 01..10; any other byte would come back as channel 1's.
    const Byte priority = map::Get(image, map::kPriorityChannel);
    if (priority < 1 || priority > kChannels)
        return fail<EditorState>(QStringLiteral("Line %1: priority channel token \"%2\" names no channel")
                                     .arg(map::kPriorityChannel.line())
                                     .arg(HexByte(priority)));
    s.lists.priority = priority - 1;

    for (int ch = 0; ch < kChannels; ++ch) {
        const Byte flags = map::Get(image, map::InChannel(ch, map::record::kBusy));
        const map::Field scramblerField = map::InChannel(ch, map::record::kScrambler);
        const Byte code = map::Get(image, scramblerField);
        // Only the codes a cell can hold: 0xFF and 0x01..0x08.
        if (code != 0xFF && (code < 1 || code > 8))
            return fail<EditorState>(QStringLiteral("Line %1: Scrambler Code \"%2\" is not OFF or 1 to 8")
                                         .arg(scramblerField.line())
                                         .arg(HexByte(code)));
        const auto yesNo = [](bool b) { return b ? QStringLiteral("Yes") : QStringLiteral("No"); };
        const QStringList standard = s.channels.at(ch);
        QStringList row = standard.mid(0, 6);
        row[4] = yesNo((flags & 0x01) == 0);
        row << yesNo(flags & 0x02) << yesNo(flags & 0x04)
            << (code == 0xFF ? QStringLiteral("OFF") : QString::number(code)) << standard.at(6);
        s.channels[ch] = row;
    }
    return s;
}

EditorState StartupState()
{
    EditorState s = EmptyState(ChannelColumns(kGroup0));
    s.model.clear();
    s.group = kGroup0;
    s.lists.timeOut = 1;
    return s;
}

} // namespace core::familyA
