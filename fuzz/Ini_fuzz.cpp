// INI files: any bytes read as a file; writing one key keeps every other key's value, and what
// was written reads back.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>

#include "rtl/Files.h"
#include "rtl/IniFiles.h"

namespace {

String ScratchFile()
{
    static const String file = [] {
        // tmpfs where there is one: every write is flushed to disk.
        char dir[] = "/dev/shm/fuzz_ini-XXXXXX";
        if (::access("/dev/shm", W_OK) != 0)
            std::memcpy(dir, "/tmp/fuzz_ini-XXXXXX", sizeof "/tmp/fuzz_ini-XXXXXX");
        if (!::mkdtemp(dir)) std::abort();
        return String(dir) + "/fuzz.ini";
    }();
    return file;
}

std::map<std::pair<String, String>, String> Values(const TIniFile& ini)
{
    std::map<std::pair<String, String>, String> values;
    TStringList sections, keys;
    ini.ReadSections(sections);
    for (int i = 0; i < sections.Count(); ++i) {
        keys.Clear();
        ini.ReadSection(sections[i], keys);
        for (int k = 0; k < keys.Count(); ++k) {
            const std::pair<String, String> at{UpperCase(sections[i]), UpperCase(keys[k])};
            if (!values.count(at)) values[at] = ini.ReadString(sections[i], keys[k], "");
        }
    }
    return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const String file = ScratchFile();
    AtomicWriteFile(file, String(reinterpret_cast<const char*>(data), size));
    TIniFile ini(file);
    const auto before = Values(ini);
    try {
        ini.WriteString("Fuzz", "Neu", "Wert 1");
    } catch (const Exception&) {
        return 0;
    }
    if (ini.ReadString("Fuzz", "Neu", "") != "Wert 1") std::abort();
    auto after = Values(ini);
    after.erase({"FUZZ", "NEU"});
    auto expected = before;
    expected.erase({"FUZZ", "NEU"});
    if (after != expected) std::abort();
    return 0;
}
