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

// Bits: Moni, Battery Save, crystal, IF polarity, then four zero bits.
Result<Byte> OptionByte(int moni, int batterySave, const QString &crystal, const QString &polarity);
// The Battery Save rule: the band editor's saved texts.
Result<Byte> OptionByteFromTexts(const EditorState &s);
// The Moni rule: the band editor's option buttons.
Result<Byte> OptionByteFromButtons(const EditorState &s);

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
// "Channel 5, QT/DQT Enc: ..." for a failure of ChannelBlocks.
QString ChannelError(int channel, const QString &why);

// Lines 1 and 2 without the model code: option bits, time-out, squelch, power
// step, voice and scan. Every family's chp file carries them alike.
Status DecodeSettings(const ChpLines &lines, EditorState &s);

// The whole 1024-byte image: function blocks, 16 channel records, 0xFF filler.
// A cell whose text does not fit its code fails the whole image, naming the channel.
Result<MemoryImage> BuildImage(const EditorState &s, Target target);
// The same layout with a given first function block, tone code and power
// comparison: families whose records differ only there build theirs with it.
Result<MemoryImage> ImageWith(const Block &block1, const EditorState &s, ToneEncoder encodeTone,
                              Qt::CaseSensitivity powerCase);

// Fills a state from the first 34 lines of a chp file. Fields that the file
// leaves open (an unknown power or voice token) keep their values from current.
Result<EditorState> DecodeImage(const ChpLines &lines, const EditorState &current);

// The state of a window just started: "QZ70" "(U)", defaults, empty grid.
EditorState StartupState();

} // namespace core::familyB
