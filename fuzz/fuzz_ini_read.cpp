// The settings-file reader: any bytes read without harm, and a value never
// runs past its line.
#include "FuzzSupport.h"
#include "core/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto ini = core::IniFile::fromBytes(bytes);
    FUZZ_CHECK(ini.ok(), "settings under the limit read");
    for (const char *section : {"Frequent", "frequent", "", "Other"})
        for (const char *key : {"PL1", "pl2", "PL6", "", "x"}) {
            const QString v = ini->value(QString::fromLatin1(section), QString::fromLatin1(key));
            FUZZ_CHECK(!v.contains(QLatin1Char('\n')), "a value stays on its line");
            FUZZ_CHECK(v == v.trimmed(), "a value comes without surrounding blanks");
        }
    FUZZ_CHECK(ini->bytes() == bytes, "reading changes nothing");
    return 0;
}
