#include "i18n/TableConversion.h"

#include <fstream>
#include <mutex>
#include <vector>

#include "env/VandrilIni.h"
#include "toolkit/os/CodePage.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/Dialogs.h"

int Big5Index(unsigned char lead, unsigned char trail) {
    if (lead < 128) return -1;
    if (trail >= 64 && trail <= 126) return 157 * lead + trail - 25341;
    if (trail >= 161 && trail <= 254) return 157 * lead + trail - 25375;
    return -1;
}

int GbIndex(unsigned char lead, unsigned char trail) {
    const int a = lead, b = trail;
    if (((a >= 161 && a <= 169) || (a >= 176 && a <= 247)) && b >= 161 && b <= 254) return 94 * a + b - 15295;
    const int c = b - 64;
    if (c < 0) return -1;
    if (a >= 129 && a <= 160 && c <= 190) return c + 191 * a - 16461;
    if (a >= 170 && a <= 254 && c <= 96) return c + 97 * a - 2200;
    if ((a == 168 || a == 169) && c <= 96) return c + 97 * a + 6239;
    return -1;
}

namespace {

struct TLanguageTables {
    std::vector<int> big5ToGb;  // by BIG5 index
    std::vector<int> gbToBig5;  // by GB index
    bool loaded = false;
};

std::mutex tablesMutex;
TLanguageTables tables;

std::string LanguageFileLocation() {
    const TVandrilIniC ini;
    if (!ini.InstallPath.empty()) {
        const std::string inClient = IncludeTrailingPathDelimiter(ini.InstallPath) + "Language";
        if (FileExists(inClient)) return inClient;
    }
    const std::string besideProgram = ExtractFilePath(ExecutableFileName()) + "Language";
    return FileExists(besideProgram) ? besideProgram : std::string();
}

// Characters 2 to 5 of the value as a hexadecimal code; 0 when they are not one.
int CodeOfValue(const std::string& line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || line.size() < equals + 6) return 0;
    int code = 0;
    for (std::size_t i = equals + 2; i < equals + 6; ++i) {
        const char c = line[i];
        if (c >= '0' && c <= '9')
            code = code * 16 + (c - '0');
        else if (c >= 'A' && c <= 'F')
            code = code * 16 + (c - 'A' + 10);
        else
            return 0;
    }
    return code;
}

bool ReadTables(const std::string& fileName, TLanguageTables& into) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) return false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (Trim(line).empty() || line[0] == '[') continue;
        if (line.compare(0, 4, "BIG5") == 0)
            into.big5ToGb.push_back(CodeOfValue(line));
        else if (line.compare(0, 2, "GB") == 0)
            into.gbToBig5.push_back(CodeOfValue(line));
    }
    into.loaded = true;
    return true;
}

// The tables, read on first use; empty (and read again next time) while the file is missing.
const TLanguageTables& Tables() {
    bool missing = false;
    {
        std::lock_guard lock(tablesMutex);
        if (!tables.loaded) {
            const std::string fileName = LanguageFileLocation();
            missing = fileName.empty() || !ReadTables(fileName, tables);
        }
    }
    if (missing) ShowMessage("Can't find file Language !!");
    return tables;
}

void AppendCode(std::string& out, int code) {
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// A pair the tables do not know, through the code pages' own conversion.
std::string ThroughCodePages(const std::string& pair, int from, int to) {
    return ToCodePageBytes(FromCodePageBytes(pair, from), to);
}

struct TDirection {
    int fromCodePage;
    int toCodePage;
    bool (*isPair)(unsigned char lead, unsigned char trail);
    int (*index)(unsigned char lead, unsigned char trail);
    const std::vector<int> TLanguageTables::*table;
};

bool IsGbPair(unsigned char lead, unsigned char trail) { return lead >= 129 && trail != 127; }
bool IsBig5Pair(unsigned char lead, unsigned char trail) { return Big5Index(lead, trail) >= 0; }

const TDirection kGbToBig5{936, 950, IsGbPair, GbIndex, &TLanguageTables::gbToBig5};
const TDirection kBig5ToGb{950, 936, IsBig5Pair, Big5Index, &TLanguageTables::big5ToGb};

std::string ConvertBytes(const std::string& in, const TDirection& direction) {
    const std::vector<int>& table = Tables().*direction.table;
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const auto lead = static_cast<unsigned char>(in[i]);
        if (direction.fromCodePage == 936 && lead == 128) {
            AppendCode(out, 0xA3E1);
            continue;
        }
        if (i + 1 >= in.size() || !direction.isPair(lead, static_cast<unsigned char>(in[i + 1]))) {
            out += in[i];
            continue;
        }
        const auto trail = static_cast<unsigned char>(in[i + 1]);
        ++i;
        if (direction.fromCodePage == 950 && lead == 163 && trail == 225) {
            out += static_cast<char>(128);
            continue;
        }
        const int index = direction.index(lead, trail);
        const int code = index >= 0 && index < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(index)] : 0;
        if (code != 0)
            AppendCode(out, code);
        else
            out += ThroughCodePages(std::string{static_cast<char>(lead), static_cast<char>(trail)}, direction.fromCodePage,
                                    direction.toCodePage);
    }
    return out;
}

// Runs of characters the source code page holds go through the byte conversion; others stay as they are.
std::string ConvertText(const std::string& text, const TDirection& direction) {
    if (IsRepresentable(text, direction.fromCodePage))
        return FromCodePageBytes(ConvertBytes(ToCodePageBytes(text, direction.fromCodePage), direction), direction.toCodePage);
    std::string out, run;
    auto flush = [&] {
        if (run.empty()) return;
        out += FromCodePageBytes(ConvertBytes(ToCodePageBytes(run, direction.fromCodePage), direction), direction.toCodePage);
        run.clear();
    };
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = std::max(1, Utf8CharLength(static_cast<unsigned char>(text[i])));
        const std::string character = text.substr(i, length);
        i += length;
        if (IsRepresentable(character, direction.fromCodePage)) {
            run += character;
        } else {
            flush();
            out += character;
        }
    }
    flush();
    return out;
}

}  // namespace

std::string GbBytesToBig5ByTable(const std::string& gbBytes) { return ConvertBytes(gbBytes, kGbToBig5); }

std::string Big5BytesToGbByTable(const std::string& big5Bytes) { return ConvertBytes(big5Bytes, kBig5ToGb); }

std::string GBToBig5ByTable(const std::string& text) { return ConvertText(text, kGbToBig5); }

std::string Big5ToGBByTable(const std::string& text) { return ConvertText(text, kBig5ToGb); }

void ResetLanguageTables() {
    std::lock_guard lock(tablesMutex);
    tables = TLanguageTables();
}
