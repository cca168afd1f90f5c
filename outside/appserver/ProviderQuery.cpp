#include "outside/appserver/ProviderQuery.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <map>

#include "outside/appserver/SqlSelect.h"
#include "outside/appserver/SqlTokens.h"
#include "toolkit/data/Packets.h"

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

// The detail's link columns, qualified by its table when they are bare.
std::vector<std::string> LinkedColumns(const ProviderLevel& detail) {
    std::vector<std::string> out;
    for (const auto& link : detail.links) {
        const std::string& column = link.second;
        out.push_back(column.find('.') == std::string::npos && !detail.table.empty() ? detail.table + "." + column : column);
    }
    return out;
}

// What ties a row to its master: the text of its link values. Null links tie to nothing; values of
// other kinds are left to one statement per master row.
enum class LinkKind {
    Null,
    Other,
    Text
};
LinkKind LinkKey(const Variant& row, const std::vector<int>& positions, std::string& key) {
    key.clear();
    for (int p : positions) {
        if (p < 0 || row.Low() + p > row.High()) return LinkKind::Null;
        const Variant& v = row[row.Low() + p];
        switch (v.Type()) {
            case VarType::Empty:
            case VarType::Null: return LinkKind::Null;
            case VarType::String:
            case VarType::Integer:
            case VarType::Double: key += VarToStr(v); break;
            default: return LinkKind::Other;
        }
        key += '\x1f';
    }
    return LinkKind::Text;
}

// The parts of a level its statements are made of, with the dialect, as one text.
std::string LevelKey(const ProviderLevel& level, const SqlTranslator& translator) {
    std::string key = std::to_string(static_cast<int>(translator.Dialect())) + '\x1f' + level.select + '\x1f' +
                      level.fixedCondition + '\x1f' + level.defaultOrder + '\x1f' + level.table;
    for (const auto& [master, detail] : level.links) key += '\x1f' + master + '=' + detail;
    return key;
}

// A window asks for the same rows, their count and their details on every open: each statement's
// text is made once from the same parts (in each thread, which serves one session at a time).
const std::string& Remembered(const std::string& key, const std::function<std::string()>& make) {
    constexpr std::size_t kKept = 256;
    thread_local std::map<std::string, std::string> made;
    auto found = made.find(key);
    if (found == made.end()) {
        std::string text = make();
        if (made.size() >= kKept) made.clear();
        found = made.emplace(key, std::move(text)).first;
    }
    return found->second;
}

}  // namespace

LevelStatement TopLevelStatement(const ProviderLevel& level, const ProviderRequest& request, const SqlTranslator& translator) {
    const std::string key = "top\x1f" + LevelKey(level, translator) + '\x1f' + request.condition + '\x1f' + request.order +
                            '\x1f' + std::to_string(request.topRows);
    LevelStatement out;
    out.sql = Remembered(key, [&] {
        std::string condition = Trimmed(request.condition);
        if (SqlUpper(condition) == "ALL") condition.clear();
        std::string sql = AddCondition(level.select, Both(Trimmed(level.fixedCondition), condition));
        std::string order = Trimmed(request.order).empty() ? level.defaultOrder : Trimmed(request.order);
        sql = translator.Translate(SetOrder(sql, order));
        if (request.topRows > 0) sql += " LIMIT " + std::to_string(request.topRows);
        return sql;
    });
    out.params = level.selectParams;
    out.params.insert(out.params.end(), level.conditionParams.begin(), level.conditionParams.end());
    return out;
}

LevelStatement DetailStatement(const ProviderLevel& detail, const SqlTranslator& translator) {
    LevelStatement out;
    out.sql = Remembered("detail\x1f" + LevelKey(detail, translator), [&] {
        std::string links;
        for (const std::string& column : LinkedColumns(detail)) links += (links.empty() ? "" : " AND ") + column + " = ?";
        return translator.Translate(
            SetOrder(AddCondition(detail.select, Both(links, Trimmed(detail.fixedCondition))), detail.defaultOrder));
    });
    return out;
}

