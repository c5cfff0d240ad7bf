#pragma once

#include "ChpFile.h"
#include "EditorState.h"
#include "MemoryImage.h"
#include "Result.h"

#include <functional>

// What every family's image shares: the function blocks' common bytes, the
// loop over the channel records, and the start-up state.
namespace core {

// The standard option byte. Bits: Moni, Battery Save, crystal, IF polarity, then four zero bits.
Result<Byte> OptionByte(int moni, int batterySave, const QString &crystal, const QString &polarity);
// The state's Moni, Battery Save and band editor choices.
Result<Byte> OptionByte(const EditorState &s);

Byte TimeOutByte(int index);    // "OFF" 0x00, "30s" 0x03 .. "300s" 0x1E
Byte PowerStepByte(int sPower); // 5 x sPower for 0..10, else 0x00
Byte VoiceByte(int index);      // "Off" 0xFF, "Chinese" 0x00, "English" 0x01
Byte ScanByte(int index);       // "Enable" 0xFF, "Disable" 0x00

// Function block 1 from the family's model code and option byte; a failed option byte fails it.
Status WriteFunctionBlock1(MemoryImage &image, Byte modelCode, const Result<Byte> &option, const EditorState &s);
// Voice and scan; the rest of function block 2 is 0xFF.
void WriteFunctionBlock2(MemoryImage &image, const EditorState &s);

// Writes channel ch's record of row, or says why it cannot.
using RecordWriter = std::function<Status(MemoryImage &image, int ch, const QStringList &row)>;
// Writes the function blocks, or says why it cannot.
using BlocksWriter = std::function<Status(MemoryImage &image)>;
// An erased image with the function blocks, then one record per channel row,
// 16 at most; the first part that does not fit stops it.
Result<MemoryImage> AssembleImage(const BlocksWriter &functionBlocks, const QList<QStringList> &channels,
                                  const RecordWriter &write);
// "Channel 3", as a failure names its channel (ch counts from 0).
QString ChannelName(int ch);

// "Line n is missing." for the first of the lines a loader reads that the file lacks.
Status AllLinesRead(const ChpLines &lines);

// The model code of line 1 when it is one of codes; any other code refuses
// the whole image, naming the code, since its layout is not known.
Result<Byte> KnownModelCode(const MemoryImage &image, const QList<Byte> &codes);

// The lines a loader reads as an image, once they are all there and carry one of codes.
struct LoadedImage {
    MemoryImage image;
    Byte modelCode;
};
Result<LoadedImage> LoadImage(const ChpLines &lines, const QList<Byte> &codes);

// How a family lays out the option byte: the bit (7 highest) of each setting, -1 for none.
struct OptionBits {
    int moni = 7;
    int batterySave = 6;
    int crystal = 5;
    int ifNegative = 4;
    int sound = -1;
    int scrambler = -1;
};

// The function blocks' settings without the model code: option bits,
// time-out, squelch, power step, voice and scan. A byte outside a setting's
// table fails, naming its line.
Status ReadSettings(const MemoryImage &image, const OptionBits &bits, EditorState &s);

// A window just started: defaults and channels empty rows of columns cells.
EditorState EmptyState(int columns);

} // namespace core
