#pragma once

#include "ChpFile.h"
#include "EditorState.h"
#include "MemoryImage.h"
#include "Result.h"

#include <functional>

// Family B (Heron): two models, two band variants each, 16 channels of seven fields.
namespace core::familyB {

constexpr int kChannels = 16;
constexpr int kChannelColumns = 7;

// The File > New captions; a model's position there selects its code.
const QStringList &Models();

// 0x53/0x54 for "QZ70", 0x51/0x52 for "QZ236"; an unknown name takes "QZ70"'s codes.
Byte ModelCode(const QString &model, int variant);

// The model code of line 1 when it is one of codes; any other code refuses
// the whole image, naming the code, since its layout is not known.
Result<Byte> KnownModelCode(const ChpLines &lines, const QList<Byte> &codes);

// Bits: Moni, Battery Save, crystal, IF polarity, then four zero bits.
Result<Byte> OptionByte(int moni, int batterySave, const QString &crystal, const QString &polarity);
// The state's Moni, Battery Save and band editor choices.
Result<Byte> OptionByte(const EditorState &s);

Byte TimeOutByte(int index);   // "OFF" 0x00, "30s" 0x03 .. "300s" 0x1E
Byte PowerStepByte(int sPower); // 5 x sPower for 0..10, else 0x00
Byte VoiceByte(int index);     // "Off" 0xFF, "Chinese" 0x00, "English" 0x01
Byte ScanByte(int index);      // "Enable" 0xFF, "Disable" 0x00

Result<Block> FunctionBlock1(const EditorState &s);
Block FunctionBlock2(const EditorState &s);

// The radio writer compares the power text without regard to case.
using core::Target;

// The frequency block and the tone block of one channel row (texts of columns 1..7).
Result<std::array<Block, 2>> ChannelBlocks(const QStringList &row, Target target);
// The same with another family's tone code and power comparison; a failure
// names the column ("QT/DQT Dec: ...").
using ToneEncoder = Result<ToneCode> (*)(const QString &text);
Result<std::array<Block, 2>> ChannelBlocks(const QStringList &row, ToneEncoder encodeTone, Qt::CaseSensitivity powerCase);

using ChannelRecord = std::function<Result<std::array<Block, 2>>(const QStringList &row)>;
// Function blocks, then one record per channel row (16 at most), then 0xFF
// filler. The first row that does not fit stops it with "Channel n<separator>why".
Result<MemoryImage> AssembleImage(const Result<Block> &block1, const Block &block2, const QList<QStringList> &channels,
                                  const ChannelRecord &record, const QString &separator);

// The whole 1024-byte image: function blocks, 16 channel records, 0xFF filler.
// A cell whose text does not fit its code fails the whole image, naming the channel.
Result<MemoryImage> BuildImage(const EditorState &s, Target target);

// The seven cells of channel ch (0..15) from its frequency and tone lines.
// readTone takes the two tokens of a tone code in file order. With busyByte
// false d4 is left to the caller (a flags byte) and the busy cell is empty.
// A code that no cell text saves back to fails, naming the line and column.
using ToneReader = Result<QString> (*)(const QString &first, const QString &second);
Result<QStringList> DecodeChannel(const ChpLines &lines, int ch, ToneReader readTone, bool busyByte = true);

// Lines 1 and 2 without the model code: option bits, time-out, squelch, power
// step, voice and scan. Every family's chp file carries them alike; a token
// outside a setting's table fails, naming its line.
Status DecodeSettings(const ChpLines &lines, EditorState &s);

// Fills a state from the first 34 lines of a chp file. A model code outside
// 0x51..0x54 refuses the file, and so does a token that no setting or cell
// saves back to, naming its line.
Result<EditorState> DecodeImage(const ChpLines &lines, const EditorState &current);
// The same without the model check, for a family that checks its own codes.
// With busyByte false d4 is another family's flags byte: it is not read, and
// the busy cells stay empty for the caller.
Result<EditorState> DecodeRecords(const ChpLines &lines, const EditorState &current, bool busyByte = true);

// The state of a window just started: "QZ70" "(U)", defaults, empty grid.
EditorState StartupState();

} // namespace core::familyB
