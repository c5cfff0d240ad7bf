#pragma once

#include "ChpFile.h"
#include "EditorState.h"
#include "MemoryImage.h"
#include "Result.h"

// Family A (Pelican): six models in two groups. Group "0" keeps the standard
// channel record and option byte; group "1" adds Scan Add, Compandor and a
// scrambler code per channel and Sound, Scrambler and a priority channel.
namespace core::familyA {

constexpr int kChannels = 16;

// The model dialog's list and the File > New captions, in table order.
const QStringList &Models();
// "0" for the first three models, "1" for the last three, "" for any other name.
QString GroupOf(const QString &model);
// Channel texts per row (grid columns 1..n-1) in a group's layout.
int ChannelColumns(const QString &group);

// "(U)" codes 0x53 0x51 0x55 0x71 0x73 0x75 by table position, "(V)" the next
// one up; a name outside the table takes the first model's codes.
Byte ModelCode(const QString &model, int variant);

// Every code of the table, "(U)" then "(V)" per model.
const QList<Byte> &ModelCodes();

// Group "0": Moni, Battery Save, crystal, IF polarity, 0000.
// Group "1": Moni, Battery Save, Sound, Scrambler, crystal, IF polarity, 00.
// Crystal and polarity are the band editor's buttons. No group, or a list
// without a selection, gives no byte.
Result<Byte> OptionByte(const EditorState &s);

// The highest channel whose RX Frequency cell holds any text, "OFF" included;
// 0x10 when none does, as after a read or a load of the same empty channels.
Byte LastUsedChannel(const QList<QStringList> &channels);

Result<Block> FunctionBlock1(const EditorState &s);
// d0 voice, d1 scan, d2 the priority channel (group "1"), d7 the last used
// channel (radio only: a file keeps 0xFF there).
Block FunctionBlock2(const EditorState &s, Target target);

// Group "1" channel flags byte: 00000, Compandor, Scan Add, Busy (0 for "Yes").
Byte ChannelFlagsByte(const QString &busy, const QString &scanAdd, const QString &compandor);
// "OFF" or an empty cell 0xFF, "1".."8" 0x01..0x08; any other text has no code.
Result<Byte> ScramblerByte(const QString &text);

// The two blocks of one channel row in a group's layout. A cell that does not
// fit its code fails, naming its column.
Result<std::array<Block, 2>> ChannelBlocks(const QStringList &row, const QString &group, Target target);

// The whole image for the state's group; a failure names the channel and the column.
Result<MemoryImage> BuildImage(const EditorState &s, Target target);

// Fills a state from a chp file. The model code decides the model and its
// group; a code outside the table refuses the file, naming the code. A group
// "1" file brings its priority channel back.
Result<EditorState> DecodeImage(const ChpLines &lines, const EditorState &current);

// The state of a window just started: no model, group "0", defaults, empty grid.
EditorState StartupState();

} // namespace core::familyA
