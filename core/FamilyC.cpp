#include "FamilyC.h"
#include "FamilyB.h"
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

Result<Block> FunctionBlock1(const EditorState &s)
{
    auto block = familyB::FunctionBlock1(s);
    if (!block)
        return block;
    Block b = *block;
    b[0] = s.variant >= 0 && s.variant < Models().size() ? Models().at(s.variant).code : 0xFF;
    return b;
}

Result<MemoryImage> BuildImage(const EditorState &s, Target)
{
    const auto block1 = FunctionBlock1(s);
    return familyB::AssembleImage(
        block1, familyB::FunctionBlock2(s), s.channels,
        [](const QStringList &row) { return familyB::ChannelBlocks(row, EncodeToneIndex, Qt::CaseSensitive); },
        QStringLiteral(", "));
}

Result<EditorState> DecodeImage(const ChpLines &file, const EditorState &current)
{
    if (file.lines.size() < chp::kLinesRead)
        return fail<EditorState>(QStringLiteral("Line %1 is missing.").arg(file.lines.size() + 1));
    QList<Byte> codes;
    for (const Model &m : Models())
        codes << m.code;
    const auto code = familyB::KnownModelCode(file, codes);
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
    if (const Status settings = familyB::DecodeSettings(file, s); !settings)
        return fail<EditorState>(settings.error());

    for (int ch = 0; ch < kChannels; ++ch) {
        const auto row = familyB::DecodeChannel(file, ch, DecodeToneIndex);
        if (!row)
            return fail<EditorState>(row.error());
        s.channels[ch] = *row;
    }
    return s;
}

EditorState StartupState()
{
    EditorState s;
    s.model.clear();
    for (int ch = 0; ch < kChannels; ++ch)
        s.channels << QStringList(kChannelColumns, QString());
    return s;
}

} // namespace core::familyC
