#include "outside/torvane/MessageTable.h"

#include <cctype>

#include "data/Embedded.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

std::string Trim(std::string_view s) {
    auto b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos) return "";
    return std::string(s.substr(b, s.find_last_not_of(" \t\r") - b + 1));
}

std::string Unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        switch (s[++i]) {
            case 'r': out += '\r'; break;
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case '\\': out += '\\'; break;
            default: out += '\\'; out += s[i];
        }
    }
    return out;
}

}  // namespace

void MessageTable::Load(std::string_view tsv) {
    std::size_t pos = 0;
    while (pos < tsv.size()) {
        std::size_t end = tsv.find('\n', pos);
        if (end == std::string_view::npos) end = tsv.size();
        std::string_view line = tsv.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (Trim(line).empty() || Trim(line)[0] == '#') continue;
        auto t1 = line.find('\t');
        auto t2 = t1 == std::string_view::npos ? t1 : line.find('\t', t1 + 1);
        if (t2 == std::string_view::npos) continue;  // not a message line
        texts_[{UpperCase(Trim(line.substr(0, t1))), Trim(line.substr(t1 + 1, t2 - t1 - 1))}] = Unescape(line.substr(t2 + 1));
    }
}

std::optional<std::string> MessageTable::Find(const std::string& kind, const std::string& code) const {
    auto it = texts_.find({UpperCase(Trim(kind)), Trim(code)});
    if (it == texts_.end()) return std::nullopt;
    return it->second;
}

std::string MessageTable::Text(const std::string& kind, const std::string& code) const {
    if (auto text = Find(kind, code)) return *text;
    return "未定义的讯息: " + UpperCase(Trim(kind)) + "/" + Trim(code);
}

std::vector<std::pair<std::string, std::string>> MessageTable::Keys() const {
    std::vector<std::pair<std::string, std::string>> keys;
    keys.reserve(texts_.size());
    for (const auto& entry : texts_) keys.push_back(entry.first);
    return keys;
}

const MessageTable& BuiltInMessages() {
    static const MessageTable table(kMessagesTsv);
    return table;
}

const MessageTable& MessagesFor(const std::string& interfaceCodePage) {
    static const MessageTable english = [] {
        MessageTable table(kMessagesTsv);
        table.Load(kMessagesEngTsv);
        return table;
    }();
    return Trim(interfaceCodePage) == "437" ? english : BuiltInMessages();
}
