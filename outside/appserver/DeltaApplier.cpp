#include "outside/appserver/DeltaApplier.h"

#include <algorithm>
#include <optional>

#include "outside/appserver/SequenceNumber.h"
#include "outside/appserver/SqlTokens.h"

// How the delta's fields meet the level's table.
struct DeltaShape {
    std::vector<std::string> column;         // per field: the table column it writes, "" for none
    std::vector<std::string> upperColumn;    // the same in upper case, as overrides name them
    std::vector<int> keys;                   // field positions of the key columns
    int flag = -1;                           // field position of FLAG, -1 when the delta has none
    std::string flagColumn;                  // the table's FLAG column, "" when it has none
    std::string missingKey;                  // a key column the delta lacks
    std::string insertSql;                   // the INSERT of a new row: the same for every row of the level
    mutable SqlStatement* insert = nullptr;  // insertSql, prepared at the level's first new row
    // The parameters of insert, room kept from row to row.
    mutable std::vector<const Variant*> insertValues;
    // The statements of changed and deleted rows, prepared at the first row that needs them: an
    // update's by the columns it writes (per field: whether it writes it).
    mutable std::map<std::vector<bool>, SqlStatement*> updates;
    mutable SqlStatement* unchanged = nullptr;  // whether a row whose details alone changed is as read
    mutable SqlStatement* remove = nullptr;
};

namespace {
using Shape = DeltaShape;

std::string BareName(const std::string& name) {
    auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(dot + 1);
}

Shape ShapeOf(CompanyDatabase& db, const ProviderLevel& level, const std::vector<TFieldDef>& fields) {
    Shape s;
    const auto& columns = db.Columns(level.table);
    std::vector<std::string> upperNames;
    for (const auto& c : columns) upperNames.push_back(SqlUpper(c.name));
    for (const TFieldDef& f : fields) {
        std::string column;
        if (f.DataType != ftDataSet) {
            const std::string name = SqlUpper(f.Name);
            for (std::size_t c = 0; c < columns.size(); ++c)
                if (upperNames[c] == name) column = columns[c].name;
        }
        s.column.push_back(column);
        s.upperColumn.push_back(SqlUpper(column));
    }
    auto position = [&](const std::string& name) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (!s.column[i].empty() && SqlUpper(s.column[i]) == SqlUpper(BareName(name))) return static_cast<int>(i);
        return -1;
    };
    std::vector<std::string> keys = level.keyFields;
    if (keys.empty())
        for (const auto& c : columns)
            if (c.keyPosition > 0) keys.push_back(c.name);
    for (const auto& k : keys) {
        int p = position(k);
        if (p < 0 && s.missingKey.empty()) s.missingKey = BareName(k);
        if (p >= 0) s.keys.push_back(p);
    }
    s.flag = position("FLAG");
    for (const auto& c : columns)
        if (SqlUpper(c.name) == "FLAG") s.flagColumn = c.name;
    // Every column the client holds, nulls included: the stored row is the row the client sees, so that
    // it matches when it is changed or deleted later (FLAG 1, as the client finishes a new row).
    std::string names, marks;
    for (const auto& column : s.column) {
        if (column.empty()) continue;
        names += (names.empty() ? "" : ", ") + column;
        marks += marks.empty() ? "?" : ", ?";
    }
    if (s.flag < 0 && !s.flagColumn.empty()) {
        names += (names.empty() ? "" : ", ") + s.flagColumn;
        marks += marks.empty() ? "1" : ", 1";
    }
    s.insertSql = "INSERT INTO " + level.table + " (" + names + ") VALUES (" + marks + ")";
    return s;
}

// The modification counter as the server counts it: a new row has 1; a save counts one up, modulo
// 1000; a row stored with a negative count (never stamped) keeps its absolute value, as the client's
// own finishing of a save does.
std::string CountedFlag(const std::string& flag) {
    return flag + " = CASE WHEN " + flag + " IS NULL THEN 1 WHEN " + flag + " < 0 THEN -" + flag + " ELSE (" + flag +
           " + 1) % 1000 END";
}

