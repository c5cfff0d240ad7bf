// Load and save of each family: a chp file that loads saves to a file that
// loads to the same window, and that saved file saves to itself.
//
// Input: a family byte, a spelling byte (bit 0 lower case, bit 1 one-digit
// tokens where a byte is below 0x10), then bytes laid over the family's
// start-up image from block 0 on. The model code is taken from the family's
// table: codes outside it are the loaders' own concern.
#include "FuzzSupport.h"
#include "core/ChpFile.h"
#include "core/FamilyA.h"
#include "core/FamilyB.h"
#include "core/FamilyC.h"

using namespace core;

namespace {

struct Codec {
    Result<EditorState> (*decode)(const ChpLines &, const EditorState &);
    Result<MemoryImage> (*build)(const EditorState &, Target);
    EditorState (*startup)();
    QList<Byte> codes;
};

const Codec &codec(int family)
{
    static const Codec codecs[] = {
        {familyB::DecodeImage, familyB::BuildImage, familyB::StartupState, {0x51, 0x52, 0x53, 0x54}},
        {familyA::DecodeImage, familyA::BuildImage, familyA::StartupState,
         {0x53, 0x54, 0x51, 0x52, 0x55, 0x56, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76}},
        {familyC::DecodeImage, familyC::BuildImage, familyC::StartupState, {0x11, 0x12, 0x13, 0x14, 0x24, 0x25}},
    };
    return codecs[family];
}

QByteArray text(const MemoryImage &image, int spelling = 0)
{
    QByteArray out;
    for (int k = 0; k < kBlockCount; ++k) {
        QStringList tokens = chp::FormatLine(k, image.block(k)).split(QLatin1Char(' '));
        for (int t = 4; t < tokens.size(); ++t) {
            if ((spelling & 2) && tokens[t].startsWith(QLatin1Char('0')))
                tokens[t].remove(0, 1);
            if (spelling & 1)
                tokens[t] = tokens[t].toLower();
        }
        out += tokens.join(QLatin1Char(' ')).toLatin1() + "\r\n";
    }
    return out;
}

Result<EditorState> load(const Codec &c, const QByteArray &text, const EditorState &current)
{
    const auto lines = chp::Parse(text);
    FUZZ_CHECK(lines.ok(), "a file of twelve hex tokens a line parses");
    return c.decode(*lines, current);
}

QByteArray save(const Codec &c, const EditorState &s)
{
    const auto image = c.build(s, Target::File);
    FUZZ_CHECK(image.ok(), "a loaded state saves");
    return text(*image);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const Codec &c = codec(in.below(3));
    const int spelling = in.byte();
    MemoryImage image = *c.build(c.startup(), Target::File);
    const QByteArray bytes = in.bytes(kImageSize);
    for (int i = 0; i < bytes.size(); ++i)
        image.bytes[i] = Byte(bytes[i]);
    image.bytes[0] = c.codes.at(image.bytes[0] % c.codes.size());

    const EditorState current = c.startup();

    const auto loaded = load(c, text(image, spelling), current);
    if (!loaded) {
        FUZZ_CHECK(loaded.error().startsWith(QLatin1String("Line ")), "a refused file names its line");
        return 0;
    }
    if (spelling & 3) {
        const auto plain = load(c, text(image), current);
        FUZZ_CHECK(plain.ok() && *plain == *loaded, "the spelling of a token does not matter");
    }

    const QByteArray saved = save(c, *loaded);
    const auto again = load(c, saved, current);
    FUZZ_CHECK(again.ok(), "a saved file loads");
    for (int ch = 0; ch < loaded->channels.size(); ++ch)
        if (again->channels.value(ch) != loaded->channels.at(ch))
            std::fprintf(stderr, "channel %d: %s -> %s\n", ch + 1, qPrintable(loaded->channels.at(ch).join('|')),
                         qPrintable(again->channels.value(ch).join('|')));
    FUZZ_CHECK(*again == *loaded, "load, save, load gives the same window");
    FUZZ_CHECK(save(c, *again) == saved, "a saved file saves to itself");
    return 0;
}
