#include "FamilyC.h"
#include "ChannelRecord.h"
#include "Context.h"
#include "FunctionBlocks.h"
#include "ImageMap.h"
#include "ToneLists.h"
#include "mdlFunction.h"

namespace core::familyC {

namespace {

constexpr Byte kToneFlag = 0x80;
constexpr Byte kNormalFlag = 0xD0;
constexpr Byte kInvertedFlag = 0xC0;
constexpr int kLastTone = kFirstNormalDcs - 1;
constexpr int kLastNormal = kFirstInvertedDcs - 1;
constexpr int kLastInverted = kToneCount - 1;

} // namespace

const QList<Model> &Models()
{
    // Position 3 keeps its band under PL6; PL4 and PL5 belong to the two A models.
    static const QList<Model> models{
        {QStringLiteral("QZ--311B(1)"), 0x11, 0}, {QStringLiteral("QZ--311B(2)"), 0x12, 1},
        {QStringLiteral("QZ--311B(3)"), 0x13, 2}, {QStringLiteral("QZ--311B(4)"), 0x14, 5},
        {QStringLiteral("QZ--311A(1)"), 0x24, 3}, {QStringLiteral("QZ--311A(2)"), 0x25, 4},
    };
    return models;
}

int PositionOfCode(Byte code)
{
    for (int i = 0; i < Models().size(); ++i)
        if (Models().at(i).code == code)
            return i;
    return -1;
}

const QStringList &ToneItems()
{
    static const QStringList items = [] {
        QStringList l = QtDqtList();
        for (int i : {1, 5, 13, 19})
            l[i] = QtDqtIndexList().at(i);
        return l;
    }();
    return items;
}

Result<ToneCode> EncodeToneIndex(const QString &text)
{
    if (!IsUsedCell(text))
        return ToneCode{0xFF, 0xFF};
    const int l = FindStringPrefix(QtDqtIndexList(), text);
    if (l == 0)
        return ToneCode{0xFF, 0xFF};
    if (l >= kFirstCtcss && l <= kLastTone)
        return ToneCode{kToneFlag, Byte(l)};
    if (l >= kFirstNormalDcs && l <= kLastNormal)
        return ToneCode{kNormalFlag, Byte(l - kLastTone)};
    if (l >= kFirstInvertedDcs && l <= kLastInverted)
        return ToneCode{kInvertedFlag, Byte(l - kLastNormal)};
    return fail<ToneCode>(QStringLiteral("the QT/DQT \"%1\" is not in the QT/DQT list").arg(text));
}

Result<QString> DecodeToneIndex(const QString &flag, const QString &position)
{
    if (flag == QLatin1String("FF") && position == QLatin1String("FF"))
        return QStringLiteral("OFF");
    const auto v = HexToInt(position);
    const int base = flag == QLatin1String("80") ? 0 : flag == QLatin1String("D0") ? kLastTone
                                                   : flag == QLatin1String("C0") ? kLastNormal : -1;
    // A position outside the flag's own section still names an entry of the list, counted from the flag's base.
    const int l = v && base >= 0 ? base + (*v & 0xFF) : -1;
    if (l < 0 || l >= kToneCount)
        return fail<QString>(QStringLiteral("code \"%1 %2\" is no tone").arg(flag, position));
    return QtDqtIndexList().at(l);
}

namespace {

// The tone index codes, and texts compared exactly for the radio and a file alike.
const ChannelRecord kRecord{ToneRule{EncodeToneIndex, DecodeToneIndex}, Qt::CaseSensitive};

Byte modelCode(const EditorState &s)
{
    return s.variant >= 0 && s.variant < Models().size() ? Models().at(s.variant).code : Byte(0xFF);
}

} // namespace

Result<Block> FunctionBlock1(const EditorState &s)
{
    MemoryImage image;
    if (const Status written = WriteFunctionBlock1(image, modelCode(s), OptionByte(s), s); !written)
        return fail<Block>(written.error());
    return image.block(map::kFunctionBlock1);
}

Result<MemoryImage> BuildImage(const EditorState &s, Target)
{
    MemoryImage image;
    if (const Status block1 = WriteFunctionBlock1(image, modelCode(s), OptionByte(s), s); !block1)
        return fail<MemoryImage>(block1.error());
    WriteFunctionBlock2(image, s);
    const Status channels = WriteChannels(image, s.channels, [](MemoryImage &to, int ch, const QStringList &row) {
        return within(kRecord.write(to, ch, row), ChannelName(ch), QStringLiteral(", "));
    });
    if (!channels)
        return fail<MemoryImage>(channels.error());
    return image;
}

Result<EditorState> DecodeImage(const ChpLines &file, const EditorState &current)
{
    if (const Status all = AllLinesRead(file); !all)
        return fail<EditorState>(all.error());
    const MemoryImage image = map::ImageOf(file);
    QList<Byte> codes;
    for (const Model &m : Models())
        codes << m.code;
    const auto code = KnownModelCode(image, codes);
    if (!code)
        return fail<EditorState>(code.error());
    EditorState s = current;
    const int position = PositionOfCode(*code);
    // Another model empties the grid before the channels are filled.
    if (position != s.variant) {
        s.variant = position;
        s.channels.clear();
    }
    while (s.channels.size() < kChannels)
        s.channels << QStringList(kChannelColumns, QString());
    if (const Status settings = ReadSettings(image, OptionBits{}, s); !settings)
        return fail<EditorState>(settings.error());

    for (int ch = 0; ch < kChannels; ++ch) {
        const auto row = kRecord.read(image, ch);
        if (!row)
            return fail<EditorState>(row.error());
        s.channels[ch] = *row;
    }
    return s;
}

EditorState StartupState()
{
    EditorState s = EmptyState(kChannelColumns);
    s.model.clear();
    return s;
}

} // namespace core::familyC