LevelStatement DetailBatchStatement(const ProviderLevel& detail, int masters, const SqlTranslator& translator) {
    LevelStatement out;
    out.sql = Remembered("batch\x1f" + std::to_string(masters) + '\x1f' + LevelKey(detail, translator), [&] {
        const std::vector<std::string> columns = LinkedColumns(detail);
        std::string links, order;
        if (columns.size() == 1) {
            for (int m = 0; m < masters; ++m) links += m == 0 ? "?" : ", ?";
            links = columns[0] + " IN (" + links + ")";
        } else {
            std::string one;
            for (const std::string& column : columns) one += (one.empty() ? "" : " AND ") + column + " = ?";
            for (int m = 0; m < masters; ++m) links += (m == 0 ? "(" : " OR (") + one + ")";
        }
        for (const std::string& column : columns) order += (order.empty() ? "" : ", ") + column;
        if (!Trimmed(detail.defaultOrder).empty()) order += ", " + detail.defaultOrder;
        return translator.Translate(SetOrder(AddCondition(detail.select, Both(links, Trimmed(detail.fixedCondition))), order));
    });
    return out;
}

std::vector<int> LinkPositions(const ProviderLevel& detail, const std::vector<std::string>& masterNames) {
    std::vector<int> positions;
    for (const auto& link : detail.links) positions.push_back(IndexOfName(masterNames, link.first));
    return positions;
}

