// The settings-file writer: a write reads back, and every other line of the
// file stays as it was, byte for byte and in order.
#include "FuzzSupport.h"
#include "core/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    static const char *const sections[] = {"Frequent", "frequent", "Other", "New"};
    static const char *const keys[] = {"PL1", "pl1", "PL6", "k"};
    static const char *const values[] = {"400MHz---470MHz", "", "a b", "x\xC3\xA9"};
    const QString section = QString::fromLatin1(sections[in.below(4)]);
    const QString key = QString::fromLatin1(keys[in.below(4)]);
    const QString value = QString::fromUtf8(values[in.below(4)]);
    const QByteArray before = in.rest();

    auto ini = core::IniFile::fromBytes(before);
    FUZZ_CHECK(ini.ok(), "settings under the limit read");
    ini.value().setValue(section, key, value);
    const QByteArray after = ini->bytes();
    FUZZ_CHECK(ini->value(section, key) == value, "a written value reads back");

    // The change is one stretch of bytes, and what it takes away from the old
    // file lies within one line: every other line is kept byte for byte.
    qsizetype prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QByteArray removed = before.mid(prefix, before.size() - prefix - suffix);
    FUZZ_CHECK(!removed.contains('\n'), "a write keeps every other line");
    return 0;
}
