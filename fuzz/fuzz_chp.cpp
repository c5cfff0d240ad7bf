// The chp reader: any bytes give lines or an error, and a saved image reads back as it was.
#include "FuzzSupport.h"
#include "core/ChpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    for (int count : {core::chp::kLinesRead, core::kBlockCount}) {
        const auto lines = core::chp::Parse(text, count);
        if (lines) {
            FUZZ_CHECK(lines->lines.size() == count, "a parse gives the lines it was asked for");
            for (const QStringList &tokens : lines->lines)
                FUZZ_CHECK(tokens.size() >= core::chp::kTokensPerLine, "every line has twelve tokens");
        } else {
            FUZZ_CHECK(!lines.error().isEmpty(), "an error says why");
        }
    }

    // The same bytes as an image: saved as text, it reads back byte for byte.
    core::MemoryImage image;
    for (size_t i = 0; i < size && i < size_t(core::kImageSize); ++i)
        image.bytes[i] = data[i];
    QByteArray saved;
    for (const QString &line : core::chp::FormatImage(image))
        saved += line.toLatin1() + "\r\n";
    const auto back = core::chp::Parse(saved, core::kBlockCount);
    FUZZ_CHECK(back.ok(), "a saved image parses");
    for (int k = 0; k < core::kBlockCount; ++k)
        for (int i = 0; i < core::kBlockSize; ++i)
            FUZZ_CHECK(back->lines.at(k).at(4 + i).toUInt(nullptr, 16) == image.bytes[k * core::kBlockSize + i],
                       "a saved image loads back to the same bytes");
    return 0;
}
