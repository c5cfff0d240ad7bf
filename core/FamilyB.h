#pragma once

#include "ChpFile.h"
#include "EditorState.h"
#include "MemoryImage.h"
#include "Result.h"

// Family B (Heron): two models, two band variants each, 16 channels of seven fields.
namespace core::familyB {

constexpr int kChannels = 16;
constexpr int kChannelColumns = 7;

// The File > New captions; a model's position there selects its code.
const QStringList &Models();

// 0x53/0x54 for "QZ70", 0x51/0x52 for "QZ236"; an unknown name takes "QZ70"'s codes.
Byte ModelCode(const QString &model, int variant);

// The state's Moni, Battery Save and band editor choices, in the standard layout.
Result<Byte> OptionByte(const EditorState &s);

Result<Block> FunctionBlock1(const EditorState &s);
Block FunctionBlock2(const EditorState &s);

using core::Target;

// The frequency block and the tone block of one channel row (texts of columns 1..7).
Result<std::array<Block, 2>> ChannelBlocks(const QStringList &row, Target target);

// The whole 1024-byte image: function blocks, 16 channel records, 0xFF filler.
// A cell whose text does not fit its code fails the whole image, naming the channel.
Result<MemoryImage> BuildImage(const EditorState &s, Target target);

// Fills a state from the first 34 lines of a chp file. A model code outside
// 0x51..0x54 refuses the file, and so does a token that no setting or cell
// saves back to, naming its line.
Result<EditorState> DecodeImage(const ChpLines &lines, const EditorState &current);

// The state of a window just started: "QZ70" "(U)", defaults, empty grid.
EditorState StartupState();

} // namespace core::familyB
