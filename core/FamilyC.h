#pragma once

#include "ChpFile.h"
#include "EditorState.h"
#include "MemoryImage.h"
#include "Result.h"

#include <QList>

// Family C (Osprey): six models chosen by list position, 16 channels of seven
// fields, tones stored as their position in the QT/DQT index list.
namespace core::familyC {

constexpr int kChannels = 16;
constexpr int kChannelColumns = 7;

// One row of the fixed model table. The band slot indexes BandTexts::byPosition
// (0 PL1, 1 PL2, 2 PL3, 3 PL4, 4 pl5, 5 PL6).
struct Model {
    QString item;
    Byte code;
    int bandSlot;

    QString bandKey() const { return QStringLiteral("PL%1").arg(bandSlot + 1); }
};

// Positions 0..5: the model combo's items, in the band editor too.
const QList<Model> &Models();
// The position whose model code is code, or -1.
int PositionOfCode(Byte code);

// The grid's QT/DQT list: family B's, with the four whole tones written
// "67", "77", "100", "123" as the index list has them.
const QStringList &ToneItems();

// The tone index code: 80 l for the tones (l = 1..50), D0 l-50 for the normal
// codes, C0 l-155 for the inverted ones, l being the text's position in the
// index list found by its prefix search. "OFF" and blank cells are FF FF.
Result<ToneCode> EncodeToneIndex(const QString &text);
// The index list's own text for a flag and a position token: "80" v is the
// position v, "D0" v the position v + 50, "C0" v the position v + 155, FF FF
// "OFF". Any other flag, or a position past the list's end, is no tone.
Result<QString> DecodeToneIndex(const QString &flag, const QString &position);

Result<Block> FunctionBlock1(const EditorState &s);

// The whole 1024-byte image. Texts compare exactly, for the radio and a file alike.
Result<MemoryImage> BuildImage(const EditorState &s, Target target);

// Fills a state from lines 1..34. A model code outside the table refuses the
// file, naming the code.
Result<EditorState> DecodeImage(const ChpLines &lines, const EditorState &current);

// The state of a window just started: position 0, defaults, empty grid.
EditorState StartupState();

} // namespace core::familyC