// "k1 = ? AND k2 = ? [AND FLAG IS NOT DISTINCT FROM ?]"; KeyParams gives the row's original values
// for it.
std::string KeyCondition(const Shape& s, bool withFlag) {
    std::string where;
    for (int k : s.keys) where += (where.empty() ? "" : " AND ") + s.column[static_cast<std::size_t>(k)] + " = ?";
    if (withFlag && s.flag >= 0) where += " AND FLAG IS NOT DISTINCT FROM ?";
    return where;
}

void KeyParams(const Shape& s, const TDeltaRow& row, bool withFlag, std::vector<Variant>& params) {
    for (int k : s.keys) params.push_back(row.OldValue(k));
    if (withFlag && s.flag >= 0) params.push_back(row.OldValue(s.flag));
}

// A stale original must not pass once the counter has come round again: besides the key and FLAG, the
// columns an update writes (writes: per field) must still hold what the client read, and a deleted row
// (writes empty) must still carry the modification date the client read. The fields compared.
std::vector<int> StillAsRead(const Shape& s, const std::vector<bool>& writes) {
    std::vector<int> compared;
    const bool deleting = writes.empty();
    for (std::size_t i = 0; i < s.column.size(); ++i) {
        int field = static_cast<int>(i);
        if (s.column[i].empty() || field == s.flag) continue;
        if (std::find(s.keys.begin(), s.keys.end(), field) != s.keys.end()) continue;
        if (deleting ? s.upperColumn[i] != "MODI_DATE" : !writes[i]) continue;
        compared.push_back(field);
    }
    return compared;
}

std::string StillAsReadCondition(const Shape& s, const std::vector<bool>& writes) {
    std::string where;
    for (int field : StillAsRead(s, writes))
        where += " AND " + s.column[static_cast<std::size_t>(field)] + " IS NOT DISTINCT FROM ?";
    return where;
}

void StillAsReadParams(const Shape& s, const std::vector<bool>& writes, const TDeltaRow& row, std::vector<Variant>& params) {
    for (int field : StillAsRead(s, writes)) params.push_back(row.OldValue(field));
}

// Per field, the override that replaces its new value (null for none): looked up once, not per row.
std::vector<const Variant*> OverrideSlots(const Shape& s, const std::map<std::string, Variant>& overrides) {
    std::vector<const Variant*> slots(s.upperColumn.size(), nullptr);
    if (overrides.empty()) return slots;
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (!s.upperColumn[i].empty())
            if (auto found = overrides.find(s.upperColumn[i]); found != overrides.end()) slots[i] = &found->second;
    return slots;
}

const Variant& NewValueOf(const TDeltaRow& row, const Shape& s, int field, const std::map<std::string, Variant>& overrides) {
    const std::string& column = s.upperColumn[static_cast<std::size_t>(field)];
    if (!column.empty() && !overrides.empty())
        if (auto found = overrides.find(column); found != overrides.end()) return found->second;
    return row.NewValueRef(field);
}

// The counter of a document number is its last four characters, as the client numbers them.
constexpr std::size_t kCounterWidth = 4;

}  // namespace

DeltaApplier::DeltaApplier(CompanyDatabase& db, const Provider& provider) : db_(db), provider_(provider) {}

std::string DeltaApplier::Context(const TDeltaRow& row, const ProviderLevel& level) const {
    std::string out = level.table + ":";
    bool first = true;
    for (const auto& k : level.keyFields) {
        std::string name = BareName(k);
        std::string value;
        try {
            Variant v = row.Kind() == ukInsert ? row.NewValue(name) : row.OldValue(name);
            value = VarToStr(v);
        } catch (const Exception&) {
            continue;
        }
        out += (first ? " " : ", ") + name + "=" + value;
        first = false;
    }
    return out;
}

