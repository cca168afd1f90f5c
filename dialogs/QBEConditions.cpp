#include "dialogs/QBEConditions.h"

#include <cmath>
#include <cstdint>

#include "toolkit/rtl/Format.h"
#include "toolkit/rtl/Strings.h"
#include "toolkit/rtl/SysUtils.h"

const char* const kQBEOperatorLines =
    "等于\t=\r\n大于或等于\t>=\r\n小于或等于\t<=\r\n大于\t>\r\n小于\t<\r\n不等于\t<>\r\n"
    "起始于\tLLIKE\r\n终止于\tRLIKE\r\n包含\tILIKE\r\n存在于\tIN";

namespace {

constexpr char kEscape = '\\';

// The part of a "text<TAB>code" line before or after its first tab ("" after when there is none).
std::string TabPart(const std::string& line, bool second) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) return second ? std::string() : line;
    return second ? line.substr(tab + 1) : line.substr(0, tab);
}

// A number as the decimal text of its value; "" when the text is not a finite number.
std::string NumberText(const std::string& text) {
    double value = 0;
    if (!TryStrToFloat(Trim(text), value) || !std::isfinite(value)) return "";
    return FloatToStr(value);
}

bool IsNumberText(const std::string& text) { return !NumberText(text).empty(); }

// A number as typed when it reads as one, else the text quoted: either way one literal.
std::string NumberOrQuoted(const std::string& value) { return IsNumberText(value) ? Trim(value) : QuotedStr(value); }

bool IsWordBoundary(char c) { return c == '\n' || c == '\r' || c == ' ' || c == ','; }

// "AND" or "OR": the logic cell holds one of them; anything else counts as AND.
std::string LogicWord(const std::string& logic) { return SameText(Trim(logic), "OR") ? "OR" : "AND"; }

}  // namespace

std::string QBEOperatorToken(const TStrings& operators, const std::string& label) {
    for (int i = 0; i < operators.Count(); ++i)
        if (TabPart(operators[i], false) == label) return TabPart(operators[i], true);
    return "";
}

std::string ConvertDate(const std::string& value, int code, const std::string& separator) {
    if (separator.empty()) return "";
    const char sep = separator[0];
    const std::string text = Trim(value);
    const std::size_t first = text.find(sep);
    if (first == std::string::npos) return "";
    const std::size_t second = text.find(sep, first + 1);
    if (second == std::string::npos) return "";
    const std::string parts[3] = {text.substr(0, first), text.substr(first + 1, second - first - 1), text.substr(second + 1)};
    int numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        int number = 0;
        if (!TryStrToInt(Trim(parts[i]), number)) return "";
        numbers[i] = static_cast<std::uint16_t>(number);
    }
    int year = 0, month = 0, day = 0;
    switch (code) {
        case 1: year = numbers[0], month = numbers[1], day = numbers[2]; break;
        case 2: month = numbers[0], day = numbers[1], year = numbers[2]; break;
        case 3: day = numbers[0], month = numbers[1], year = numbers[2]; break;
        case 4:
        case 5: year = numbers[0] + 1911, month = numbers[1], day = numbers[2]; break;
        default: return "";
    }
    return Format("%d%.2d%.2d", {year, month, day});
}

bool IsValidYearMonth(const std::string& text) {
    if (text.size() <= 5) return false;
    int month = 0;
    return TryStrToInt(text.substr(4, 2), month) && month >= 1 && month <= 12;
}

int IsWordInList(const std::string& word, const std::string& list) {
    if (word.empty()) return 0;
    const std::size_t at = list.find(word);
    if (at == std::string::npos) return 0;
    const std::size_t end = at + word.size();
    const bool startsWord = at == 0 || IsWordBoundary(list[at - 1]);
    const bool endsWord = end == list.size() || IsWordBoundary(list[end]);
    return startsWord && endsWord ? static_cast<int>(at) + 1 : 0;
}

std::string QBELikeLiteral(const std::string& prefix, const std::string& value, const std::string& suffix) {
    std::string escaped;
    bool escapes = false;
    for (char c : value) {
        if (c == '%' || c == '_' || c == '[' || c == kEscape) {
            escaped += kEscape;
            escapes = true;
        }
        escaped += c;
    }
    std::string literal = QuotedStr(prefix + escaped + suffix);
    if (escapes) literal += " ESCAPE '\\'";
    return literal;
}

// --- The grid -------------------------------------------------------------------------------------

