#include "outside/appserver/ProviderQuery.h"

#include <cstdlib>
#include <map>

#include "outside/appserver/SqlSelect.h"
#include "outside/appserver/SqlTokens.h"

namespace {

std::string Trimmed(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::string Both(const std::string& a, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return "(" + a + ") AND (" + b + ")";
}

int IndexOfName(const std::vector<std::string>& names, const std::string& name) {
    std::string want = SqlUpper(name);
    if (auto dot = want.rfind('.'); dot != std::string::npos) want = want.substr(dot + 1);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SqlUpper(names[i]) == want) return static_cast<int>(i);
    return -1;
}

// "(n)" or "(p,s)" after a type name.
std::vector<int> TypeArguments(const std::string& declared) {
    std::vector<int> out;
    auto open = declared.find('(');
    if (open == std::string::npos) return out;
    const char* p = declared.c_str() + open + 1;
    while (*p) {
        char* end = nullptr;
        long v = std::strtol(p, &end, 10);
        if (end == p) break;
        out.push_back(static_cast<int>(v));
        p = end;
        while (*p == ' ' || *p == ',') ++p;
    }
    return out;
}

}  // namespace

LevelStatement TopLevelStatement(const ProviderLevel& level, const ProviderRequest& request, const SqlTranslator& translator) {
    std::string condition = Trimmed(request.condition);
    if (SqlUpper(condition) == "ALL") condition.clear();
    LevelStatement out;
    std::string sql = AddCondition(level.select, Both(Trimmed(level.fixedCondition), condition));
    std::string order = Trimmed(request.order).empty() ? level.defaultOrder : Trimmed(request.order);
    out.sql = translator.Translate(SetOrder(sql, order));
    if (request.topRows > 0) out.sql += " LIMIT " + std::to_string(request.topRows);
    out.params = level.selectParams;
    out.params.insert(out.params.end(), level.conditionParams.begin(), level.conditionParams.end());
    return out;
}

LevelStatement DetailStatement(const ProviderLevel& detail, const SqlTranslator& translator) {
    std::string links;
    for (const auto& [master, column] : detail.links) {
        std::string qualified = column.find('.') == std::string::npos && !detail.table.empty() ? detail.table + "." + column : column;
        links += (links.empty() ? "" : " AND ") + qualified + " = ?";
    }
    LevelStatement out;
    out.sql = translator.Translate(SetOrder(AddCondition(detail.select, Both(links, Trimmed(detail.fixedCondition))), detail.defaultOrder));
    return out;
}

std::vector<int> LinkPositions(const ProviderLevel& detail, const std::vector<std::string>& masterNames) {
    std::vector<int> positions;
    for (const auto& link : detail.links) positions.push_back(IndexOfName(masterNames, link.first));
    return positions;
}

std::vector<Variant> DetailParams(const ProviderLevel& detail, const std::vector<int>& linkPositions, const Variant& masterRow) {
    std::vector<Variant> params = detail.selectParams;
    for (int i : linkPositions) params.push_back(i < 0 ? Variant::Null() : masterRow[masterRow.Low() + i]);
    params.insert(params.end(), detail.conditionParams.begin(), detail.conditionParams.end());
    return params;
}

TFieldDef FieldFromDeclaredType(const std::string& name, const std::string& declared) {
    std::string t = SqlUpper(declared);
    std::vector<int> args = TypeArguments(t);
    auto has = [&](const char* word) { return t.find(word) != std::string::npos; };
    TFieldDef def;
    def.Name = name;
    if (t.empty()) {
        def.DataType = ftString;   // an expression: text is what it shows
        def.Size = 255;
    } else if (has("CHAR")) {
        def.DataType = ftString;
        def.Size = args.empty() ? 255 : args[0];
    } else if (has("TEXT") || has("CLOB")) {
        def.DataType = ftMemo;
    } else if (has("BLOB") || has("BINARY") || has("IMAGE")) {
        def.DataType = ftBlob;
    } else if (has("BIGINT")) {
        def.DataType = ftLargeint;
    } else if (has("SMALLINT") || has("TINYINT")) {
        def.DataType = ftSmallint;
    } else if (has("INT")) {
        def.DataType = ftInteger;
    } else if (has("BOOL") || t == "BIT") {
        def.DataType = ftBoolean;
    } else if (has("DATETIME") || has("TIMESTAMP")) {
        def.DataType = ftDateTime;
    } else if (has("DATE")) {
        def.DataType = ftDate;
    } else {
        def.DataType = ftFloat;   // numeric, decimal, real, float, double, money
        if (!args.empty()) def.Precision = args[0];
        if (args.size() > 1) def.Scale = args[1];
    }
    return def;
}

std::vector<TFieldDef> LevelFields(CompanyDatabase& schema, const SqlStatement& st, const ProviderLevel& level) {
    std::map<std::string, const SqlColumnInfo*> columns;
    if (!level.table.empty())
        for (const auto& c : schema.Columns(level.table)) columns[SqlUpper(c.name)] = &c;
    std::vector<TFieldDef> fields;
    for (int i = 0; i < st.ColumnCount(); ++i) {
        TFieldDef def = FieldFromDeclaredType(st.ColumnName(i), st.DeclaredType(i));
        auto found = columns.find(SqlUpper(def.Name));
        const SqlColumnInfo* column = found == columns.end() ? nullptr : found->second;
        def.ReadOnly = column == nullptr;
        def.Required = column && column->notNull && !column->hasDefault;
        fields.push_back(std::move(def));
    }
    return fields;
}

// --- LevelReader ------------------------------------------------------------------------------------

LevelReader::LevelReader(CompanyDatabase& db, const ProviderLevel& level, const SqlTranslator& translator)
    : db_(db), level_(level), translator_(translator) {}

void LevelReader::PrepareDetails(const SqlStatement& st) {
    if (prepared_) return;
    std::vector<std::string> names;
    for (int i = 0; i < st.ColumnCount(); ++i) names.push_back(st.ColumnName(i));
    for (const ProviderLevel& d : level_.details) {
        SqlStatement& detail = db_.Cached(DetailStatement(d, translator_).sql);
        details_.push_back({&d, &detail, std::make_unique<LevelReader>(db_, d, translator_), LinkPositions(d, names)});
    }
    prepared_ = true;
}

std::vector<TFieldDef> LevelReader::Fields(CompanyDatabase& schema, const SqlStatement& st) {
    PrepareDetails(st);
    std::vector<TFieldDef> fields = LevelFields(schema, st, level_);
    for (auto& d : details_) {
        TFieldDef nested;
        nested.Name = d.level->fieldName;
        nested.DataType = ftDataSet;
        nested.ChildDefs = d.reader->Fields(schema, *d.st);
        fields.push_back(std::move(nested));
    }
    return fields;
}

Variant LevelReader::RowOf(const SqlStatement& st) {
    PrepareDetails(st);
    int columns = st.ColumnCount();
    Variant row = Variant::MakeArray({{0, columns + static_cast<int>(details_.size()) - 1}});
    for (int i = 0; i < columns; ++i) row[i] = st.Column(i);
    int slot = columns;
    for (auto& d : details_) {
        d.st->Bind(DetailParams(*d.level, d.linkPositions, row));
        std::vector<Variant> rows;
        while (d.st->Step()) rows.push_back(d.reader->RowOf(*d.st));
        d.st->Reset();
        row[slot++] = VarArrayOf(rows);
    }
    return row;
}
