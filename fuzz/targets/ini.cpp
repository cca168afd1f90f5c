// An INI file of any content: every section and key read back, then written.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "toolkit/rtl/IniFile.h"
#include "toolkit/rtl/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/tdef-fuzz-ini-" + std::to_string(getpid()) + ".ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        TIniFile ini(path);
        TStringList sections;
        ini.ReadSections(sections);
        for (int s = 0; s < sections.Count(); ++s) {
            TStringList keys;
            ini.ReadSection(sections[s], keys);
            for (int k = 0; k < keys.Count(); ++k) {
                ini.ReadString(sections[s], keys[k], "");
                ini.ReadInteger(sections[s], keys[k], 0);
                ini.ReadFloat(sections[s], keys[k], 0);
            }
        }
        if (sections.Count() > 0) ini.WriteString(sections[0], "Fuzzed", "1");
    } catch (const Exception&) {}
    return 0;
}
