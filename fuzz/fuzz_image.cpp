// The image decoder: any chp lines decode or fail cleanly, and what decodes,
// saved again, decodes to the same state.
#include "FuzzSupport.h"
#include "core/FamilyB.h"

#include <optional>

using namespace core;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    MemoryImage image;
    const QByteArray bytes = in.bytes(kImageSize);
    for (int i = 0; i < bytes.size(); ++i)
        image.bytes[i] = Byte(bytes[i]);
    QByteArray text;
    for (const QString &line : chp::FormatImage(image))
        text += line.toLatin1() + "\r\n";
    const auto lines = chp::Parse(text);
    FUZZ_CHECK(lines.ok(), "a formatted image parses");
    const EditorState startup = familyB::StartupState();
    const auto state = familyB::DecodeImage(*lines, startup);
    if (!state)
        return 0;
    // Cells the file leaves open keep what the window had, which a save then
    // writes out; from that save on, save and load must agree exactly.
    const auto saveAndLoad = [](const EditorState &s) -> std::optional<EditorState> {
        const auto image = familyB::BuildImage(s, Target::File);
        if (!image)
            return std::nullopt; // a decoded cell that is no code of ours; the saver reports it
        QByteArray text;
        for (const QString &line : chp::FormatImage(*image))
            text += line.toLatin1() + "\r\n";
        const auto lines = chp::Parse(text);
        FUZZ_CHECK(lines.ok(), "a saved state parses");
        const auto back = familyB::DecodeImage(*lines, s);
        FUZZ_CHECK(back.ok(), "a saved state loads");
        return *back;
    };
    const auto once = saveAndLoad(*state);
    if (!once)
        return 0;
    const auto twice = saveAndLoad(*once);
    FUZZ_CHECK(twice.has_value(), "a loaded state saves");
    for (int ch = 0; ch < once->channels.size(); ++ch)
        if (twice->channels.value(ch) != once->channels.at(ch))
            std::fprintf(stderr, "channel %d: %s -> %s\n", ch + 1, qPrintable(once->channels.at(ch).join('|')),
                         qPrintable(twice->channels.value(ch).join('|')));
    FUZZ_CHECK(*twice == *once, "a saved state loads back to the same value");
    return 0;
}