DeltaApplier::Outcome DeltaApplier::Refusal(const TDeltaRow& row, const ProviderLevel& level, const DeltaShape& s,
                                            const std::vector<TFieldDef>& fields) {
    std::vector<Variant> params;
    KeyParams(s, row, false, params);
    SqlStatement& st = db_.Cached("SELECT * FROM " + level.table + " WHERE " + KeyCondition(s, false));
    st.Bind(params);
    Outcome o;
    o.ok = false;
    if (!st.Step()) {
        st.Reset();
        o.message = kRecordDeleted;
        o.code = deDeleted;
        return o;
    }
    std::vector<Variant> current(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (s.column[i].empty()) continue;
        for (int c = 0; c < st.ColumnCount(); ++c)
            if (SqlUpper(st.ColumnName(c)) == SqlUpper(s.column[i])) current[i] = st.Column(c);
    }
    st.Reset();
    o.message = kRecordChanged;
    o.code = deChanged;
    o.current = VarArrayOf(current);
    return o;
}

DeltaApplier::Outcome DeltaApplier::ApplyRow(const TDeltaRow& row, TUpdateKind kind, const ProviderLevel& level,
                                             const DeltaShape& s, const std::vector<TFieldDef>& fields,
                                             const Overrides& overrides, const std::vector<const Variant*>& overrideSlots) {
    Outcome o;
    if (level.table.empty()) return {false, "Provider " + provider_.name + " does not accept changes", deReadOnly, {}};
    if (!s.missingKey.empty()) return {false, "The changes lack the key field " + s.missingKey, deDatabase, {}};
    // A row the database refuses must not spoil the rest of the transaction.
    auto statements = [&]() -> Outcome {
        std::vector<Variant> params;
        switch (kind) {
            case ukInsert: {
                static const Variant one(1);
                auto& values = s.insertValues;
                values.clear();
                for (std::size_t i = 0; i < fields.size(); ++i) {
                    if (s.column[i].empty()) continue;
                    // The server counts: a new row starts at 1 whatever the client sent.
                    const Variant* value = overrideSlots[i] ? overrideSlots[i] : &row.NewValueRef(static_cast<int>(i));
                    values.push_back(static_cast<int>(i) == s.flag ? &one : value);
                }
                if (!s.insert) s.insert = &db_.Cached(s.insertSql);
                s.insert->ExecuteInPlace(values);
                return o;
            }
            case ukModify: {
                std::vector<bool> writes(fields.size(), false);
                bool writesAny = false;
                for (std::size_t i = 0; i < fields.size(); ++i) {
                    if (s.column[i].empty() || static_cast<int>(i) == s.flag || !row.Changed(static_cast<int>(i))) continue;
                    writes[i] = writesAny = true;
                    params.push_back(row.NewValue(static_cast<int>(i)));
                }
                // A change of FLAG alone is a save too (the client stamped the row for its details).
                bool saves = writesAny || (s.flag >= 0 && row.Changed(s.flag));
                if (!saves || (!writesAny && s.flagColumn.empty())) {
                    KeyParams(s, row, true, params);
                    // Only its details changed: the row must still be as the client read it.
                    if (!s.unchanged)
                        s.unchanged = &db_.Cached("SELECT 1 FROM " + level.table + " WHERE " + KeyCondition(s, true));
                    s.unchanged->Bind(params);
                    bool there = s.unchanged->Step();
                    s.unchanged->Reset();
                    return there ? o : Refusal(row, level, s, fields);
                }
                SqlStatement*& update = s.updates[writes];
                if (!update) {
                    std::string set;
                    for (std::size_t i = 0; i < fields.size(); ++i)
                        if (writes[i]) set += (set.empty() ? "" : ", ") + s.column[i] + " = ?";
                    // The client's FLAG is not taken: the server counts it in the statement that saves the row.
                    if (!s.flagColumn.empty()) set += (set.empty() ? "" : ", ") + CountedFlag(s.flagColumn);
                    update = &db_.Cached("UPDATE " + level.table + " SET " + set + " WHERE " + KeyCondition(s, true) +
                                         StillAsReadCondition(s, writes));
                }
                // Parameters in the order of their markers: the new values', the key's, then the originals'.
                KeyParams(s, row, true, params);
                StillAsReadParams(s, writes, row, params);
                return update->Execute(params) > 0 ? o : Refusal(row, level, s, fields);
            }
            case ukDelete: {
                if (!s.remove)
                    s.remove = &db_.Cached("DELETE FROM " + level.table + " WHERE " + KeyCondition(s, true) +
                                           StillAsReadCondition(s, {}));
                KeyParams(s, row, true, params);
                StillAsReadParams(s, {}, row, params);
                return s.remove->Execute(params) > 0 ? o : Refusal(row, level, s, fields);
            }
        }
        return o;
    };
    try {
        if (guarded_)
            db_.Attempt([&] { o = statements(); });
        else
            o = statements();
    } catch (const EDatabaseError& e) {
        // Without a savepoint the refusal may have spoilt the transaction: the delta is applied again,
        // each row under its own.
        if (!guarded_) throw TRetryGuarded{};
        // A new row whose key is taken (someone saved it meanwhile) is named as such on every backend.
        if (kind == ukInsert && KeyTaken(row, level, s, overrides)) return {false, kRecordExists, deExists, {}};
        return {false, e.Message(), deDatabase, {}};
    }
    return o;
}

