#include "toolkit/os/CodePage.h"

#include <iconv.h>
#include <cerrno>
#include <map>
#include <memory>

#include "toolkit/os/Registry.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

std::string IconvName(int codePage) {
    switch (codePage) {
        case 936: return "CP936";
        case 950: return "BIG5";
        case 54936: return "GB18030";
        case 65001: return "UTF-8";
        case 1200: return "UTF-16LE";
        case 1201: return "UTF-16BE";
        default: return "CP" + std::to_string(codePage);
    }
}

// iconv descriptors are not shareable between threads: each thread keeps its own, per direction.
class Converter {
public:
    Converter(int codePage, bool toCodePage) {
        std::string name = IconvName(codePage);
        cd_ = toCodePage ? iconv_open(name.c_str(), "UTF-8") : iconv_open("UTF-8", name.c_str());
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw EConvertError("Code page " + std::to_string(codePage) + " is not supported");
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() { iconv_close(cd_); }

    // Converts input; each character that cannot be converted becomes '?'. `utf8Input` tells how to
    // step over a bad character (a whole UTF-8 sequence, else one byte).
    std::string Run(const std::string& input, bool utf8Input, std::size_t* replaced = nullptr) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(input.size() * 2 + 16, '\0');
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        std::size_t done = 0;
        while (inLeft > 0) {
            char* dst = out.data() + done;
            std::size_t outLeft = out.size() - done;
            std::size_t r = iconv(cd_, &in, &inLeft, &dst, &outLeft);
            int err = errno;
            done = out.size() - outLeft;
            if (r != static_cast<std::size_t>(-1)) break;
            if (err == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            if (err != EILSEQ && err != EINVAL) break;
            // Judge by what was consumed: step over the offending character and mark it.
            if (out.size() - done < 4) out.resize(out.size() * 2);
            out[done++] = '?';
            if (replaced) ++*replaced;
            std::size_t skip = 1;
            if (utf8Input) {
                auto n = static_cast<std::size_t>(Utf8CharLength(static_cast<unsigned char>(*in)));
                if (n <= inLeft && IsValidUtf8(std::string_view(in, n))) skip = n;
            }
            if (err == EINVAL) skip = inLeft;  // an incomplete sequence at the end
            in += skip;
            inLeft -= skip;
        }
        // Flush any shift state.
        char* dst = out.data() + done;
        std::size_t outLeft = out.size() - done;
        iconv(cd_, nullptr, nullptr, &dst, &outLeft);
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t cd_;
};

Converter& ConverterFor(int codePage, bool toCodePage) {
    thread_local std::map<std::pair<int, bool>, std::unique_ptr<Converter>> cache;
    auto& slot = cache[{codePage, toCodePage}];
    if (!slot) slot = std::make_unique<Converter>(codePage, toCodePage);
    return *slot;
}

std::size_t CharByteLength(std::string_view ch, int codePage) {
    if (ch.size() == 1 && static_cast<unsigned char>(ch[0]) < 0x80) return 1;
    return ConverterFor(codePage, true).Run(std::string(ch), true).size();
}

}  // namespace

int SystemCodePage() {
    TRegistry registry;
    int cp = StrToIntDef(registry.Read("Software\\RKT\\Vandril", "ANSICodePage").value_or(""), 936);
    return cp > 0 ? cp : 936;
}

std::string ToCodePageBytes(const std::string& utf8, int codePage) { return ConverterFor(codePage, true).Run(utf8, true); }

std::string FromCodePageBytes(const std::string& bytes, int codePage) { return ConverterFor(codePage, false).Run(bytes, false); }

std::string ToCodePage(const std::string& utf8, int codePage) {
    return FromCodePageBytes(ToCodePageBytes(utf8, codePage), codePage);
}

std::size_t CodePageByteLength(const std::string& utf8, int codePage) { return ToCodePageBytes(utf8, codePage).size(); }

std::string TruncateToBytes(const std::string& utf8, std::size_t maxBytes, int codePage) {
    std::size_t used = 0, keep = 0;
    bool full = false;
    ForEachUtf8Char(utf8, [&](std::string_view ch) {
        if (full) return;
        std::size_t n = CharByteLength(ch, codePage);
        if (used + n > maxBytes) {
            full = true;
            return;
        }
        used += n;
        keep += ch.size();
    });
    return utf8.substr(0, keep);
}

bool IsRepresentable(const std::string& utf8, int codePage) {
    std::size_t replaced = 0;
    ConverterFor(codePage, true).Run(utf8, true, &replaced);
    return replaced == 0;
}
