#include "FamilyB.h"
#include "ChannelRecord.h"
#include "Context.h"
#include "FunctionBlocks.h"
#include "ImageMap.h"

namespace core::familyB {

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

Result<Byte> OptionByte(const EditorState &s) { return core::OptionByte(s); }

namespace {

ChannelRecord recordFor(Target target) { return ChannelRecord{kBcdTones, PowerCaseFor(target)}; }

Status writeFunctionBlocks(MemoryImage &image, const EditorState &s)
{
    if (const Status block1 = WriteFunctionBlock1(image, ModelCode(s.model, s.variant), familyB::OptionByte(s), s); !block1)
        return block1;
    WriteFunctionBlock2(image, s);
    return success();
}

} // namespace

Result<Block> FunctionBlock1(const EditorState &s)
{
    MemoryImage image;
    if (const Status written = writeFunctionBlocks(image, s); !written)
        return fail<Block>(written.error());
    return image.block(map::kFunctionBlock1);
}

Block FunctionBlock2(const EditorState &s)
{
    MemoryImage image;
    WriteFunctionBlock2(image, s);
    return image.block(map::kFunctionBlock2);
}

Result<std::array<Block, 2>> ChannelBlocks(const QStringList &row, Target target)
{
    return recordFor(target).blocks(row);
}

Result<MemoryImage> BuildImage(const EditorState &s, Target target)
{
    const ChannelRecord record = recordFor(target);
    return AssembleImage([&](MemoryImage &image) { return writeFunctionBlocks(image, s); }, s.channels,
                         [&](MemoryImage &image, int ch, const QStringList &row) {
                             return within(record.write(image, ch, row), ChannelName(ch));
                         });
}

Result<EditorState> DecodeImage(const ChpLines &file, const EditorState &current)
{
    QList<Byte> codes;
    for (const QString &model : Models())
        codes << ModelCode(model, 0) << ModelCode(model, 1);
    const auto loaded = LoadImage(file, codes);
    if (!loaded)
        return fail<EditorState>(loaded.error());
    EditorState s = current;
    const int index = int(codes.indexOf(loaded->modelCode));
    s.model = Models().at(index / 2);
    s.variant = index % 2;
    if (const Status settings = ReadSettings(loaded->image, OptionBits{}, s); !settings)
        return fail<EditorState>(settings.error());
    const auto rows = recordFor(Target::File).readAll(loaded->image);
    if (!rows)
        return fail<EditorState>(rows.error());
    s.channels = *rows;
    return s;
}

EditorState StartupState() { return EmptyState(kChannelColumns); }

} // namespace core::familyB