bool DeltaApplier::KeyTaken(const TDeltaRow& row, const ProviderLevel& level, const DeltaShape& s, const Overrides& overrides) {
    std::string where;
    std::vector<Variant> params;
    for (int k : s.keys) {
        where += (where.empty() ? "" : " AND ") + s.column[static_cast<std::size_t>(k)] + " = ?";
        params.push_back(NewValueOf(row, s, k, overrides));
    }
    if (where.empty()) return false;
    SqlStatement& st = db_.Cached("SELECT 1 FROM " + level.table + " WHERE " + where);
    st.Bind(params);
    bool there = st.Step();
    st.Reset();
    return there;
}

void DeltaApplier::NumberNewHeader(const TDeltaRow& row, const ProviderLevel& level, const DeltaShape& s, Overrides& own) {
    if (s.keys.empty() || !s.missingKey.empty()) return;
    const int numbered = s.keys.back();
    const std::string column = s.column[static_cast<std::size_t>(numbered)];
    std::string number = VarToStr(NewValueOf(row, s, numbered, own));
    if (KeyTaken(row, level, s, own) && number.size() > kCounterWidth) {
        std::vector<std::string> columns;
        std::vector<Variant> leading;
        for (int k : s.keys) {
            columns.push_back(s.column[static_cast<std::size_t>(k)]);
            if (k != numbered) leading.push_back(NewValueOf(row, s, k, own));
        }
        number = NextSequenceNumber(db_, level.table, columns, leading, number.substr(0, number.size() - kCounterWidth));
        own[SqlUpper(column)] = Variant(number);
    }
    storedNumber_ = number;
}

