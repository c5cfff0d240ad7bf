#pragma once

#include "ChpFile.h"
#include "MemoryImage.h"

#include <QStringList>

// Where each setting lives in the radio's 1024 bytes. Line n of a chp file
// holds block n - 1, so a field also names the line a loader reports.
//
//   Address  Size  Content
//   0x0000   8     function block 1
//     +0     1       model code
//     +1     3       0xFF
//     +4     1       option byte (each family lays out its bits)
//     +5     1       time-out (3 x list position)
//     +6     1       squelch level 0..9
//     +7     1       power step (5 x step)
//   0x0008   8     function block 2
//     +0     1       voice (0xFF off, 0x00, 0x01)
//     +1     1       scan (0xFF enable, 0x00 disable)
//     +2     1       priority channel 1..16 (family A group "1"), else 0xFF
//     +3     4       0xFF
//     +7     1       last used channel (family A, radio only), else 0xFF
//   0x0010   256   16 channel records of 16 bytes, channel n at 0x0010 + 16 n:
//     +0     4       RX frequency, BCD of 10 Hz, low byte first
//     +4     4       TX frequency
//     +8     2       decode tone (each family's tone code)
//     +10    2       encode tone
//     +12    1       busy lock (family A group "1": channel flags byte)
//     +13    1       W/N
//     +14    1       TX power
//     +15    1       scrambler code (family A group "1"), else 0xFF
//   0x0110   752   0xFF filler
namespace core::map {

struct Field {
    int block;  // image block, or the block within a channel record
    int offset; // within the block
    int size;

    constexpr int address() const { return block * kBlockSize + offset; }
    // The chp line that holds the field.
    constexpr int line() const { return block + 1; }
};

constexpr int kChannels = 16;
constexpr int kFunctionBlock1 = 0;
constexpr int kFunctionBlock2 = 1;
constexpr int kFirstChannelBlock = 2;
constexpr int kBlocksPerChannel = 2;
constexpr int kFillerBlock = kFirstChannelBlock + kBlocksPerChannel * kChannels;

constexpr Field kModelCode{kFunctionBlock1, 0, 1};
constexpr Field kOptionByte{kFunctionBlock1, 4, 1};
constexpr Field kTimeOut{kFunctionBlock1, 5, 1};
constexpr Field kSquelch{kFunctionBlock1, 6, 1};
constexpr Field kPowerStep{kFunctionBlock1, 7, 1};

constexpr Field kVoice{kFunctionBlock2, 0, 1};
constexpr Field kScan{kFunctionBlock2, 1, 1};
constexpr Field kPriorityChannel{kFunctionBlock2, 2, 1};
constexpr Field kLastUsedChannel{kFunctionBlock2, 7, 1};

// The fields of a channel record, by block within the record; InChannel places them.
namespace record {
constexpr Field kRxFrequency{0, 0, 4};
constexpr Field kTxFrequency{0, 4, 4};
constexpr Field kDecodeTone{1, 0, 2};
constexpr Field kEncodeTone{1, 2, 2};
constexpr Field kBusy{1, 4, 1};
constexpr Field kWideNarrow{1, 5, 1};
constexpr Field kPower{1, 6, 1};
constexpr Field kScrambler{1, 7, 1};
} // namespace record

constexpr Field InChannel(int ch, Field f)
{
    return Field{kFirstChannelBlock + kBlocksPerChannel * ch + f.block, f.offset, f.size};
}

static_assert(InChannel(0, record::kRxFrequency).address() == 0x0010);
static_assert(InChannel(15, record::kScrambler).address() == 0x010F);
static_assert(kFillerBlock * kBlockSize == 0x0110);

// The field's first byte, and its bytes in image order.
inline Byte Get(const MemoryImage &image, Field f) { return image.bytes[f.address()]; }

inline void Set(MemoryImage &image, Field f, Byte value) { image.bytes[f.address()] = value; }

template <std::size_t N>
void Set(MemoryImage &image, Field f, const std::array<Byte, N> &bytes)
{
    static_assert(N > 0);
    for (std::size_t i = 0; i < N && int(i) < f.size; ++i)
        image.bytes[f.address() + i] = bytes[i];
}

// The field's bytes as the two-digit tokens of a chp line.
inline QStringList Tokens(const MemoryImage &image, Field f)
{
    QStringList tokens;
    for (int i = 0; i < f.size; ++i)
        tokens << HexByte(image.bytes[f.address() + i]);
    return tokens;
}

// The bytes of the lines read so far (at most the first 34); the rest stays 0xFF.
inline MemoryImage ImageOf(const ChpLines &lines)
{
    MemoryImage image;
    for (int line = 0; line < lines.lines.size() && line < chp::kLinesRead; ++line)
        for (int i = 0; i < kBlockSize; ++i)
            image.bytes[line * kBlockSize + i] = Byte(lines.lines.at(line).value(4 + i).toUInt(nullptr, 16) & 0xFF);
    return image;
}

} // namespace core::map
