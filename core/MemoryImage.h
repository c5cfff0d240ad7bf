#pragma once

#include "ChannelCodes.h"
#include <array>

namespace core {

constexpr int kBlockSize = 8;
constexpr int kBlockCount = 128;
constexpr int kImageSize = kBlockSize * kBlockCount;

using Block = std::array<Byte, kBlockSize>;

// Where an image goes: some writers treat the radio and a file apart.
enum class Target { Radio, File };

// Block k lives at 8 k; its address travels high byte first.
struct BlockAddress {
    Byte high = 0;
    Byte low = 0;
};

constexpr BlockAddress AddressOfBlock(int k)
{
    return BlockAddress{Byte((k * kBlockSize) >> 8), Byte((k * kBlockSize) & 0xFF)};
}

// The radio's 1024 bytes as 128 blocks. An erased radio reads all 0xFF.
struct MemoryImage {
    std::array<Byte, kImageSize> bytes;

    MemoryImage() { bytes.fill(0xFF); }
    Block block(int k) const
    {
        Block b;
        for (int i = 0; i < kBlockSize; ++i)
            b[i] = bytes[k * kBlockSize + i];
        return b;
    }
    void setBlock(int k, const Block &b)
    {
        for (int i = 0; i < kBlockSize; ++i)
            bytes[k * kBlockSize + i] = b[i];
    }
    bool operator==(const MemoryImage &) const = default;
};

} // namespace core