std::string QBERowCondition(const TQBEGridRow& row, const TRecordInfoList& fields, const TStrings& operators,
                            const TQBEDateRules& dates) {
    const std::string field = Trim(row.Field), label = Trim(row.Operator);
    std::string value = row.Value;
    // An operator not in the table states no test (and is never written into the condition).
    const std::string token = QBEOperatorToken(operators, label);
    if (field.empty() || token.empty() || Trim(value).empty()) return "";
    const TRecordInfo* info = fields.FindCaption(field);
    if (!info) return "";
    const std::string op = LowerCase(token);
    const bool in = op == "in";
    if (!in) value = info->PickCode(value);
    if (!info->EditMask.empty() && info->EditMask == dates.DateMask)
        value = ConvertDate(value, dates.DateOrder, dates.DateSeparator);
    else if (!info->EditMask.empty() && info->EditMask == dates.YearMonthMask && !Trim(value).empty() && dates.YearMonth)
        value = dates.YearMonth(value);
    if (Trim(value).empty()) return "";

    const int kind = QBEFieldKind(info->DataType);
    if (kind == 0 && !in) {
        value = NumberText(value);
        if (value.empty()) return "";
    }
    std::string text;
    if (in) {
        std::string list;
        for (const std::string& part : SplitString(value, ',')) {
            const std::string item = Trim(part);
            if (item.empty()) continue;
            list += (kind == 0 ? NumberOrQuoted(item) : QuotedStr(info->PickCode(item))) + ",";
        }
        if (list.empty()) return "";
        list.pop_back();
        text = Format("%s %s (%s)", {info->SqlName, token, list});
    } else if (op == "llike" || op == "rlike" || op == "ilike") {
        const std::string literal = QBELikeLiteral(op == "llike" ? "" : "%", value, op == "rlike" ? "" : "%");
        text = Format("%s %s %s", {info->SqlName, "like", literal});
    } else {
        text = Format("%s %s %s", {info->SqlName, token, kind == 0 ? value : QuotedStr(value)});
    }
    return Trim(text) + " " + LogicWord(row.Logic);
}

std::string QBEGridCondition(const std::vector<std::string>& rowTexts) {
    std::string condition;
    for (const std::string& text : rowTexts) {
        if (text.size() < 3) continue;
        const std::size_t n = text.size();
        condition += " (" + text.substr(0, n - 3) + ") " + text.substr(n - 3);
    }
    if (condition.size() >= 3) condition.erase(condition.size() - 3);
    return condition;
}

// --- The advanced and detail pages ----------------------------------------------------------------

std::string QBEAdvancedCondition(const TQBEAdvancedInput& input) {
    if (input.Value.empty() || input.OperatorIndex < 0 || input.OperatorIndex > 8) return "";
    static const char* const kOperators[] = {"=", ">=", "<=", ">", "<", "<>", "like", "like", "like"};
    const std::string op = kOperators[input.OperatorIndex];
    std::string value;
    if (input.OperatorIndex >= 6) {
        // Patterns are texts, whatever the field's type.
        const bool starts = input.OperatorIndex == 6, ends = input.OperatorIndex == 7;
        value = QBELikeLiteral(starts ? "" : "%", input.Value, ends ? "" : "%");
    } else if (IsQBENumberType(input.DataType)) {
        value = NumberOrQuoted(input.Value);
    } else {
        value = QuotedStr(input.Value);
    }
    const std::string dot = Trim(input.Table).empty() ? "" : ".";
    if (IsWordInList(input.Token, input.FieldExprs) > 0) return Format("(%s %s %s)", {input.Token, op, value});
    if (!IsQBENumberType(input.DataType) &&
        (SameText(input.FieldName, "CREATE_DATE") || SameText(input.FieldName, "MODI_DATE")) && input.DatabaseKind == 0)
        return Format("(SUBSTRING(%s%s%s ,1,8 ) %s %s)", {input.Table, dot, input.FieldName, op, value});
    return Format("(%s%s%s %s %s)", {input.Table, dot, input.FieldName, op, value});
}

std::string QBEAdvancedLine(const std::string& condition, bool first, const std::string& logic) {
    return first ? condition : "  " + LogicWord(logic) + " " + condition;
}

std::string QBEDetailCondition(const std::string& masterCondition, const std::string& detailCondition,
                               const TQBEDetailSource& source) {
    if (Trim(detailCondition).empty()) return masterCondition;
    const std::vector<std::string> masterKeys = SplitString(source.MasterKeyFields, ',');
    const std::vector<std::string> detailKeys = SplitString(source.DetailKeyFields, ',');
    const std::string qm = Trim(source.MasterTable).empty() ? "" : source.MasterTable + ".";
    const std::string qd = Trim(source.DetailTable).empty() ? "" : source.DetailTable + ".";
    std::string links;
    for (std::size_t i = 0; i < masterKeys.size() && i < detailKeys.size(); ++i) {
        if (Trim(masterKeys[i]).empty() || Trim(detailKeys[i]).empty()) continue;
        links += Format(" (%s%s%s%s%s)", {qm, Trim(masterKeys[i]), "=", qd, Trim(detailKeys[i])}) + " and ";
    }
    const std::string subQuery = " select count(*) FROM " + source.DatabasePrefix + source.DetailTable + " " +
                                 source.DetailTable + source.Suffix + " where " + links + " ( " + detailCondition + " ) ";
    return (masterCondition.empty() ? std::string() : "(" + masterCondition + ") and ") + " (" + subQuery + ") > 0 ";
}

std::string QBEOrderText(const std::vector<TQBESortItem>& items, const std::string& table, const std::string& fieldExprs) {
    std::string order;
    for (const TQBESortItem& item : items) {
        const bool qualify = IsWordInList(item.Token, fieldExprs) == 0 && !Trim(table).empty();
        order += (qualify ? table + "." : std::string()) + item.Token + (item.Descending ? " desc," : " asc,");
    }
    if (!order.empty()) order.pop_back();
    return order;
}
