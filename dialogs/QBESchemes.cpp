#include "dialogs/QBESchemes.h"

#include "toolkit/rtl/SysUtils.h"

namespace {

constexpr char kLimitEnd = '\x07';
constexpr char kPart = '\x03';
constexpr char kItemEnd = '\x08';
constexpr const char* kLine = "\r\n";

std::vector<std::string> Cut(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

std::string QBESchemeText(const TQBEScheme& scheme) {
    std::string text = scheme.RowLimit + kLimitEnd;
    if (scheme.Page == 0) {
        for (const TQBESchemeRow& row : scheme.Rows) {
            if (Trim(row.Field).empty() && Trim(row.Value).empty()) continue;
            text += row.Field + kLine + row.Operator + kLine + row.Value + kLine + row.Logic + kItemEnd;
        }
        return text;
    }
    if (scheme.Page != 1 && scheme.Page != 2) return {};
    text += scheme.Memo1 + kPart;
    for (const TQBESortEntry& entry : scheme.Sort) text += entry.Text + kItemEnd + (entry.Descending ? "1" : "0") + "\t";
    text += std::string(1, kPart) + (scheme.DetailFilter ? "1" : "0") + kPart + scheme.Memo2;
    return text;
}

TQBEScheme ParseQBEScheme(int page, const std::string& text) {
    TQBEScheme scheme;
    scheme.Page = page;
    const std::size_t limitEnd = text.find(kLimitEnd);
    scheme.RowLimit = limitEnd == std::string::npos ? std::string() : text.substr(0, limitEnd);
    const std::string rest = limitEnd == std::string::npos ? text : text.substr(limitEnd + 1);
    if (page == 0) {
        for (const std::string& piece : Cut(rest, std::string(1, kItemEnd))) {
            if (Trim(piece).empty()) continue;
            std::vector<std::string> cells = Cut(Trim(piece), kLine);
            cells.resize(4);
            scheme.Rows.push_back({cells[0], cells[1], cells[2], cells[3]});
        }
        return scheme;
    }
    std::vector<std::string> parts = Cut(rest, std::string(1, kPart));
    parts.resize(4);
    scheme.Memo1 = parts[0];
    if (!Trim(parts[1]).empty()) {
        // item \8 flag TAB, repeated; the item itself holds a TAB between label and token
        std::string sort = parts[1];
        std::size_t start = 0;
        for (std::size_t mark = sort.find(kItemEnd, start); mark != std::string::npos; mark = sort.find(kItemEnd, start)) {
            std::size_t flagEnd = sort.find('\t', mark + 1);
            const std::string flag = sort.substr(mark + 1, flagEnd == std::string::npos ? std::string::npos : flagEnd - mark - 1);
            scheme.Sort.push_back({Trim(sort.substr(start, mark - start)), Trim(flag) == "1"});
            if (flagEnd == std::string::npos) break;
            start = flagEnd + 1;
        }
    }
    scheme.DetailFilter = Trim(parts[2]) == "1";
    scheme.Memo2 = parts[3];
    return scheme;
}
