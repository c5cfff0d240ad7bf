#pragma once

#include "Result.h"
#include <QString>
#include <array>
#include <cstdint>

// The per-channel codes between grid cell texts and image bytes.
namespace core {

using Byte = std::uint8_t;
using FrequencyCode = std::array<Byte, 4>;
using ToneCode = std::array<Byte, 2>; // low byte first, as stored

// A cell holds a value when its trimmed text is not empty and it is not exactly "OFF".
bool IsUsedCell(const QString &text);

// "462.56250" -> 50 62 25 46 (BCD of 10 Hz units, least significant byte first).
Result<FrequencyCode> EncodeFrequency(const QString &text);
// Tokens d0..d3 as hex text; any "FF" in the result gives "OFF".
QString DecodeFrequency(const QString &d0, const QString &d1, const QString &d2, const QString &d3);

// Tone texts through the QT/DQT index list: CTCSS as BCD tenths of a hertz,
// DCS as octal digits with 0x8 (normal) or 0xC (inverted) on top.
Result<ToneCode> EncodeTone(const QString &text);
// lo, hi as hex tokens; any "FF" gives "OFF".
QString DecodeTone(const QString &lo, const QString &hi);

Byte BusyByte(const QString &text);            // "Yes" 0x00, else 0xFF
Byte WideNarrowByte(const QString &text);      // "W" 0xFF, else 0xFC
// "High" 0xFF, "Middle" 0x55, else 0x00; the radio writer compares without regard to case.
Byte PowerByte(const QString &text, Qt::CaseSensitivity cs = Qt::CaseSensitive);

QString DecodeBusy(const QString &token);      // "00" "Yes", else "No"
QString DecodeWideNarrow(const QString &token); // "FF" "W", else "N"
// "FF" "High", "55" "Middle", "00" "Low"; anything else keeps current.
QString DecodePower(const QString &token, const QString &current);

// The loaders' decoders: each takes tokens as two upper-case hex digits and
// gives the cell text only when that text saves back to the same bytes, so a
// file that loads saves as it was. Anything else fails with a sentence that
// starts with the code ("code \"50 62 2A 46\" is no frequency").
Result<QString> ReadFrequency(const QString &d0, const QString &d1, const QString &d2, const QString &d3);
Result<QString> ReadTone(const QString &lo, const QString &hi);
Result<QString> ReadBusy(const QString &token);       // "00" or "FF"
Result<QString> ReadWideNarrow(const QString &token); // "FF" or "FC"
Result<QString> ReadPower(const QString &token);      // "FF", "55" or "00"

QString HexByte(Byte b); // two upper-case digits

} // namespace core
