#include "outside/appserver/ProviderCatalog.h"

#include <pugixml.hpp>

#include <cctype>
#include <sstream>

#include "outside/appserver/SqlSelect.h"
#include "outside/appserver/SqlTokens.h"
#include "toolkit/rtl/Exception.h"

namespace {

std::string Trimmed(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::string Info(const ProgramInformation& info, const std::string& name) {
    auto found = info.find(name);
    return found == info.end() ? "" : Trimmed(found->second);
}

std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> out;
    std::stringstream in(list);
    for (std::string item; std::getline(in, item, ',');)
        if (!Trimmed(item).empty()) out.push_back(Trimmed(item));
    return out;
}

std::string Bare(const std::string& name) {
    auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(dot + 1);
}

std::string Qualified(const std::string& table, const std::string& name) {
    return name.find('.') == std::string::npos ? table + "." + name : name;
}

std::vector<std::string> BareList(const std::vector<std::string>& names) {
    std::vector<std::string> out;
    for (const auto& n : names) out.push_back(Bare(n));
    return out;
}

std::string QualifiedList(const std::string& table, const std::vector<std::string>& names) {
    std::string out;
    for (const auto& n : names) out += (out.empty() ? "" : ", ") + Qualified(table, n);
    return out;
}

bool IsPlainName(const std::string& s) {
    if (s.empty() || !(std::isalpha(static_cast<unsigned char>(s[0])) || s[0] == '_')) return false;
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

// "MC001->MD001,MC002->MD002" as (master, detail) pairs.
std::vector<std::pair<std::string, std::string>> Links(const std::string& text) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& item : SplitList(text)) {
        auto arrow = item.find("->");
        if (arrow == std::string::npos) continue;
        out.emplace_back(Bare(Trimmed(item.substr(0, arrow))), Bare(Trimmed(item.substr(arrow + 2))));
    }
    return out;
}

// A detail level of the program information: the body ("D11_", under the header) or the sub-body
// ("F11_", under the body).
struct DetailLevel {
    std::string table, select, field, order;
    std::vector<std::string> keys;
    std::vector<std::pair<std::string, std::string>> links;  // (parent column, own column)
};

struct Levels {
    std::string headTable, headSelect;
    std::vector<std::string> headKeys;
    DetailLevel body, sub;
};

// Empty table: the program has no such level.
DetailLevel ReadDetail(const ProgramInformation& info, const std::string& prefix, const std::vector<std::string>& parentKeys,
                       const std::string& defaultField) {
    DetailLevel l;
    l.table = Info(info, prefix + "TABLE");
    if (!l.table.empty() && !IsPlainName(l.table))
        throw EDatabaseError("The program information names an invalid table (" + prefix + "TABLE)");
    if (l.table.empty()) return l;
    l.keys = SplitList(Info(info, prefix + "KEY"));
    l.select = Info(info, prefix + "SELECT");
    if (l.select.empty()) l.select = "SELECT * FROM " + l.table;
    l.field = Info(info, prefix + "FIELD");
    if (l.field.empty()) l.field = defaultField;
    l.links = Links(Info(info, prefix + "LINK"));
    if (l.links.empty())  // by position: parent key i links own key i
        for (std::size_t i = 0; i < parentKeys.size() && i + 1 < l.keys.size(); ++i)
            l.links.emplace_back(Bare(parentKeys[i]), Bare(l.keys[i]));
    // The level's own order: its key after the fields that tie it to the parent.
    std::vector<std::string> order;
    for (const auto& k : l.keys) {
        bool linked = false;
        for (const auto& link : l.links) linked = linked || SqlUpper(link.second) == SqlUpper(Bare(k));
        if (!linked) order.push_back(k);
    }
    l.order = QualifiedList(l.table, order.empty() ? l.keys : order);
    return l;
}

Levels ReadLevels(const ProgramInformation& info) {
    Levels l;
    l.headTable = Info(info, "M11_TABLE");
    if (l.headTable.empty() || !IsPlainName(l.headTable))
        throw EDatabaseError("The program information names no header table (M11_TABLE)");
    l.headKeys = SplitList(Info(info, "M11_KEY"));
    l.headSelect = Info(info, "M11_SELECT");
    if (l.headSelect.empty()) l.headSelect = "SELECT * FROM " + l.headTable;
    l.body = ReadDetail(info, "D11_", l.headKeys, "qryBody");
    if (!l.body.table.empty()) l.sub = ReadDetail(info, "F11_", l.body.keys, kSubBodyField);
    return l;
}

ProviderLevel WritableLevel(const DetailLevel& l) {
    ProviderLevel level;
    level.select = l.select;
    level.table = l.table;
    level.keyFields = BareList(l.keys);
    level.defaultOrder = l.order;
    level.fieldName = l.field;
    level.links = l.links;
    return level;
}