std::vector<int> LinkedColumnPositions(const ProviderLevel& detail, const std::vector<std::string>& detailNames) {
    std::vector<int> positions;
    for (const auto& link : detail.links) positions.push_back(IndexOfName(detailNames, link.second));
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
        def.DataType = ftString;  // an expression: text is what it shows
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
        def.DataType = ftFloat;  // numeric, decimal, real, float, double, money
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
    columns_ = st.ColumnCount();
    for (const ProviderLevel& d : level_.details) {
        SqlStatement& detail = db_.Cached(DetailStatement(d, translator_).sql);
        std::vector<std::string> detailNames;
        for (int i = 0; i < detail.ColumnCount(); ++i) detailNames.push_back(detail.ColumnName(i));
        details_.push_back({&d,
                            &detail,
                            std::make_unique<LevelReader>(db_, d, translator_),
                            LinkPositions(d, names),
                            LinkedColumnPositions(d, detailNames),
                            {}});
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

Variant LevelReader::ValuesOf(const SqlStatement& st) {
    PrepareDetails(st);
    if (details_.empty()) {
        // A row without details ends at its last value that is not null (a reader takes the rest as
        // null): the user-defined columns at the end of most tables are mostly empty.
        scratch_.resize(static_cast<std::size_t>(columns_));
        if (columns_ > 0) st.ReadColumns(scratch_.data(), columns_);
        auto end = scratch_.end();
        while (end != scratch_.begin() && (end - 1)->IsNull()) --end;
        return ArrayOfMoved(std::vector<Variant>(std::make_move_iterator(scratch_.begin()), std::make_move_iterator(end)));
    }
    const int slots = columns_ + static_cast<int>(details_.size());
    Variant row = Variant::MakeArray({{0, slots - 1}});
    st.ReadColumns(&row[0], columns_);  // the elements lie one after the other
    return row;
}

std::vector<Variant> LevelReader::PacketRows(std::vector<Variant> rows) {
    for (std::size_t k = 0; k < details_.size(); ++k) {
        std::vector<Variant> nested = DetailRows(details_[k], rows);
        for (std::size_t r = 0; r < rows.size(); ++r) rows[r][columns_ + static_cast<int>(k)] = std::move(nested[r]);
    }
    return rows;
}

Variant LevelReader::RowsOfOneMaster(Detail& d, const Variant& master) {
    std::vector<Variant> rows;
    d.st->Bind(DetailParams(*d.level, d.linkPositions, master));
    while (d.st->Step()) rows.push_back(d.reader->ValuesOf(*d.st));
    d.st->Reset();
    return ArrayOfMoved(d.reader->PacketRows(std::move(rows)));
}

bool LevelReader::ReadBatch(Detail& d, const std::vector<const Variant*>& masters, const std::vector<std::string>& keys,
                            std::map<std::string, Variant>& byKey) {
    // A few statement shapes serve every count: the last master fills the unused places.
    int places = 1;
    while (places < static_cast<int>(masters.size())) places *= 2;
    SqlStatement*& st = d.batches[places];
    if (!st) st = &db_.Cached(DetailBatchStatement(*d.level, places, translator_).sql);
    std::vector<Variant> params = d.level->selectParams;
    for (int m = 0; m < places; ++m) {
        const Variant& master = *masters[std::min(static_cast<std::size_t>(m), masters.size() - 1)];
        for (int p : d.linkPositions) params.push_back(master[master.Low() + p]);
    }
    params.insert(params.end(), d.level->conditionParams.begin(), d.level->conditionParams.end());

    std::vector<Variant> rows;
    std::vector<std::string> rowKeys;
    std::string key;
    st->Bind(params);
    while (st->Step()) {
        rows.push_back(d.reader->ValuesOf(*st));
        if (LinkKey(rows.back(), d.linkedColumns, key) != LinkKind::Text) break;
        rowKeys.push_back(key);
    }
    st->Reset();
    // A row the database matched but whose values do not spell a master's key (a collation, a
    // padded type): each master asks for its own rows instead.
    std::map<std::string, std::vector<Variant>> groups;
    for (const std::string& k : keys) groups[k];
    if (rowKeys.size() != rows.size()) return false;
    // The rows come in runs of one master's key: each run looks its group up once.
    std::vector<std::vector<Variant>*> groupOf(rowKeys.size(), nullptr);
    for (std::size_t r = 0; r < rowKeys.size(); ++r) {
        if (r > 0 && rowKeys[r] == rowKeys[r - 1]) {
            groupOf[r] = groupOf[r - 1];
            continue;
        }
        auto found = groups.find(rowKeys[r]);
        if (found == groups.end()) return false;
        groupOf[r] = &found->second;
    }
    std::vector<Variant> packetRows = d.reader->PacketRows(std::move(rows));
    for (std::size_t r = 0; r < packetRows.size(); ++r) groupOf[r]->push_back(std::move(packetRows[r]));
    for (auto& [k, group] : groups) byKey[k] = ArrayOfMoved(std::move(group));
    return true;
}

std::vector<Variant> LevelReader::DetailRows(Detail& d, const std::vector<Variant>& masters) {
    std::vector<Variant> out(masters.size());
    bool batched = !d.linkPositions.empty();
    for (std::size_t i = 0; i < d.linkPositions.size(); ++i)
        batched = batched && d.linkPositions[i] >= 0 && d.linkedColumns[i] >= 0;
    // The masters' keys, each once, in the masters' order.
    std::vector<std::string> keyOf(masters.size());
    std::vector<bool> alone(masters.size(), !batched);
    std::vector<std::string> keys;
    std::vector<const Variant*> firsts;
    std::map<std::string, Variant> byKey;
    for (std::size_t m = 0; m < masters.size() && batched; ++m) {
        switch (LinkKey(masters[m], d.linkPositions, keyOf[m])) {
            case LinkKind::Null: out[m] = ArrayOfMoved({}); break;
            case LinkKind::Other: alone[m] = true; break;
            case LinkKind::Text:
                if (byKey.emplace(keyOf[m], Variant()).second) {
                    keys.push_back(keyOf[m]);
                    firsts.push_back(&masters[m]);
                }
                break;
        }
    }
    for (std::size_t from = 0; from < keys.size(); from += kBatch) {
        const std::size_t to = std::min(keys.size(), from + kBatch);
        std::vector<std::string> chunk(keys.begin() + static_cast<std::ptrdiff_t>(from),
                                       keys.begin() + static_cast<std::ptrdiff_t>(to));
        std::vector<const Variant*> chunkMasters(firsts.begin() + static_cast<std::ptrdiff_t>(from),
                                                 firsts.begin() + static_cast<std::ptrdiff_t>(to));
        if (!ReadBatch(d, chunkMasters, chunk, byKey))
            for (const std::string& k : chunk) byKey.erase(k);
    }
    for (std::size_t m = 0; m < masters.size(); ++m) {
        if (!out[m].IsEmpty()) continue;
        auto found = alone[m] ? byKey.end() : byKey.find(keyOf[m]);
        out[m] = found != byKey.end() ? found->second : RowsOfOneMaster(d, masters[m]);
    }
    return out;
}
