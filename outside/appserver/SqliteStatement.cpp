#include "outside/appserver/SqliteStatement.h"

#include <sqlite3.h>

#include "outside/appserver/SqliteGuard.h"

void SqliteReadColumn(sqlite3_stmt* st, int i, Variant& out) {
    // One call instead of three: the value is read by the thread that
    // steps the statement, before the next step.
    sqlite3_value* v = sqlite3_column_value(st, i);
    switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER: out = Variant(static_cast<long long>(sqlite3_value_int64(v))); break;
        case SQLITE_FLOAT: out = Variant(sqlite3_value_double(v)); break;
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
            out.SetText(std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(v))));
            break;
        }
        case SQLITE_BLOB: {
            auto* p = static_cast<const std::uint8_t*>(sqlite3_value_blob(v));
            out = Variant(Bytes(p, p + sqlite3_value_bytes(v)));
            break;
        }
        default: out = Variant::Null();
    }
}

Variant SqliteColumnValue(sqlite3_stmt* st, int i) {
    Variant value;
    SqliteReadColumn(st, i, value);
    return value;
}

namespace {

// bindText binds a String's text; the other kinds are bound by value.
template <class BindText>
int BindValue(sqlite3_stmt* st, int index, const Variant& value, BindText bindText) {
    const Variant& v = value.Deref();
    switch (v.Type()) {
        case VarType::Empty:
        case VarType::Null: return sqlite3_bind_null(st, index);
        case VarType::Boolean: return sqlite3_bind_int(st, index, v.AsBool() ? 1 : 0);
        case VarType::Integer: return sqlite3_bind_int64(st, index, v.AsInt64());
        case VarType::Double:
        case VarType::Date: return sqlite3_bind_double(st, index, v.AsDouble());
        case VarType::Bytes: {
            Bytes b = v.AsBytes();
            return sqlite3_bind_blob(st, index, b.data(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        }
        case VarType::String: return bindText(v.StringRef());
        default: throw EDatabaseError(std::string("A parameter of kind ") + VarTypeName(v.Type()) + " cannot be bound");
    }
}

int BindText(sqlite3_stmt* st, int index, std::string_view text, void (*lifetime)(void*)) {
    return sqlite3_bind_text(st, index, text.data(), static_cast<int>(text.size()), lifetime);
}

}  // namespace

int SqliteBindValue(sqlite3_stmt* st, int index, const Variant& value, std::vector<std::string>* held) {
    return BindValue(st, index, value, [&](std::string_view text) {
        if (!held) return BindText(st, index, text, SQLITE_TRANSIENT);
        // Read in place: the caller keeps the copy until the statement lets go of it.
        return BindText(st, index, held->emplace_back(text), SQLITE_STATIC);
    });
}

int SqliteBindInPlace(sqlite3_stmt* st, int index, const Variant& value) {
    return BindValue(st, index, value, [&](std::string_view text) { return BindText(st, index, text, SQLITE_STATIC); });
}

SqliteStatement::SqliteStatement(sqlite3* db, SqliteGuard& guard, const std::string& sql) : db_(db), guard_(guard), sql_(sql) {
    stmt_ = guard_.PrepareOne(sql);
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

void SqliteStatement::Fail(int rc) const { throw EDatabaseError(guard_.Explain(rc)); }

void SqliteStatement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

template <class ValueAt>
void SqliteStatement::BindEach(std::size_t given, ValueAt value, bool inPlace) {
    Reset();
    held_.clear();
    const int count = sqlite3_bind_parameter_count(stmt_);
    if (!inPlace) held_.reserve(static_cast<std::size_t>(count));  // no reallocation: SQLite points into the texts
    for (int i = 1; i <= count && static_cast<std::size_t>(i) <= given; ++i) {
        const Variant& v = value(static_cast<std::size_t>(i - 1));
        if (v.Deref().IsEmptyOrNull()) continue;  // Reset cleared every binding to null
        const int rc = inPlace ? SqliteBindInPlace(stmt_, i, v) : SqliteBindValue(stmt_, i, v, &held_);
        if (rc != SQLITE_OK) Fail(rc);
    }
}

void SqliteStatement::Bind(const std::vector<Variant>& params) {
    // The caller may let the values go before stepping: the texts are kept here.
    BindEach(
        params.size(), [&](std::size_t i) -> const Variant& { return params[i]; }, false);
}

bool SqliteStatement::Step() {
    guard_.Arm();
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    std::string message = guard_.Explain(rc);
    sqlite3_reset(stmt_);
    throw EDatabaseError(message);
}

int SqliteStatement::RunToEnd() {
    // The texts were read where the caller keeps them: nothing may point at them once it returns.
    struct Unbind {
        sqlite3_stmt* st;
        ~Unbind() {
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
        }
    } unbind{stmt_};
    while (Step()) {}
    return sqlite3_changes(db_);
}

int SqliteStatement::Execute(const std::vector<Variant>& params) {
    BindEach(
        params.size(), [&](std::size_t i) -> const Variant& { return params[i]; }, true);
    return RunToEnd();
}

int SqliteStatement::ExecuteInPlace(const std::vector<const Variant*>& params) {
    BindEach(
        params.size(), [&](std::size_t i) -> const Variant& { return *params[i]; }, true);
    return RunToEnd();
}

int SqliteStatement::ColumnCount() const { return sqlite3_column_count(stmt_); }

std::string SqliteStatement::ColumnName(int i) const {
    const char* name = sqlite3_column_name(stmt_, i);
    return name ? name : "";
}

std::string SqliteStatement::DeclaredType(int i) const {
    const char* type = sqlite3_column_decltype(stmt_, i);
    return type ? type : "";
}

Variant SqliteStatement::Column(int i) const { return SqliteColumnValue(stmt_, i); }

// A packet reads every column of every row: one call per row rather than per value.
void SqliteStatement::ReadColumns(Variant* out, int count) const {
    for (int i = 0; i < count; ++i) SqliteReadColumn(stmt_, i, out[i]);
}

bool SqliteStatement::ReadOnly() const { return sqlite3_stmt_readonly(stmt_) != 0; }