// "CASE WHEN (c1) THEN ? ... ELSE '' END AS name" for each component, settings as parameters.
std::string CaseColumns(const std::vector<ColorComponent>& components, std::vector<Variant>& params) {
    std::string out;
    for (const auto& c : components) {
        std::string expr;
        for (const auto& r : c.rules) {
            if (Trimmed(r.condition).empty()) continue;
            expr += " WHEN (" + r.condition + ") THEN ?";
            params.push_back(Variant(r.settings));
        }
        out += ", " + (expr.empty() ? std::string("''") : "CASE" + expr + " ELSE '' END") + " AS " + c.name;
    }
    return out;
}

}  // namespace

std::vector<std::string> ProviderNames() { return {kMainProvider, kColorProvider, kSavedConditionProvider}; }

std::vector<std::pair<std::string, std::string>> ParentLinks(const ProgramInformation& info, const std::string& prefix) {
    const Levels l = ReadLevels(info);
    if (SqlUpper(prefix).rfind("D11", 0) == 0) return l.body.links;
    if (SqlUpper(prefix).rfind("F11", 0) == 0) return l.sub.links;
    return {};
}

Provider MainProvider(const ProgramInformation& info) {
    Levels l = ReadLevels(info);
    Provider p;
    p.name = kMainProvider;
    p.level.select = l.headSelect;
    p.level.table = l.headTable;
    p.level.keyFields = BareList(l.headKeys);
    p.level.defaultOrder = QualifiedList(l.headTable, l.headKeys);
    if (!l.body.table.empty()) {
        ProviderLevel body = WritableLevel(l.body);
        if (!l.sub.table.empty()) body.details.push_back(WritableLevel(l.sub));
        p.level.details.push_back(std::move(body));
    }
    return p;
}

std::vector<ColorComponent> ColorComponents(const std::string& rulesXml, const std::string& area) {
    std::vector<ColorComponent> out;
    if (Trimmed(rulesXml).empty()) return out;
    pugi::xml_document doc;
    if (!doc.load_buffer(rulesXml.data(), rulesXml.size(), pugi::parse_default, pugi::encoding_utf8))
        throw EDatabaseError("颜色管理xml格式错误");
    std::string path = "//colormanager/" + area + "/component[@enable=\"Y\"]";
    for (const auto& node : doc.select_nodes(path.c_str())) {
        ColorComponent c;
        c.name = node.node().attribute("name").as_string();
        if (!IsPlainName(c.name)) continue;  // names become column names
        for (pugi::xml_node cond : node.node().children("condition")) {
            ColorRule r;
            r.condition = cond.attribute("value").as_string();
            r.settings = std::string("bkcolor=") + cond.attribute("bkcolor").as_string() +
                         ";colorx=" + cond.attribute("colorx").as_string() + ";";
            std::string msg = cond.attribute("msg").as_string();
            if (!msg.empty()) r.settings += "msg=" + msg + ";";
            c.rules.push_back(std::move(r));
        }
        out.push_back(std::move(c));
    }
    return out;
}

Provider ColorProvider(const ProgramInformation& info, const std::string& rulesXml) {
    Levels l = ReadLevels(info);
    Provider p;
    p.name = kColorProvider;
    std::vector<ColorComponent> head = ColorComponents(rulesXml, "head");
    bool hasGrid = false;
    for (const auto& c : head) hasGrid = hasGrid || SqlUpper(c.name) == "GDHEAD";
    if (!hasGrid) head.insert(head.begin(), ColorComponent{"gdHead", {}});
    std::string keys = QualifiedList(l.headTable, l.headKeys);
    if (keys.empty()) throw EDatabaseError("The program information names no header key (M11_KEY)");
    p.level.select = "SELECT " + keys + CaseColumns(head, p.level.selectParams) + " " + FromPart(l.headSelect);
    p.level.keyFields = BareList(l.headKeys);
    p.level.defaultOrder = keys;

    std::vector<ColorComponent> body = l.body.table.empty() ? std::vector<ColorComponent>{} : ColorComponents(rulesXml, "body");
    if (!body.empty() && !l.body.keys.empty()) {
        ProviderLevel detail;
        detail.select = "SELECT " + QualifiedList(l.body.table, l.body.keys) + CaseColumns(body, detail.selectParams) + " " +
                        FromPart(l.body.select);
        detail.keyFields = BareList(l.body.keys);
        detail.defaultOrder = l.body.order;
        detail.fieldName = "qryBodyColor";
        // No table: the provider takes no changes; the links name the body table themselves.
        for (const auto& [master, column] : l.body.links) detail.links.emplace_back(master, Qualified(l.body.table, column));
        p.level.details.push_back(std::move(detail));
    }
    return p;
}

Provider SavedConditionProvider(const std::string& user, const std::string& program) {
    Provider p;
    p.name = kSavedConditionProvider;
    p.level.select =
        "SELECT NCONDITION, CREATOR, PROGRAMME, CREATE_DATE, VCONDITION, ActivePage, COMPANY, USR_GROUP, "
        "MODIFIER, MODI_DATE, FLAG FROM DOCUS";
    p.level.fixedCondition = "CREATOR = ? AND PROGRAMME = ?";
    p.level.conditionParams = {Variant(user), Variant(program)};
    p.level.defaultOrder = "NCONDITION";
    p.level.table = "DOCUS";
    p.level.keyFields = {"NCONDITION", "CREATOR", "PROGRAMME"};
    return p;
}
