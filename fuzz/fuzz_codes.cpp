// The channel codes and text conversions: only hex digits make codes, and
// every code decodes to the text it came from.
#include "FuzzSupport.h"
#include "core/ChannelCodes.h"
#include "core/mdlFunction.h"

#include <algorithm>

using namespace core;

namespace {
bool allHex(const QString &s)
{
    for (QChar c : s)
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
              (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    return !s.isEmpty();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));

    if (const auto v = HexToInt(text)) {
        FUZZ_CHECK(allHex(text), "HexToInt takes hex digits only");
        FUZZ_CHECK(*v >= -32768 && *v <= 32767, "HexToInt gives 16 bits");
    }
    if (const auto hex = BinToHex(text)) {
        FUZZ_CHECK(text.size() <= 8 || hex->isEmpty(), "BinToHex of more than 8 characters is empty");
        const bool bitText = std::all_of(text.begin(), text.end(), [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('1'); });
        if (bitText)
            FUZZ_CHECK(hex->size() == (text.size() <= 8 ? text.size() / 4 : 0), "BinToHex gives a digit per four bits");
    }

    if (const auto code = EncodeFrequency(text)) {
        QString digits = text;
        digits.remove(3, 1);
        FUZZ_CHECK(allHex(digits) && text.at(3) == QLatin1Char('.'), "a frequency code comes from hex digits");
        const QString back = DecodeFrequency(HexByte((*code)[0]), HexByte((*code)[1]), HexByte((*code)[2]),
                                             HexByte((*code)[3]));
        FUZZ_CHECK(back == QStringLiteral("OFF") || back == text.toUpper(), "a frequency decodes to its text");
    }

    if (const auto code = EncodeTone(text)) {
        const QString back = DecodeTone(HexByte((*code)[0]), HexByte((*code)[1]));
        if (back != QStringLiteral("OFF")) {
            const auto again = EncodeTone(back);
            FUZZ_CHECK(again.ok() && *again == *code, "a decoded tone encodes to the same code");
        }
    }
    if (size >= 2) {
        const QString lo = HexByte(data[0]), hi = HexByte(data[1]);
        (void)DecodeTone(lo, hi);
    }
    return 0;
}