void DeltaApplier::ApplyLevel(const TDeltaReader& reader, const ProviderLevel& level, const Overrides& fromMaster) {
    const auto& fields = reader.Fields();
    if (reader.Count() == 0) return;
    DeltaShape shape = level.table.empty() ? DeltaShape{} : ShapeOf(db_, level, fields);
    const std::vector<const Variant*> masterSlots = OverrideSlots(shape, fromMaster);
    static const Overrides none;
    auto applyDetails = [&](const TDeltaRow& row, const Overrides& own) {
        for (const ProviderLevel& detail : level.details) {
            // New detail rows take the new values of the master columns they are linked to.
            Overrides linked;
            for (const auto& [master, column] : detail.links)
                if (auto found = own.find(SqlUpper(BareName(master))); found != own.end())
                    linked[SqlUpper(BareName(column))] = found->second;
            for (std::size_t f = 0; f < fields.size(); ++f)
                if (fields[f].DataType == ftDataSet && SqlUpper(fields[f].Name) == SqlUpper(detail.fieldName))
                    ApplyLevel(row.Details(static_cast<int>(f)), detail, linked);
            if (TooMany()) return;
        }
    };
    auto applyOne = [&](const TDeltaRow& row, TUpdateKind kind) {
        // The details of a deleted master go first; those of a new or changed master after it.
        if (kind == ukDelete) applyDetails(row, {});
        if (TooMany()) return;
        const bool inserting = kind == ukInsert;
        // A new row takes the master's values for its links; the others take none. Only a renumbered
        // header has overrides of its own.
        const Overrides* own = inserting ? &fromMaster : &none;
        const std::vector<const Variant*>* slots = &masterSlots;
        Overrides numbered;
        std::vector<const Variant*> numberedSlots;
        if (inserting && numbering_ && &level == &provider_.level && !level.table.empty()) {
            numbered = fromMaster;
            try {
                NumberNewHeader(row, level, shape, numbered);
            } catch (const EDatabaseError& e) {
                errors_.AddError(row.Id(), e.Message(), deDatabase, Context(row, level));
                return;
            }
            numberedSlots = OverrideSlots(shape, numbered);
            own = &numbered;
            slots = &numberedSlots;
        }
        Outcome o = ApplyRow(row, kind, level, shape, fields, *own, *slots);
        if (!o.ok) {
            // A refused master keeps its details back: they stay pending on the client.
            errors_.AddError(row.Id(), o.message, o.code, Context(row, level), o.current);
            return;
        }
        if (kind != ukDelete) applyDetails(row, *own);
    };
    // A change of a kind the protocol does not know is refused (once, in the first pass), not skipped.
    auto kindOf = [&](const TDeltaRow& row) -> std::optional<TUpdateKind> {
        try {
            return row.Kind();
        } catch (const EDatabaseError& e) {
            errors_.AddError(row.Id(), e.Message(), deDatabase, level.table);
            return std::nullopt;
        }
    };
    // Deletes first: a line removed and a new line typed with the same key must not collide. The first
    // pass reads each row's kind for both.
    std::vector<std::optional<TUpdateKind>> kinds(static_cast<std::size_t>(reader.Count()));
    for (bool deletes : {true, false})
        for (int i = 0; i < reader.Count() && !TooMany(); ++i) {
            TDeltaRow row = reader.Row(i);
            std::optional<TUpdateKind>& kind = kinds[static_cast<std::size_t>(i)];
            if (deletes) kind = kindOf(row);
            if (kind && (*kind == ukDelete) == deletes) applyOne(row, *kind);
        }
}

Variant DeltaApplier::Apply(const Variant& delta, int maxErrors, int& errorCount) {
    struct TooManyErrors {};
    maxErrors_ = maxErrors;
    TDeltaReader reader(delta);
    if (db_.CachedCount() > 256) db_.ForgetStatements();
    bool committed = true;
    // A savepoint per row costs the database two more round trips a row: rows are applied without
    // them first, and only a delta the database refuses part of is applied again with them.
    for (guarded_ = false;; guarded_ = true) {
        errors_ = TErrorPacketBuilder();
        storedNumber_.clear();
        committed = true;
        try {
            db_.InTransaction([&] {
                ApplyLevel(reader, provider_.level, {});
                if (TooMany()) throw TooManyErrors{};
            });
        } catch (const TooManyErrors&) {
            committed = false;
        } catch (const TRetryGuarded&) {
            continue;
        }
        break;
    }
    errors_.SetCommitted(committed);
    errorCount = errors_.Count();
    return errors_.Build();
}
