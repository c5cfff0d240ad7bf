#pragma once

#include "ChannelCodes.h"
#include "MemoryImage.h"
#include "Result.h"

#include <QStringList>

namespace core {

// The grid's titles of the seven standard channel cells, columns 1..7.
const QStringList &ChannelColumnTitles();
// A title as a message names it, without the grid's trailing blank.
QString ColumnName(int column);

// How a family codes a tone cell. read takes the two tokens of the code in file order.
struct ToneRule {
    Result<ToneCode> (*encode)(const QString &text);
    Result<QString> (*read)(const QString &first, const QString &second);
};
// BCD tenths of a hertz and octal DCS codes.
inline constexpr ToneRule kBcdTones{EncodeTone, ReadTone};

// One channel record of the seven standard cells (RX, TX, Dec, Enc, Busy, W/N, TX Power).
struct ChannelRecord {
    ToneRule tone;
    Qt::CaseSensitivity powerCase = Qt::CaseSensitive;
    // false: d4 is the family's own byte, neither written nor read here, and the busy cell stays empty.
    bool busyByte = true;

    // Writes the used cells of row into channel ch's record; the others keep 0xFF.
    // A cell that does not fit its code fails, naming the column ("QT/DQT Dec: why").
    Status write(MemoryImage &image, int ch, const QStringList &row) const;
    // The seven cells of channel ch. A code that no cell text saves back to
    // fails, naming the line and the column ("Line 4: QT/DQT Dec code ...").
    Result<QStringList> read(const MemoryImage &image, int ch) const;
    // All 16 channels; the first that fails stops it.
    Result<QList<QStringList>> readAll(const MemoryImage &image) const;
    // The record's two blocks for row alone.
    Result<std::array<Block, 2>> blocks(const QStringList &row) const;
};

// The radio writer compares the power text without regard to case.
inline Qt::CaseSensitivity PowerCaseFor(Target target)
{
    return target == Target::Radio ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

} // namespace core
