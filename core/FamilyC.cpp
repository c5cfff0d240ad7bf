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
    const auto functionBlocks = [&](MemoryImage &image) {
        const Status block1 = WriteFunctionBlock1(image, modelCode(s), OptionByte(s), s);
        WriteFunctionBlock2(image, s);
        return block1;
    };
    return AssembleImage(functionBlocks, s.channels, [](MemoryImage &image, int ch, const QStringList &row) {
        return within(kRecord.write(image, ch, row), ChannelName(ch), QStringLiteral(", "));
    });
}

Result<EditorState> DecodeImage(const ChpLines &file, const EditorState &current)
{
    QList<Byte> codes;
    for (const Model &m : Models())
        codes << m.code;
    const auto loaded = LoadImage(file, codes);
    if (!loaded)
        return fail<EditorState>(loaded.error());
    EditorState s = current;
    const int position = PositionOfCode(loaded->modelCode);
    // Another model empties the grid before the channels are filled.
    if (position != s.variant) {
        s.variant = position;
        s.channels.clear();
    }
    while (s.channels.size() < kChannels)
        s.channels << QStringList(kChannelColumns, QString());
    if (const Status settings = ReadSettings(loaded->image, OptionBits{}, s); !settings)
        return fail<EditorState>(settings.error());
    const auto rows = kRecord.readAll(loaded->image);
    if (!rows)
        return fail<EditorState>(rows.error());
    for (int ch = 0; ch < kChannels; ++ch)
        s.channels[ch] = rows->at(ch);
    return s;
}

EditorState StartupState()
{
    EditorState s = EmptyState(kChannelColumns);
    s.model.clear();
    return s;
}

} // namespace core::familyC
