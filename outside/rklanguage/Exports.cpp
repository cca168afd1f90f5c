// The library's entries, loaded by name. Texts are UTF-8; see i18n/Translator.h for the protocol.
#include <cstring>
#include <fstream>
#include <string>

#include "outside/rklanguage/ChineseScripts.h"
#include "outside/rklanguage/LanguageTable.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/rtl/Visibility.h"

#define RK_EXPORT extern "C" TK_EXPORT

namespace {

template <class Convert>
long Deliver(const char* text, long length, char* out, long capacity, Convert convert) noexcept {
    if (!text || length < 0) return -1;
    try {
        const std::string result = convert(std::string_view(text, static_cast<std::size_t>(length)));
        const long size = static_cast<long>(result.size());
        if (out && size < capacity) {
            std::memcpy(out, result.data(), result.size());
            out[size] = '\0';
        }
        return size;
    } catch (...) {
        return -1;
    }
}

}  // namespace

RK_EXPORT long GBtoBIG5(const char* text, long length, char* out, long capacity) {
    return Deliver(text, length, out, capacity, SimplifiedToTraditional);
}

RK_EXPORT long BIG5toGB(const char* text, long length, char* out, long capacity) {
    return Deliver(text, length, out, capacity, TraditionalToSimplified);
}

RK_EXPORT long GetBIG5Data(const char* text, long length, char* out, long capacity) {
    return Deliver(text, length, out, capacity, [](std::string_view utf8) { return ToCodePageBytes(std::string(utf8), 950); });
}

RK_EXPORT long GetGBData(const char* text, long length, char* out, long capacity) {
    return Deliver(text, length, out, capacity, [](std::string_view utf8) { return ToCodePageBytes(std::string(utf8), 936); });
}

// Writes the "Language" table file; 0 on success, -1 when it cannot be written.
RK_EXPORT int SaveOrder(const char* fileName) {
    if (!fileName) return -1;
    try {
        const std::string text = LanguageTableText();
        std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
        file << text;
        file.close();
        return file ? 0 : -1;
    } catch (...) {
        return -1;
    }
}
