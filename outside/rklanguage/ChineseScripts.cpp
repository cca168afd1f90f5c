#include "outside/rklanguage/ChineseScripts.h"

#include <opencc/Config.hpp>
#include <opencc/Converter.hpp>

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

opencc::ConverterPtr NewConverter(const char* name, const char* dictionary) {
    opencc::Config config;
    // An empty folder makes OpenCC find its dictionaries in its own data folder.
    return config.NewFromString(OpenCCCharacterConfig(name, dictionary), "");
}

std::string CharacterToTraditional(std::string_view utf8) {
    thread_local const opencc::ConverterPtr converter = NewConverter("s2t characters", "STCharacters.ocd2");
    return converter->Convert(std::string(utf8));
}

// Every character of BIG5, in code order.
std::vector<std::string> Big5Characters() {
    std::vector<std::string> characters;
    for (int lead = 0xA1; lead <= 0xF9; ++lead) {
        for (int trail : {0x40, 0xA1}) {
            const int last = trail == 0x40 ? 0x7E : 0xFE;
            for (; trail <= last; ++trail) {
                const std::string utf8 = FromCodePageBytes(std::string{static_cast<char>(lead), static_cast<char>(trail)}, 950);
                if (utf8 != "?") characters.push_back(utf8);
            }
        }
    }
    return characters;
}

// A character's UTF-8 bytes as one number (characters are at most four bytes).
std::uint32_t CharacterKey(const char* bytes, std::size_t length) {
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < length; ++i) key = (key << 8) | static_cast<unsigned char>(bytes[i]);
    return key;
}

// Texts without a character beyond ASCII (separators, "...", "0/0") have nothing to convert.
bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Traditional forms the first candidate of the dictionary gives outside BIG5 (啓), each with the BIG5
// character of the same simplified form (啟), so that traditional texts stay within BIG5.
struct TBig5Forms {
    std::unordered_map<std::uint32_t, std::string> forms;
    // The low 16 bits of every key: most characters are ruled out without a look in the map.
    std::bitset<65536> candidates;

    const std::string* Find(std::uint32_t key) const {
        if (!candidates.test(key & 0xFFFF)) return nullptr;
        const auto found = forms.find(key);
        return found == forms.end() ? nullptr : &found->second;
    }
};

const TBig5Forms& Big5Forms() {
    static const TBig5Forms forms = [] {
        TBig5Forms map;
        for (const std::string& traditional : Big5Characters()) {
            const std::string preferred = CharacterToTraditional(TraditionalToSimplified(traditional));
            if (preferred != traditional && Utf8Chars(preferred).size() == 1 && !IsRepresentable(preferred, 950)) {
                const std::uint32_t key = CharacterKey(preferred.data(), preferred.size());
                map.forms.try_emplace(key, traditional);
                map.candidates.set(key & 0xFFFF);
            }
        }
        return map;
    }();
    return forms;
}

}  // namespace

std::string OpenCCCharacterConfig(const char* name, const char* dictionary) {
    const std::string dict = std::string(R"({"type": "ocd2", "file": ")") + dictionary + R"("})";
    return std::string(R"({"name": ")") + name + R"(", "segmentation": {"type": "mmseg", "dict": )" + dict +
           R"(}, "conversion_chain": [{"dict": )" + dict + "}]}";
}

std::string SimplifiedToTraditional(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    std::string converted = CharacterToTraditional(utf8);
    const auto& forms = Big5Forms();
    // Most texts need no other form: the copy is made only from the first character that does.
    std::string out;
    std::size_t copied = 0;
    for (std::size_t i = 0; i < converted.size();) {
        const auto lead = static_cast<unsigned char>(converted[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const auto length = static_cast<std::size_t>(Utf8CharLength(lead));
        if (length > 1) {
            if (const std::string* form =
                    forms.Find(CharacterKey(converted.data() + i, std::min(length, converted.size() - i)))) {
                out.append(converted, copied, i - copied);
                out += *form;
                copied = i + length;
            }
        }
        i += length;
    }
    if (copied == 0) return converted;
    out.append(converted, copied, std::string::npos);
    return out;
}

std::string TraditionalToSimplified(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
    thread_local const opencc::ConverterPtr converter = NewConverter("t2s characters", "TSCharacters.ocd2");
    return converter->Convert(std::string(utf8));
}
